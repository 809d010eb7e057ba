// The settings store on Windows: the platform's private-profile functions, which resolve
// the relative path against the current folder and keep their own file conventions.
#include <windows.h>

#include "platform/settings.h"

namespace zd {
namespace {

class ProfileStore final : public SettingsStore {
 public:
  explicit ProfileStore(std::string_view path) : path_(path) {}

  std::string Read(std::string_view key, std::string_view fallback) override {
    char buffer[kSettingValueMax + 1] = {};
    const std::string k(key), f(fallback), s(kSettingsSection);
    GetPrivateProfileStringA(s.c_str(), k.c_str(), f.c_str(), buffer, sizeof buffer, path_.c_str());
    return buffer;
  }

  void Write(std::string_view key, std::string_view value) override {
    const std::string k(key), v(value), s(kSettingsSection);
    WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), path_.c_str());
  }

 private:
  std::string path_;
};

}  // namespace

std::unique_ptr<SettingsStore> MakePlatformSettingsStore(std::string_view path) {
  return std::make_unique<ProfileStore>(path);
}

}  // namespace zd

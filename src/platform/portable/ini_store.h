// A settings store for platforms without the private-profile functions. It keeps their
// conventions: names compared without regard to case, blanks around names and values
// ignored, a surrounding pair of quotes removed on read, CR LF written, every other
// section, key and comment line kept, the file created on the first write.
#pragma once

#include <mutex>
#include <string>

#include "platform/settings.h"

namespace zd {

class IniStore final : public SettingsStore {
 public:
  // `path` is used as given (already a native path).
  IniStore(std::string path, std::string section);
  std::string Read(std::string_view key, std::string_view fallback) override;
  void Write(std::string_view key, std::string_view value) override;

  // The pure parts, exposed for tests and fuzzing.
  static std::string ReadFrom(std::string_view fileText, std::string_view section,
                              std::string_view key, std::string_view fallback);
  static std::string WriteTo(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view value);

 private:
  std::string path_;
  std::string section_;
  std::mutex mutex_;  // the host's thread and the window thread share the file
};

}  // namespace zd

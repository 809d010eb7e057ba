// The module's settings file: section "Settings" of "Plugins\ZORVAN-DIGI.ini", resolved
// against the host's working folder. Every read goes to the file and every write reaches
// it at once; there is no copy in memory.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zd {

inline constexpr std::string_view kSettingsPath = "Plugins\\ZORVAN-DIGI.ini";
inline constexpr std::string_view kSettingsSection = "Settings";
// Reads deliver at most this many characters (a 100-byte buffer with its terminator).
inline constexpr std::size_t kSettingValueMax = 99;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value of `key`, or `fallback` when the file, the section or the key is missing.
  virtual std::string Read(std::string_view key, std::string_view fallback) = 0;
  // Creates or replaces `key`. A failed write is ignored.
  virtual void Write(std::string_view key, std::string_view value) = 0;
};

std::string ReadSetting(SettingsStore& store, std::string_view key, std::string_view fallback = {});
// Decimal conversion: leading blanks, an optional sign, digits up to the first other
// character; empty or non-numeric text gives 0 (values past the int range saturate).
int ReadSettingInt(SettingsStore& store, std::string_view key);
void WriteSetting(SettingsStore& store, std::string_view key, std::string_view value);
void WriteSettingInt(SettingsStore& store, std::string_view key, long long value);

// Decimal text-to-integer conversion used for every number the module reads.
int ParseDecimalInt(std::string_view text);

// The store of the platform: the private-profile functions on Windows, the portable
// INI store elsewhere. `path` is the relative Windows-style path of the file.
std::unique_ptr<SettingsStore> MakePlatformSettingsStore(std::string_view path = kSettingsPath);

}  // namespace zd

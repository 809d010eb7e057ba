// A settings store for platforms without the private-profile functions. It keeps their
// conventions byte for byte: lines end at CR or LF, names are compared without regard
// to case, blanks around names and values and blank lines are dropped, a surrounding
// pair of quotes is removed on read, the first of duplicate sections and keys wins, and
// a write that changes something rewrites the whole file with CR LF, keeping every other
// section, key and comment line; a write that changes nothing leaves the file alone.
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

  // The pure parts, exposed for tests and fuzzing. `fileText` is the file's bytes (empty
  // for a file that does not exist yet).
  static std::string ReadFrom(std::string_view fileText, std::string_view section,
                              std::string_view key, std::string_view fallback);
  // The new contents of the file; the text itself, unchanged, when the key already holds
  // that value (the file is then not written at all).
  static std::string WriteTo(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view value);

 private:
  std::string path_;
  std::string section_;
  std::mutex mutex_;  // the host's thread and the window thread share the file
};

}  // namespace zd

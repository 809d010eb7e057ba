// Files as the tests see them: a private current folder per test (the module's files are
// all relative to it) and whole files as bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zd::test {

// Makes a new empty folder the current folder, with a Plugins subfolder when asked (the
// host's layout); restores the previous current folder and removes the new one when it
// goes.
class TempFolder {
 public:
  enum Layout { kEmpty, kWithPlugins };
  explicit TempFolder(Layout layout = kEmpty);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

bool FileExists(const std::filesystem::path& path);
// The bytes of a file, or "<missing>" when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// Writes the bytes, creating the folders on the way.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zd::test

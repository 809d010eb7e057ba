// Files as the tests see them: a private current folder per test (the module's files are
// all relative to it) and whole files as bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zd::test {

// A new empty folder under the system's temporary folder, named after `prefix`, removed
// with all in it when it goes: no test leaves its scratch files behind.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view prefix = "zd-test");
  ~ScratchFolder();
  ScratchFolder(ScratchFolder&& other) noexcept;
  ScratchFolder& operator=(ScratchFolder&&) = delete;
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string string() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// Makes a new scratch folder the current folder, with a Plugins subfolder when asked (the
// host's layout); restores the previous current folder and removes the new one when it
// goes.
class TempFolder {
 public:
  enum Layout { kEmpty, kWithPlugins };
  explicit TempFolder(Layout layout = kEmpty);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return folder_.path(); }

 private:
  std::filesystem::path previous_;
  ScratchFolder folder_;
};

bool FileExists(const std::filesystem::path& path);
// The bytes of a file, or "<missing>" when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// Writes the bytes, creating the folders on the way.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zd::test

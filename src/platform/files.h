// Small file operations of the module. Every file is opened, used and closed within one
// call. Files are read and written as bytes; lines are split the way a text-mode reader
// splits them (LF ends a line, a CR before it is dropped).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd {

// A relative Windows-style path ("Plugins\\x.ini") with the platform's separator.
std::string NativePath(std::string_view windowsPath);

std::optional<std::string> ReadWholeFile(const std::string& path);
std::vector<std::string> SplitTextLines(std::string_view text);
// The lines of a text file, or empty when it cannot be opened.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Replaces the contents of `path` in one step: the bytes go to a temporary file in the
// same folder, which then takes the place of the old file. A failure at any point
// leaves the old file (or no file) untouched. Returns false on failure.
bool ReplaceFileContents(const std::string& path, std::string_view content);
// Appends the bytes and flushes them at once. Returns false on failure.
bool AppendToFile(const std::string& path, std::string_view content);

// Names (without folder) of the files matching a pattern such as "C:\\Host\\*.ini",
// in the order the file system returns them.
std::vector<std::string> FindFileNames(std::string_view pattern);

// Test seam: when set, called before each chunk of a replacement is written with the
// number of bytes written so far; returning false makes that write fail.
using WriteFaultHook = std::function<bool(std::size_t written)>;
void SetWriteFaultHookForTesting(WriteFaultHook hook);

}  // namespace zd

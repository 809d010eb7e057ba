// Directory search for platforms without FindFirstFile: a wildcard match of the file
// names in the pattern's folder, ignoring case as Windows file systems do.
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/files.h"

namespace zd {
namespace {

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::vector<std::string> FindFileNames(std::string_view pattern) {
  std::vector<std::string> names;
  const std::string native = NativePath(pattern);
  const auto slash = native.find_last_of('/');
  const std::string dir =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : native.substr(0, slash));
  const std::string glob = slash == std::string::npos ? native : native.substr(slash + 1);
  std::error_code ec;
  std::filesystem::directory_iterator it(dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (WildcardMatch(glob, name)) names.push_back(name);
  }
  return names;
}

}  // namespace zd

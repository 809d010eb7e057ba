#include <windows.h>

#include "platform/files.h"

namespace zd {

std::vector<std::string> FindFileNames(std::string_view pattern) {
  std::vector<std::string> names;
  const std::string p(pattern);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(p.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

}  // namespace zd

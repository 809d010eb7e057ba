#include <windows.h>

#include <string>

#include "support/stats_library.h"

namespace zd::test {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n);
  const auto slash = p.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".\\") : p.substr(0, slash + 1);
}

std::string LibraryFileName() { return "Stats.dll"; }

void* OpenLibrary(const std::string& path, std::string& error) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) error = "LoadLibrary(" + path + ") failed, error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
}

void* LibrarySymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }

}  // namespace zd::test

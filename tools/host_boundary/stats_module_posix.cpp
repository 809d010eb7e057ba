// Loading the module with dlopen. The headless library shows no dialogs.
#include <dlfcn.h>

#include "host_boundary/stats_module.h"
#include "host_boundary/stats_module_platform.h"

namespace zd::host {

void* OpenLibrary(const std::filesystem::path& path, std::string& why) {
  dlerror();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* e = dlerror();
    why = e ? e : "dlopen failed";
    // dlerror names the file first: it is named once already.
    const std::string named = path.string() + ": ";
    if (why.rfind(named, 0) == 0) why.erase(0, named.size());
  }
  return handle;
}

void* LibrarySymbol(void* handle, const char* name) { return dlsym(handle, name); }

void CloseLibrary(void* handle) { dlclose(handle); }

std::shared_ptr<void> StartDialogAnswerer() { return nullptr; }

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path(".") : self.parent_path();
}

std::string ModuleFileName() { return "libStats.so"; }

}  // namespace zd::host

// The platform parts of loading the module (stats_module_posix.cpp, stats_module_win.cpp).
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace zd::host {

// A handle of the loaded library, or null with `why` set.
void* OpenLibrary(const std::filesystem::path& path, std::string& why);
void* LibrarySymbol(void* handle, const char* name);
void CloseLibrary(void* handle);
// Answers the module's dialogs on the calling thread until released (Windows only).
std::shared_ptr<void> StartDialogAnswerer();

}  // namespace zd::host

// The module as a host loads it: the shared library from the folder of the running
// program (libStats.so natively, Stats.dll on Windows), with its twelve exports.
#pragma once

#include <string>

#include "engine/stats_exports.h"

namespace zd::test {

struct StatsExports {
  decltype(&::setVersion) setVersion = nullptr;
  decltype(&::GetNumberOfSets) GetNumberOfSets = nullptr;
  decltype(&::GetSetName) GetSetName = nullptr;
  decltype(&::SetupSet0) SetupSet0 = nullptr;
  decltype(&::RunCommand0) RunCommand0 = nullptr;
  decltype(&::CheckCall0) CheckCall0 = nullptr;
  decltype(&::IsValidExchg0) IsValidExchg0 = nullptr;
  decltype(&::GetExchgCount0) GetExchgCount0 = nullptr;
  decltype(&::AddData0) AddData0 = nullptr;
  decltype(&::RemoveData0) RemoveData0 = nullptr;
  decltype(&::ResetStats0) ResetStats0 = nullptr;
  decltype(&::GetResult0) GetResult0 = nullptr;
};

class StatsLibrary {
 public:
  // Loads the library beside the running program; see ok() and error().
  StatsLibrary();
  // Loads the library at `path`, as a host loads it from its plug-in folder.
  explicit StatsLibrary(std::string path);
  ~StatsLibrary();
  // Unloads the library now, as a host does when it drops the module.
  void Unload();
  StatsLibrary(const StatsLibrary&) = delete;
  StatsLibrary& operator=(const StatsLibrary&) = delete;

  bool ok() const { return handle_ != nullptr && error_.empty(); }
  const std::string& error() const { return error_; }
  const std::string& path() const { return path_; }
  const StatsExports* operator->() const { return &exports_; }
  const StatsExports& exports() const { return exports_; }

 private:
  void* handle_ = nullptr;
  std::string path_;
  std::string error_;
  StatsExports exports_;
};

// The folder of the running program, with a trailing separator.
std::string ProgramFolder();

// Platform parts (stats_library_posix.cpp, stats_library_win.cpp).
std::string LibraryFileName();
void* OpenLibrary(const std::string& path, std::string& error);
void* LibrarySymbol(void* handle, const char* name);
void CloseLibrary(void* handle);

}  // namespace zd::test

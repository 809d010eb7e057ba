// The contest module as a host loads it: the shared library (libStats.so natively,
// Stats.dll on Windows) and its twelve exports, bound once by their plain names. Every
// program that drives the module through its exports binds them here: the replay tool,
// the host stand-in, the tests, the benchmark, the fuzzers and the soak.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "module/stats_exports.h"

namespace zd::host {

// The twelve exports of one module.
struct Exports {
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

// The plain names the host binds, in the order of Exports.
inline constexpr const char* kExportNames[] = {
    "setVersion",    "GetNumberOfSets", "GetSetName", "SetupSet0",   "RunCommand0", "CheckCall0",
    "IsValidExchg0", "GetExchgCount0",  "AddData0",   "RemoveData0", "ResetStats0", "GetResult0"};

struct LoadOptions {
  // Windows: answer every modal dialog the module shows on the loading thread (the
  // Cabrillo header dialog, the "Output" message) with OK, as an operator who accepts
  // the stored values would, so that a run needs nobody at the screen. Natively the
  // module shows no dialogs and this does nothing.
  bool answerDialogs = false;
};

class StatsModule {
 public:
  // Loads the library and binds all twelve exports. On failure returns null and sets
  // `error` to a message that names the file: "PATH: cannot load the module: ..." or
  // "PATH: the export NAME is missing".
  static std::unique_ptr<StatsModule> Load(const std::filesystem::path& path, std::string& error,
                                           const LoadOptions& options = {});
  ~StatsModule();  // unloads the library
  StatsModule(const StatsModule&) = delete;
  StatsModule& operator=(const StatsModule&) = delete;

  const Exports& exports() const { return exports_; }
  const Exports* operator->() const { return &exports_; }
  const std::filesystem::path& path() const { return path_; }
  // Unloads the library now, as a host does when it drops the module; the exports are
  // unbound (null) from then on.
  void Unload();

 private:
  StatsModule() = default;
  void* handle_ = nullptr;
  std::shared_ptr<void> answerer_;  // Windows: answers the module's dialogs
  std::filesystem::path path_;
  Exports exports_;
};

// The folder of the running program.
std::filesystem::path ProgramFolder();
// The file name of the module on this platform: libStats.so or Stats.dll.
std::string ModuleFileName();
// The module built beside the running program.
std::filesystem::path ModuleBesideProgram();

// The exports linked into the running program itself (the soak, the fuzzer and the
// tests that build the exports in): the same calls without a library to load. Only such
// programs may call it.
Exports LinkedExports();

}  // namespace zd::host

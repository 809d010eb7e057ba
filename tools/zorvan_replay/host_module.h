// The contest module as the host logger loads it: the shared library and its twelve
// exports, bound by their plain names. On Windows the host stand-in also answers the
// module's modal dialogs on the host's thread (the Cabrillo header dialog and the
// "Output" message box) with OK, so that a replay runs unattended with the stored
// values, as the headless library does.
#pragma once

#include <memory>
#include <string>

#include "engine/stats_exports.h"

namespace zd::replay {

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

class HostModule {
 public:
  // Loads the library (UTF-8 path) and binds every export; empty with `error` set on
  // failure.
  static std::unique_ptr<HostModule> Load(const std::string& path, std::string& error);
  ~HostModule();  // unloads the library
  HostModule(const HostModule&) = delete;
  HostModule& operator=(const HostModule&) = delete;

  const StatsExports& exports() const { return exports_; }

 private:
  HostModule() = default;
  struct Platform;
  std::unique_ptr<Platform> platform_;
  StatsExports exports_;
};

}  // namespace zd::replay

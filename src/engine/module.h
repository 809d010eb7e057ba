// The one loaded module: its settings store, clock, user interface and contest state,
// created when the library is loaded and destroyed when it is unloaded.
#pragma once

#include <memory>

#include "engine/contest.h"
#include "platform/clock.h"
#include "platform/settings.h"
#include "platform/ui_bridge.h"

namespace zd {

class Module {
 public:
  Module();
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  Contest& contest() { return *contest_; }
  UiBridge& ui() { return *ui_; }
  SettingsStore& settings() { return *settings_; }
  const Clock& clock() { return *clock_; }

 private:
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<UiBridge> ui_;
  std::unique_ptr<Contest> contest_;
};

Module& TheModule();

// The user interface of the platform; `module` outlives it.
std::unique_ptr<UiBridge> MakePlatformUi(Module& module);

}  // namespace zd

// The one loaded module: its settings store, clock and user interface, and the work of
// its exports with the contest they share with the window thread. Created when the
// library is loaded and destroyed when it is unloaded.
#pragma once

#include <memory>

#include "module/export_work.h"
#include "module/ui_bridge.h"
#include "platform/clock.h"
#include "platform/settings.h"

namespace zd {

class Module {
 public:
  Module();
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  ExportWork& work() { return *work_; }
  Contest& contest() { return work_->contest(); }
  WorkedLists& worked() { return work_->worked(); }
  UiBridge& ui() { return *ui_; }
  SettingsStore& settings() { return *settings_; }
  const Clock& clock() { return *clock_; }

 private:
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<UiBridge> ui_;
  std::unique_ptr<ExportWork> work_;
};

Module& TheModule();

// The user interface of the platform; `module` outlives it, and the window thread reads
// its contest only once it starts (after the module is made).
std::unique_ptr<UiBridge> MakePlatformUi(Module& module);

}  // namespace zd

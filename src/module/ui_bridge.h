// What the exports' work asks of the user interface. The Windows module shows real
// dialogs and runs the window thread (ui_win.cpp); the headless library shows nothing.
#pragma once

#include <string>

#include "reports/cabrillo.h"

namespace zd {

class UiBridge {
 public:
  // The message box of SetupSet0; returns when it is closed.
  virtual void ShowSetupMessage() = 0;
  // The modal Cabrillo header dialog; true when the operator confirmed it (the fields
  // then hold the edited values).
  virtual bool EditCabrilloHeader(CabrilloHeaderFields& fields) = 0;
  // The "Output" message box after the Cabrillo file was written.
  virtual void ShowOutputMessage(const std::string& text) = 0;
  virtual void StartWindowThread() = 0;
  virtual void StopWindowThread() = 0;
  virtual bool ControlWindowExists() const = 0;
  // Posts the status refresh to the control window (never waits).
  virtual void PostRefresh() = 0;

  virtual ~UiBridge() = default;
};

// No windows: message boxes are not shown, the header dialog counts as confirmed with
// the values it was given, and no window thread runs.
class HeadlessUi final : public UiBridge {
 public:
  void ShowSetupMessage() override {}
  bool EditCabrilloHeader(CabrilloHeaderFields&) override { return true; }
  void ShowOutputMessage(const std::string&) override {}
  void StartWindowThread() override {}
  void StopWindowThread() override {}
  bool ControlWindowExists() const override { return false; }
  void PostRefresh() override {}
};

}  // namespace zd

// The Cabrillo header dialog on Windows: shows the station's header fields when it
// opens and hands the edited values back when OK is pressed. It has no behaviour of its
// own beyond that exchange.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32/dialog_win.h"
#include "reports/cabrillo.h"

namespace zd {

class Cabrillo final : public win::Dialog {
 public:
  explicit Cabrillo(CabrilloHeaderFields& fields) : fields_(fields) {}

  // Runs the dialog modally with no parent window. True when the operator pressed OK;
  // the fields then hold the edited values (the claimed score and the power, which no
  // control edits, unchanged). On CANCEL the fields are left as they were.
  bool Run();

 protected:
  BOOL OnInitDialog() override;
  void OnOk() override;
  void OnCancel() override;
  void OnDestroy() override;

 private:
  // With no parent window nothing is disabled by the platform; the dialog disables the
  // other windows of its thread itself (the host's windows), so that the host cannot
  // be driven into the module while the module waits for the operator.
  void DisableThreadWindows();
  void EnableThreadWindows();

  CabrilloHeaderFields& fields_;
  std::vector<HWND> disabled_;
};

}  // namespace zd

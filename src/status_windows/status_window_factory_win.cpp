// The one place where the status windows are made: the control window asks for a kind
// and gets its window.
#include <memory>

#include "status_windows/band_change_window_win.h"
#include "status_windows/dxcc_window_win.h"
#include "status_windows/extended_dxcc_window_win.h"
#include "status_windows/region_window_win.h"
#include "status_windows/status_window_win.h"

namespace zd {

std::unique_ptr<StatusWindow> MakeStatusWindow(StatusKind kind, WindowState& state) {
  switch (kind) {
    case StatusKind::kRegion:
      return std::make_unique<oblast>(state);
    case StatusKind::kDxcc:
      return std::make_unique<DXCC>(state);
    case StatusKind::kExtendedDxcc:
      return std::make_unique<Multiplier_Mult>(state);
    case StatusKind::kBandChange:
      return std::make_unique<Change_Band>(state);
  }
  return nullptr;
}

}  // namespace zd

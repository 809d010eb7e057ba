// The one place where the status windows are made: the control window asks for a kind
// and gets the window, or null for a window that is not part of this build.
#include "status_windows/band_change_window_win.h"
#include "status_windows/status_window_win.h"

namespace zd {

std::unique_ptr<StatusWindow> MakeStatusWindow(StatusKind kind, WindowState& state) {
  switch (kind) {
    case StatusKind::kBandChange:
      return std::make_unique<win::Change_Band>(state);
    case StatusKind::kRegion:
    case StatusKind::kDxcc:
    case StatusKind::kExtendedDxcc:
      break;
  }
  return nullptr;
}

}  // namespace zd

#include <memory>

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
      break;
  }
  return nullptr;
}

}  // namespace zd

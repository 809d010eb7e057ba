#include "status_windows/region_window_win.h"

#include "platform/win32/text_win.h"
#include "status_windows/region_window_rc.h"
#include "status_windows/status_texts.h"

namespace zd {

oblast::oblast(WindowState& state)
    : StatusDialog(state, StatusDialogTraits{IDD_OBLAST, "oblast_x", "oblast_y", 0, 0, true}) {}

BOOL oblast::OnInitDialog() {
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  for (int i = 0; i < kRegionCells; ++i) {
    const DialogRect d = RegionCellRect(i);
    RECT r{d.x, d.y, d.x + d.width, d.y + d.height};
    MapDialogRect(hwnd(), &r);
    const std::wstring label = win::FromCp1251(kRegionCellCodes[static_cast<std::size_t>(i)]);
    HWND control =
        CreateWindowExW(0, L"BUTTON", label.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, r.left,
                        r.top, r.right - r.left, r.bottom - r.top, hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_OBLAST_FIRST_CELL + i)),
                        win::ModuleInstance(), nullptr);
    if (!control) continue;  // that cell stays without a window; the others work
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  for (int i = 0; i < kRegionCells; ++i) {
    CAdvancedButton& c = cells_[static_cast<std::size_t>(i)];
    if (!c.AttachToControl(IDC_OBLAST_FIRST_CELL + i, *this, kRegionNotWorkedBack,
                           kRegionNotWorkedFore, kLabelDisabled)) {
      continue;
    }
    c.SetShape(CellShape::kEllipse);
    c.Redraw();
  }
  PlaceWindow();  // no fallback: a window never moved opens at 0,0
  SetModuleIcon(false);
  DisableClose();
  return TRUE;
}

void oblast::Recolour(int cell, bool worked) {
  CAdvancedButton& c = cells_[static_cast<std::size_t>(cell)];
  c.SetBackColor(worked ? kRegionWorkedBack : kRegionNotWorkedBack);
  c.SetForeColor(worked ? kRegionWorkedFore : kRegionNotWorkedFore);
}

void oblast::Refresh(const RefreshView& view) {
  // Only cells whose colour changes are repainted, so a band change does not flash every
  // cell green first.
  const std::array<bool, kRegionCells> before = board_.marks();
  board_.Refresh(state_, view);
  for (int i = 0; i < kRegionCells; ++i) {
    if (board_.Marked(i) != before[static_cast<std::size_t>(i)]) Recolour(i, board_.Marked(i));
  }
  win::SetWindowTextCp1251(hwnd(), board_.title());
}

}  // namespace zd

#include "status_windows/dxcc_window_win.h"

#include <algorithm>

#include "platform/win32/text_win.h"
#include "status_windows/advanced_button_win.h"
#include "status_windows/dxcc_window_rc.h"
#include "status_windows/status_texts.h"

namespace zd {

void CCqWwInfoButton::DrawItem(const DRAWITEMSTRUCT& item) {
  win::MemDc mem(item.hDC);
  const HDC dc = mem.get();
  // The memory context starts with the system font; take the panel's (the dialog's).
  win::SelectedObject font(dc, GetCurrentObject(item.hDC, OBJ_FONT));
  const Rect r = ToRect(item.rcItem);
  const PanelPicture picture = Picture(r);
  GdiCanvas canvas(dc);
  canvas.FillSolid(r, picture.background);
  if (picture.strip) canvas.FillSolid(*picture.strip, kCurrentBandStrip);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const PanelText& t : picture.texts) {
    const std::wstring text = win::FromCp1251(t.text);
    TextOutW(dc, t.x, t.y, text.c_str(), static_cast<int>(text.size()));
  }
}

PanelPicture CCqWwInfoButton::Picture(const Rect& panel) const {
  return view_.call.empty() ? ListPicture(panel, view_.band, view_.sortedKeys)
                            : TablePicture(panel, view_.band, view_.call, view_.rows);
}

DXCC::DXCC(WindowState& state)
    : StatusDialog(state, StatusDialogTraits{IDD_DXCC, "dxcc_x", "dxcc_y", 10, 400, false}) {}

BOOL DXCC::OnInitDialog() {
  RegisterOwnerDrawn(IDC_DXCC_PANEL, &panel_);
  PlaceWindow();
  SetModuleIcon(false);
  DisableClose();
  RECT client{};
  GetClientRect(hwnd(), &client);
  OnSize(client.right, client.bottom);
  return TRUE;
}

HWND DXCC::panel() const { return Item(IDC_DXCC_PANEL); }

void DXCC::OnSize(int width, int height) {
  if (HWND p = panel()) {
    MoveWindow(p, 5, 5, std::max(0, width - 10), std::max(0, height - 10), TRUE);
    UpdatePanelText();  // the list flows into lines of the new width
  }
}

void DXCC::UpdatePanelText() {
  HWND p = panel();
  if (!p) return;
  RECT client{};
  GetClientRect(p, &client);
  const std::wstring text = win::FromCp1251(PictureText(panel_.Picture(ToRect(client))));
  SetWindowTextW(p, text.c_str());
}

void DXCC::Refresh(const RefreshView& view) {
  Contest& contest = state_.contest;
  view_.call = view.call;
  view_.band = view.band;
  view_.rows = CallInfoRows(contest.QsosOf(view.call));
  std::vector<std::string> keys = state_.worked.Entities(WorkedListIndex(view.band, view.mode));
  const std::size_t count = keys.size();
  view_.sortedKeys = SortedKeys(std::move(keys));
  const bool russian = contest.RussianText();
  win::SetWindowTextCp1251(hwnd(), view.call.empty()
                                       ? DxccTitle(russian, view.modeText, view.bandText, count)
                                       : WorkedWithTitle(russian, view.call));
  UpdatePanelText();
  if (HWND p = panel()) InvalidateRect(p, nullptr, FALSE);
}

}  // namespace zd

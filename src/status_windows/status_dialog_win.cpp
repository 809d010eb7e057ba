#include "status_windows/status_dialog_win.h"

#include "platform/settings.h"
#include "status_windows/colour.h"

namespace zd {

bool StatusDialog::Create() {
  if (traits_.moduleColours) background_.reset(CreateSolidBrush(kWindowBackground));
  return CreateModeless(nullptr, traits_.templateId);
}

void StatusDialog::Show() {
  if (Dialog::hwnd()) ShowWindow(Dialog::hwnd(), SW_SHOWNOACTIVATE);
}

INT_PTR StatusDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    // No default focus: setting it would activate the window and, where the system lets
    // any thread do so (Wine), take the keyboard from the host. The dialog gives its first
    // control the focus when the operator activates it.
    Dialog::HandleMessage(msg, wp, lp);
    return FALSE;
  }
  return Dialog::HandleMessage(msg, wp, lp);
}

bool StatusDialog::IsVisible() const { return Dialog::hwnd() && IsWindowVisible(Dialog::hwnd()); }

void StatusDialog::Close() { Destroy(); }

void StatusDialog::PlaceWindow() {
  int x = ReadSettingInt(state_.settings, traits_.xKey);
  int y = ReadSettingInt(state_.settings, traits_.yKey);
  if (x == 0) x = traits_.defaultX;
  if (y == 0) y = traits_.defaultY;
  state_.lastWindowPos = {x, y};
  SetWindowPos(Dialog::hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (state_.statusWindowsOnTop.load()) {
    SetWindowPos(Dialog::hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void StatusDialog::SetModuleIcon(bool smallToo) {
  icon_ = LoadIconW(win::ModuleInstance(), MAKEINTRESOURCEW(kModuleIconId));
  if (!icon_) return;  // a build without the icon keeps the platform's
  SendMessageW(Dialog::hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  if (smallToo) {
    SendMessageW(Dialog::hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
}

void StatusDialog::DisableClose() {
  if (HMENU menu = GetSystemMenu(Dialog::hwnd(), FALSE)) {
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
}

HBRUSH StatusDialog::OnCtlColor(HDC dc, HWND /*control*/) {
  if (!background_) return nullptr;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, kWindowBackground);
  return background_.get();
}

void StatusDialog::OnSetCursor() {
  RECT r{};
  if (!GetWindowRect(Dialog::hwnd(), &r)) return;
  // Written whole, whatever the size of the number.
  if (r.left != state_.lastWindowPos.x) {
    state_.lastWindowPos.x = r.left;
    WriteSettingInt(state_.settings, traits_.xKey, r.left);
  }
  if (r.top != state_.lastWindowPos.y) {
    state_.lastWindowPos.y = r.top;
    WriteSettingInt(state_.settings, traits_.yKey, r.top);
  }
}

}  // namespace zd

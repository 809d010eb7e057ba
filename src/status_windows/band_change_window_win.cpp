#include "status_windows/band_change_window_win.h"

#include "control/window_position.h"
#include "platform/win32/text_win.h"
#include "status_windows/advanced_button_win.h"
#include "status_windows/band_change_window_rc.h"

namespace zd::win {

static_assert(IDD_CHANGE_BAND == band_change_ids::kTemplate);
static_assert(IDC_CHANGE_BAND_COUNT == band_change_ids::kCount);
static_assert(IDC_CHANGE_BAND_COUNT_LABEL == band_change_ids::kCountLabel);
static_assert(IDC_CHANGE_BAND_MINUTES == band_change_ids::kMinutesLeft);
static_assert(IDC_CHANGE_BAND_MINUTES_LABEL == band_change_ids::kMinutesLabel);
static_assert(IDC_CHANGE_BAND_OTHER_MODE == band_change_ids::kOtherMode);

namespace {
constexpr int kIconId = 200;
}

Change_Band::Change_Band(WindowState& state) : state_(state), ticker_(state.contest, state.clock) {}

Change_Band::~Change_Band() {
  StopTimer();
  Destroy();
  if (canvas_ && canvasOldBitmap_) SelectObject(canvas_.get(), canvasOldBitmap_);
}

bool Change_Band::Create() {
  if (!CreateModeless(nullptr, band_change_ids::kTemplate)) return false;
  if (state_.contest.RussianText()) {
    SetDialogItemText(hwnd(), band_change_ids::kCountLabel, BandChangeRussianCountLabel());
    SetDialogItemText(hwnd(), band_change_ids::kMinutesLabel, BandChangeRussianMinutesLabel());
    SetWindowTextCp1251(hwnd(), BandChangeRussianTitle());
  }
  return true;
}

void Change_Band::Show() {
  if (hwnd()) ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

bool Change_Band::IsVisible() const { return hwnd() && IsWindowVisible(hwnd()); }

void Change_Band::Close() {
  StopTimer();
  if (hwnd()) SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void Change_Band::StartTimer() {
  if (hwnd()) SetTimer(hwnd(), band_change_ids::kTimerId, band_change_ids::kTimerPeriodMs, nullptr);
}

void Change_Band::StopTimer() {
  if (hwnd()) KillTimer(hwnd(), band_change_ids::kTimerId);
}

BOOL Change_Band::OnInitDialog() {
  const WindowPos pos = LoadWindowPosition(state_, "change_band_x", "change_band_y", true);
  SetWindowPos(hwnd(), nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (state_.statusWindowsOnTop.load()) {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  background_.reset(CreateSolidBrush(kWindowBackground));
  if (HICON icon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(kIconId))) {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  EnableMenuItem(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);

  screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
  screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
  {
    WindowDc client(hwnd());
    canvas_.reset(CreateCompatibleDC(client.get()));
    canvasBitmap_.reset(CreateCompatibleBitmap(client.get(), screenWidth_, screenHeight_));
  }
  if (canvas_ && canvasBitmap_) {
    canvasOldBitmap_ = SelectObject(canvas_.get(), canvasBitmap_.get());
    GdiCanvas(canvas_.get()).FillSolid(Rect{0, 0, screenWidth_, screenHeight_}, kWindowBackground);
    DrawIndicator(kGreen);
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
  return TRUE;
}

void Change_Band::DrawIndicator(Colour colour) {
  if (!canvas_ || !canvasBitmap_) return;
  Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  Brush brush(CreateSolidBrush(colour));
  SelectedObject selectedPen(canvas_.get(), pen.get());
  SelectedObject selectedBrush(canvas_.get(), brush.get());
  Ellipse(canvas_.get(), kIndicatorBox.left, kIndicatorBox.top, kIndicatorBox.right,
          kIndicatorBox.bottom);
}

void Change_Band::Paint() {
  PaintDc paint(hwnd());
  if (!canvas_ || !canvasBitmap_) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  BitBlt(paint.get(), 0, 0, client.right, client.bottom, canvas_.get(), 0, 0, SRCCOPY);
}

void Change_Band::OnTimer(UINT_PTR) {
  StopTimer();
  const BandChangeTick tick = ticker_.Tick();
  if (tick.repaint) {
    DrawIndicator(tick.indicator);
    InvalidateRect(hwnd(), nullptr, FALSE);
  }
  if (state_.owner) state_.owner->ForgetHiddenStatusWindows();
  SetDlgItemInt(hwnd(), band_change_ids::kCount, static_cast<UINT>(tick.count), TRUE);
  SetDlgItemInt(hwnd(), band_change_ids::kMinutesLeft, static_cast<UINT>(tick.minutesLeft), TRUE);
  SetDlgItemTextW(hwnd(), band_change_ids::kOtherMode, L"");
  StartTimer();
}

HBRUSH Change_Band::OnCtlColor(HDC dc, HWND) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, kWindowBackground);
  return background_.get();
}

void Change_Band::OnSetCursor() {
  RECT r{};
  if (GetWindowRect(hwnd(), &r)) {
    SaveWindowPosition(state_, "change_band_x", "change_band_y", r.left, r.top);
  }
}

INT_PTR Change_Band::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_CLOSE:
      // The close request of the control window and of the stop: the timer goes first.
      StopTimer();
      ShowWindow(hwnd(), SW_HIDE);
      return TRUE;
    default:
      return Dialog::HandleMessage(msg, wp, lp);
  }
}

}  // namespace zd::win

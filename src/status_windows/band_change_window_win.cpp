#include "status_windows/band_change_window_win.h"

#include "platform/win32/text_win.h"
#include "status_windows/advanced_button_win.h"
#include "status_windows/band_change_window_rc.h"

namespace zd {

static_assert(IDD_CHANGE_BAND == band_change_ids::kTemplate);
static_assert(IDC_CHANGE_BAND_COUNT == band_change_ids::kCount);
static_assert(IDC_CHANGE_BAND_COUNT_LABEL == band_change_ids::kCountLabel);
static_assert(IDC_CHANGE_BAND_MINUTES == band_change_ids::kMinutesLeft);
static_assert(IDC_CHANGE_BAND_MINUTES_LABEL == band_change_ids::kMinutesLabel);
static_assert(IDC_CHANGE_BAND_OTHER_MODE == band_change_ids::kOtherMode);

Change_Band::Change_Band(WindowState& state)
    : StatusDialog(state, StatusDialogTraits{band_change_ids::kTemplate, "change_band_x",
                                             "change_band_y", 10, 10, true}),
      ticker_(state.contest, state.clock) {}

Change_Band::~Change_Band() {
  StopTimer();
  Destroy();
  if (canvas_ && canvasOldBitmap_) SelectObject(canvas_.get(), canvasOldBitmap_);
}

bool Change_Band::Create() {
  if (!StatusDialog::Create()) return false;
  if (state_.contest.RussianText()) {
    win::SetDialogItemText(hwnd(), band_change_ids::kCountLabel, BandChangeRussianCountLabel());
    win::SetDialogItemText(hwnd(), band_change_ids::kMinutesLabel, BandChangeRussianMinutesLabel());
    win::SetWindowTextCp1251(hwnd(), BandChangeRussianTitle());
  }
  return true;
}

void Change_Band::Close() {
  StopTimer();
  StatusDialog::Close();
}

void Change_Band::StartTimer() {
  if (hwnd()) {
    SetTimer(hwnd(), band_change_ids::kTimerId, band_change_ids::kTimerPeriodMs, nullptr);
  }
}

void Change_Band::StopTimer() {
  if (hwnd()) KillTimer(hwnd(), band_change_ids::kTimerId);
}

BOOL Change_Band::OnInitDialog() {
  PlaceWindow();
  SetModuleIcon(false);
  DisableClose();

  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  {
    win::WindowDc client(hwnd());
    canvas_.reset(CreateCompatibleDC(client.get()));
    canvasBitmap_.reset(CreateCompatibleBitmap(client.get(), width, height));
  }
  if (canvas_ && canvasBitmap_) {
    canvasOldBitmap_ = SelectObject(canvas_.get(), canvasBitmap_.get());
    GdiCanvas(canvas_.get()).FillSolid(Rect{0, 0, width, height}, kWindowBackground);
    DrawIndicator(kGreen);
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
  return TRUE;
}

void Change_Band::DrawIndicator(Colour colour) {
  if (!canvas_ || !canvasBitmap_) return;
  win::Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  win::Brush brush(CreateSolidBrush(colour));
  win::SelectedObject selectedPen(canvas_.get(), pen.get());
  win::SelectedObject selectedBrush(canvas_.get(), brush.get());
  Ellipse(canvas_.get(), kIndicatorBox.left, kIndicatorBox.top, kIndicatorBox.right,
          kIndicatorBox.bottom);
}

void Change_Band::Paint() {
  win::PaintDc paint(hwnd());
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

INT_PTR Change_Band::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_CLOSE:
      // The close request of the stop: the timer goes first, then the window is hidden.
      StopTimer();
      ShowWindow(hwnd(), SW_HIDE);
      return TRUE;
    default:
      return StatusDialog::HandleMessage(msg, wp, lp);
  }
}

}  // namespace zd

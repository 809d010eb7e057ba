#include "control/setup_win.h"

#include <algorithm>

#include "control/host_automation_win.h"
#include "control/setup_rc.h"
#include "platform/win32/text_win.h"

namespace zd::win {

static_assert(IDD_SETUP == setup_ids::kTemplate);
static_assert(IDC_SETUP_VIEW_LABEL == setup_ids::kViewLabel);
static_assert(IDC_SETUP_REGIONS == setup_ids::kRegions);
static_assert(IDC_SETUP_DXCC == setup_ids::kDxcc);
static_assert(IDC_SETUP_EXTENDED_DXCC == setup_ids::kExtendedDxcc);
static_assert(IDC_SETUP_USING_LABEL == setup_ids::kUsingLabel);
static_assert(IDC_SETUP_SWITCH_MODE == setup_ids::kSwitchMode);
static_assert(IDC_SETUP_MASTER_FILE == setup_ids::kMasterFile);
static_assert(IDC_SETUP_BAND_CHANGE == setup_ids::kBandChange);
static_assert(IDC_SETUP_ON_TOP == setup_ids::kWindowOnTop);
static_assert(IDC_SETUP_RTTY == setup_ids::kRtty);
static_assert(IDC_SETUP_PSK63 == setup_ids::kPsk63);
static_assert(IDC_SETUP_PSK125 == setup_ids::kPsk125);

namespace {

constexpr int kIconId = 200;

}  // namespace

Setup::Setup(WindowState& state, WindowRegistry& registry)
    : state_(state), registry_(registry), panel_(state, *this, *this) {}

Setup::~Setup() {
  panel_.CloseStatusWindows();
  for (StatusKind kind : kStatusKinds) Drop(kind);
  Destroy();
  host_.reset();
}

bool Setup::Create() { return CreateModeless(nullptr, setup_ids::kTemplate); }

void Setup::RequestEnd() {
  ended_ = true;
  // Wakes the window thread's loop, which then sees the end.
  if (hwnd()) PostMessageW(hwnd(), WM_NULL, 0, 0);
}

BOOL Setup::OnInitDialog() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  templateClient_ = SIZE{client.right, client.bottom};
  background_.reset(CreateSolidBrush(kWindowBackground));
  if (HICON icon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(kIconId))) {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  for (ModeButton b : kModeButtons) {
    Button(b).AttachToControl(SpecOf(b).control, *this, kGreen, kLabelBlack, kLabelDisabled);
  }
  panel_.Initialise();
  EnableMenuItem(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
  // No default focus, as in the status windows: the window comes up without taking the
  // keyboard from the host; its first control gets the focus when the operator clicks it.
  return FALSE;
}

INT_PTR Setup::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_REFRESH_STATS) {
    registry_.refresh.Taken();
    if (registry_.stopping.load()) {
      state_.contest.RefreshPending().store(1);
    } else {
      panel_.RefreshStatus();
    }
    return TRUE;
  }
  return Dialog::HandleMessage(msg, wp, lp);
}

bool Setup::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  for (StatusKind kind : kStatusKinds) {
    if (id != StatusOptionControl(kind)) continue;
    panel_.OnStatusOption(kind);
    return true;
  }
  for (ModeButton b : kModeButtons) {
    if (id != SpecOf(b).control) continue;
    panel_.OnModeButton(b);
    return true;
  }
  switch (id) {
    case setup_ids::kSwitchMode:
      panel_.OnSwitchMode();
      return true;
    case setup_ids::kMasterFile:
      panel_.OnMasterFile();
      return true;
    case setup_ids::kWindowOnTop:
      panel_.OnWindowOnTop();
      return true;
    default:
      return false;
  }
}

void Setup::OnCancel() { RequestEnd(); }

HBRUSH Setup::OnCtlColor(HDC dc, HWND) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, kWindowBackground);
  return background_.get();
}

void Setup::OnSetCursor() {
  RECT r{};
  if (GetWindowRect(hwnd(), &r)) panel_.OnSetCursor(r.left, r.top);
}

// ---------------------------------------------------------------- ControlView

void Setup::MoveTo(WindowPos pos) {
  SetWindowPos(hwnd(), nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Setup::SetTitle(std::string_view cp1251) { SetWindowTextCp1251(hwnd(), cp1251); }

void Setup::SetItemText(int id, std::string_view cp1251) { SetDialogItemText(hwnd(), id, cp1251); }

void Setup::PushFlags(const ControlOptions& o) {
  const std::pair<int, bool> boxes[] = {
      {setup_ids::kRegions, o.showRegions},           {setup_ids::kDxcc, o.showDxcc},
      {setup_ids::kSwitchMode, o.switchMode},         {setup_ids::kMasterFile, o.masterFile},
      {setup_ids::kExtendedDxcc, o.showExtendedDxcc}, {setup_ids::kBandChange, o.bandChangeControl},
      {setup_ids::kWindowOnTop, o.windowsOnTop},
  };
  for (auto [id, on] : boxes) CheckDlgButton(hwnd(), id, on ? BST_CHECKED : BST_UNCHECKED);
}

void Setup::ShowModeButton(ModeButton b, bool shown) {
  HWND item = Item(SpecOf(b).control);
  if (!item) return;
  EnableWindow(item, shown ? TRUE : FALSE);
  ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

void Setup::LayOutOptions(int x) {
  for (const OptionRow& row : kOptionRows) {
    if (HWND item = Item(row.id)) MoveWindow(item, x, row.y, kOptionWidth, kOptionHeight, FALSE);
  }
  FitClientArea();
  // The whole window is repainted once, so no trace of the old places stays.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Setup::SetButtonColours(ModeButton b, Colour back, Colour fore) {
  Button(b).SetBackColor(back);
  Button(b).SetForeColor(fore);
}

void Setup::SetButtonBack(ModeButton b, Colour back) { Button(b).SetBackColor(back); }

void Setup::FitClientArea() {
  // The rows are placed in pixels while the template is sized in dialog units of its
  // font: the window grows, never below the template's size, until every row and shown
  // button is inside it with a small margin.
  constexpr int kMargin = 4;
  int width = templateClient_.cx;
  int height = templateClient_.cy;
  for (HWND c = GetWindow(hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) continue;  // the window may be hidden yet
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    width = std::max(width, static_cast<int>(r.right) + kMargin);
    height = std::max(height, static_cast<int>(r.bottom) + kMargin);
  }
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (client.right == width && client.bottom == height) return;
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HostLink* Setup::AttachHost() {
  host_ = AttachToHost(registry_.stopping);
  return host_.get();
}

void PostRefreshOnce(WindowRegistry& registry, HWND control) {
  if (control && registry.refresh.Ask() && !PostMessageW(control, WM_REFRESH_STATS, 0, 0)) {
    registry.refresh.NotPosted();
  }
}

void Setup::PostRefresh() { PostRefreshOnce(registry_, hwnd()); }

// ---------------------------------------------------------------- StatusWindows

bool Setup::IsOpen(StatusKind kind) const { return windows_[Index(kind)] != nullptr; }

bool Setup::Open(StatusKind kind) {
  std::unique_ptr<StatusWindow> w = MakeStatusWindow(kind, state_);
  if (!w || !w->Create()) return false;
  w->Show();
  if (kind == StatusKind::kBandChange) w->StartTimer();
  registry_.status[Index(kind)].store(w->hwnd());
  windows_[Index(kind)] = std::move(w);
  return true;
}

void Setup::Close(StatusKind kind) {
  if (StatusWindow* w = windows_[Index(kind)].get()) {
    w->StopTimer();
    w->Close();
  }
  Drop(kind);
}

void Setup::Forget(StatusKind kind) { Drop(kind); }

void Setup::Drop(StatusKind kind) {
  registry_.status[Index(kind)].store(nullptr);
  // The window is destroyed with its object: a forgotten window is never shown again.
  windows_[Index(kind)].reset();
}

bool Setup::IsVisible(StatusKind kind) const {
  const StatusWindow* w = windows_[Index(kind)].get();
  return w && w->IsVisible();
}

void Setup::Refresh(StatusKind kind, const RefreshView& view) {
  if (StatusWindow* w = windows_[Index(kind)].get()) w->Refresh(view);
}

}  // namespace zd::win

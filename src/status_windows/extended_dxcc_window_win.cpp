#include "status_windows/extended_dxcc_window_win.h"

#include <commctrl.h>

#include "platform/win32/text_win.h"
#include "status_windows/colour.h"
#include "status_windows/extended_dxcc_window_rc.h"

namespace zd {

// ---------------------------------------------------------------- a continent page

bool ContinentPageDialog::Create(HWND parent) {
  background_.reset(CreateSolidBrush(kWindowBackground));
  return CreateModeless(parent, IDD_PAGE_WAE_ALL + page_);
}

BOOL ContinentPageDialog::OnInitDialog() {
  const ContinentPage& table = ContinentPages()[static_cast<std::size_t>(page_)];
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  for (std::size_t i = 0; i < table.boxes.size(); ++i) {
    const ContinentBox& box = table.boxes[i];
    RECT r{box.rect.x, box.rect.y, box.rect.x + box.rect.width, box.rect.y + box.rect.height};
    MapDialogRect(hwnd(), &r);
    DWORD style = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
    style |= box.hidden ? WS_DISABLED : WS_VISIBLE;
    const std::wstring label = win::FromCp1251(box.label);
    HWND control = CreateWindowExW(
        0, L"BUTTON", label.c_str(), style, r.left, r.top, r.right - r.left, r.bottom - r.top,
        hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(BoxId(page_, static_cast<int>(i)))),
        win::ModuleInstance(), nullptr);
    if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return TRUE;
}

void ContinentPageDialog::SetTicks(const std::vector<bool>& ticks) {
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    CheckDlgButton(hwnd(), BoxId(page_, static_cast<int>(i)),
                   ticks[i] ? BST_CHECKED : BST_UNCHECKED);
  }
}

HBRUSH ContinentPageDialog::OnCtlColor(HDC dc, HWND /*control*/) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, kWindowBackground);
  return background_.get();
}

void ContinentPageDialog::OnCancel() {
  if (HWND parent = GetParent(hwnd())) {
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}

// ---------------------------------------------------------------- the window

Multiplier_Mult::Multiplier_Mult(WindowState& state)
    : StatusDialog(state, StatusDialogTraits{IDD_MULTIPLIER_MULT, "dxcc_extended_x",
                                             "dxcc_extended_y", 10, 400, true}) {}

bool Multiplier_Mult::Create() {
  // The tab control's class.
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  return StatusDialog::Create();
}

HWND Multiplier_Mult::tabs() const { return Item(IDC_MULTIPLIER_TABS); }

HWND Multiplier_Mult::page(int n) const {
  if (n < 0 || n >= kContinentPageCount || !pages_[static_cast<std::size_t>(n)]) return nullptr;
  return pages_[static_cast<std::size_t>(n)]->hwnd();
}

BOOL Multiplier_Mult::OnInitDialog() {
  SetModuleIcon(true);
  PlaceWindow();
  RECT tab{};
  GetWindowRect(tabs(), &tab);
  pageRect_ = RECT{13, 44, (tab.right - tab.left) - 7, (tab.bottom - tab.top) - 38};
  for (int i = 0; i < kContinentPageCount; ++i) {
    auto p = std::make_unique<ContinentPageDialog>(i);
    if (p->Create(hwnd())) pages_[static_cast<std::size_t>(i)] = std::move(p);
  }
  const auto& tables = ContinentPages();
  for (int i = 0; i < kContinentPageCount; ++i) {
    std::wstring label = win::FromCp1251(tables[static_cast<std::size_t>(i)].tabLabel);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageW(tabs(), TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  ShowPage(0);
  DisableClose();
  return TRUE;
}

void Multiplier_Mult::ShowPage(int n) {
  if (n < 0 || n >= kContinentPageCount) return;
  for (int i = 0; i < kContinentPageCount; ++i) {
    HWND p = page(i);
    if (!p) continue;
    if (i == n) {
      SetWindowPos(p, HWND_TOP, pageRect_.left, pageRect_.top, pageRect_.right, pageRect_.bottom,
                   SWP_SHOWWINDOW);
      SendMessageW(tabs(), TCM_SETCURSEL, static_cast<WPARAM>(i), 0);
    } else {
      ShowWindow(p, SW_HIDE);
    }
  }
}

void Multiplier_Mult::Refresh(const RefreshView& view) {
  const std::vector<std::string> worked =
      state_.worked.Entities(WorkedListIndex(view.band, view.mode));
  if (const std::optional<std::string> t = title_.Refresh(state_, view)) {
    win::SetWindowTextCp1251(hwnd(), *t);
  }
  const ContinentTicks ticks = TicksFor(worked);
  for (int i = 0; i < kContinentPageCount; ++i) {
    if (pages_[static_cast<std::size_t>(i)]) {
      pages_[static_cast<std::size_t>(i)]->SetTicks(ticks[static_cast<std::size_t>(i)]);
    }
  }
}

bool Multiplier_Mult::PaintMinimised() {
  if (!IsIconic(hwnd()) || !icon()) return false;
  win::PaintDc paint(hwnd());
  SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.get()), 0);
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int cx = GetSystemMetrics(SM_CXICON);
  const int cy = GetSystemMetrics(SM_CYICON);
  DrawIcon(paint.get(), (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, icon());
  return true;
}

INT_PTR Multiplier_Mult::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header && header->idFrom == IDC_MULTIPLIER_TABS && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(tabs(), TCM_GETCURFOCUS, 0, 0)));
        return TRUE;
      }
      break;
    }
    case WM_SHOWWINDOW:
      // Every time the window is shown it opens on Europe.
      if (wp) ShowPage(0);
      return FALSE;
    case WM_PAINT:
      if (PaintMinimised()) return TRUE;
      break;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon());
    default:
      break;
  }
  return StatusDialog::HandleMessage(msg, wp, lp);
}

}  // namespace zd

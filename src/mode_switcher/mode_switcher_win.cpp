// The helper's window and its link to the host on Windows. What to do and when is
// decided by ModeSwitcher; this file creates the window, paints it and talks to the
// system.
#include <windows.h>
// after windows.h
#include <objbase.h>

#include <string>
#include <string_view>

#include "mode_switcher/switcher.h"
#include "platform/host_automation.h"
#include "platform/win32/automation_win.h"
#include "platform/win32/handles_win.h"
#include "platform/win32/text_win.h"
#include "platform/win32/window_win.h"

namespace zd::switcher {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kIconId = 200;  // the project's icon in mode_switcher.rc

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// The host's running automation object. Members are looked up by name at every call.
class HostLink {
 public:
  // Replaces the held reference with the running object, or with nothing.
  bool Attach() {
    dispatch_ = win::AttachRunningObject(host::kHostProgId);
    return static_cast<bool>(dispatch_);
  }

  void Drop() { dispatch_.reset(); }

  bool ExecuteMacro(std::string_view macro) {
    win::Variant arg;
    arg.v.vt = VT_BSTR;
    arg.v.bstrVal = SysAllocString(win::FromCp1251(macro).c_str());
    if (!arg.v.bstrVal) return false;
    return Call(host::kExecuteMacrosName, DISPATCH_METHOD, &arg.v, 1);
  }

  bool ReadMode() {
    return Call(host::kModeName, DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, 0);
  }

 private:
  // True when the host accepted the call. Any result is discarded.
  bool Call(const wchar_t* name, WORD flags, VARIANT* args, UINT count) {
    const win::ComPtr<IDispatch> dispatch = dispatch_;  // held for the whole call
    const auto id = win::MemberId(dispatch.get(), name);
    if (!id) return false;
    win::Variant result;
    return win::InvokeMember(dispatch.get(), *id, flags, args, count, &result.v);
  }

  win::ComPtr<IDispatch> dispatch_;
};

class Form1 final : public win::Window, public Platform {
 public:
  explicit Form1(HINSTANCE instance) : instance_(instance) {}
  ~Form1() override { Destroy(); }

  // Runs the program; returns its exit code.
  int Run() {
    if (const auto exit = switcher_.Start()) {
      host_.Drop();
      return static_cast<int>(*exit);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (hwnd() && IsDialogMessageW(hwnd(), &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    host_.Drop();
    return static_cast<int>(exit_);
  }

  // Platform
  bool AttachHost() override { return host_.Attach(); }

  bool ClaimSingleInstance() override {
    SetLastError(ERROR_SUCCESS);
    semaphore_.reset(CreateSemaphoreW(nullptr, 0, 1, kSemaphoreName));
    const DWORD error = GetLastError();
    return semaphore_ && error == ERROR_SUCCESS;
  }

  void FindHostWindow() override {
    host_window_ = nullptr;
    EnumWindows(&Form1::MatchHostWindow, reinterpret_cast<LPARAM>(&host_window_));
  }

  bool ShowTopmostWindow() override {
    if (!CreateForm()) return false;
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(hwnd());
    SetTimer(hwnd(), kTimerId, kTimerMs, nullptr);
    return true;
  }

  bool ExecuteMacro(std::string_view macro) override { return host_.ExecuteMacro(macro); }
  bool ReadHostMode() override { return host_.ReadMode(); }

  void BringHostToFront() override {
    if (host_window_) SetForegroundWindow(host_window_);
  }

  void ShowHostNotLoaded() override {
    const std::wstring text(kNotLoadedText), title(kNotLoadedTitle);
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK);
  }

 private:
  static BOOL CALLBACK MatchHostWindow(HWND window, LPARAM found) {
    wchar_t name[256];
    const int n = GetClassNameW(window, name, 256);
    if (n > 0 && IsHostWindowClass(std::wstring_view(name, static_cast<size_t>(n)))) {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }

  bool CreateForm() {
    int dpi_x = 96, dpi_y = 96;
    {
      win::WindowDc screen(nullptr);
      if (screen.get()) {
        dpi_x = GetDeviceCaps(screen.get(), LOGPIXELSX);
        dpi_y = GetDeviceCaps(screen.get(), LOGPIXELSY);
      }
    }
    form_brush_.reset(CreateSolidBrush(ToColorRef(kFormColour)));
    button_brush_.reset(CreateSolidBrush(ToColorRef(kButtonColour)));
    const std::wstring face(kButtonFont);
    font_.reset(CreateFontW(-PointTenthsToPixels(kButtonFontTenthsOfPoint, dpi_y), 0, 0, 0, FW_BOLD,
                            FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                            face.c_str()));

    const std::wstring class_name(kWindowClass);
    WNDCLASSEXW wc{};
    wc.hInstance = instance_;
    // The project's icon (resource 200), crisp at both sizes; the system's as a fallback.
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kIconId));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = form_brush_.get();
    wc.lpszClassName = class_name.c_str();

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_x),
               TwipsToPixels(kClientHeightTwips, dpi_y)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const std::wstring caption(kCaption);
    if (!Create(wc, 0, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                frame.right - frame.left, frame.bottom - frame.top)) {
      return false;
    }

    for (const auto& b : kButtons) {
      const std::wstring text(b.caption);
      HWND button = CreateWindowExW(
          0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
          TwipsToPixels(b.left, dpi_x), TwipsToPixels(b.top, dpi_y), TwipsToPixels(b.width, dpi_x),
          TwipsToPixels(b.height, dpi_y), hwnd(),
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance_, nullptr);
      if (!button) return false;
      SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    focus_ = GetDlgItem(hwnd(), kButtons.front().id);
    return true;
  }

  LRESULT HandleMessage(UINT message, WPARAM wp, LPARAM lp) override {
    HWND window = hwnd();
    switch (message) {
      case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return 0;
      case WM_DRAWITEM:
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
      case WM_TIMER:
        if (wp == kTimerId) {
          if (const auto exit = switcher_.OnTimer()) End(*exit);
        }
        return 0;
      case WM_ACTIVATE:
        // Keep the button that had the keyboard when the window is left.
        if (LOWORD(wp) == WA_INACTIVE) {
          HWND focus = GetFocus();
          if (focus && IsChild(window, focus)) focus_ = focus;
        }
        break;
      case WM_SETFOCUS:
        if (focus_) SetFocus(focus_);
        return 0;
      case WM_DESTROY:
        KillTimer(window, kTimerId);
        PostQuitMessage(static_cast<int>(exit_));
        return 0;
      default:
        break;
    }
    return DefWindowProcW(window, message, wp, lp);
  }

  void OnCommand(int id, int code) {
    // Enter reaches the window as IDOK; it clicks the button that has the keyboard.
    if (id == IDOK) {
      HWND focus = GetFocus();
      for (const auto& b : kButtons) {
        if (focus == GetDlgItem(hwnd(), b.id)) switcher_.OnButton(b.button);
      }
      return;
    }
    // A quick second click on a drawn button arrives as a double click; it is a click.
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
    for (const auto& b : kButtons) {
      if (id == b.id) switcher_.OnButton(b.button);
    }
  }

  void DrawButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    FillRect(dc, &r, button_brush_.get());
    if (focused) {
      // The keyboard's button carries a dark outline, as push buttons do.
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&r, -1, -1);
    }
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    wchar_t text[32] = {};
    GetWindowTextW(item.hwndItem, text, 32);
    RECT label = r;
    if (pressed) OffsetRect(&label, 1, 1);
    win::SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, text, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
      RECT dots = r;
      InflateRect(&dots, -3, -3);
      DrawFocusRect(dc, &dots);
    }
  }

  void End(Exit exit) {
    exit_ = exit;
    Destroy();
  }

  HINSTANCE instance_;
  HWND host_window_ = nullptr;
  HWND focus_ = nullptr;
  win::KernelHandle semaphore_;
  win::Brush form_brush_;
  win::Brush button_brush_;
  win::Font font_;
  HostLink host_;
  ModeSwitcher switcher_{*this};
  Exit exit_ = Exit::kClosed;
};

}  // namespace
}  // namespace zd::switcher

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  SetProcessDPIAware();
  const HRESULT com = CoInitialize(nullptr);
  int code = 0;
  try {
    zd::switcher::Form1 form(instance);
    code = form.Run();
  } catch (...) {
    code = 255;
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}

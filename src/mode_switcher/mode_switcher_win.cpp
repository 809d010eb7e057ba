// The helper's window and its link to the host on Windows. What to do and when is
// decided by ModeSwitcher; this file creates the window, paints it and talks to the
// system.
#include <ole2.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "mode_switcher/scoped_win.h"
#include "mode_switcher/switcher.h"
#include "platform/host_automation.h"

namespace zd::switcher {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kIconId = 200;  // the project's icon in mode_switcher.rc

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  }
  return wide;
}

// The host's running automation object. Members are looked up by name at every call.
class HostLink {
 public:
  // Replaces the held reference with the running object, or with nothing.
  bool Attach() {
    ComPtr<IDispatch> attached;
    CLSID clsid;
    if (SUCCEEDED(CLSIDFromProgID(host::kHostProgId, &clsid))) {
      ComPtr<IUnknown> running;
      if (SUCCEEDED(GetActiveObject(clsid, nullptr, running.put())) && running) {
        if (FAILED(
                running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(attached.put())))) {
          attached.reset();
        }
      }
    }
    dispatch_ = std::move(attached);
    return static_cast<bool>(dispatch_);
  }

  void Drop() { dispatch_.reset(); }

  bool ExecuteMacro(std::string_view macro) {
    ScopedBstr text(Widen(macro).c_str());
    if (!text.get()) return false;
    VARIANTARG arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = text.get();
    return Call(host::kExecuteMacrosName, DISPATCH_METHOD, &arg, 1);
  }

  bool ReadMode() {
    return Call(host::kModeName, DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, 0);
  }

 private:
  // True when the host accepted the call. Any result is discarded.
  bool Call(const wchar_t* name, WORD flags, VARIANTARG* args, UINT count) {
    const ComPtr<IDispatch> dispatch = dispatch_;  // held for the whole call
    if (!dispatch) return false;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      return false;
    }
    DISPPARAMS params{args, nullptr, count, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO error{};
    UINT bad_argument = 0;
    const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result,
                                        &error, &bad_argument);
    VariantClear(&result);
    if (hr == DISP_E_EXCEPTION && error.pfnDeferredFillIn) error.pfnDeferredFillIn(&error);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    return SUCCEEDED(hr);
  }

  ComPtr<IDispatch> dispatch_;
};

class Form1 final : public Platform {
 public:
  explicit Form1(HINSTANCE instance) : instance_(instance) {}
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;
  ~Form1() override {
    if (window_) DestroyWindow(window_);
  }

  // Runs the program; returns its exit code.
  int Run() {
    if (const auto exit = switcher_.Start()) {
      host_.Drop();
      return static_cast<int>(*exit);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (window_ && IsDialogMessageW(window_, &msg)) continue;
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
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window_);
    SetTimer(window_, kTimerId, kTimerMs, nullptr);
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
      ScopedWindowDc screen(nullptr);
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
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Form1::WindowProc;
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
    if (!RegisterClassExW(&wc)) return false;

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_x),
               TwipsToPixels(kClientHeightTwips, dpi_y)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const std::wstring caption(kCaption);
    window_ = CreateWindowExW(0, class_name.c_str(), caption.c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance_, this);
    if (!window_) return false;

    for (const auto& b : kButtons) {
      const std::wstring text(b.caption);
      HWND button = CreateWindowExW(
          0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
          TwipsToPixels(b.left, dpi_x), TwipsToPixels(b.top, dpi_y), TwipsToPixels(b.width, dpi_x),
          TwipsToPixels(b.height, dpi_y), window_,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance_, nullptr);
      if (!button) return false;
      SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    focus_ = GetDlgItem(window_, kButtons.front().id);
    return true;
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wp, lp);
    return self->HandleMessage(window, message, wp, lp);
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wp, LPARAM lp) {
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
      case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
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
        if (focus == GetDlgItem(window_, b.id)) switcher_.OnButton(b.button);
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
    ScopedSelect font(dc, font_.get());
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
    if (window_) DestroyWindow(window_);
  }

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HWND host_window_ = nullptr;
  HWND focus_ = nullptr;
  ScopedHandle semaphore_;
  ScopedBrush form_brush_;
  ScopedBrush button_brush_;
  ScopedFont font_;
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

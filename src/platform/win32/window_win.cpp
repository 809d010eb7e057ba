#include "platform/win32/window_win.h"

namespace zd::win {

Window::~Window() { Destroy(); }

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Window::Create(WNDCLASSEXW windowClass, DWORD exStyle, const wchar_t* caption, DWORD style,
                    int x, int y, int width, int height) {
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Window::Proc;
  if (!RegisterClassExW(&windowClass)) return false;
  CreateWindowExW(exStyle, windowClass.lpszClassName, caption, style, x, y, width, height, nullptr,
                  nullptr, windowClass.hInstance, this);
  return hwnd_ != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT result = self->HandleMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace zd::win

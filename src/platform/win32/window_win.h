// One window base beside the dialog base (dialog_win.h), for the programs' own top-level
// windows: the static window procedure stores the object in the window at WM_NCCREATE and
// forwards every message to the virtual HandleMessage; the object forgets the window at
// WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace zd::win {

class Window {
 public:
  HWND hwnd() const { return hwnd_; }
  // Destroys the window, if it is still there (also when the object ends).
  void Destroy();

  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

 protected:
  // Registers `windowClass` with the base's procedure and creates the window; false when
  // either fails.
  bool Create(WNDCLASSEXW windowClass, DWORD exStyle, const wchar_t* caption, DWORD style, int x,
              int y, int width, int height);
  // Every message of the window from WM_NCCREATE on; by default DefWindowProcW.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
};

}  // namespace zd::win

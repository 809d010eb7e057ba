// What the region, DXCC and extended DXCC windows share: a modeless dialog of the window
// thread that loads its position from two settings keys, saves it whenever the cursor
// moves over it, makes itself top-most when the option says so, carries the module's
// icon, has its Close item disabled, and hides on Escape. It comes up without taking the
// keyboard: not activated, and no control gets the focus until the operator clicks it.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/dialog_win.h"
#include "platform/win32/handles_win.h"
#include "status_windows/status_window_win.h"

namespace zd {

inline constexpr int kModuleIconId = 200;

struct StatusDialogTraits {
  int templateId;
  std::string_view xKey, yKey;
  // Position used when a saved coordinate is 0 (or missing); 0 keeps it.
  int defaultX, defaultY;
  // The module's background colour for the window and its controls, or the platform's.
  bool moduleColours;
};

class StatusDialog : public win::Dialog, public StatusWindow {
 public:
  StatusDialog(WindowState& state, const StatusDialogTraits& traits)
      : state_(state), traits_(traits) {}

  bool Create() override;
  void Show() override;
  bool IsVisible() const override;
  // Destroys the platform window; the object may be destroyed afterwards.
  void Close() override;
  HWND hwnd() const override { return Dialog::hwnd(); }

 protected:
  // The position, top-most state, icon and system menu; windows call it from their
  // initialisation at the point their order of work says.
  void PlaceWindow();
  void SetModuleIcon(bool smallToo);
  void DisableClose();
  HICON icon() const { return icon_; }

  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  HBRUSH OnCtlColor(HDC dc, HWND control) override;
  void OnSetCursor() override;

  WindowState& state_;

 private:
  StatusDialogTraits traits_;
  win::Brush background_;
  HICON icon_ = nullptr;  // shared resource icon, not destroyed
};

}  // namespace zd

// The status windows as the control window sees them: created from their templates as
// top-level windows of the window thread, refreshed at every status refresh, closed by
// the control window. Windows only.
#pragma once

#include <windows.h>

#include <memory>

#include "status_windows/window_state.h"

namespace zd {

class StatusWindow {
 public:
  virtual ~StatusWindow() = default;
  // Creates the platform window (hidden); false when it could not be created.
  virtual bool Create() = 0;
  virtual void Show() = 0;
  // Brings the window in step with the refresh; nothing for the band-change window.
  virtual void Refresh(const RefreshView& view) = 0;
  // False once the operator hid it with Escape.
  virtual bool IsVisible() const = 0;
  // Sends the platform close request; the object may be destroyed afterwards.
  virtual void Close() = 0;
  virtual HWND hwnd() const = 0;
  // The band-change window's one-second timer; nothing for the other windows.
  virtual void StartTimer() {}
  virtual void StopTimer() {}
};

// Makes the status window of a kind; windows not built yet return null.
std::unique_ptr<StatusWindow> MakeStatusWindow(StatusKind kind, WindowState& state);

}  // namespace zd

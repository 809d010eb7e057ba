// The window thread: the control window and every status window run on one thread of the
// module's own, started and stopped by the host's thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "control/setup_win.h"
#include "platform/win32/handles_win.h"
#include "status_windows/window_state.h"

namespace zd::win {

class WindowThread {
 public:
  // Makes what the windows share, at the first start (the module is complete by then).
  using MakeState = std::function<std::unique_ptr<WindowState>()>;
  explicit WindowThread(MakeState makeState);
  ~WindowThread();
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  // Host's thread. Stops a running window thread first, then starts a new one and
  // returns without waiting for its window.
  void StartWindowThread();
  // Host's thread. Closes the status windows (band-change, extended DXCC, DXCC, region),
  // then the control window, and returns once the thread has ended. Returns at once when
  // no window thread runs.
  void StopWindowThread();
  // The library is being unloaded (inside the loader lock): see the .cpp.
  void StopAtUnload(bool processEnding);

  bool ControlWindowExists() const { return claimed_.load(); }
  // Posts WM_REFRESH_STATS to the control window, if there is one; never waits.
  void PostRefresh();

 private:
  static DWORD WINAPI WindowThreadMain(void* self);
  DWORD Run();
  void RequestClose();
  void ReleaseThread();

  MakeState makeState_;
  std::unique_ptr<WindowState> state_;  // made at the first start, kept until unload
  WindowRegistry registry_;
  // Set by the window thread from the moment it claims the control window until the
  // window is gone: "a control window exists" for every other thread.
  std::atomic<bool> claimed_{false};
  std::mutex mutex_;  // guards closeRequested_ and the publication of the window
  bool closeRequested_ = false;
  bool processEnding_ = false;
  KernelHandle thread_;
  KernelHandle finished_;  // set by the thread as its very last step
  KernelHandle never_;     // never set: the thread's last wait
};

// Called by the library's entry point when it is unloaded.
void StopWindowThreadAtUnload(bool processEnding);

}  // namespace zd::win

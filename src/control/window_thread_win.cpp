// The window thread.
//
// Stopping at unload. The host may free the library with the windows open. The entry
// point then runs inside the loader lock, where waiting for the thread's handle would
// deadlock: a thread takes the loader lock to end. So:
//  - At process exit the system has already ended every other thread: nothing is closed
//    or waited for (the windows went with their thread).
//  - When the library alone is freed, the window thread is told to stop exactly as by
//    "HIDEINFO", and the entry point waits for the `finished` event, which the thread sets
//    as its very last step, not for its handle. The thread sets it with one system call
//    that also starts its last wait, and a queued ExitThread ends it from inside that
//    wait: once `finished` is set the thread never runs code of this library again, so
//    the library can go. Before that the thread releases the host's object and leaves its
//    apartment (CoUninitialize of an apartment that is not the process's last one frees
//    no library, so it does not need the loader lock). Leaving the apartment to the
//    thread's end instead made the process hang at exit under Wine: the apartment's
//    clean-up then calls into the host's apartment, which no longer answers. The wait
//    has a time limit all the same.
//  - While it closes the windows and waits, the entry point lets go of the loader lock
//    and takes it back afterwards: the window thread may need that lock before it gets
//    to its end (Wine takes it to load an icon or a resource a window needs while it is
//    shown, hidden or closed). Holding it, the unload and the window thread waited for
//    each other for ever, the host frozen as it closed.
//  - The stopping thread (HIDEINFO and unload alike) waits in CoWaitForMultipleHandles:
//    when the window thread is inside a call to the host's object, which lives in the
//    host's apartment, that call (and the release of the object) is served during the
//    wait instead of deadlocking.
#include "control/window_thread_win.h"

#include <objbase.h>

namespace zd::win {
namespace {

std::atomic<WindowThread*> g_windowThread{nullptr};

// How long the unload waits for the window thread before it gives up.
constexpr DWORD kUnloadWaitMs = 10000;

// The loader lock, let go of while the unload waits for the window thread and taken back
// after: the loader holds it around the entry point, and the window thread may need it
// before it can end (under Wine it takes it for an icon or a resource its windows load
// while they close), which would otherwise hold both threads for ever.
class LoaderLockReleased {
 public:
  LoaderLockReleased() {
    // PEB.LoaderLock: the PEB is at offset 0x30 of the TEB (FS), the lock's address at
    // offset 0xA0 of the PEB (32-bit).
    static_assert(sizeof(void*) == 4, "the offsets are those of 32-bit Windows");
    const unsigned char* peb = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(peb));
    lock_ = *reinterpret_cast<CRITICAL_SECTION* const*>(peb + 0xA0);
    const auto self = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GetCurrentThreadId()));
    while (lock_ && lock_->OwningThread == self && lock_->RecursionCount > 0) {
      LeaveCriticalSection(lock_);
      ++depth_;
    }
  }
  ~LoaderLockReleased() {
    for (; depth_ > 0; --depth_) EnterCriticalSection(lock_);
  }
  LoaderLockReleased(const LoaderLockReleased&) = delete;
  LoaderLockReleased& operator=(const LoaderLockReleased&) = delete;

 private:
  CRITICAL_SECTION* lock_ = nullptr;
  int depth_ = 0;
};

// Waits for a handle while serving the COM calls of this thread's apartment.
//
// A call of the window thread may already wait in this thread's queue, seen but not
// served: the host's loop took the message that brought us here (its close, say) while the
// call was queued behind it. The COM wait wakes only for messages that arrive after the
// queue was last looked at, so it slept over that call until its time limit, the window
// thread blocked in the call all along (the host hung for the ten seconds at close, then
// freed the library under the thread). A message of nothing posted to this thread first
// wakes the wait at once, and it serves everything queued.
bool WaitServingCom(HANDLE h, DWORD timeoutMs) {
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
  DWORD index = 0;
  const HRESULT hr = CoWaitForMultipleHandles(0, timeoutMs, 1, &h, &index);
  if (hr == S_OK) return true;
  if (hr == RPC_S_CALLPENDING) return false;
  return WaitForSingleObject(h, timeoutMs) == WAIT_OBJECT_0;
}

bool IsDialogWindow(HWND hwnd) {
  wchar_t name[16] = {};
  return GetClassNameW(hwnd, name, 16) > 0 && lstrcmpW(name, L"#32770") == 0;
}

// The control window's modal run: the thread's message loop, which also serves the
// status windows, their timers and their dialog keys (Escape, Enter, Tab).
void RunModal(Setup& setup) {
  MSG msg;
  while (!setup.Ended()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogWindow(root) && IsDialogMessageW(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

WindowThread::WindowThread(MakeState makeState) : makeState_(std::move(makeState)) {
  g_windowThread.store(this);
}

WindowThread::~WindowThread() {
  StopWindowThread();
  WindowThread* self = this;
  g_windowThread.compare_exchange_strong(self, nullptr);
}

void WindowThread::StartWindowThread() {
  if (processEnding_) return;
  StopWindowThread();
  if (!state_) state_ = makeState_();
  finished_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  never_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!finished_ || !never_) {
    ReleaseThread();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closeRequested_ = false;
  }
  registry_.stopping.store(false);
  thread_.reset(CreateThread(nullptr, 0, &WindowThread::WindowThreadMain, this, 0, nullptr));
  if (!thread_) ReleaseThread();  // the module stays stopped; nothing is reported
}

void WindowThread::RequestClose() {
  registry_.stopping.store(true);
  HWND control = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closeRequested_ = true;
    control = registry_.control.load();
  }
  // No lock is held while a message is sent.
  for (StatusKind kind : {StatusKind::kBandChange, StatusKind::kExtendedDxcc, StatusKind::kDxcc,
                          StatusKind::kRegion}) {
    if (HWND h = registry_.status[Index(kind)].load()) SendMessageW(h, WM_CLOSE, 0, 0);
  }
  if (control) SendMessageW(control, WM_CLOSE, 0, 0);
}

void WindowThread::StopWindowThread() {
  if (!thread_ || processEnding_) {
    ReleaseThread();
    return;
  }
  // Ended by Escape already: nothing to close.
  if (WaitForSingleObject(thread_.get(), 0) != WAIT_OBJECT_0) {
    RequestClose();
    WaitServingCom(thread_.get(), INFINITE);
  }
  ReleaseThread();
}

void WindowThread::StopAtUnload(bool processEnding) {
  if (processEnding) {
    // Every other thread is gone already, and with it every window.
    processEnding_ = true;
    return;
  }
  if (!thread_) return;
  if (WaitForSingleObject(finished_.get(), 0) != WAIT_OBJECT_0) {
    const LoaderLockReleased unlocked;
    RequestClose();
    WaitServingCom(finished_.get(), kUnloadWaitMs);
  }
  // The thread, if still there, is past this library's code (or, after the time limit,
  // stuck in a call to the host; the unload cannot wait any longer for it).
  ReleaseThread();
}

void WindowThread::ReleaseThread() {
  thread_.reset();
  finished_.reset();
  never_.reset();
  registry_.stopping.store(false);
}

void WindowThread::PostRefresh() { PostRefreshOnce(registry_, registry_.control.load()); }

DWORD WindowThread::Run() {
  if (claimed_.exchange(true)) return 1;  // a control window exists already
  const HRESULT com = CoInitialize(nullptr);
  {
    Setup setup(*state_, registry_);
    registry_.refresh.Taken();  // a message lost with an earlier window holds nothing back
    if (setup.Create()) {
      bool closeNow = false;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        registry_.control.store(setup.hwnd());
        closeNow = closeRequested_;
      }
      if (closeNow) {
        setup.RequestEnd();
      } else {
        ShowWindow(setup.hwnd(), SW_SHOWNOACTIVATE);
      }
      RunModal(setup);
    }
    registry_.control.store(nullptr);
    // Leaving the scope closes the status windows and the control window and releases
    // the host object.
  }
  if (SUCCEEDED(com)) CoUninitialize();
  claimed_.store(false);
  return 0;
}

DWORD WINAPI WindowThread::WindowThreadMain(void* param) {
  auto* self = static_cast<WindowThread*>(param);
  DWORD code = 0;
  try {
    code = self->Run();
  } catch (...) {
    self->registry_.control.store(nullptr);
    self->claimed_.store(false);
  }
  // The last step: `finished` is set and the thread waits, in one system call; the queued
  // ExitThread runs inside that wait, so this library's code is never returned to.
  HANDLE finished = self->finished_.get();
  HANDLE never = self->never_.get();
  QueueUserAPC(reinterpret_cast<PAPCFUNC>(reinterpret_cast<void (*)()>(&ExitThread)),
               GetCurrentThread(), code);
  SignalObjectAndWait(finished, never, INFINITE, TRUE);
  return code;
}

void StopWindowThreadAtUnload(bool processEnding) {
  if (WindowThread* t = g_windowThread.load()) t->StopAtUnload(processEnding);
}

}  // namespace zd::win

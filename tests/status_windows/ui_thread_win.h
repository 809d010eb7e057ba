// A window thread for tests: a message loop on its own thread that also runs tasks the
// test hands it, waiting for each with a deadline.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

namespace zd::test {

class UiThread {
 public:
  UiThread() {
    std::promise<DWORD> ready;
    auto id = ready.get_future();
    thread_ = std::thread([this, &ready] { Loop(ready); });
    id_ = id.get();
  }
  ~UiThread() {
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;

  // Runs `f` on the window thread and returns its result.
  template <typename F>
  auto Run(F f) -> decltype(f()) {
    using R = decltype(f());
    std::packaged_task<R()> task(std::move(f));
    auto result = task.get_future();
    auto* job = new std::function<void()>([&task] { task(); });
    if (!PostThreadMessageW(id_, kRunTask, 0, reinterpret_cast<LPARAM>(job))) {
      delete job;
      Abort("the window thread took no task");
    }
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      Abort("a task on the window thread did not end within 10 s");
    }
    return result.get();
  }

  // Polls `condition` on the window thread every 50 ms; false after `seconds`.
  template <typename F>
  bool WaitUntil(F condition, double seconds = 5.0) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
      if (Run(condition)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Run(condition);
  }

 private:
  static constexpr UINT kRunTask = WM_APP + 77;

  [[noreturn]] static void Abort(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    std::fflush(stderr);
    std::abort();
  }

  static void Loop(std::promise<DWORD>& ready) {
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // make the queue
    ready.set_value(GetCurrentThreadId());
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (!msg.hwnd && msg.message == kRunTask) {
        auto* job = reinterpret_cast<std::function<void()>*>(msg.lParam);
        (*job)();
        delete job;
        continue;
      }
      HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      if (root && IsDialogMessageW(root, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  std::thread thread_;
  DWORD id_ = 0;
};

}  // namespace zd::test

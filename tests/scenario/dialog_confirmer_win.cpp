#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "scenario/dialog_confirmer.h"
#include "win32/dialog_driver_win.h"

namespace zd::test {
namespace {

class Confirmer final : public DialogConfirmer {
 public:
  Confirmer() : owner_(GetCurrentThreadId()), thread_([this] { Run(); }) {}
  ~Confirmer() override {
    stop_ = true;
    thread_.join();
  }

  std::vector<std::string> Log() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
  }

 private:
  void Run() {
    while (!stop_.load()) {
      if (HWND dialog = FindThreadDialog(owner_, nullptr)) Answer(dialog);
      Sleep(50);
    }
  }

  void Answer(HWND dialog) {
    const std::wstring title = WindowText(dialog);
    std::string line = Utf8(title);
    if (title == L"ZORVAN-DIGI" || title == L"Output") {
      if (title == L"Output") {
        for (HWND c : Children(dialog)) {
          if (ClassName(c) == L"Static" && !WindowText(c).empty())
            line += ": " + Utf8(WindowText(c));
        }
      }
      line += ": OK";
      PressButton(dialog, IDOK);
    } else {
      line = "unexpected dialog \"" + line + "\": closed";
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      log_.push_back(line);
    }
    // Until it is gone, so that one dialog is answered once; one that stays is in the log.
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && IsWindowVisible(dialog) && GetTickCount() - start < 10000) Sleep(20);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
      std::lock_guard<std::mutex> lock(mutex_);
      log_.push_back("\"" + Utf8(title) + "\" still open 10 s after the answer");
    }
  }

  DWORD owner_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> log_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<DialogConfirmer> StartDialogConfirmer() { return std::make_unique<Confirmer>(); }

}  // namespace zd::test

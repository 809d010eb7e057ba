// Driving the module's dialogs and message boxes from a second thread while the test's
// own thread sits in the export that shows them, as the operator would with the host
// blocked. Every wait has a deadline.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace zd::test {

using namespace std::chrono_literals;

// A top-level dialog (class "#32770") of a thread whose title is `title`; any title when
// `title` is null.
HWND FindThreadDialog(DWORD thread, const wchar_t* title);

std::wstring WindowText(HWND hwnd);
std::wstring ItemText(HWND dialog, int id);
std::wstring ClassName(HWND hwnd);
std::vector<std::wstring> ComboChoices(HWND combo);
// The direct children of a window, in creation (tab) order.
std::vector<HWND> Children(HWND parent);
// Posts the click of a push button, as the platform does when it is pressed.
void PressButton(HWND dialog, int id);
// Chooses an entry of a combo box's list by its text; false when there is none.
bool ChooseInCombo(HWND combo, const wchar_t* text);

std::string Utf8(const std::wstring& text);
std::wstring FromCp1251(const std::string& text);

// While the calling thread makes a call that shows a dialog, a second thread waits for
// the dialog (up to `timeout`) and runs `action` on it; the action must end the dialog.
// Finish() after the call: the driver stops looking and reports what happened. A dialog
// that the action leaves open is closed with WM_CLOSE and reported, so a faulty test
// fails instead of hanging.
class DialogDriver {
 public:
  DialogDriver(const wchar_t* title, std::function<void(HWND)> action,
               std::chrono::milliseconds timeout = 10s);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Stops waiting (the call has returned) and joins the thread.
  void Finish();
  // The number of dialogs found and handled.
  int handled() const { return handled_.load(); }
  // What went wrong, empty when nothing did.
  std::string problems() const;

 private:
  void Run();

  DWORD owner_;
  std::wstring title_;
  bool anyTitle_;
  std::function<void(HWND)> action_;
  std::chrono::milliseconds timeout_;
  std::atomic<bool> stop_{false};
  std::atomic<int> handled_{0};
  std::string problems_;
  std::thread thread_;
};

}  // namespace zd::test

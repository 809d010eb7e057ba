// Tools for tests that run the helper program and the host stand-in as separate
// processes and watch their windows. Every wait polls with a deadline.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zd::wine_test {

// Polls `condition` every 50 ms until it holds (true) or `timeout_ms` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 8000);

// The folder of the running test program, where the programs under test lie too.
std::wstring BinDirectory();

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
std::string Utf8(const std::wstring& text);

// The top-level windows of a process; `class_name` empty for all of them.
std::vector<HWND> TopLevelWindows(DWORD process_id, const std::wstring& class_name = {});
// The first visible top-level window of the process with that class, or null.
HWND FindVisibleWindow(DWORD process_id, const std::wstring& class_name);
// The child window with that text, or null.
HWND FindChildByText(HWND parent, const std::wstring& text);

// Clicks a button through its own message: it notifies its parent, but its window is not
// activated.
bool ClickButton(HWND button);
// Clicks the middle of a window with the mouse, as the operator would: the click
// activates the window it lands on.
bool MouseClick(HWND window);

// A program started by the test. Ended when the object goes, if still running.
class Process {
 public:
  Process() = default;
  // `program` is a file name in BinDirectory().
  static Process Start(const std::wstring& program, const std::wstring& arguments = {});
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  DWORD main_thread_id() const { return thread_id_; }
  bool Running() const;
  // The exit code once it has ended.
  std::optional<DWORD> ExitCode() const;
  bool WaitForExit(int timeout_ms);
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  DWORD thread_id_ = 0;
};

// The host stand-in with a record file of its own, started and ready for calls.
class HostStub {
 public:
  // Extra command-line words, e.g. L"--do \"fail Mode\"".
  explicit HostStub(const std::wstring& extra_arguments = {});
  ~HostStub();
  HostStub(const HostStub&) = delete;
  HostStub& operator=(const HostStub&) = delete;

  bool ready() const { return window_ != nullptr; }
  HWND window() const { return window_; }
  Process& process() { return process_; }

  // The record so far, one call a line.
  std::vector<std::string> Record() const;
  // The whole lines written since byte `offset` of the record, which moves past them: a
  // long run reads only what is new.
  std::vector<std::string> RecordFrom(std::size_t& offset) const;
  // The macros recorded so far, in order; a rejected one ends in " -> failed".
  std::vector<std::string> Macros() const;
  // Runs one command of the stand-in's command language; true when it was accepted.
  bool Send(const std::string& command);
  // Asks the stand-in to close, as the operator would.
  void Close();

 private:
  std::wstring record_path_;
  Process process_;
  HWND window_ = nullptr;
};

}  // namespace zd::wine_test

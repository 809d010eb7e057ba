// The host stand-in with the contest module loaded into it, in a fresh working folder of
// its own, as the Wine tests of the module's windows drive it. Every wait has a deadline.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "mode_switcher/wine_driver.h"

namespace zd::wine_test {

inline constexpr wchar_t kControlTitle[] = L"Setup ZORVAN-DIGI-";

bool StartsWith(const std::wstring& text, const std::wstring& prefix);

class ModuleHost {
 public:
  ModuleHost();
  // The host unloads the module as it closes, windows open or not.
  ~ModuleHost();
  ModuleHost(const ModuleHost&) = delete;
  ModuleHost& operator=(const ModuleHost&) = delete;

  bool ok() const { return loaded_; }
  HWND window() const { return stub_.window(); }
  HostStub& stub() const { return stub_; }
  const std::string& folder() const { return folder_; }
  // Runs a command of the stand-in; true when it was accepted.
  bool Do(const std::string& command) { return stub_.Send(command); }
  std::vector<std::string> Record() const { return stub_.Record(); }
  std::vector<std::string> Macros() const { return stub_.Macros(); }
  int Count(const std::string& prefix) const;
  // The last record line that starts with `prefix`, or empty.
  std::string Last(const std::string& prefix) const;
  bool Running() const { return stub_.process().Running(); }

  // The module's visible dialogs, in no particular order, and those whose title starts so.
  std::vector<HWND> Dialogs() const;
  std::vector<HWND> Titled(const std::wstring& prefix) const;
  HWND WaitFor(const std::wstring& prefix, int ms = 10000) const;
  // Waits until exactly `n` dialogs are visible; false, with their titles in the test's
  // output, when that does not happen within 10 s.
  bool WaitDialogs(std::size_t n) const;

  // A key of the module's settings file as it reads now. The module rewrites the whole
  // file whenever it writes a key, and a read at that moment finds nothing: a test waits
  // for the value it expects (WaitSetting) rather than reading it once.
  std::string Setting(const std::string& key) const;
  bool SettingsFileExists() const;
  bool WaitSetting(const std::string& key, const std::string& value) const;
  // The number of full refreshes the host has served so far (each reads the frequency).
  int Refreshes() const { return Count("get HostFrequency"); }
  bool WaitRefreshes(int n) const;
  // The colour of a client pixel of a control (0: the window itself), as RRGGBB.
  std::string Pixel(const std::string& title, int id, int x, int y);

  // Who has the keyboard: empty when the host's window is the foreground window and its
  // thread's focus is in it, else what holds the foreground and the focus.
  std::string KeyboardElsewhere() const;
  // The operator clicks into the host's window.
  bool ActivateHost() const;

 private:
  mutable HostStub stub_;
  std::string folder_;
  bool loaded_ = false;
};

}  // namespace zd::wine_test

#include "win32/dialog_driver_win.h"

#include "platform/win32/text_win.h"

namespace zd::test {
namespace {

struct FindState {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lp) {
  auto* state = reinterpret_cast<FindState*>(lp);
  if (ClassName(hwnd) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
  if (state->title && WindowText(hwnd) != state->title) return TRUE;
  state->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindThreadDialog(DWORD thread, const wchar_t* title) {
  FindState state{title, nullptr};
  EnumThreadWindows(thread, &MatchDialog, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

std::wstring WindowText(HWND hwnd) { return win::WindowTextW(hwnd); }

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::wstring ClassName(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::vector<std::wstring> ComboChoices(HWND combo) {
  std::vector<std::wstring> out;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<std::size_t>(len > 0 ? len : 0) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(len > 0 ? len : 0));
    out.push_back(text);
  }
  return out;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

void PressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool ChooseInCombo(HWND combo, const wchar_t* text) {
  const LRESULT at = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(text));
  if (at == CB_ERR) return false;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  return true;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring FromCp1251(const std::string& text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

DialogDriver::DialogDriver(const wchar_t* title, std::function<void(HWND)> action,
                           std::chrono::milliseconds timeout)
    : owner_(GetCurrentThreadId()),
      title_(title ? title : L""),
      anyTitle_(title == nullptr),
      action_(std::move(action)),
      timeout_(timeout) {
  thread_ = std::thread([this] { Run(); });
}

DialogDriver::~DialogDriver() { Finish(); }

void DialogDriver::Finish() {
  stop_.store(true);
  if (thread_.joinable()) thread_.join();
}

std::string DialogDriver::problems() const { return problems_; }

void DialogDriver::Run() {
  const wchar_t* title = anyTitle_ ? nullptr : title_.c_str();
  const std::string name = anyTitle_ ? std::string("a dialog") : "\"" + Utf8(title_) + "\"";
  auto deadline = std::chrono::steady_clock::now() + timeout_;
  while (true) {
    // Seen stop_ before looking: a dialog found now was there before the call returned.
    const bool last = stop_.load();
    if (HWND dialog = FindThreadDialog(owner_, title)) {
      action_(dialog);
      ++handled_;
      const auto closeBy = std::chrono::steady_clock::now() + 5s;
      while (IsWindow(dialog) && IsWindowVisible(dialog) &&
             std::chrono::steady_clock::now() < closeBy) {
        Sleep(50);
      }
      if (IsWindow(dialog) && IsWindowVisible(dialog)) {
        problems_ += name + " stayed open after the test's action; closed it. ";
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        const auto goneBy = std::chrono::steady_clock::now() + 5s;
        while (IsWindow(dialog) && IsWindowVisible(dialog) &&
               std::chrono::steady_clock::now() < goneBy) {
          Sleep(50);
        }
        if (IsWindow(dialog) && IsWindowVisible(dialog)) {
          problems_ += name + " did not close within 5 s of WM_CLOSE either. ";
          return;
        }
      }
      deadline = std::chrono::steady_clock::now() + timeout_;
      continue;
    }
    if (last) return;
    if (std::chrono::steady_clock::now() > deadline) {
      if (handled_.load() == 0) problems_ += name + " did not appear in time. ";
      // Whatever the thread shows now is closed, so that its call can return.
      while (!stop_.load()) {
        if (HWND other = FindThreadDialog(owner_, nullptr)) {
          problems_ += "closed an unexpected dialog \"" + Utf8(WindowText(other)) + "\". ";
          PostMessageW(other, WM_CLOSE, 0, 0);
        }
        Sleep(100);
      }
      return;
    }
    Sleep(50);
  }
}

}  // namespace zd::test

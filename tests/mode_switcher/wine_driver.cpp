#include "mode_switcher/wine_driver.h"

#include <atomic>
#include <chrono>
#include <string_view>
#include <thread>
#include <utility>

#include "hoststub/hoststub_protocol.h"

namespace zd::wine_test {

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::wstring BinDirectory() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  // Cross-process: WM_GETTEXT with a deadline, so a hung window cannot hang the test.
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return {};
  }
  return std::wstring(text, copied < 512 ? copied : 511);
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

namespace {

struct WindowSearch {
  DWORD process_id;
  std::wstring class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id &&
      (search->class_name.empty() || ClassOf(window) == search->class_name)) {
    search->found.push_back(window);
  }
  return TRUE;
}

struct ChildSearch {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (TextOf(window) != search->text) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD process_id, const std::wstring& class_name) {
  WindowSearch search{process_id, class_name, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindVisibleWindow(DWORD process_id, const std::wstring& class_name) {
  for (HWND w : TopLevelWindows(process_id, class_name)) {
    if (IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND FindChildByText(HWND parent, const std::wstring& text) {
  ChildSearch search{text};
  EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ClickButton(HWND button) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 8000, &result) != 0;
}

bool MouseClick(HWND window) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  // Every event carries the position: under load the display can deliver an older pointer
  // move late and put the cursor elsewhere between a separate move and the press.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return false;
  const LONG x = ((r.left + r.right) / 2 * 65536 + width / 2) / width;
  const LONG y = ((r.top + r.bottom) / 2 * 65536 + height / 2) / height;
  INPUT input[3] = {};
  const DWORD flags[3] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    input[i].type = INPUT_MOUSE;
    input[i].mi.dx = x;
    input[i].mi.dy = y;
    input[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags[i];
  }
  return SendInput(3, input, sizeof(INPUT)) == 3;
}

Process Process::Start(const std::wstring& program, const std::wstring& arguments) {
  const std::wstring path = BinDirectory() + program;
  std::wstring command_line = L"\"" + path + L"\"";
  if (!arguments.empty()) command_line += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Process p;
  if (!CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi)) {
    return p;
  }
  CloseHandle(pi.hThread);
  p.process_ = pi.hProcess;
  p.id_ = pi.dwProcessId;
  p.thread_id_ = pi.dwThreadId;
  // Wait until it reads its messages, so that its windows can be looked for.
  WaitForInputIdle(pi.hProcess, 5000);
  return p;
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      thread_id_(std::exchange(other.thread_id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    if (process_) CloseHandle(process_);
    process_ = std::exchange(other.process_, nullptr);
    id_ = std::exchange(other.id_, 0);
    thread_id_ = std::exchange(other.thread_id_, 0);
  }
  return *this;
}

Process::~Process() {
  Kill();
  if (process_) CloseHandle(process_);
}

bool Process::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::ExitCode() const {
  if (!process_ || Running()) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

bool Process::WaitForExit(int timeout_ms) {
  return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeout_ms)) == WAIT_OBJECT_0;
}

void Process::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 99);
  WaitForSingleObject(process_, 5000);
}

namespace {

std::wstring NewRecordPath() {
  static std::atomic<int> counter{0};
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + L"zd_host_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
         std::to_wstring(++counter) + L".txt";
}

// The whole lines from byte `offset` on; `offset` moves past the last of them.
std::vector<std::string> ReadLines(const std::wstring& path, std::size_t& offset) {
  std::vector<std::string> lines;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  std::string text;
  if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) {
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
  }
  CloseHandle(file);
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  offset += start;
  return lines;
}

}  // namespace

HostStub::HostStub(const std::wstring& extra_arguments) : record_path_(NewRecordPath()) {
  std::wstring arguments = L"--log \"" + record_path_ + L"\"";
  if (!extra_arguments.empty()) arguments += L" " + extra_arguments;
  process_ = Process::Start(L"hoststub.exe", arguments);
  if (!process_.started()) return;
  WaitUntil([&] {
    for (const auto& line : Record()) {
      if (line == hoststub::kReadyLine) return true;
    }
    return !process_.Running();
  });
  // Its main window is its only visible top-level window.
  if (WaitUntil([&] { return FindVisibleWindow(process_.id(), {}) != nullptr; }, 3000)) {
    window_ = FindVisibleWindow(process_.id(), {});
  }
}

HostStub::~HostStub() {
  process_.Kill();
  DeleteFileW(record_path_.c_str());
}

std::vector<std::string> HostStub::Record() const {
  std::size_t offset = 0;
  return ReadLines(record_path_, offset);
}

std::vector<std::string> HostStub::RecordFrom(std::size_t& offset) const {
  return ReadLines(record_path_, offset);
}

std::vector<std::string> HostStub::Macros() const {
  static const std::string kCall = "call ExecuteMacros ";
  std::vector<std::string> macros;
  for (const auto& line : Record()) {
    if (line.rfind(kCall, 0) == 0) macros.push_back(line.substr(kCall.size()));
  }
  return macros;
}

bool HostStub::Send(const std::string& command) {
  if (!window_) return false;
  COPYDATASTRUCT data{hoststub::kCopyDataCommand, static_cast<DWORD>(command.size()),
                      const_cast<char*>(command.data())};
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, 5000, &result) &&
         result != 0;
}

void HostStub::Close() {
  if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace zd::wine_test

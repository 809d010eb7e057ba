// Loading the module with LoadLibrary, and on request answering its modal dialogs on the
// loading thread: a watcher looks for dialog windows of that thread every 50 ms and
// presses their OK button, as an operator who accepts the stored values would.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "host_boundary/stats_module.h"
#include "host_boundary/stats_module_platform.h"

namespace zd::host {
namespace {

class DialogAnswerer {
 public:
  explicit DialogAnswerer(DWORD hostThread) : hostThread_(hostThread) {
    thread_ = std::thread([this] { Run(); });
  }
  ~DialogAnswerer() {
    stop_.store(true);
    thread_.join();
  }
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

 private:
  void Run() {
    while (!stop_.load()) {
      EnumThreadWindows(hostThread_, &DialogAnswerer::Visit, reinterpret_cast<LPARAM>(this));
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }

  static BOOL CALLBACK Visit(HWND hwnd, LPARAM self) {
    auto* me = reinterpret_cast<DialogAnswerer*>(self);
    wchar_t cls[16] = {};
    if (GetClassNameW(hwnd, cls, 16) == 0 || lstrcmpW(cls, L"#32770") != 0) return TRUE;
    if (!IsWindowVisible(hwnd)) return TRUE;
    // One press per dialog: a dialog that takes a moment to close is not pressed again.
    const auto now = std::chrono::steady_clock::now();
    if (hwnd == me->lastPressed_ && now - me->lastPressTime_ < std::chrono::seconds(2)) {
      return TRUE;
    }
    me->lastPressed_ = hwnd;
    me->lastPressTime_ = now;
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDOK)));
    return TRUE;
  }

  DWORD hostThread_;
  std::atomic<bool> stop_{false};
  HWND lastPressed_ = nullptr;
  std::chrono::steady_clock::time_point lastPressTime_{};
  std::thread thread_;
};

}  // namespace

void* OpenLibrary(const std::filesystem::path& path, std::string& why) {
  HMODULE handle = LoadLibraryW(path.c_str());
  if (!handle) why = "error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(handle);
}

void* LibrarySymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }

std::shared_ptr<void> StartDialogAnswerer() {
  return std::make_shared<DialogAnswerer>(GetCurrentThreadId());
}

std::filesystem::path ProgramFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::filesystem::path(L".");
  return std::filesystem::path(std::wstring(buffer, n)).parent_path();
}

std::string ModuleFileName() { return "Stats.dll"; }

}  // namespace zd::host

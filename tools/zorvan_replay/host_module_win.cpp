// Loading the module with LoadLibrary, and answering its modal dialogs on the host's
// thread: a watcher looks for dialog windows of that thread every 50 ms and presses
// their OK button, as an operator who accepts the stored values would.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "zorvan_replay/host_module.h"

namespace zd::replay {
namespace {

class DialogConfirmer {
 public:
  explicit DialogConfirmer(DWORD hostThread) : hostThread_(hostThread) {
    thread_ = std::thread([this] { Run(); });
  }
  ~DialogConfirmer() {
    stop_.store(true);
    thread_.join();
  }
  DialogConfirmer(const DialogConfirmer&) = delete;
  DialogConfirmer& operator=(const DialogConfirmer&) = delete;

 private:
  void Run() {
    while (!stop_.load()) {
      EnumThreadWindows(hostThread_, &DialogConfirmer::Visit, reinterpret_cast<LPARAM>(this));
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }

  static BOOL CALLBACK Visit(HWND hwnd, LPARAM self) {
    auto* me = reinterpret_cast<DialogConfirmer*>(self);
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

struct HostModule::Platform {
  HMODULE handle = nullptr;
  std::unique_ptr<DialogConfirmer> confirmer;
};

std::unique_ptr<HostModule> HostModule::Load(const std::string& path, std::string& error) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
  HMODULE handle = LoadLibraryW(wide.c_str());
  if (!handle) {
    error = path + ": cannot load the module (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  std::unique_ptr<HostModule> m(new HostModule);
  m->platform_ = std::make_unique<Platform>();
  m->platform_->handle = handle;
  bool ok = true;
  auto bind = [&](auto& fn, const char* name) {
    FARPROC p = GetProcAddress(handle, name);
    if (!p) {
      if (ok) error = path + ": the export " + name + " is missing";
      ok = false;
    }
    fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(reinterpret_cast<void*>(p));
  };
  StatsExports& x = m->exports_;
  bind(x.setVersion, "setVersion");
  bind(x.GetNumberOfSets, "GetNumberOfSets");
  bind(x.GetSetName, "GetSetName");
  bind(x.SetupSet0, "SetupSet0");
  bind(x.RunCommand0, "RunCommand0");
  bind(x.CheckCall0, "CheckCall0");
  bind(x.IsValidExchg0, "IsValidExchg0");
  bind(x.GetExchgCount0, "GetExchgCount0");
  bind(x.AddData0, "AddData0");
  bind(x.RemoveData0, "RemoveData0");
  bind(x.ResetStats0, "ResetStats0");
  bind(x.GetResult0, "GetResult0");
  if (!ok) return nullptr;
  m->platform_->confirmer = std::make_unique<DialogConfirmer>(GetCurrentThreadId());
  return m;
}

HostModule::~HostModule() {
  if (!platform_) return;
  platform_->confirmer.reset();
  if (platform_->handle) FreeLibrary(platform_->handle);
}

}  // namespace zd::replay

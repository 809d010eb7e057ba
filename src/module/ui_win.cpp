// The module's user interface on Windows.
#include <windows.h>

#include "control/window_thread_win.h"
#include "module/module.h"
#include "reports/cabrillo_dialog_win.h"

namespace zd {
namespace {

class Win32Ui final : public UiBridge {
 public:
  explicit Win32Ui(Module& module)
      : windowThread_([&module] {
          return std::make_unique<WindowState>(module.contest(), module.worked(), module.settings(),
                                               module.clock());
        }) {}

  void ShowSetupMessage() override {
    // No owner and no caption: the platform's default caption.
    MessageBoxA(nullptr, "No additional setup for this contest", nullptr, MB_OK);
  }
  bool EditCabrilloHeader(CabrilloHeaderFields& fields) override {
    Cabrillo dialog(fields);
    return dialog.Run();
  }
  void ShowOutputMessage(const std::string& text) override {
    MessageBoxA(nullptr, text.c_str(), "Output", MB_OK | MB_ICONINFORMATION);
  }
  void StartWindowThread() override { windowThread_.StartWindowThread(); }
  void StopWindowThread() override { windowThread_.StopWindowThread(); }
  bool ControlWindowExists() const override { return windowThread_.ControlWindowExists(); }
  void PostRefresh() override { windowThread_.PostRefresh(); }

 private:
  win::WindowThread windowThread_;
};

}  // namespace

std::unique_ptr<UiBridge> MakePlatformUi(Module& module) {
  return std::make_unique<Win32Ui>(module);
}

}  // namespace zd

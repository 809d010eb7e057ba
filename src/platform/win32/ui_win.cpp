// The module's user interface on Windows.
#include <windows.h>

#include "control/window_thread_win.h"
#include "engine/module.h"
#include "reports/cabrillo_dialog_win.h"

namespace zd {
namespace {

class Win32Ui final : public UiBridge {
 public:
  explicit Win32Ui(Module& module) : module_(module), windowThread_(module) {}

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
  [[maybe_unused]] Module& module_;
  win::WindowThread windowThread_;
};

}  // namespace

std::unique_ptr<UiBridge> MakePlatformUi(Module& module) {
  return std::make_unique<Win32Ui>(module);
}

}  // namespace zd

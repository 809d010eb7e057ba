#include "module/module.h"

namespace zd {

Module::Module()
    : settings_(MakePlatformSettingsStore()),
      clock_(MakeSystemClock()),
      ui_(MakePlatformUi(*this)),
      work_(std::make_unique<ExportWork>(*settings_, *clock_, *ui_)) {}

Module::~Module() {
  // The window thread goes before the state it reads.
  ui_->StopWindowThread();
}

Module& TheModule() {
  static Module module;
  return module;
}

}  // namespace zd

#include "engine/module.h"

namespace zd {

Module::Module()
    : settings_(MakePlatformSettingsStore()),
      clock_(MakeSystemClock()),
      ui_(MakePlatformUi(*this)),
      contest_(std::make_unique<Contest>(*settings_, *clock_, *ui_)) {}

Module::~Module() {
  // The window thread goes before the state it reads.
  ui_->StopWindowThread();
}

Module& TheModule() {
  static Module module;
  return module;
}

}  // namespace zd

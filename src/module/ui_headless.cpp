#include "module/module.h"

namespace zd {

std::unique_ptr<UiBridge> MakePlatformUi(Module&) { return std::make_unique<HeadlessUi>(); }

}  // namespace zd

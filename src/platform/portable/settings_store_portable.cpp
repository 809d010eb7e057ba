#include "platform/files.h"
#include "platform/portable/ini_store.h"

namespace zd {

std::unique_ptr<SettingsStore> MakePlatformSettingsStore(std::string_view path) {
  return std::make_unique<IniStore>(NativePath(path), std::string(kSettingsSection));
}

}  // namespace zd

#include "engine/host_setup.h"

#include "platform/files.h"

namespace zd {

std::optional<std::string> ReadHostVersion(std::string_view pathPrefix) {
  bool hostIniFound = false;
  for (const std::string& name : FindFileNames(std::string(pathPrefix) + "*.ini")) {
    if (name.find("Vevozi2.ini") != std::string::npos) {
      hostIniFound = true;
      break;
    }
  }
  if (!hostIniFound) return std::string("Vorlog");
  if (const auto lines = ReadTextLines("Vevozi2.ini")) {
    constexpr std::string_view kKey = "Vorlog=";
    for (const std::string& line : *lines) {
      if (line.find(kKey) != std::string::npos) {
        return line.size() > kKey.size() ? line.substr(kKey.size()) : std::string();
      }
    }
  }
  return std::nullopt;
}

std::vector<std::string> ReadSpecialCalls() {
  if (auto lines = ReadTextLines(NativePath(".\\Plugins\\call_special.dat"))) {
    return std::move(*lines);
  }
  return {};
}

}  // namespace zd

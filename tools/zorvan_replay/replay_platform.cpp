#include "zorvan_replay/replay_platform.h"

#include <cstdio>
#include <system_error>

#include "host_boundary/stats_module.h"
#include "zd_version.h"
#include "zorvan_replay/replay_log.h"

namespace zd::replay {

namespace fs = std::filesystem;

std::vector<fs::path> DefaultLibraryCandidates() {
  const fs::path folder = host::ProgramFolder();
  return {folder / "Plugins" / host::ModuleFileName(), folder / host::ModuleFileName()};
}

std::string DefaultLibraryPath() {
  const auto candidates = DefaultLibraryCandidates();
  for (const fs::path& p : candidates) {
    std::error_code ec;
    if (fs::is_regular_file(p, ec)) return Utf8FromPath(p);
  }
  return Utf8FromPath(candidates.front());
}

std::string DefaultCountryFilePath() {
  const fs::path beside = host::ProgramFolder() / "cty.dat";
  std::error_code ec;
  return fs::is_regular_file(beside, ec) ? Utf8FromPath(beside)
                                         : std::string("/usr/share/hamradio-files/cty.dat");
}

bool AnswerHelpOrVersion(bool help, bool version, const char* program, const std::string& usage) {
  if (help) {
    std::fputs(usage.c_str(), stdout);
  } else if (version) {
    std::printf("%s %s\n", program, ZD_VERSION_TEXT);
  }
  return help || version;
}

}  // namespace zd::replay

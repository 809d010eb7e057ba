#include <unistd.h>

#include "host_boundary/stats_module.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::replay {

std::string DefaultLibraryPath() { return host::ModuleBesideProgram().string(); }

std::string DefaultCountryFilePath() { return "/usr/share/hamradio-files/cty.dat"; }

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void SetBinaryStdout() {}

}  // namespace zd::replay

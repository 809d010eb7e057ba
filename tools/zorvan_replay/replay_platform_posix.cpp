#include <unistd.h>

#include <cstdlib>

#include "host_boundary/stats_module.h"
#include "platform/test_clock.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::replay {

std::string DefaultLibraryPath() { return host::ModuleBesideProgram().string(); }

std::string DefaultCountryFilePath() { return "/usr/share/hamradio-files/cty.dat"; }

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void SetBinaryStdout() {}

void SetModuleClock(const std::string& moment) {
  if (moment.empty()) {
    unsetenv(kTestClockVariable);
  } else {
    setenv(kTestClockVariable, moment.c_str(), 1);
  }
}

}  // namespace zd::replay

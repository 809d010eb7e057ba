#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/test_clock.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::replay {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void SetBinaryStdout() {}

void WriteError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

void SetModuleClock(const std::string& moment) {
  if (moment.empty()) {
    unsetenv(kTestClockVariable);
  } else {
    setenv(kTestClockVariable, moment.c_str(), 1);
  }
}

}  // namespace zd::replay

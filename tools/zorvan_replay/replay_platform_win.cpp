#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "host_boundary/stats_module.h"
#include "platform/test_clock.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::replay {

std::string DefaultLibraryPath() { return host::ModuleBesideProgram().string(); }

// The host keeps its country file beside its program.
std::string DefaultCountryFilePath() { return (host::ProgramFolder() / "cty.dat").string(); }

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void SetBinaryStdout() { _setmode(_fileno(stdout), _O_BINARY); }

// The module reads the process's environment block (GetEnvironmentVariableW).
void SetModuleClock(const std::string& moment) {
  const std::wstring name(std::begin(kTestClockVariable), std::end(kTestClockVariable) - 1);
  const std::wstring value(moment.begin(), moment.end());  // digits, '-', ':' and a blank
  SetEnvironmentVariableW(name.c_str(), moment.empty() ? nullptr : value.c_str());
}

}  // namespace zd::replay

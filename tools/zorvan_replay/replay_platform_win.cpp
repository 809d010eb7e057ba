#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "host_boundary/stats_module.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::replay {

std::string DefaultLibraryPath() { return host::ModuleBesideProgram().string(); }

// The host keeps its country file beside its program.
std::string DefaultCountryFilePath() { return (host::ProgramFolder() / "cty.dat").string(); }

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void SetBinaryStdout() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace zd::replay

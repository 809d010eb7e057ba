// What the replay needs of its platform beyond the module itself, which it loads and
// calls through the host boundary (tools/host_boundary).
#pragma once

#include <string>

namespace zd::replay {

// The module built beside the running program: libStats.so, or Stats.dll on Windows.
std::string DefaultLibraryPath();
// The country file used when none is named.
std::string DefaultCountryFilePath();
bool StderrIsTerminal();
// Standard output passes the module's texts byte for byte (no CR LF translation).
void SetBinaryStdout();
// Sets the clock of the module loaded in this process to a UTC moment
// "YYYY-MM-DD HH:MM:SS" (the variable of platform/test_clock.h); the empty text gives it
// the real clock back.
void SetModuleClock(const std::string& moment);

}  // namespace zd::replay

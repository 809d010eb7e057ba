// What the tools that drive the module need of their system beyond the module itself
// (which the host boundary loads): where the module and the country file are found when
// none is named, the arguments as UTF-8 text, and text on the terminal.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zd::replay {

// Where the module is looked for beside the running program, in this order:
// Plugins/Stats.dll (the release archive's layout, as in the host's folder), then
// Stats.dll (libStats.so natively, as the build leaves it).
std::vector<std::filesystem::path> DefaultLibraryCandidates();
// The first of them that exists (UTF-8); the first of all when none does.
std::string DefaultLibraryPath();
// The country file when none is named (UTF-8): cty.dat beside the program (the release
// archive ships it), else the system's /usr/share/hamradio-files/cty.dat.
std::string DefaultCountryFilePath();

// The command line without the program's name, as UTF-8 text (on Windows taken from the
// wide command line, so any file name arrives whatever the system's code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);
bool StderrIsTerminal();
// Answers --help (the usage text) or --version (the program and this build's version) on
// standard output: true when it did, and the program ends there with success.
bool AnswerHelpOrVersion(bool help, bool version, const char* program, const std::string& usage);
// Standard output passes the module's texts byte for byte (no CR LF translation).
void SetBinaryStdout();
// Writes UTF-8 text to standard error; a Windows console gets it as wide text, so that
// names in any script read right.
void WriteError(std::string_view text);
// Sets the clock of the module loaded in this process to a UTC moment
// "YYYY-MM-DD HH:MM:SS" (the variable of platform/test_clock.h); the empty text gives it
// the real clock back.
void SetModuleClock(const std::string& moment);

}  // namespace zd::replay

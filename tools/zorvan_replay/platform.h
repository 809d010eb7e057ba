// What differs between the systems for the replay tool beyond the module itself (which
// the host boundary loads): the arguments as UTF-8 text and text on the terminal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zd::replay {

// The command line without the program's name, as UTF-8 text (on Windows taken from the
// wide command line, so any file name arrives whatever the system's code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);
bool StderrIsTerminal();
// Standard output passes the module's texts byte for byte (no CR LF translation).
void SetBinaryStdout();
// Writes UTF-8 text to standard error; a Windows console gets it as wide text, so that
// names in any script read right.
void WriteError(std::string_view text);

}  // namespace zd::replay

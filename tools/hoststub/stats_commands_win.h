// The stand-in as the contest module's host: it loads Stats.dll into its own process, calls
// its exports on its main thread as the host logger does, and acts on the module's windows
// the way the operator would. Tests watch the windows from their own process.
#pragma once

#include <functional>
#include <string>

#include "hoststub/commands.h"

namespace zd::hoststub {

// Registers the commands (see README.md); `record` writes one line to the record.
void AddStatsCommands(CommandTable& table, std::function<void(const std::string&)> record);

// Frees the module if it is still loaded (when the stand-in closes).
void UnloadStats();

}  // namespace zd::hoststub

// zorvan-replay: a stand-in for the host logger. It reads a contest log, resolves every
// worked station's DXCC prefix and continent from the country file, and drives the
// contest module through its exports in the host's order: ResetStats0, AddData0 once
// per QSO in log order, GetResult0.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "zorvan_replay/country_file.h"
#include "zorvan_replay/module_run.h"
#include "zorvan_replay/replay_log.h"

namespace zd::replay {

struct Options {
  std::string logPath;
  std::string call, prefix, continent;  // the own station; empty: from the log
  bool html = false;
  bool cabrillo = false;
  std::string workdir;  // empty: the current folder
  std::string libPath;  // empty: the module beside the program
  std::string ctyPath;  // empty: the default country file
  // The after-contest report (report_files.h): HTML page, QSO table, MASTER.SCP, language.
  std::string reportPath, csvPath, scpPath, lang;
  bool version = false;
  bool help = false;
};

// Parses the command line (without the program name). Returns the options, or empty
// with `error` set to a message for the user.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

struct OwnStation {
  std::string call, prefix, continent;
};

// The own station from the options, the log and the country file; empty with `error` set
// when the call, or its prefix and continent, cannot be found.
std::optional<OwnStation> ResolveOwnStation(const Options& options, const ReplayLog& log,
                                            const CountryFile& cty, std::string& error);

// The earliest and the latest QSO time of a log (the contest dates the host passes).
std::pair<double, double> ContestSpan(const ReplayLog& log);

// Runs the whole tool; returns the exit status. Exit statuses: 0 done, 1 a log, country
// file or folder that cannot be used, 2 a usage error, 3 a module that cannot be loaded.
int RunReplay(const std::vector<std::string>& args);

}  // namespace zd::replay

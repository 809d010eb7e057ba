// zorvan-replay: a stand-in for the host logger. It reads a contest log, resolves every
// worked station's DXCC prefix and continent from the country file, and drives the
// contest module through its exports in the host's order: ResetStats0, AddData0 once
// per QSO in log order, GetResult0. The module works in a folder of the replay's own
// (see work_folder.h), so an operator's files are never changed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zorvan_replay/country_file.h"
#include "zorvan_replay/module_run.h"
#include "zorvan_replay/replay_log.h"

namespace zd::replay {

struct Options {
  std::string logPath;
  std::string call, prefix, continent;  // the own station, upper case; empty: from the log
  bool html = false;
  bool cabrillo = false;
  std::string workdir;            // empty: a folder of the replay's own beside the log
  bool overwrite = false;         // work there even over files the replay did not write
  std::string settingsPath;       // the logger's ZORVAN-DIGI.ini (or its folder), only read
  std::string dgMode = "BPSK63";  // the mode of Cabrillo's DG QSOs
  std::string libPath;            // empty: the module beside the program
  std::string ctyPath;            // empty: cty.dat beside the program, then the system's
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

// The earliest and the latest QSO of a log (the contest dates the host passes).
std::pair<const LogQso*, const LogQso*> ContestSpan(const ReplayLog& log);

// The module's bad-QSO report of a contest that ends at `end`.
std::string BadQsoReportName(const UtcTime& end);
// The module's reason at the end of one of its bad-QSO report lines ("DUPE !!!").
std::string ReportReason(std::string_view line);
// True when a log's contest name (CONTEST: or CONTEST_ID) is this contest's.
bool IsThisContest(std::string_view name);
// One line that shows a QSO: its Cabrillo line, or its fields for ADIF and ADX.
std::string DescribeQso(const LogQso& qso);
// The first of `names` that is a file in `folder`; empty when none is.
std::optional<std::filesystem::path> FirstFileIn(const std::filesystem::path& folder,
                                                 const std::vector<std::filesystem::path>& names);

// Runs the whole tool; returns the exit status. Exit statuses: 0 done, 1 a log, country
// file or folder that cannot be used, 2 a usage error, 3 a module that cannot be loaded.
int RunReplay(const std::vector<std::string>& args);

}  // namespace zd::replay

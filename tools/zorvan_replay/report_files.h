// The after-contest report files of a replay (--report, --csv): what they need is
// checked before the replay starts, and they are written after the module's summary.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "zorvan_replay/module_run.h"
#include "zorvan_replay/report_html.h"

namespace zd::replay {

struct ReportRequest {
  std::string htmlPath, csvPath;     // absolute; empty: not asked for
  std::string scpPath;               // absolute; empty: no MASTER.SCP check
  std::optional<Language> language;  // empty: as the module speaks to the operator
  std::unordered_set<std::string> knownCalls;

  bool Wanted() const { return !htmlPath.empty() || !csvPath.empty(); }
};

// "en" or "ru"; empty for anything else.
std::optional<Language> ParseLanguage(const std::string& text);

// Makes the paths absolute (the replay works in its own folder) and reads the MASTER.SCP
// file. Empty with `error` set when a file cannot be used or would overwrite the log.
std::optional<ReportRequest> PrepareReport(const std::string& html, const std::string& csv,
                                           const std::string& scp, const std::string& language,
                                           const std::string& logPath, std::string& error);

struct ReportContest {
  std::string ownCall, ownPrefix, ownContinent;
  std::string logName;
  bool exportPass = false;
};

// Analyses the run and writes the files; the module's settings and special-call list are
// read from the current folder, where the module worked. Returns false with `error` set
// when a file cannot be written.
bool WriteReports(const ReportRequest& request, const ReportContest& contest,
                  const std::vector<HostQso>& qsos, const ModuleRun& run, std::string& error);

}  // namespace zd::replay

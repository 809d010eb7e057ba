// Scoring a submitted log with the module itself, the way the host replays a log: one
// contest reset for the station, every QSO in log order, then the result. The module
// keeps one contest for the whole process and writes its files (the bad-QSO report,
// Plugins/ZORVAN-DIGI.ini) in the current folder, so the scorer works in a scratch
// folder of its own and scores one log at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host_boundary/stats_module.h"
#include "zorvan_check/check_types.h"
#include "zorvan_check/log_store.h"

namespace zd::check {

// The totals of the module's text summary.
struct ModuleTotals {
  bool ok = false;  // the summary could be read
  int64_t qsos = 0, points = 0, dxcc = 0, regions = 0, dupes = 0, badQsos = 0, score = 0;
  int64_t Multipliers() const { return dxcc + regions; }
};

// Reads the totals out of the module's text summary.
ModuleTotals ParseSummary(std::string_view text);

class LogScorer {
 public:
  // Creates `scratchFolder` and makes it the current folder until the scorer is gone.
  // Throws std::runtime_error when the folder cannot be used.
  LogScorer(const host::Exports& module, const std::string& scratchFolder);
  ~LogScorer();
  LogScorer(const LogScorer&) = delete;
  LogScorer& operator=(const LogScorer&) = delete;

  // The log as claimed; records in every QSO what the module did with it.
  ModuleTotals ScoreClaimed(StationLog& log, const StringPool& pool, CountryCache& countries);
  // The log with only the QSOs whose `keep` entry is non-zero.
  ModuleTotals ScoreKept(const StationLog& log, const std::vector<char>& keep,
                         const StringPool& pool, CountryCache& countries);

 private:
  ModuleTotals Run(const StationLog& log, const std::vector<char>* keep, const StringPool& pool,
                   CountryCache& countries, StationLog* record);

  const host::Exports& module_;
  std::string previousFolder_;
};

}  // namespace zd::check

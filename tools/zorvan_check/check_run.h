// zorvan-check: the organisers' cross-check of every submitted log of a contest.
// Reads the logs folder, scores each log with the module as claimed, matches every QSO
// against the other station's log, scores each log again without the QSOs the check
// removes, applies the penalties, and publishes the results into the output folder.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "zorvan_check/check_types.h"
#include "zorvan_check/log_scorer.h"
#include "zorvan_check/log_store.h"
#include "zorvan_check/matcher.h"
#include "zorvan_check/scoring_pool.h"

namespace zd::check {

struct Options {
  std::string logsFolder, outFolder;
  CheckSettings settings;
  std::string libPath;  // empty: the module beside the program
  std::string ctyPath;  // empty: the default country file
  bool keepScratch = false;
  int workers = 0;  // processes scoring with the module; 0: one per core
  bool quiet = false;
  bool version = false, help = false;
};

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);
std::string UsageText();

// The name of a finding class on the command line ("busted-call").
std::string_view FindingOption(Finding f);

// One station's result.
struct StationResult {
  ModuleTotals claimed;  // the module's result of the log as sent
  ModuleTotals checked;  // the module's result without the removed QSOs
  std::array<int, kFindingCount> counts{};
  int removed = 0;            // QSOs left out of the checked score
  int64_t penaltyPoints = 0;  // points taken off for the findings
  int64_t finalScore = 0;     // (checked points - penalty points) x checked multipliers
};

struct CheckOutcome {
  ContestLogs contest;
  CrossCheckResult cross;
  std::vector<StationResult> stations;  // per log
  CheckSettings settings;
};

// The points one QSO earns by the contest's rules (its point class and band): what a
// penalty of one QSO costs.
int QsoPoints(std::string_view ownPrefix, std::string_view ownContinent, std::string_view prefix,
              std::string_view continent, std::string_view band);

// Which QSOs of a log stay in its checked score under the settings.
std::vector<char> KeptQsos(const std::vector<Outcome>& outcomes, const CheckSettings& settings);

// Everything but reading and publishing: scores, cross-check, penalties. `scoring` runs
// the module in its scratch folders; `countries` resolves the worked calls.
// `progress`, when given, hears of each step as it ends.
using Progress = std::function<void(const std::string&)>;
CheckOutcome CheckContest(ContestLogs contest, const CheckSettings& settings, ScoringPool& scoring,
                          CountryCache& countries, const Progress& progress = {});

// Runs the whole tool; returns the exit status: 0 done (also when some logs could not be
// read), 1 a folder or country file that cannot be used, 2 a usage error, 3 a module
// that cannot be loaded.
int RunCheck(const std::vector<std::string>& args);

}  // namespace zd::check

// Small contests written by hand for the cross-check's tests: logs built in memory the
// way the replay's readers hand them over, and a country file of a few entities.
#pragma once

#include <string>
#include <vector>

#include "host_boundary/stats_module.h"
#include "zorvan_check/log_store.h"
#include "zorvan_replay/country_file.h"

namespace zd::check::testing {

// One QSO line: "HH:MM band mode call exchange-received exchange-sent".
struct Line {
  std::string time;  // "12:03" on 16 March 2024
  std::string band, mode, call, exchRcvd, exchSent;
};

const replay::CountryFile& SmallCountryFile();
// The real country file and the built module, loaded once for the tests that need them.
const replay::CountryFile& FullCountryFile();
const host::Exports& TheModule();
replay::ReplayLog MakeLog(const std::string& own, const std::vector<Line>& lines);
// Adds the logs to a contest in the given order.
ContestLogs MakeContest(const std::vector<replay::ReplayLog>& logs);

}  // namespace zd::check::testing

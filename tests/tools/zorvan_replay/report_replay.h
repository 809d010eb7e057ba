// Logs replayed through the built module the way zorvan-replay replays them for its
// report: contest reset, then for every QSO the call check at the QSO's time and
// AddData0, the module's summary at every new clock hour, and the analysis of it all.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host_boundary/stats_module.h"
#include "support/files.h"
#include "zorvan_replay/analysis.h"
#include "zorvan_replay/country_file.h"

namespace zd::replay::test {

// One ADIF record of R3DZV on 16 March 2024 (the time "HHMMSS"), 599 both ways, "MO" sent.
std::string Adif(const std::string& call, const std::string& time, const std::string& band,
                 const std::string& mode, const std::string& rcvd, const std::string& sent = "MO");

// A country file of a few entities: DL, UA (R, U), UA9 (R9, R0, UA9), UA2, K, JA.
const CountryFile& SmallCountryFile();

struct Replayed {
  ReplayLog log;
  AnalysisInput in;  // its QSOs point into `log`
  ModuleRun run;
  Analysis a;
  std::unordered_set<std::string> knownCalls;
};

class ModuleReplay : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // Replays the records (ADIF, without header) with R3DZV (UA, EU) as the own station, in
  // a fresh folder whose Plugins\call_special.dat holds `specialCalls` when not empty.
  std::unique_ptr<Replayed> Replay(const std::string& records, const CountryFile& cty,
                                   const std::string& specialCalls = {},
                                   const std::vector<std::string>& knownCalls = {});

  static std::unique_ptr<host::StatsModule> module_;
};

}  // namespace zd::replay::test

// The organisers' cross-check of a whole contest, end to end: reading the logs folder,
// scoring every log with the module as claimed and as checked (one scoring process per
// core), matching and publishing. Contests of 300 and 3,000 simulated logs (about 500
// QSO lines each) are written once before the timing starts.
//   BM_CheckContest/N  seconds for N logs; counters: logs, QSO lines, peak memory of this
//                      process and of its largest scoring worker (MiB)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "host_boundary/stats_module.h"
#include "zorvan_check/check_run.h"
#include "zorvan_check/publish.h"
#include "zorvan_check/simulator.h"
#include "zorvan_replay/replay_platform.h"

namespace {

namespace fs = std::filesystem;
using namespace zd::check;

// The simulated contests' folders, removed when the program ends.
struct Folders : std::map<int, std::string> {
  ~Folders() {
    std::error_code ec;
    for (const auto& [logs, folder] : *this) fs::remove_all(folder, ec);
  }
};

// The logs folder of a simulated contest with about `logs` logs, made once.
const std::string& ContestFolder(int logs) {
  static Folders folders;
  auto& folder = folders[logs];
  if (folder.empty()) {
    folder = (fs::temp_directory_path() /
              ("zorvan-check-bench-" + std::to_string(std::random_device{}()) + "-" +
               std::to_string(logs)))
                 .string();
    SimSettings s;
    s.seed = 7;
    s.stations = logs * 11 / 10;  // a tenth of the stations send no log
    s.noLogShare = 0.09;
    s.linesPerStation = 500;
    SimulateContest(s, folder + "/logs");
  }
  return folder;
}

void BM_CheckContest(benchmark::State& state) {
  const std::string& folder = ContestFolder(static_cast<int>(state.range(0)));
  static const zd::replay::CountryFile cty =
      zd::replay::CountryFile::Load(zd::replay::DefaultCountryFilePath());
  std::string error;
  static const auto module = zd::host::StatsModule::Load(zd::replay::DefaultLibraryPath(), error);
  if (!module) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::size_t logs = 0, lines = 0;
  for (auto _ : state) {
    ContestLogs contest = ReadLogsFolder(folder + "/logs", cty);
    logs = contest.logs.size();
    lines = 0;
    for (const StationLog& l : contest.logs) lines += l.qsos.size();
    CountryCache countries(cty);
    CheckOutcome outcome;
    {
      ScoringPool scoring(module->exports(), folder + "/out/.module-work", CoreCount());
      outcome = CheckContest(std::move(contest), CheckSettings{}, scoring, countries);
    }
    Publish(outcome, folder + "/out");
    fs::remove_all(folder + "/out");
  }
  rusage self{}, children{};
  getrusage(RUSAGE_SELF, &self);
  getrusage(RUSAGE_CHILDREN, &children);
  state.counters["logs"] = static_cast<double>(logs);
  state.counters["qso_lines"] = static_cast<double>(lines);
  state.counters["peak_MiB"] = static_cast<double>(self.ru_maxrss) / 1024.0;
  state.counters["worker_peak_MiB"] = static_cast<double>(children.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_CheckContest)
    ->Arg(300)
    ->Arg(3000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

// zorvan-replay end to end, as an operator runs it after the contest, on logs of N QSOs:
//   BM_Replay/N   the plain replay: read the log, resolve every call in the country file,
//                 replay it through the module, print the summary
//   BM_Report/N   the same with --report and --csv: the call check before every QSO, the
//                 module's summary at every hour, the analysis, the HTML page and the CSV
// N = 1658 is the bundled sample log; the other sizes are synthetic 48-hour logs of the
// same kind of stations. The tool's output goes to /dev/null, its files to a temporary
// folder. Built by the release preset: build/release/bin/zorvan-report-bench.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/contest_rules.h"
#include "zorvan_replay/replay.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSampleSize = 1658;

fs::path Folder() {
  static const fs::path folder = [] {
    const fs::path f = fs::temp_directory_path() / ("zorvan-report-bench-" + std::to_string(getpid()));
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

struct Station {
  const char* head;  // how its calls begin
  const char* exchange;  // the region its calls imply, or empty for a serial number
};
// Russian stations send the region their call implies; the others a serial number.
constexpr Station kStations[] = {
    {"RA3D", "MO"}, {"RA1A", "SP"}, {"RA9U", "KE"}, {"RA6A", "KR"}, {"RA4S", "MR"},
    {"DL1", ""},    {"OK1", ""},    {"SP5", ""},    {"UT7", ""},    {"G4", ""},
    {"IK2", ""},    {"EA3", ""},    {"K1", ""},     {"JA1", ""},    {"LY2", ""},
    {"YO3", ""},    {"HA5", ""},    {"VK2", ""},    {"OH2", ""},    {"PY2", ""},
};

std::string Field(const char* name, const std::string& value) {
  return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
}

// A 48-hour log of n QSOs from 16 March 2024 12:00 UTC: runs of 40 QSOs on one band and
// mode, about a quarter as many stations as QSOs, each worked on several bands and modes.
std::string SyntheticLog(int n) {
  std::string out = "synthetic contest log\n<EOH>\n";
  const int stations = std::max(1, n / 4);
  const double step = 48.0 * 3600.0 / n;
  for (int i = 0; i < n; ++i) {
    const int second = static_cast<int>(i * step);
    const int day = 16 + (12 * 3600 + second) / 86400;
    const int inDay = (12 * 3600 + second) % 86400;
    char date[16], time[16];
    std::snprintf(date, sizeof date, "202403%02d", day);
    std::snprintf(time, sizeof time, "%02d%02d%02d", inDay / 3600, inDay / 60 % 60, inDay % 60);
    const int run = i / 40;
    const zd::BandRule& band = zd::kBands[static_cast<std::size_t>((run * 7 + inDay / 3600) % 6)];
    const bool psk = run % 2 == 1;
    const int k = (i * 7919) % stations;
    const Station& s = kStations[k % std::size(kStations)];
    std::string suffix;
    for (int rest = k / static_cast<int>(std::size(kStations)), j = 0; j < 2; ++j, rest /= 26) {
      suffix += static_cast<char>('A' + rest % 26);
    }
    const std::string call = s.head + suffix + (k >= 20 * 676 ? std::to_string(k / (20 * 676)) : "");
    const std::string exch = *s.exchange ? s.exchange : std::to_string(1 + i % 3000);
    out += Field("CALL", call) + Field("QSO_DATE", date) + Field("TIME_ON", time) +
           Field("BAND", std::string(band.text)) + Field("MODE", psk ? "PSK" : "RTTY") +
           (psk ? Field("SUBMODE", "PSK63") : "") + Field("RST_SENT", "599") +
           Field("RST_RCVD", "599") + Field("STX_STRING", "MO") + Field("SRX_STRING", exch) +
           Field("STATION_CALLSIGN", "R3DZV") + "<EOR>\n";
  }
  return out;
}

std::string LogOf(int n) {
  if (n == kSampleSize) return ZD_SAMPLE_LOG;
  const fs::path path = Folder() / ("log-" + std::to_string(n) + ".adi");
  if (!fs::exists(path)) std::ofstream(path, std::ios::binary) << SyntheticLog(n);
  return path.string();
}

// Runs the tool with its standard output and error sent to /dev/null.
int Quietly(const std::vector<std::string>& args) {
  std::fflush(stdout);
  std::fflush(stderr);
  const int out = dup(1), err = dup(2);
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  dup2(null, 2);
  const int status = zd::replay::RunReplay(args);
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(out, 1);
  dup2(err, 2);
  close(null);
  close(out);
  close(err);
  return status;
}

void Run(benchmark::State& state, bool report) {
  const int n = static_cast<int>(state.range(0));
  const std::string log = LogOf(n);
  const fs::path folder = Folder() / (std::string(report ? "report-" : "replay-") + std::to_string(n));
  std::vector<std::string> args = {"--cty", ZD_CTY_FILE, "--workdir", (folder / "work").string()};
  if (report) {
    args.insert(args.end(), {"--report", (folder / "report.html").string(), "--csv",
                             (folder / "qsos.csv").string()});
  }
  args.push_back(log);
  for (auto _ : state) {
    if (Quietly(args) != 0) {
      state.SkipWithError("zorvan-replay failed");
      return;
    }
  }
  state.counters["QSOs"] = n;
  if (report) {
    state.counters["report_bytes"] = static_cast<double>(fs::file_size(folder / "report.html"));
  }
}

void BM_Replay(benchmark::State& state) { Run(state, false); }
void BM_Report(benchmark::State& state) { Run(state, true); }

BENCHMARK(BM_Replay)->Arg(kSampleSize)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Report)->Arg(kSampleSize)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(Folder(), ec);
  return 0;
}

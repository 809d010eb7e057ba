// Benchmarks of the exports the host calls most, on synthetic contest logs of N QSOs:
//   BM_AddData0/N    logging one more QSO when the log holds N
//   BM_CheckCall0/N  checking a call as it is typed against a log of N
//   BM_GetResult0/N  the text summary of a log of N
//   BM_LogMemory/N   heap and resident memory per stored QSO (counters)
// The module is loaded from beside the program, as the host loads it; its files go to
// a temporary folder.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/contest_rules.h"
#include "host_boundary/host_calls.h"

namespace {

using zd::kBands;
using zd::host::Exports;
using zd::host::StatsModule;

constexpr const char* kOwnCall = "R3DZV";
constexpr std::size_t kContestModes = 2;  // RTTY and BPSK63: the first two of zd::kModes

struct Prefix {
  const char* prefix;  // as the host passes it
  const char* head;    // how calls of it begin
  const char* continent;
};
// A third of the stations are Russian, as in a real log of this contest.
constexpr Prefix kPrefixes[] = {
    {"UA", "RA", "EU"}, {"UA", "UA", "EU"}, {"UA9", "RA9", "AS"}, {"DL", "DL", "EU"},
    {"OK", "OK", "EU"}, {"SP", "SP", "EU"}, {"UR", "UT", "EU"},   {"G", "G", "EU"},
    {"I", "IK", "EU"},  {"EA", "EA", "EU"}, {"K", "K", "NA"},     {"JA", "JA", "AS"},
    {"LY", "LY", "EU"}, {"YO", "YO", "EU"}, {"HA", "HA", "EU"},   {"VK", "VK", "OC"},
    {"OH", "OH", "EU"}, {"UN", "UN", "AS"}, {"PY", "PY", "SA"},   {"ZS", "ZS", "AF"},
};
constexpr std::size_t kPrefixCount = std::size(kPrefixes);
constexpr const char* kRegions[] = {"MO", "SP", "KA", "CB", "TO", "NS", "KE", "MA", "LO", "RA"};

using zd::host::Qso;

// The i-th QSO of a log of n: every station is worked on three band-mode slots, and
// one QSO in a hundred repeats the one before (a dupe).
Qso MakeQso(std::size_t i, std::size_t n) {
  const std::size_t stations = std::max<std::size_t>(1, n / 3);
  if (i > 0 && i % 100 == 0) {
    Qso q = MakeQso(i - 1, n);
    q.time.date += 1.0 / 86400.0;
    return q;
  }
  const std::size_t k = (i * 7919) % stations + (i / stations / 12) * stations;
  const std::size_t slot = (i / stations + k) % 12;
  const Prefix& p = kPrefixes[k % kPrefixCount];
  std::size_t rest = k / kPrefixCount;
  std::string suffix;
  for (int j = 0; j < 3; ++j, rest /= 26) suffix += static_cast<char>('A' + rest % 26);
  Qso q;
  q.ownCall = kOwnCall;
  q.call = std::string(p.head) + std::to_string(rest % 10) + suffix;
  if (rest >= 10) q.call += std::to_string(rest / 10);  // keeps every station distinct
  const bool russian = p.prefix[0] == 'U' && p.prefix[1] == 'A';
  q.exchSent = "MO";
  q.exchRcvd = russian ? kRegions[k % std::size(kRegions)] : std::to_string(1 + i % 2000);
  q.band = kBands[slot % kBands.size()].text;
  q.freqHz = kBands[slot % kBands.size()].workingHz;
  q.mode = zd::kModes[slot / kBands.size()].text;
  q.prefix = p.prefix;
  q.continent = p.continent;
  q.time = zd::host::ValidTime(45367.5 + static_cast<double>(i) / static_cast<double>(n + 1));
  return q;
}

class Host {
 public:
  static Host& Get() {
    static Host host;
    return host;
  }
  const Exports& x() const { return module_->exports(); }

  // A log of exactly the n standard QSOs (built anew when the log holds anything else).
  void EnsureLog(std::size_t n) {
    if (loaded_ == n) return;
    Reset();
    for (std::size_t i = 0; i < n; ++i) Add(MakeQso(i, n));
    loaded_ = n;
  }
  void Reset() {
    zd::host::Reset r;
    r.pathPrefix = ".\\";
    r.ownCall = kOwnCall;
    r.start = zd::host::ValidTime(45367.5);
    r.end = zd::host::ValidTime(45368.5);
    r.ownPrefix = "UA";
    r.ownContinent = "EU";
    zd::host::ResetContest(x(), r);
    loaded_ = static_cast<std::size_t>(-1);
  }
  int Add(const Qso& q) { return zd::host::AddQso(x(), q); }
  void Touched() { loaded_ = static_cast<std::size_t>(-1); }

 private:
  Host() {
    // The module's report and settings files go to a folder of their own.
    char dir[] = "/tmp/zorvan-bench-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) {
      std::perror("zorvan-bench: temporary folder");
      std::exit(1);
    }
    workdir_ = dir;
    std::string error;
    module_ = StatsModule::Load(zd::host::ModuleBesideProgram(), error);
    if (!module_) {
      std::fprintf(stderr, "zorvan-bench: %s\n", error.c_str());
      std::exit(1);
    }
  }
  ~Host() {
    module_.reset();
    std::error_code ec;
    std::filesystem::remove_all(workdir_, ec);
  }
  std::unique_ptr<StatsModule> module_;
  std::string workdir_;
  std::size_t loaded_ = static_cast<std::size_t>(-1);
};

long ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

// Bytes in use on the heap, large blocks (mapped on their own) included.
std::size_t HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

// Runs first, on a fresh heap: what a log of N costs in memory.
void BM_LogMemory(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  Host& host = Host::Get();
  std::vector<Qso> qsos;
  qsos.reserve(n);
  for (std::size_t i = 0; i < n; ++i) qsos.push_back(MakeQso(i, n));
  for (auto _ : state) {
    host.Reset();
    malloc_trim(0);
    const long rss0 = ResidentBytes();
    const std::size_t heap0 = HeapBytes();
    for (const Qso& q : qsos) host.Add(q);
    const long rss1 = ResidentBytes();
    const std::size_t heap1 = HeapBytes();
    state.counters["heap_B_per_qso"] = static_cast<double>(heap1 - heap0) / static_cast<double>(n);
    state.counters["rss_B_per_qso"] = static_cast<double>(rss1 - rss0) / static_cast<double>(n);
    host.Touched();
  }
}
BENCHMARK(BM_LogMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_AddData0(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  Host& host = Host::Get();
  host.EnsureLog(n);
  // QSOs beyond the first n of the same log: new station-slot pairs, with its dupes.
  std::vector<Qso> more;
  const std::size_t extra = static_cast<std::size_t>(state.max_iterations);
  more.reserve(extra);
  for (std::size_t i = 0; i < extra; ++i) more.push_back(MakeQso(n + i, n));
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(host.Add(more[i++]));
  host.Touched();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddData0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(2000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_CheckCall0(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  Host& host = Host::Get();
  host.EnsureLog(n);
  // Calls as the operator types them: stations of the log on every band and mode, and
  // one in four not worked yet.
  std::vector<zd::host::Check> typed;
  for (std::size_t i = 0; i < 4096; ++i) {
    const Qso q = MakeQso((i * 104729) % n, n);
    zd::host::Check c;
    c.call = q.call;
    if (i % 4 == 3) c.call += "X";
    c.band = kBands[i % kBands.size()].text;
    c.secondBand = c.band;
    c.mode = zd::kModes[(i / kBands.size()) % kContestModes].text;
    c.prefix = q.prefix;
    c.continent = q.continent;
    c.region = q.exchRcvd;
    typed.push_back(std::move(c));
  }
  const Exports& x = host.x();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(zd::host::CheckCall(x, typed[i++ & 4095]).code);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckCall0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_GetResult0(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  Host& host = Host::Get();
  host.EnsureLog(n);
  int status = 0;
  for (auto _ : state) benchmark::DoNotOptimize(host.x().GetResult0(&status));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GetResult0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

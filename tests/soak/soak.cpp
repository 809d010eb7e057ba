// Soak: replays a long contest through the exports (a call check at every keystroke of
// every call, removals, dupes, a result after every tenth QSO) while a second thread
// reads what the windows read, and reports the latency percentiles of each export and
// the peak memory. Fails when a result disagrees with the log or an export breaks.
//
// Usage: zd_soak [QSOS] (default 20000; `make soak` runs 200000)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/contest_rules.h"
#include "host_boundary/host_calls.h"
#include "module/module.h"
#include "support/host_qso.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Latencies {
  const char* name;
  std::vector<double> micros;
  void Add(Clock::time_point start) {
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  void Print() {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) {
      return micros[static_cast<size_t>(q * static_cast<double>(micros.size() - 1))];
    };
    std::printf("%-12s %9zu calls  p50 %9.2f us  p99 %9.2f us  max %10.2f us\n", name,
                micros.size(), at(0.5), at(0.99), micros.back());
  }
};

using zd::host::Qso;

// A QSO of one of three kinds of station on a random band in one of the two modes.
Qso MakeQso(std::mt19937& rng, int i) {
  Qso q;
  q.ownCall = "UA3AAA";
  q.exchSent = "MO";
  const int kind = static_cast<int>(rng() % 3);
  const int n = static_cast<int>(rng() % 4000);
  if (kind == 0) {
    q.call = "UA" + std::to_string(1 + n % 9) + static_cast<char>('A' + n % 26) +
             static_cast<char>('A' + (n / 26) % 26);
    q.prefix = "UA";
    q.continent = "EU";
    q.exchRcvd = (rng() % 50 == 0) ? "XX" : "MO";
  } else if (kind == 1) {
    q.call = "DL" + std::to_string(n % 10) + static_cast<char>('A' + n % 26) +
             static_cast<char>('A' + (n / 7) % 26);
    q.prefix = "DL";
    q.continent = "EU";
    q.exchRcvd = std::to_string(1 + i % 9999);
  } else {
    q.call = "W" + std::to_string(n % 10) + static_cast<char>('A' + n % 26) +
             static_cast<char>('A' + (n / 3) % 26) + "X";
    q.prefix = "W";
    q.continent = "NA";
    q.exchRcvd = std::to_string(1 + i % 9999);
  }
  const zd::BandRule& band = zd::kBands[rng() % zd::kBands.size()];
  q.band = band.text;
  q.freqHz = band.workingHz;
  q.mode = zd::kModes[rng() % 2].text;  // RTTY or BPSK63
  q.time = zd::host::ValidTime(45000.0 + i / 1440.0 / 4.0);
  return q;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "soak: %s\n", what);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  const int total = argc > 1 ? std::atoi(argv[1]) : 20000;
  const auto dir = std::filesystem::temp_directory_path() / "zd-soak";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "Plugins");
  std::filesystem::current_path(dir);

  const zd::host::Exports stats = zd::host::LinkedExports();
  zd::host::ResetContest(stats, zd::test::HostReset("UA3AAA", "UA"));

  // The second thread reads what the status windows read, several thousand times a second.
  std::atomic<bool> running{true};
  std::atomic<long> reads{0};
  std::thread windows([&] {
    zd::Contest& contest = zd::TheModule().contest();
    zd::WorkedLists& worked = zd::TheModule().worked();
    std::mt19937 rng(7);
    while (running.load()) {
      const int index = static_cast<int>(rng() % 18);
      volatile size_t sink = worked.Entities(index).size() + worked.Regions(index).size();
      const auto call = contest.QsosOf(rng() % 2 ? "DL1AB" : "");
      sink = sink + call.qsos.size() + static_cast<size_t>(contest.BandChangeCount()) +
             contest.LogSize();
      (void)sink;
      reads.fetch_add(1);
      // A refresh per keystroke is a high rate for a window; a thread that never lets go
      // of the lock would measure the lock, not the exports.
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });

  Latencies add{"AddData0", {}}, remove{"RemoveData0", {}}, check{"CheckCall0", {}},
      result{"GetResult0", {}};
  std::mt19937 rng(2024);
  std::vector<Qso> logged;
  logged.reserve(static_cast<size_t>(total));
  const auto began = Clock::now();
  for (int i = 0; i < total; ++i) {
    Qso q = (i % 30 == 29 && !logged.empty()) ? logged[rng() % logged.size()] : MakeQso(rng, i);
    q.time = zd::host::ValidTime(45000.0 + i / 1440.0 / 4.0);
    zd::host::Check typed;
    typed.mode = q.mode;
    typed.prefix = q.prefix;
    typed.continent = q.continent;
    typed.region = "MO";
    typed.band = q.band;
    for (size_t len = 1; len <= q.call.size(); ++len) {
      typed.call = q.call.substr(0, len);
      const auto t = Clock::now();
      const int r = zd::host::CheckCall(stats, typed).code;
      check.Add(t);
      if (r != 0 && r != 1 && r != 2) Fail("CheckCall0 result");
    }
    auto t = Clock::now();
    if (zd::host::AddQso(stats, q) != 1) Fail("AddData0 refused a valid QSO");
    add.Add(t);
    logged.push_back(q);
    if (i % 50 == 49) {
      const size_t k = rng() % logged.size();
      t = Clock::now();
      if (zd::host::RemoveQso(stats, logged[k]) != 1) Fail("RemoveData0 refused");
      remove.Add(t);
      logged.erase(logged.begin() + static_cast<long>(k));
    }
    if (i % 10 == 9) {
      int status = 0;
      t = Clock::now();
      const char* text = stats.GetResult0(&status);
      result.Add(t);
      if (status != -1 || !text) Fail("GetResult0");
      // The summary's total never exceeds what is logged.
      long long qsos = -1;
      if (const char* p = std::strstr(text, "\r\nTotal\t "))
        std::sscanf(p, "\r\nTotal\t %lld", &qsos);
      if (qsos < 0 || qsos > static_cast<long long>(logged.size())) Fail("summary total");
    }
    if (isatty(2) && i % 1000 == 0) std::fprintf(stderr, "\r%d/%d", i, total);
  }
  running.store(false);
  windows.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
  if (zd::TheModule().contest().LogSize() != logged.size())
    Fail("log size differs from what was logged");

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("soak: %d QSOs in %.1f s, %ld window-thread reads, peak memory %.1f MiB\n", total,
              seconds, reads.load(), static_cast<double>(usage.ru_maxrss) / 1024.0);
  check.Print();
  add.Print();
  remove.Print();
  result.Print();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return 0;
}

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

#include "engine/module.h"
#include "engine/stats_exports.h"

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

const char* const kBands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
const unsigned kFreqs[] = {1830000, 3580000, 7040000, 14080000, 21080000, 28080000};
const char* const kModes[] = {"RTTY", "BPSK63"};

struct Qso {
  std::string call, prefix, continent, exch;
  int band, mode;
  ZdHostDateTime time;
};

Qso MakeQso(std::mt19937& rng, int i) {
  Qso q;
  const int kind = static_cast<int>(rng() % 3);
  const int n = static_cast<int>(rng() % 4000);
  if (kind == 0) {
    q.call = "UA" + std::to_string(1 + n % 9) + static_cast<char>('A' + n % 26) +
             static_cast<char>('A' + (n / 26) % 26);
    q.prefix = "UA";
    q.continent = "EU";
    q.exch = (rng() % 50 == 0) ? "XX" : "MO";
  } else if (kind == 1) {
    q.call = "DL" + std::to_string(n % 10) + static_cast<char>('A' + n % 26) +
             static_cast<char>('A' + (n / 7) % 26);
    q.prefix = "DL";
    q.continent = "EU";
    q.exch = std::to_string(1 + i % 9999);
  } else {
    q.call = "W" + std::to_string(n % 10) + static_cast<char>('A' + n % 26) +
             static_cast<char>('A' + (n / 3) % 26) + "X";
    q.prefix = "W";
    q.continent = "NA";
    q.exch = std::to_string(1 + i % 9999);
  }
  q.band = static_cast<int>(rng() % 6);
  q.mode = static_cast<int>(rng() % 2);
  q.time = {45000.0 + i / 1440.0 / 4.0, 0};
  return q;
}

int Add(const Qso& q,
        int (*fn)(const char*, const char*, ZdHostDateTime*, ZdHostDateTime*, ZdHostDateTime*,
                  ZdHostDateTime*, unsigned, unsigned, const char*, const char*, const char*,
                  const char*, const char*, const char*, const char*, const char*, const char*,
                  const char*, const char*, const char*, const char*, const char*, const char*, int,
                  int, int, double, double, const char*, const char*, const char*, const char*,
                  const char*)) {
  ZdHostDateTime t = q.time;
  return fn("UA3AAA", q.call.c_str(), &t, nullptr, nullptr, nullptr, 0, kFreqs[q.band],
            kModes[q.mode], "599", "599", "MO", q.exch.c_str(), "", "", "", "", "", "", "", "", "",
            q.prefix.c_str(), 0, 0, 0, 0, 0, "", q.continent.c_str(), "", kBands[q.band], "");
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

  ZdHostDateTime start{45000.0, 0}, end{45001.0, 0};
  ResetStats0("", 0, "UA3AAA", &start, &end, "", "", "", "", "", "", "", "", "", "UA", 0, 0, 0, 0,
              0, "", "EU", "");

  // The second thread reads what the status windows read, several thousand times a second.
  std::atomic<bool> running{true};
  std::atomic<long> reads{0};
  std::thread windows([&] {
    zd::Contest& contest = zd::TheModule().contest();
    std::mt19937 rng(7);
    while (running.load()) {
      const int index = static_cast<int>(rng() % 18);
      volatile size_t sink =
          contest.WorkedEntities(index).size() + contest.WorkedRegions(index).size();
      const auto rows = contest.RefreshBandRows(rng() % 2 ? "DL1AB" : "");
      sink = sink + rows[0][0].size() + static_cast<size_t>(contest.BandChangeCount()) +
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
    q.time = {45000.0 + i / 1440.0 / 4.0, 0};
    char exch[100], msg[100];
    for (size_t len = 1; len <= q.call.size(); ++len) {
      const std::string typed = q.call.substr(0, len);
      const auto t = Clock::now();
      const int r = CheckCall0(typed.c_str(), 0, 0, kModes[q.mode], "", "", "", "", "", "", "", "",
                               "", q.prefix.c_str(), 0, 0, 0, 0, 0, "", q.continent.c_str(), "", "",
                               "MO", kBands[q.band], nullptr, exch, msg);
      check.Add(t);
      if (r != 0 && r != 1 && r != 2) Fail("CheckCall0 result");
    }
    auto t = Clock::now();
    if (Add(q, AddData0) != 1) Fail("AddData0 refused a valid QSO");
    add.Add(t);
    logged.push_back(q);
    if (i % 50 == 49) {
      const size_t k = rng() % logged.size();
      t = Clock::now();
      if (Add(logged[k], RemoveData0) != 1) Fail("RemoveData0 refused");
      remove.Add(t);
      logged.erase(logged.begin() + static_cast<long>(k));
    }
    if (i % 10 == 9) {
      int status = 0;
      t = Clock::now();
      const char* text = GetResult0(&status);
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

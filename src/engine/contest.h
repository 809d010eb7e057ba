// The contest as the host's thread and the window thread share it: the log, the run's
// configuration that a contest reset sets, and the answers of the call check and the
// exchange check. One lock guards it all, because the window thread reads it while the
// host's thread changes it; the window thread only ever takes copies (snapshots). It
// reads no file, no setting and shows nothing: what a reset reads from the host's folder
// and the settings file is handed to it (module/export_work.h does that work).
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contest_rules.h"
#include "engine/qso_log.h"
#include "platform/ole_date.h"

namespace zd {

struct CheckArgs {  // what CheckCall0 reads
  std::string_view call, mode, prefix, continent, region, band;
  std::optional<std::string_view> secondBand{};  // absent when the host passed none
};

struct CheckResult {
  int code = 1;
  std::optional<std::string> exchange;  // to be written into the exchange buffer
  std::optional<std::string> message;   // to be written into the message buffer
};

struct ResetArgs {  // what ResetStats0 reads
  std::string_view pathPrefix;
  int newContest = 0;
  std::string_view ownCall;
  OleDateTime start, end;
  std::string_view ownPrefix, ownContinent;
};

// What a contest reset found in the host's folder and the settings file.
struct ResetReadings {
  std::optional<std::string> hostVersion;  // none: the version stays as it was
  int setupMast = 0;
  std::vector<std::string> specialCalls;
};

// The run a reset configured: the own station and the contest dates as the summary and the
// Cabrillo file show them.
struct ContestRun {
  std::string ownCall, ownPrefix, ownContinent;
  std::string startDayMonth, startYear, endDate;
  std::string hostVersion;
};

// The QSOs of a typed call, for the DXCC window's call-info table.
struct CallQsos {
  bool bandsNamed = false;  // the table names its bands once a reset has run
  std::vector<QsoRecord> qsos;
};

class Contest {
 public:
  // A contest reset: empties the log, takes the own station, the dates and what was read.
  void Reset(const ResetArgs& a, ResetReadings readings);
  // AddData0 and RemoveData0 on the log; `nowUtc` for the band changes of the hour.
  Acceptance Add(const QsoArgs& a, double nowUtc);
  struct Removal {
    bool found = false;
    bool logEmpty = false;
  };
  Removal Remove(const QsoArgs& a);
  CheckResult CheckCall(const CheckArgs& a, double nowUtc) const;
  int IsValidExchange(std::string_view exch, std::string_view call, std::string_view prefix) const;

  // Runs `work` on the log and the run under the lock (the result builds from them).
  template <typename Work>
  decltype(auto) WithLog(Work&& work) {
    std::lock_guard<std::mutex> lock(mutex_);
    return work(log_, static_cast<const ContestRun&>(run_));
  }

  // Snapshots for the window thread: copies taken under the lock.
  CallQsos QsosOf(std::string_view call) const;
  int BandChangeCount() const;
  void ResetBandChangeCount();
  std::vector<QsoRecord> LogSnapshot() const;
  std::size_t LogSize() const;
  std::string StartYear() const;
  std::string HostVersion() const;

  bool RussianText() const { return russianText_.load(); }
  bool SetupMast() const { return setupMast_.load() != 0; }
  void SetSetupMast(int value) { setupMast_.store(value); }
  // Set while a status refresh may be posted by the call check.
  std::atomic<int>& RefreshPending() { return refreshPending_; }

  // Read-only views for tests.
  std::vector<std::string> BandsUsed() const;
  std::vector<std::string> SpecialCalls() const;

 private:
  mutable std::mutex mutex_;
  QsoLog log_;
  ContestRun run_;
  std::vector<std::string> specialCalls_;
  bool resetSeen_ = false;

  std::atomic<int> setupMast_{0};
  std::atomic<bool> russianText_{false};
  std::atomic<int> refreshPending_{1};
};

}  // namespace zd

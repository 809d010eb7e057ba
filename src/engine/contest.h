// The contest state of one loaded module and the work of its exports. One object holds
// everything; its lock guards the log, the worked lists and the counters, because the
// window thread reads them while the host's thread changes them. No lock is held while
// a dialog, a message box or the window thread is waited for.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/contest_rules.h"
#include "engine/ole_date.h"
#include "platform/clock.h"
#include "platform/settings.h"
#include "platform/ui_bridge.h"
#include "reports/cabrillo.h"

namespace zd {

// One QSO of the log.
struct QsoRecord {
  std::string call;
  std::string prefix;  // the host's DXCC prefix; "IT9" and "IG9" are stored as "I"
  std::string continent;
  std::string band;
  std::string mode;
  std::string rstRcvd;
  std::string rstSent;
  std::string exchRcvd;
  std::string exchSent;
  std::string region;  // the received region code of a Russian station, else empty
  int32_t freqKHz = 0;
  int32_t notCounted = 0;
  int32_t badRegion = 0;
  int32_t dupe = 0;
  int32_t reserved = 0;
  OleDateTime qsoTime;
};

// Membership test of a vocabulary, ignoring the case of ASCII letters.
class ContestRules {
 public:
  constexpr ContestRules(const std::string_view* items, std::size_t count)
      : items_(items), count_(count) {}
  bool Contains(std::string_view text) const;
  // Index of the first element equal to `text` ignoring case, or -1.
  int IndexOf(std::string_view text) const;
  std::string_view operator[](std::size_t i) const { return items_[i]; }
  std::size_t size() const { return count_; }

 private:
  const std::string_view* items_;
  std::size_t count_;
};

extern const ContestRules kValidBands;  // the texts of kBands: band index 0 to 5
extern const ContestRules kValidModes;  // the texts of kModes: mode slot 0 to 2

// Index of a worked list, or -1 when the band or the mode has no column.
int WorkedListIndex(int band, int mode);

struct QsoArgs {  // what AddData0 and RemoveData0 read of their 33 arguments
  std::string_view ownCall, call;
  OleDateTime time;
  uint32_t freqHz = 0;
  std::string_view mode, rstSent, rstRcvd, exchSent, exchRcvd, prefix, continent, band;
};

struct CheckArgs {  // what CheckCall0 reads
  std::string_view call, mode, prefix, continent, region, band;
  std::optional<std::string_view> secondBand;  // absent when the host passed none
};

struct CheckResult {
  int code = 1;
  std::optional<std::string> exchange;  // to be written into the exchange buffer
  std::optional<std::string> message;   // to be written into the message buffer
};

struct ResetArgs {
  std::string_view pathPrefix;
  int newContest = 0;
  std::string_view ownCall;
  OleDateTime start, end;
  std::string_view ownPrefix, ownContinent;
};

// The per-band call-info table of the typed call: band, RTTY time, BPSK63 time, exchange.
using BandRow = std::array<std::string, 4>;
using BandRows = std::array<BandRow, kBandCount>;

class Contest {
 public:
  Contest(SettingsStore& settings, const Clock& clock, UiBridge& ui);

  // The exports' work.
  int AddData(const QsoArgs& a);
  int RemoveData(const QsoArgs& a);
  int ResetStats(const ResetArgs& a);
  CheckResult CheckCall(const CheckArgs& a);
  int IsValidExchange(std::string_view exch, std::string_view call, std::string_view prefix);
  // Scores the log; the returned text stays valid until the next call.
  const char* GetResult();
  void SetVersion() { versionSet_.store(true); }

  // Snapshots for the window thread: copies taken under the lock.
  std::vector<std::string> WorkedEntities(int index) const;
  std::vector<std::string> WorkedRegions(int index) const;
  // Fills the call-info table for a typed call from the log and returns a copy.
  BandRows RefreshBandRows(std::string_view call);
  BandRows GetBandRows() const;
  int BandChangeCount() const;
  void ResetBandChangeCount();
  std::vector<QsoRecord> LogSnapshot() const;
  std::size_t LogSize() const;

  bool RussianText() const { return russianText_.load(); }
  bool SetupMast() const { return setupMast_.load() != 0; }
  void SetSetupMast(int value) { setupMast_.store(value); }
  std::string StartYear() const;
  std::string HostVersion() const;
  std::atomic<int>& RefreshPending() { return refreshPending_; }

  // Read-only views for tests.
  std::string BadQsoFileName() const;
  std::vector<std::string> BandsUsed() const;
  std::vector<std::string> SpecialCalls() const;
  long long ClaimedScore() const;
  int BadQsoCount() const;
  bool NewContest() const;

 private:
  struct Key3 {
    std::string a, b, c;
    bool operator==(const Key3&) const = default;
  };
  struct Key3Hash {
    std::size_t operator()(const Key3& k) const;
  };

  void IndexAdd(const QsoRecord& r, uint32_t position);
  void IndexRemove(uint32_t position);
  void RebuildIndex();
  void PostRefreshIfWindow();

  SettingsStore& settings_;
  const Clock& clock_;
  UiBridge& ui_;
  mutable std::mutex mutex_;

  std::vector<QsoRecord> log_;
  // Positions of the QSOs of each call, in log order; counts of (band, mode, prefix) and
  // (band, mode, region): the call check and the duplicate test never walk the log.
  std::unordered_map<std::string, std::vector<uint32_t>> byCall_;
  std::unordered_map<Key3, int, Key3Hash> entityCount_;
  std::unordered_map<Key3, int, Key3Hash> regionCount_;

  int bandChangeCount_ = 0;
  std::vector<std::string> bandsUsed_;
  BandRows bandRows_{};
  std::array<std::vector<std::string>, kWorkedLists> workedEntities_{};
  std::array<std::vector<std::string>, kWorkedLists> workedRegions_{};
  std::vector<std::string> specialCalls_;
  std::string ownCall_, ownPrefix_, ownContinent_;
  std::string hostVersion_;
  std::string startDayMonth_, startYear_, endDate_;
  std::string badQsoFileName_;
  int startFlag_ = 0;
  bool newContest_ = false;
  std::string resultText_;
  long long claimedScore_ = 0;
  int badQsoCount_ = 0;
  CabrilloLog cabrillo_;

  std::atomic<int> setupMast_{0};
  std::atomic<bool> russianText_{false};
  std::atomic<bool> versionSet_{false};
  std::atomic<int> refreshPending_{1};
};

// The DXCC prefix a QSO is stored and scored with: the host's, except that "IT9" and
// "IG9" count as "I".
std::string StoredPrefix(std::string_view hostPrefix);
// ASCII upper case, then blanks trimmed on both sides: how a received region is read.
std::string NormalizeExchange(std::string_view exch);
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace zd

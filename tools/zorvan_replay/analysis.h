// The after-contest analysis of a replayed log: rates, multipliers, continents and the
// rule checks that the live windows only hint at, QSO by QSO. It takes the log as the
// host handed it to the module and what the module said about every QSO (module_run.h),
// and derives the rest from the log by the contest's rules (engine/contest_rules.h). It
// draws nothing: report_html.h renders it, and another tool may render it otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/contest_rules.h"
#include "zorvan_replay/module_run.h"
#include "zorvan_replay/module_summary.h"

namespace zd::replay {

struct AnalysisInput {
  std::string ownCall, ownPrefix, ownContinent;
  std::vector<HostQso> qsos;              // in log order, as handed to the module
  std::vector<QsoVerdict> verdicts;       // the module's word on each, same order
  std::optional<ModuleSummary> summary;   // the module's final summary
  std::vector<HourSummary> hourly;        // the module's summary at each new clock hour
  std::vector<std::string> specialCalls;  // the special-call list the module read
  // The calls of a super-check-partial file (MASTER.SCP); null: not checked.
  const std::unordered_set<std::string>* knownCalls = nullptr;
};

// What makes a QSO stand out; a QSO may carry several.
enum QsoFlag : uint32_t {
  kFlagRefused = 1u << 0,          // the module did not log it
  kFlagDupe = 1u << 1,             // logged as a duplicate: no points
  kFlagBadRegion = 1u << 2,        // a Russian station's exchange is not a region code
  kFlagModeTooSoon = 1u << 3,      // the module's waiting message: other mode, same band
  kFlagBandChanges = 1u << 4,      // the tenth or a later band change of its clock hour
  kFlagRegionNotCalls = 1u << 5,   // a region other than the one the call implies
  kFlagExchangeChanged = 1u << 6,  // the station's exchanges disagree
  kFlagNotInScp = 1u << 7,         // the call is not in the super-check-partial file
  kFlagNoCountry = 1u << 8,        // the country file does not know the call
};
inline constexpr int kFlagCount = 9;

struct QsoResult {
  int band = -1;         // index in kBands, -1 for a band text without a summary row
  int slot = 0;          // the multiplier slot of its mode (kModes[..].slot)
  bool counted = false;  // logged, not a dupe, not a bad region: it scores
  int points = 0;        // 0 unless counted
  bool newDxcc = false, newRegion = false;  // what it added to the multipliers
  std::string prefix;  // the DXCC prefix the module scores it with ("I" for IT9)
  std::string region;  // the region it counts for, empty for none
  int64_t second = 0;  // DateSeconds of its time
  int64_t hour = 0;    // its clock hour
  uint32_t flags = 0;
  // The earlier QSO that a dupe repeats, or that the same station was worked in with the
  // other mode on this band; -1 for none.
  int partner = -1;
  int bandChange = 0;         // the how-many-th band change of its hour it made; 0: none
  std::string impliedRegion;  // kFlagRegionNotCalls: the region the call implies
};

struct BandTotals {
  long long qsos = 0, points = 0, dxcc = 0, regions = 0, rtty = 0, bpsk63 = 0, dupes = 0;
};

// One clock hour of the contest.
struct HourRow {
  int64_t hour = 0;
  std::array<int, kBandCount> qsos{};          // counted QSOs per band
  std::array<long long, kBandCount> points{};  // their points
  int otherQsos = 0;                           // counted QSOs on a band without a row
  long long otherPoints = 0;
  int logged = 0;       // every QSO of the log in this hour, counted or not
  int bandChanges = 0;  // band changes between consecutive logged QSOs of this hour
  // At the end of the hour, over the whole contest so far.
  long long totalQsos = 0, totalPoints = 0, dxcc = 0, regions = 0, score = 0;
  bool fromModule = false;  // the totals are the module's own summary (else the log's)
};

struct RateWindow {
  int64_t start = 0;  // DateSeconds of the window's start
  int qsos = 0;
  long long points = 0;
};

struct Break {
  int64_t from = 0, to = 0;  // the two QSOs around it, DateSeconds
};

struct BandChangeHour {
  int64_t hour = 0;
  int changes = 0;
  std::vector<int> qsos;  // the QSOs that changed band, in order
};

struct ExchangeChange {
  std::string call;
  std::vector<int> qsos;
  bool regions = false;  // a Russian station sent more than one region (else: numbers)
};

struct UnknownCall {
  std::string call;
  std::vector<int> qsos;
};

struct ContinentRow {
  std::string continent;  // as the host gave it; empty: unknown
  long long qsos = 0, points = 0;
};

struct Analysis {
  std::vector<QsoResult> qsos;  // one per input QSO
  // Per band (kBands order) and the total over all bands, by the summary's rules.
  std::array<BandTotals, kBandCount> bands{};
  BandTotals total;
  long long score = 0;
  long long refused = 0, badRegions = 0;
  // Counted QSOs per band (and a seventh row for bands without one) and mode slot.
  std::array<std::array<long long, kModeSlots>, kBandCount + 1> modeSplit{};

  std::vector<HourRow> hours;  // every hour from the first QSO's to the last's
  bool hoursSparse = false;    // a log spread over more than a week: only hours with QSOs
  RateWindow best60, best10;   // by counted QSOs
  int64_t first = 0, last = 0, operating = 0;  // seconds
  std::vector<Break> breaks;                   // of 30 minutes or more

  // The multipliers worked on each band and mode slot, in the order first worked (the
  // module's worked lists): index band × kModeSlots + slot.
  std::array<std::vector<std::string>, kWorkedLists> dxcc, regions;
  std::vector<ContinentRow> continents;  // by QSOs, then name

  // The rule checks, each with the QSOs concerned (indices into `qsos`).
  std::vector<int> modeTooSoon, dupes, notCounted, regionNotCalls;
  std::vector<BandChangeHour> bandChangeHours;  // hours with kBandChangeLimit or more
  std::vector<ExchangeChange> exchangeChanges;
  std::vector<UnknownCall> unknownCalls;
  bool scpChecked = false;
};

// The band-change window turns red at this many changes in a clock hour.
inline constexpr int kBandChangeLimit = 10;
// A gap of this many seconds or more between two QSOs is a break.
inline constexpr int64_t kBreakSeconds = 30 * 60;

Analysis Analyse(const AnalysisInput& input);

// The calls of a super-check-partial file: one a line, '#' comments. Throws LogError when
// the file cannot be read or holds no call.
std::unordered_set<std::string> LoadKnownCalls(const std::string& path);

// The calendar time of DateSeconds, "YYYY-MM-DD HH:MM:SS".
std::string SecondsText(int64_t seconds);

}  // namespace zd::replay

// A simulated contest, the cross-check's ground truth: N stations (Russian ones sending
// the region their call implies, the others serial numbers) work each other on the six
// bands in both modes over 24 hours, and known errors go in at known rates: busted calls
// of every kind, wrong exchanges, steady clock errors, QSOs one side did not log,
// repeats, one-off stations, and stations that send no log. Every submitted log is
// written as a Cabrillo file or an ADIF file; what each of its QSO lines should be found
// to be is kept beside.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "zorvan_check/check_types.h"

namespace zd::check {

struct SimSettings {
  uint64_t seed = 1;
  int stations = 300;
  int linesPerStation = 200;  // QSO lines a station takes part in, on average
  double noLogShare = 0.10;   // stations that send no log
  double russianShare = 0.35;
  double nilRate = 0.02;             // contacts that one side did not log
  double bustedCallRate = 0.02;      // lines with a miscopied call
  double bustedExchangeRate = 0.02;  // lines with a miscopied exchange
  double dupeRate = 0.01;            // contacts worked again on the same band and mode
  double uniqueRate = 0.005;         // lines with a one-off station that sends no log
  double clockShare = 0.10;          // stations whose clock is 3 to 12 minutes off
  double adifShare = 0.20;           // logs written as ADIF
};

// How each busted call was made (for the tests' per-kind figures).
enum class BustKind : uint8_t { kNone, kChanged, kAdded, kDropped, kShift };

struct SimLine {
  Finding expected = Finding::kConfirmed;
  BustKind bust = BustKind::kNone;
};

struct SimContest {
  // Per submitting station (own call): its lines in the order of its log file.
  std::map<std::string, std::vector<SimLine>> truth;
  std::vector<std::string> files;  // the logs written
  int64_t lines = 0;
  int clockOffsetStations = 0;
};

// Writes the logs into `folder` (created when missing).
SimContest SimulateContest(const SimSettings& settings, const std::string& folder);

// A miscopy of a call of the given kind (the shift only where a character can shift);
// empty when the call has no such miscopy. `pick` chooses among the possibilities.
std::string MakeBust(const std::string& call, BustKind kind, uint64_t pick);

}  // namespace zd::check

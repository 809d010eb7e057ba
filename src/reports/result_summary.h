// The contest's scoring rules and the result summary. The score is a function of the
// log and the own station; the summary text is formatted from the figures, never the
// other way round.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contest_rules.h"
#include "engine/qso_log.h"

namespace zd {

struct BandFigures {
  std::string band;
  int bandIndex = 6;  // 0..5, or 6 for a band without a row
  long long qsos = 0, points = 0, dxcc = 0, regions = 0, rtty = 0, bpsk63 = 0, dupes = 0;
};

struct ScoreFigures {
  std::vector<BandFigures> bands;  // in the sorted band order; rows only for index < 6
  long long qsos = 0, points = 0, dxcc = 0, regions = 0, rtty = 0, bpsk63 = 0, dupes = 0;
  long long score = 0;
  long long lastQsoPoints = 0;
  long long hourQsos = 0, hourPoints = 0, tenMinQsos = 0, tenMinPoints = 0;
  // Rebuilt worked lists of the bands scored: index band × 3 + mode slot.
  std::array<std::vector<std::string>, kWorkedLists> workedEntities{}, workedRegions{};
  std::array<bool, kBandCount> bandRebuilt{};
};

// Sorts the band names the way the summary lists them: descending by their names
// left-padded with "0" to 20 characters (the six bands from 160m down to 10m).
void SortBandsForSummary(std::vector<std::string>& bands);

// Scores the log. `bands` is the sorted list of bands used; rates are computed unless
// this is an export pass.
ScoreFigures ScoreLog(const std::vector<QsoRecord>& log, const std::vector<std::string>& bands,
                      std::string_view ownPrefix, std::string_view ownContinent, bool exportPass);

struct SummaryHeader {
  std::string startDayMonth, endDate, ownCall;
  int badQsoCount = 0;
};

std::string FormatTextSummary(const ScoreFigures& f, const SummaryHeader& h);
std::string FormatHtmlSummary(const ScoreFigures& f, const SummaryHeader& h);

// Mode code of a Cabrillo QSO line.
std::string_view CabrilloModeCode(std::string_view mode);

extern const char kCreditLine[];

}  // namespace zd

// The module's result summary read back into figures: the text a host gets from
// GetResult0, in either of its two forms (the tab-separated text, or the HTML table of a
// host that announced its version). What the summary says is the module's word; the
// tools show these figures and check their own counts against them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd::replay {

struct SummaryRow {
  std::string band;  // "160m" ... "10m", or "Total"
  long long qsos = 0, points = 0, dxcc = 0, regions = 0, rtty = 0, bpsk63 = 0;
  bool operator==(const SummaryRow&) const = default;
};

struct ModuleSummary {
  std::string title;              // "ZORVAN DIGITAL 16.03-17.03.2024"
  std::string contestant;         // the own call
  std::vector<SummaryRow> bands;  // the band rows, in the summary's order
  SummaryRow total;
  long long dupes = 0, badQsos = 0, lastQsoPoints = 0;
  long long score = 0;  // points × (DXCC + regions), as the summary states it
  // The rates: the last hour's QSOs and points, and six times the last ten minutes'.
  long long hourQsos = 0, tenMinuteQsoRate = 0, hourPoints = 0, tenMinutePointRate = 0;
  bool operator==(const ModuleSummary&) const = default;
};

// The figures of a summary; empty when the text is not a summary of the module (a row
// is missing or a number cannot be read).
std::optional<ModuleSummary> ParseModuleSummary(std::string_view text);

}  // namespace zd::replay

// The cross-check proper: every QSO of every log against the other station's log.
//
// 1. Clock offsets. Each log's steady clock error is estimated from its QSOs that the
//    other station also logged (both calls, band and mode, within the widest search):
//    the median difference to the other stations' times, refined three times with the
//    other stations' own estimates, so that a station whose clock runs ten minutes fast
//    does not pull its partners along. Fewer than three such QSOs: no offset.
// 2. Exact matches: both calls, band and mode, times within the window after the
//    offsets; where several lines could pair, the nearest times pair first, and a line
//    the module counts before a dupe.
// 3. Near matches among what is left: one side logged a near call (or both did) at that
//    time on that band and mode. The side that logged the wrong call has a busted call;
//    the other side's QSO stands.
// 4. Classes: the module's dupes and refusals stay what the module says; a line with
//    the station's own call is its own class; a matched line with a busted call, or
//    whose copied exchange differs from what the other station sent, is busted; an
//    unmatched line is not in the other log when that station sent one, and otherwise
//    unique (its call in no other log and once in this one) or not checkable.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "zorvan_check/check_types.h"
#include "zorvan_check/log_store.h"

namespace zd::check {

struct CrossCheckResult {
  std::vector<std::vector<Outcome>> outcomes;  // per log, per QSO
  std::vector<int64_t> offsetSeconds;          // per log: its clock's steady error
  std::vector<int32_t> offsetSamples;          // per log: QSOs the offset rests on
};

CrossCheckResult CrossCheck(const ContestLogs& contest, const CheckSettings& settings);

// An exchange as the module reads it, for comparing what was copied with what was sent:
// blanks around it dropped and upper case; a serial number without its leading zeros.
std::string ExchangeAsRead(std::string_view text, bool region);

}  // namespace zd::check

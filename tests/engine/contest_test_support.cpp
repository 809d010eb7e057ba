#include "engine/contest_test_support.h"

#include <stdexcept>

#include "engine/ole_date.h"

namespace zd::test {

double Utc(int year, int month, int day, int hour, int minute, int second) {
  const auto date = DateFromCivil(year, month, day, hour, minute, second);
  if (!date) throw std::invalid_argument("no such calendar time");
  return *date;
}

OleDateTime At(int hour, int minute, int second) {
  return OleDateTime{Utc(2022, 3, 19, hour, minute, second), kDateValid};
}

QsoArgs Qso::Args() const {
  QsoArgs a;
  a.ownCall = ownCall;
  a.call = call;
  a.time = time;
  a.freqHz = freqHz;
  a.mode = mode;
  a.rstSent = rstSent;
  a.rstRcvd = rstRcvd;
  a.exchSent = exchSent;
  a.exchRcvd = exchRcvd;
  a.prefix = prefix;
  a.continent = continent;
  a.band = band;
  return a;
}

int ContestTest::DoReset(const Reset& r) {
  ResetArgs a;
  a.pathPrefix = r.pathPrefix;
  a.newContest = r.newContest;
  a.ownCall = r.ownCall;
  a.start = r.start;
  a.end = r.end;
  a.ownPrefix = r.ownPrefix;
  a.ownContinent = r.ownContinent;
  return contest.ResetStats(a);
}

}  // namespace zd::test

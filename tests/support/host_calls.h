// The exports called the way the host calls them: every argument position filled, the
// ones the module does not read with harmless values.
#pragma once

#include <cstdint>
#include <string>

#include "support/stats_library.h"

namespace zd::test {

// DATE (days since 30 December 1899) of a UTC calendar time.
inline double HostDate(int year, int month, int day, int hour, int minute, int second = 0) {
  // Days from 1 January 1970 (civil-from-days inverse, proleptic Gregorian).
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = static_cast<long>(era) * 146097 + doe - 719468;
  return 25569.0 + static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

inline ZdHostDateTime ValidDate(double date) { return ZdHostDateTime{date, 0}; }

struct Qso {
  std::string ownCall;
  std::string call;
  ZdHostDateTime time{0.0, 0};
  unsigned freqHz = 0;
  std::string mode;
  std::string rstSent = "599";
  std::string rstRcvd = "599";
  std::string exchSent;
  std::string exchRcvd;
  std::string prefix;
  std::string continent;
  std::string band;
};

inline int AddQso(const StatsExports& e, const Qso& q) {
  ZdHostDateTime time = q.time, other{0.0, 0};
  return e.AddData0(q.ownCall.c_str(), q.call.c_str(), &time, &other, &other, &other, 0, q.freqHz,
                    q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(),
                    q.exchRcvd.c_str(), "", "", "", "", "", "", "", "", "", q.prefix.c_str(), 0, 0,
                    0, 0.0, 0.0, "", q.continent.c_str(), "", q.band.c_str(), "");
}

inline int RemoveQso(const StatsExports& e, const Qso& q) {
  ZdHostDateTime time = q.time, other{0.0, 0};
  return e.RemoveData0(q.ownCall.c_str(), q.call.c_str(), &time, &other, &other, &other, 0,
                       q.freqHz, q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(),
                       q.exchSent.c_str(), q.exchRcvd.c_str(), "", "", "", "", "", "", "", "", "",
                       q.prefix.c_str(), 0, 0, 0, 0.0, 0.0, "", q.continent.c_str(), "",
                       q.band.c_str(), "");
}

struct Reset {
  std::string pathPrefix;  // "" searches the current folder for the host's ini
  int newContest = 0;
  std::string ownCall;
  ZdHostDateTime start{0.0, 0};
  ZdHostDateTime end{0.0, 0};
  std::string ownPrefix;
  std::string ownContinent;
};

inline int ResetContest(const StatsExports& e, const Reset& r) {
  ZdHostDateTime start = r.start, end = r.end;
  return e.ResetStats0(r.pathPrefix.c_str(), r.newContest, r.ownCall.c_str(), &start, &end, "", "",
                       "", "", "", "", "", "", "", r.ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, "",
                       r.ownContinent.c_str(), "");
}

}  // namespace zd::test

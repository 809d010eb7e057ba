// The exports' work called the way a test writes it: one QSO and one contest reset with
// plain defaults that a test changes field by field, and times on the contest's days.
#pragma once

#include <string>
#include <utility>

#include "engine/contest.h"
#include "platform/ole_date.h"
#include "support/qso_setters.h"

namespace zd::test {

// A DATE of a UTC calendar time.
double Utc(int year, int month, int day, int hour, int minute, int second = 0);
// A valid QSO time on 19 March 2022.
OleDateTime At(int hour, int minute, int second = 0);

// One QSO as the host passes it; the defaults are a plain RTTY QSO on 20m with DL1ABC.
struct Qso : QsoSetters<Qso> {
  std::string ownCall = "UA3DX";
  std::string call = "DL1ABC";
  OleDateTime time = At(12, 5);
  uint32_t freqHz = 14085000;
  std::string mode = "RTTY";
  std::string rstSent = "599", rstRcvd = "599";
  std::string exchSent = "001", exchRcvd = "002";
  std::string prefix = "DL", continent = "EU", band = "20m";

  QsoArgs Args() const {
    return {ownCall, call,     time,     freqHz, mode,      rstSent,
            rstRcvd, exchSent, exchRcvd, prefix, continent, band};
  }
  Qso& On(std::string b, std::string m) {
    band = std::move(b);
    mode = std::move(m);
    return *this;
  }
  Qso& Time(int hour, int minute, int second = 0) {
    time = At(hour, minute, second);
    return *this;
  }
};

// The arguments of a contest reset: UA3DX (UA, Europe), 19 March 2022 12:00 to 20 March
// 2022 11:59.
struct Reset {
  std::string pathPrefix;
  int newContest = 0;
  std::string ownCall = "UA3DX";
  OleDateTime start{Utc(2022, 3, 19, 12, 0), kDateValid};
  OleDateTime end{Utc(2022, 3, 20, 11, 59), kDateValid};
  std::string ownPrefix = "UA", ownContinent = "EU";

  ResetArgs Args() const {
    return {pathPrefix, newContest, ownCall, start, end, ownPrefix, ownContinent};
  }
};

}  // namespace zd::test

// Helpers of the contest tests: a private current folder per test (the module's files
// are all relative to it) and QSO records with plain defaults that a test changes field
// by field. The settings store and the user interface are those of support/fakes.h.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/contest.h"
#include "platform/clock.h"
#include "support/fakes.h"
#include "support/files.h"

namespace zd::test {

// A DATE of a UTC calendar time.
double Utc(int year, int month, int day, int hour, int minute, int second = 0);
// A valid QSO time on 19 March 2022.
OleDateTime At(int hour, int minute, int second = 0);

// One QSO as the host passes it; the defaults are a plain RTTY QSO on 20m with DL1ABC.
struct Qso {
  std::string ownCall = "UA3DX";
  std::string call = "DL1ABC";
  OleDateTime time = At(12, 5);
  uint32_t freqHz = 14085000;
  std::string mode = "RTTY";
  std::string rstSent = "599", rstRcvd = "599";
  std::string exchSent = "001", exchRcvd = "002";
  std::string prefix = "DL", continent = "EU", band = "20m";

  QsoArgs Args() const;
  Qso& Call(std::string c, std::string p, std::string cont) {
    call = std::move(c);
    prefix = std::move(p);
    continent = std::move(cont);
    return *this;
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
  Qso& Rcvd(std::string exch) {
    exchRcvd = std::move(exch);
    return *this;
  }
};

// The arguments of a contest reset; the defaults are those of ContestTest.
struct Reset {
  std::string pathPrefix;
  int newContest = 0;
  std::string ownCall = "UA3DX";
  OleDateTime start{Utc(2022, 3, 19, 12, 0), kDateValid};
  OleDateTime end{Utc(2022, 3, 20, 11, 59), kDateValid};
  std::string ownPrefix = "UA", ownContinent = "EU";
};

// A contest in a private folder, with the own station UA3DX (prefix UA, Europe) and a
// contest from 19 March 2022 12:00 to 20 March 2022 11:59; the clock stands at
// 19 March 2022 12:30 UTC.
class ContestTest : public ::testing::Test {
 protected:
  static constexpr const char* kReportName = "BadQSO_ZedevIzuverUzaz_20_03_2022.txt";

  int DoReset(const Reset& r = Reset{});
  int Add(const Qso& q) { return contest.AddData(q.Args()); }
  int Remove(const Qso& q) { return contest.RemoveData(q.Args()); }
  std::string Report() const { return ReadFileBytes(kReportName); }
  std::string Result() { return contest.GetResult(); }

  TempFolder folder;
  MemorySettings settings;
  ManualClock clock{Utc(2022, 3, 19, 12, 30)};
  RecordingUi ui;
  Contest contest{settings, clock, ui};
};

}  // namespace zd::test

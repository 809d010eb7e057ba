// Fixtures of the contest tests: the exports' work over a private current folder (the
// module's files are all relative to it), with the settings in memory or in the real
// settings file. QSOs and resets are those of support/contest_calls.h; the settings store
// and the user interface those of support/fakes.h.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "module/export_work.h"
#include "platform/clock.h"
#include "platform/portable/ini_store.h"
#include "support/contest_calls.h"
#include "support/fakes.h"
#include "support/files.h"

namespace zd::test {

using Strings = std::vector<std::string>;

// The header line of every bad-QSO report.
inline constexpr char kReportHeaderLine[] = "ZORVAN-DIGI UBN file \r\n";

// A contest in a private folder, with the own station UA3DX (prefix UA, Europe) and a
// contest from 19 March 2022 12:00 to 20 March 2022 11:59; the clock stands at
// 19 March 2022 12:30 UTC.
class ContestTest : public ::testing::Test {
 protected:
  static constexpr const char* kReportName = "BadQSO_ZedevIzuverUzaz_20_03_2022.txt";

  int DoReset(const Reset& r = Reset{}) { return work.ResetStats(r.Args()); }
  int Add(const Qso& q) { return work.AddData(q.Args()); }
  int Remove(const Qso& q) { return work.RemoveData(q.Args()); }
  std::string Report() const { return ReadFileBytes(kReportName); }
  std::string Result() { return work.GetResult(); }

  TempFolder folder;
  MemorySettings settings;
  ManualClock clock{Utc(2022, 3, 19, 12, 30)};
  RecordingUi ui;
  ExportWork work{settings, clock, ui};
  Contest& contest = work.contest();
  WorkedLists& worked = work.worked();
};

// The same reset in each test of the fixture.
class ResetContestTest : public ContestTest {
 protected:
  void SetUp() override { DoReset(); }
};

// A contest over the real settings file of a private host folder (with its Plugins
// folder) and no windows: the own station UA3AAA (UA, Europe), a contest from DATE 45000
// to 45001, the clock at `now`.
class ContestOnDisk : public ::testing::Test {
 protected:
  explicit ContestOnDisk(double now) : clock_(now) {}
  // A contest reset of this station; the host's ini files are searched at `pathPrefix`.
  int ResetOnDisk(std::string_view pathPrefix = "") {
    Reset r;
    r.pathPrefix = pathPrefix;
    r.ownCall = "UA3AAA";
    r.start = {45000.0, kDateValid};
    r.end = {45001.0, kDateValid};
    return work_.ResetStats(r.Args());
  }
  // A QSO of this station with DL1ABC on 20m RTTY at `date`, "MO" sent.
  static Qso QsoAt(double date, std::string call = "DL1ABC", std::string exchRcvd = "001") {
    Qso q;
    q.ownCall = "UA3AAA";
    q.call = std::move(call);
    q.time = {date, kDateValid};
    q.freqHz = 14080000;
    q.exchSent = "MO";
    q.exchRcvd = std::move(exchRcvd);
    return q;
  }
  int Add(const Qso& q) { return work_.AddData(q.Args()); }
  int Remove(const Qso& q) { return work_.RemoveData(q.Args()); }

  TempFolder folder_{TempFolder::kWithPlugins};
  IniStore settings_{"Plugins/ZORVAN-DIGI.ini", "Settings"};
  ManualClock clock_;
  HeadlessUi ui_;
  ExportWork work_{settings_, clock_, ui_};
  Contest& contest_ = work_.contest();
};

}  // namespace zd::test

// Removing the original of a duplicated QSO makes its first repeat score: an operator
// who edits a QSO (the host removes and adds it again) must not lose the station.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/contest_test_support.h"
#include "module/export_work.h"
#include "platform/portable/ini_store.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

class DupeAfterRemoval : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories("Plugins");
    ResetArgs r;
    r.ownCall = "UA3AAA";
    r.start = {45000.0, kDateValid};
    r.end = {45001.0, kDateValid};
    r.ownPrefix = "UA";
    r.ownContinent = "EU";
    work_.ResetStats(r);
  }
  static QsoArgs Qso(std::string_view call, double date, std::string_view exch = "001") {
    QsoArgs q;
    q.ownCall = "UA3AAA";
    q.call = call;
    q.time = {date, kDateValid};
    q.freqHz = 14080000;
    q.mode = "RTTY";
    q.rstSent = q.rstRcvd = "599";
    q.exchSent = "MO";
    q.exchRcvd = exch;
    q.prefix = "DL";
    q.continent = "EU";
    q.band = "20m";
    return q;
  }
  std::string Score() {
    const std::string text = work_.GetResult();
    const auto at = text.find("Score: ");
    return text.substr(at, text.find('\r', at) - at);
  }

  test::TempFolder folder_;
  IniStore settings_{"Plugins/ZORVAN-DIGI.ini", "Settings"};
  ManualClock clock_{45000.6};
  HeadlessUi ui_;
  ExportWork work_{settings_, clock_, ui_};
  Contest& contest_ = work_.contest();
};

TEST_F(DupeAfterRemoval, EditingTheOriginalKeepsOneCountedQso) {
  const QsoArgs first = Qso("DL1ABC", 45000.50);
  const QsoArgs repeat = Qso("DL1ABC", 45000.52);
  ASSERT_EQ(work_.AddData(first), 1);
  ASSERT_EQ(work_.AddData(repeat), 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
  // The host edits the first QSO: it removes it and adds the corrected one.
  ASSERT_EQ(work_.RemoveData(first), 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
  ASSERT_EQ(work_.AddData(Qso("DL1ABC", 45000.50, "002")), 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
  const auto log = contest_.LogSnapshot();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].dupe, 0);
  EXPECT_EQ(log[1].dupe, 1);
}

TEST_F(DupeAfterRemoval, RemovingARepeatLeavesTheOriginalAlone) {
  ASSERT_EQ(work_.AddData(Qso("DL1ABC", 45000.50)), 1);
  ASSERT_EQ(work_.AddData(Qso("DL1ABC", 45000.52)), 1);
  ASSERT_EQ(work_.AddData(Qso("DL1ABC", 45000.54)), 1);
  ASSERT_EQ(work_.RemoveData(Qso("DL1ABC", 45000.52)), 1);
  const auto log = contest_.LogSnapshot();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].dupe, 0);
  EXPECT_EQ(log[1].dupe, 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
}

TEST_F(DupeAfterRemoval, APromotedRepeatWithABadRegionStillDoesNotScore) {
  QsoArgs first = Qso("UA9XX", 45000.50, "NS");
  first.prefix = "UA9";
  first.continent = "AS";
  QsoArgs repeat = first;
  repeat.time = {45000.52, kDateValid};
  repeat.exchRcvd = "599";
  ASSERT_EQ(work_.AddData(first), 1);
  ASSERT_EQ(work_.AddData(repeat), 1);
  ASSERT_EQ(work_.RemoveData(first), 1);
  const auto log = contest_.LogSnapshot();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].dupe, 0);
  EXPECT_EQ(log[0].notCounted, 1);
  EXPECT_EQ(Score(), "Score: 0*(0+0) = 0");
}

}  // namespace
}  // namespace zd

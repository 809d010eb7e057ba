// Removing the original of a duplicated QSO makes its first repeat score: an operator
// who edits a QSO (the host removes and adds it again) must not lose the station.
#include <gtest/gtest.h>

#include "engine/contest_test_support.h"

namespace zd {
namespace {

class DupeAfterRemoval : public test::ContestOnDisk {
 protected:
  DupeAfterRemoval() : ContestOnDisk(45000.6) {}
  void SetUp() override { ResetOnDisk(); }
  std::string Score() {
    const std::string text = work_.GetResult();
    const auto at = text.find("Score: ");
    return text.substr(at, text.find('\r', at) - at);
  }
};

TEST_F(DupeAfterRemoval, EditingTheOriginalKeepsOneCountedQso) {
  const test::Qso first = QsoAt(45000.50);
  ASSERT_EQ(Add(first), 1);
  ASSERT_EQ(Add(QsoAt(45000.52)), 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
  // The host edits the first QSO: it removes it and adds the corrected one.
  ASSERT_EQ(Remove(first), 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
  ASSERT_EQ(Add(QsoAt(45000.50, "DL1ABC", "002")), 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
  const auto log = contest_.LogSnapshot();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].dupe, 0);
  EXPECT_EQ(log[1].dupe, 1);
}

TEST_F(DupeAfterRemoval, RemovingARepeatLeavesTheOriginalAlone) {
  ASSERT_EQ(Add(QsoAt(45000.50)), 1);
  ASSERT_EQ(Add(QsoAt(45000.52)), 1);
  ASSERT_EQ(Add(QsoAt(45000.54)), 1);
  ASSERT_EQ(Remove(QsoAt(45000.52)), 1);
  const auto log = contest_.LogSnapshot();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].dupe, 0);
  EXPECT_EQ(log[1].dupe, 1);
  EXPECT_EQ(Score(), "Score: 3*(1+0) = 3");
}

TEST_F(DupeAfterRemoval, APromotedRepeatWithABadRegionStillDoesNotScore) {
  test::Qso first = QsoAt(45000.50, "UA9XX", "NS");
  first.prefix = "UA9";
  first.continent = "AS";
  test::Qso repeat = first;
  repeat.time = {45000.52, kDateValid};
  repeat.exchRcvd = "599";
  ASSERT_EQ(Add(first), 1);
  ASSERT_EQ(Add(repeat), 1);
  ASSERT_EQ(Remove(first), 1);
  const auto log = contest_.LogSnapshot();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].dupe, 0);
  EXPECT_EQ(log[0].notCounted, 1);
  EXPECT_EQ(Score(), "Score: 0*(0+0) = 0");
}

}  // namespace
}  // namespace zd

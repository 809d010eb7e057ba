// The cross-check on small hand-made contests: each finding class, the ambiguous cases
// (both sides busted, a station logged by several, one pair on several bands and modes,
// clocks that run off by different amounts) and the near-call rules.
#include "zorvan_check/matcher.h"

#include <gtest/gtest.h>

#include "check_test_support.h"
#include "zorvan_check/near_call.h"
#include "zorvan_check/simulator.h"

namespace zd::check {
namespace {

using testing::Line;
using testing::MakeContest;
using testing::MakeLog;

// The finding of each QSO of a log, in log order.
std::vector<Finding> FindingsOf(const CrossCheckResult& r, std::size_t log) {
  std::vector<Finding> out;
  for (const Outcome& o : r.outcomes[log]) out.push_back(o.finding);
  return out;
}

TEST(NearCall, OneCharacterChangedAddedOrDropped) {
  EXPECT_TRUE(IsNearCall("DL1ABC", "DL1ABD", false));   // changed
  EXPECT_TRUE(IsNearCall("DL1ABC", "DL1AABC", false));  // added
  EXPECT_TRUE(IsNearCall("DL1ABC", "DL1AB", false));    // dropped at the end
  EXPECT_TRUE(IsNearCall("DL1ABC", "L1ABC", false));    // dropped at the start
  EXPECT_FALSE(IsNearCall("DL1ABC", "DL1ABC", false));  // the same call
  EXPECT_FALSE(IsNearCall("DL1ABC", "DL1AXY", false));  // two changed
  EXPECT_FALSE(IsNearCall("DL1ABC", "DL1A", false));    // two dropped
  EXPECT_FALSE(IsNearCall("DL1ABC", "LD1ABC", false));  // swapped: two changes
}

TEST(NearCall, RttyShiftTurnsDigitsIntoTopRowLettersAndBack) {
  EXPECT_TRUE(IsShiftMiscopy("DL1ABC", "DLQABC"));   // 1 is Q
  EXPECT_TRUE(IsShiftMiscopy("UA3ABC", "7A3ABC"));   // a stray shift: U is 7
  EXPECT_TRUE(IsShiftMiscopy("R9WE", "ROWE"));       // 9 is O
  EXPECT_TRUE(IsShiftMiscopy("R9WE", "R923"));       // W and E after the shift
  EXPECT_TRUE(IsShiftMiscopy("RW1AB", "R21AB"));     // W is 2
  EXPECT_FALSE(IsShiftMiscopy("UT4WE", "UTRW3"));    // the run skips W: two shifts
  EXPECT_FALSE(IsShiftMiscopy("DL1ABC", "DLAABC"));  // A is no top-row letter
  EXPECT_FALSE(IsShiftMiscopy("DL1ABC", "DL1ABC"));
  // Only in RTTY, and then even where more than one character changed.
  EXPECT_TRUE(IsNearCall("UT4WE", "UTR23", true));
  EXPECT_FALSE(IsNearCall("UT4WE", "UTR23", false));
}

TEST(NearCall, TheSimulatorsMiscopiesAreNearTheirCalls) {
  const std::vector<std::string> calls = {"DL1ABC", "R9WE", "UA3QQ", "K1XX", "RW0A", "OK2PTE"};
  for (const std::string& call : calls) {
    for (uint64_t pick = 0; pick < 200; ++pick) {
      for (BustKind kind : {BustKind::kChanged, BustKind::kAdded, BustKind::kDropped}) {
        const std::string bust = MakeBust(call, kind, pick);
        if (!bust.empty()) {
          EXPECT_TRUE(IsNearCall(call, bust, false)) << call << " " << bust;
        }
      }
      const std::string shifted = MakeBust(call, BustKind::kShift, pick);
      ASSERT_FALSE(shifted.empty()) << call;
      EXPECT_TRUE(IsShiftMiscopy(call, shifted)) << call << " " << shifted;
    }
  }
}

TEST(CrossCheck, EachClassOnAHandMadeContest) {
  // R3DZV, DL1ABC and OK1XYZ send logs; K1AA does not.
  const auto contest = MakeContest({
      MakeLog("R3DZV", {{"12:00", "20m", "RTTY", "DL1ABC", "001", "MO"},  // confirmed
                        {"12:10", "20m", "RTTY", "OK1XYZ", "7", "MO"},    // not in OK1XYZ's log
                        {"12:20", "40m", "RTTY", "DL1ABD", "2", "MO"},    // DL1ABC meant
                        {"12:30", "40m", "BPSK63", "OK1XYZ", "9", "MO"},  // OK1XYZ sent 8
                        {"12:40", "20m", "BPSK63", "K1AA", "5", "MO"},    // no log, twice
                        {"12:50", "80m", "RTTY", "K1AA", "6", "MO"},
                        {"13:00", "80m", "BPSK63", "W9ZZZ", "4", "MO"},  // once anywhere
                        {"13:10", "80m", "RTTY", "R3DZV", "1", "MO"}}),  // itself
      MakeLog("DL1ABC", {{"12:01", "20m", "RTTY", "R3DZV", "MO", "1"},
                         {"12:21", "40m", "RTTY", "R3DZV", "MO", "2"},
                         {"12:41", "20m", "BPSK63", "K1AA", "5", "3"}}),
      MakeLog("OK1XYZ", {{"12:31", "40m", "BPSK63", "R3DZV", "mo ", "8"}}),
  });
  const CrossCheckResult r = CrossCheck(contest, CheckSettings{});
  EXPECT_EQ(FindingsOf(r, 0),
            (std::vector<Finding>{Finding::kConfirmed, Finding::kNotInLog, Finding::kBustedCall,
                                  Finding::kBustedExchange, Finding::kNotCheckable,
                                  Finding::kNotCheckable, Finding::kUnique, Finding::kOwnCall}));
  // The serial number 001 is the 1 that DL1ABC sent; a region is read in upper case
  // without blanks, as the module reads it.
  EXPECT_EQ(FindingsOf(r, 1), (std::vector<Finding>{Finding::kConfirmed, Finding::kConfirmed,
                                                    Finding::kNotCheckable}));
  EXPECT_EQ(FindingsOf(r, 2), (std::vector<Finding>{Finding::kConfirmed}));
  EXPECT_EQ(r.outcomes[0][2].meantLog, 1);
  EXPECT_EQ(r.outcomes[0][2].otherLog, 1);
  EXPECT_EQ(r.outcomes[0][2].otherQso, 1);
}

TEST(CrossCheck, BothSidesBustedAndTheOtherSideBustingMyCall) {
  const auto contest = MakeContest({
      MakeLog("R3DZV", {{"12:00", "20m", "RTTY", "DL1ABD", "1", "MO"},    // both busted
                        {"13:00", "20m", "RTTY", "OK1XYZ", "1", "MO"}}),  // OK1XYZ busted mine
      MakeLog("DL1ABC", {{"12:00", "20m", "RTTY", "R3DZQ", "MO", "1"}}),
      MakeLog("OK1XYZ", {{"13:01", "20m", "RTTY", "R3DZW", "MO", "1"}}),
  });
  const CrossCheckResult r = CrossCheck(contest, CheckSettings{});
  EXPECT_EQ(FindingsOf(r, 0), (std::vector<Finding>{Finding::kBustedCall, Finding::kConfirmed}));
  EXPECT_EQ(FindingsOf(r, 1), (std::vector<Finding>{Finding::kBustedCall}));
  EXPECT_EQ(FindingsOf(r, 2), (std::vector<Finding>{Finding::kBustedCall}));
  EXPECT_EQ(r.outcomes[2][0].meantLog, 0);
}

TEST(CrossCheck, OnePairOnSeveralBandsAndModesAndAStationLoggedBySeveral) {
  const auto contest = MakeContest({
      MakeLog("R3DZV", {{"12:00", "20m", "RTTY", "DL1ABC", "1", "MO"},
                        {"12:01", "20m", "BPSK63", "DL1ABC", "2", "MO"},
                        {"12:02", "40m", "RTTY", "DL1ABC", "3", "MO"}}),
      // DL1ABC has the BPSK63 QSO on 40 m, not 20 m: that one is not in its log.
      MakeLog("DL1ABC", {{"12:00", "20m", "RTTY", "R3DZV", "MO", "1"},
                         {"12:01", "40m", "BPSK63", "R3DZV", "MO", "2"},
                         {"12:02", "40m", "RTTY", "R3DZV", "MO", "3"},
                         {"12:05", "40m", "RTTY", "OK1XYZ", "1", "4"}}),
      MakeLog("OK1XYZ", {{"12:05", "40m", "RTTY", "DL1ABC", "4", "1"},
                         {"12:09", "40m", "RTTY", "R3DZV", "MO", "2"}}),
  });
  const CrossCheckResult r = CrossCheck(contest, CheckSettings{});
  EXPECT_EQ(FindingsOf(r, 0),
            (std::vector<Finding>{Finding::kConfirmed, Finding::kNotInLog, Finding::kConfirmed}));
  EXPECT_EQ(FindingsOf(r, 1), (std::vector<Finding>{Finding::kConfirmed, Finding::kNotInLog,
                                                    Finding::kConfirmed, Finding::kConfirmed}));
  EXPECT_EQ(FindingsOf(r, 2), (std::vector<Finding>{Finding::kConfirmed, Finding::kNotInLog}));
}

// A log whose clock runs `minutes` off: every QSO with each of eight partners.
std::vector<replay::ReplayLog> ClockContest(int offA, int offB) {
  const std::vector<std::string> others = {"DL1AA", "DL2BB", "DL3CC", "DL4DD",
                                           "OK1AA", "OK2BB", "OK3CC", "OK4DD"};
  auto at = [](int minute) {
    char t[16];
    std::snprintf(t, sizeof t, "%02d:%02d", 12 + minute / 60, minute % 60);
    return std::string(t);
  };
  std::vector<Line> a, b;
  std::vector<replay::ReplayLog> logs;
  for (std::size_t k = 0; k < others.size(); ++k) {
    const int m = 20 + static_cast<int>(k) * 5;
    a.push_back({at(m + offA), "20m", "RTTY", others[k], "1", "MO"});
    b.push_back({at(m + 1 + offB), "20m", "RTTY", others[k], "1", "2"});
    logs.push_back(MakeLog(others[k], {{at(m), "20m", "RTTY", "R3DZV", "MO", "1"},
                                       {at(m + 1), "20m", "RTTY", "UT5ZZ", "2", "1"}}));
  }
  // The two off-clock stations also work each other.
  a.push_back({at(70 + offA), "40m", "RTTY", "UT5ZZ", "3", "MO"});
  b.push_back({at(70 + offB), "40m", "RTTY", "R3DZV", "MO", "3"});
  logs.push_back(MakeLog("R3DZV", a));
  logs.push_back(MakeLog("UT5ZZ", b));
  return logs;
}

TEST(CrossCheck, SteadyClockErrorsAreFoundAndAllowedFor) {
  // R3DZV runs 10 minutes fast and UT5ZZ 7 minutes slow: 17 minutes apart, beyond even
  // the widest search, yet each is matched to everybody after the offsets.
  const auto contest = MakeContest(ClockContest(10, -7));
  const CrossCheckResult r = CrossCheck(contest, CheckSettings{});
  const std::size_t a = contest.logs.size() - 2, b = contest.logs.size() - 1;
  EXPECT_EQ(r.offsetSeconds[a], 600);
  EXPECT_EQ(r.offsetSeconds[b], -420);
  for (std::size_t log = 0; log < contest.logs.size(); ++log) {
    for (const Outcome& o : r.outcomes[log]) {
      EXPECT_EQ(o.finding, Finding::kConfirmed) << contest.pool[contest.logs[log].ownCall];
    }
  }
  // With a narrower search the 10 minutes are not found, and the QSOs are not in the logs.
  CheckSettings narrow;
  narrow.searchSeconds = 5 * 60;
  const CrossCheckResult n = CrossCheck(contest, narrow);
  EXPECT_EQ(n.offsetSeconds[a], 0);
  EXPECT_EQ(n.outcomes[a][0].finding, Finding::kNotInLog);
}

TEST(CrossCheck, TheCountedLinePairsBeforeTheDupeAndTheWindowIsASetting) {
  auto contest = MakeContest({
      MakeLog("R3DZV", {{"12:00", "20m", "RTTY", "DL1ABC", "1", "MO"},
                        {"12:02", "20m", "RTTY", "DL1ABC", "1", "MO"}}),
      MakeLog("DL1ABC", {{"12:02", "20m", "RTTY", "R3DZV", "MO", "1"},
                         {"12:10", "20m", "RTTY", "OK1XYZ", "5", "2"}}),
      MakeLog("OK1XYZ", {{"12:15", "20m", "RTTY", "DL1ABC", "2", "5"}}),
  });
  contest.logs[0].qsos[1].verdict = ModuleVerdict::kDupe;  // as the module says
  const CrossCheckResult r = CrossCheck(contest, CheckSettings{});
  EXPECT_EQ(FindingsOf(r, 0), (std::vector<Finding>{Finding::kConfirmed, Finding::kDupe}));
  EXPECT_EQ(r.outcomes[1][0].otherQso, 0);
  EXPECT_EQ(FindingsOf(r, 2), (std::vector<Finding>{Finding::kNotInLog}));  // 5 minutes apart
  CheckSettings wide;
  wide.windowSeconds = 5 * 60;
  EXPECT_EQ(FindingsOf(CrossCheck(contest, wide), 2), (std::vector<Finding>{Finding::kConfirmed}));
}

TEST(CrossCheck, ExchangesAreComparedAsTheModuleReadsThem) {
  EXPECT_EQ(ExchangeAsRead(" mo ", true), "MO");
  EXPECT_EQ(ExchangeAsRead("007", false), "7");
  EXPECT_EQ(ExchangeAsRead("000", false), "0");
  EXPECT_EQ(ExchangeAsRead("07", true), "07");  // a region is never a number
  EXPECT_EQ(ExchangeAsRead("12a", false), "12A");
}

}  // namespace
}  // namespace zd::check

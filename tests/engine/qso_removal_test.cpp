// Deleting QSOs: which record goes, what happens to the report lines, the band-change
// counter, the worked lists and the windows.
#include <gtest/gtest.h>

#include "engine/contest_test_support.h"

namespace zd::test {
namespace {

class Removal : public ResetContestTest {
 protected:
  Strings Calls() const {
    Strings calls;
    for (const QsoRecord& r : contest.LogSnapshot()) calls.push_back(r.call);
    return calls;
  }
};

TEST_F(Removal, RemovingTheOnlyQso) {
  Qso dl;
  Qso w = Qso{}.Call("W1AW", "W", "NA");
  w.band = "12m";
  ASSERT_EQ(Add(dl), 1);
  ASSERT_EQ(Add(w), 0);
  EXPECT_EQ(Remove(dl), 1);
  EXPECT_EQ(contest.LogSize(), 0u);
  EXPECT_TRUE(contest.BandsUsed().empty());
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) +
                          "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599  001  W1AW  599  002"
                          "   WRONG BAND !!!\r\n");
  // Removing from an empty log is still carried out.
  EXPECT_EQ(Remove(dl), 1);
}

TEST_F(Removal, TheTimeMustMatchButLinesGoByCallAndMinute) {
  Add(Qso{});              // 12:05, counted
  Add(Qso{}.Time(12, 7));  // 12:07, duplicate line
  Qso portable = Qso{}.Call("DL1ABC/P", "DL", "EU").Time(12, 7);
  portable.band = "30m";  // refused, line with 1207
  Add(portable);
  Qso refused = Qso{}.Time(12, 9);
  refused.band = "30m";
  Add(refused);  // refused, line with 1209
  Add(Qso{}.Call("W1AW", "W", "NA").Time(12, 7));

  // Same call, band and mode, but 30 seconds off: no record leaves the log, yet every
  // line holding the call and " 1207 " goes, the portable call's line included.
  EXPECT_EQ(Remove(Qso{}.Time(12, 7, 30)), 1);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"DL1ABC", "DL1ABC", "W1AW"}));
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) +
                          "QSO:  14085  RTTY  2022-03-19 1209  UA3DX  599  001  DL1ABC  599  002"
                          "   WRONG BAND !!!\r\n");
  // The refused QSO is not in the log; its line goes all the same.
  EXPECT_EQ(Remove(refused), 1);
  EXPECT_EQ(Report(), kReportHeaderLine);
  EXPECT_EQ(contest.LogSize(), 3u);
  // Another band or another mode is another QSO.
  EXPECT_EQ(Remove(Qso{}.On("40m", "RTTY")), 1);
  EXPECT_EQ(Remove(Qso{}.On("20m", "BPSK63")), 1);
  EXPECT_EQ(Remove(Qso{}.On("20M", "RTTY")), 1);
  EXPECT_EQ(contest.LogSize(), 3u);
  // The exact time takes the first matching record only.
  EXPECT_EQ(Remove(Qso{}.Time(12, 7)), 1);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"DL1ABC", "W1AW"}));
  EXPECT_EQ(contest.LogSnapshot()[0].qsoTime.date, At(12, 5).date);
}

TEST_F(Removal, TimesAreEqualByStatusAndValue) {
  Qso null = Qso{}.Call("DL2NUL", "DL", "EU");
  null.time = OleDateTime{123.0, kDateNull};
  Qso invalid = Qso{}.Call("DL3INV", "DL", "EU");
  invalid.time = OleDateTime{At(12, 5).date, kDateInvalid};
  Add(null);
  Add(invalid);
  Add(Qso{});

  Qso probe = Qso{};
  probe.time = OleDateTime{At(12, 5).date, kDateNull};  // same value, other status
  Remove(probe);
  Remove(invalid);  // an invalid time never equals anything
  EXPECT_EQ(Calls(), (std::vector<std::string>{"DL2NUL", "DL3INV", "DL1ABC"}));
  null.time.date = 456.0;  // two null times are equal whatever their values
  Remove(null);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"DL3INV", "DL1ABC"}));
}

TEST_F(Removal, OnlyAMissingExchangeIsRefused) {
  Add(Qso{});
  Add(Qso{}.Time(12, 6));  // leaves a duplicate line
  const std::string before = Report();
  Qso noSent = Qso{}.Time(12, 6);
  noSent.exchSent = "";
  Qso noRcvd = Qso{}.Time(12, 6);
  noRcvd.exchRcvd = "";
  EXPECT_EQ(Remove(noSent), 0);
  EXPECT_EQ(Remove(noRcvd), 0);
  EXPECT_EQ(contest.LogSize(), 2u);
  EXPECT_EQ(Report(), before);
}

TEST_F(Removal, ABadRegionQsoCanBeRemovedAndLoggedAgain) {
  Qso bad = Qso{}.Call("RA3BBB", "UA", "EU").Rcvd("599");
  ASSERT_EQ(Add(bad), 1);
  ASSERT_EQ(contest.LogSnapshot()[0].badRegion, 1);
  EXPECT_EQ(Remove(bad), 1);
  EXPECT_EQ(contest.LogSize(), 0u);
  EXPECT_EQ(Report(), kReportHeaderLine);
  // The corrected QSO is not a duplicate of the removed one.
  EXPECT_EQ(Add(bad.Rcvd("mo")), 1);
  const auto log = contest.LogSnapshot();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].dupe, 0);
  EXPECT_EQ(log[0].region, "MO");
  EXPECT_EQ(Report(), kReportHeaderLine);
}

TEST_F(Removal, TheReportIsRewrittenFromItsSecondLine) {
  Add(Qso{});
  WriteFileBytes(kReportName,
                 "an old first line\r\n"
                 "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599  001  DL1ABC  599  002   x\r\n"
                 "a line of another QSO\n"
                 "\r\n"
                 "last line without an end");
  EXPECT_EQ(Remove(Qso{}), 1);
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) +
                          "a line of another QSO\r\n"
                          "\r\n"
                          "last line without an end\r\n");
  // Nothing to drop: the header is written anew all the same.
  WriteFileBytes(kReportName, "x\r\nkept\r\n");
  EXPECT_EQ(Remove(Qso{}), 1);
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) + "kept\r\n");
  // A missing report is created with its header.
  std::filesystem::remove(kReportName);
  EXPECT_EQ(Remove(Qso{}), 1);
  EXPECT_EQ(Report(), kReportHeaderLine);
}

TEST_F(Removal, UndoesItsShareOfTheBandChangeCounter) {
  Qso q;
  Add(q.Call("DL1A", "DL", "EU").On("20m", "RTTY").Time(12, 5));
  Add(q.Call("DL2B", "DL", "EU").On("40m", "RTTY").Time(12, 6));
  Add(q.Call("DL3C", "DL", "EU").On("20m", "RTTY").Time(12, 7));
  ASSERT_EQ(contest.BandChangeCount(), 2);
  Remove(q);  // the last one: its predecessor was on 40m
  EXPECT_EQ(contest.BandChangeCount(), 1);
  Remove(Qso{}.Call("DL1A", "DL", "EU").Time(12, 5));  // the first one has no predecessor
  EXPECT_EQ(contest.BandChangeCount(), 1);
  Add(q.Call("DL4D", "DL", "EU").On("40m", "RTTY").Time(12, 8));
  ASSERT_EQ(contest.BandChangeCount(), 1);
  Remove(q);  // the predecessor is on the same band
  EXPECT_EQ(contest.BandChangeCount(), 1);
  // The counter does not go below zero.
  contest.ResetBandChangeCount();
  Add(q.Call("DL5E", "DL", "EU").On("80m", "RTTY").Time(11, 0));
  ASSERT_EQ(contest.BandChangeCount(), 0);
  Remove(q);
  EXPECT_EQ(contest.BandChangeCount(), 0);
}

TEST_F(Removal, EmptyingTheLogEmptiesTheWorkedColumnOfTheRemovedQso) {
  const int rtty20 = WorkedListIndex(3, 0), bpsk20 = WorkedListIndex(3, 1);
  Qso ra = Qso{}.Call("RA3AAA", "UA", "EU").Rcvd("MO");
  Add(ra);
  Add(Qso(ra).On("20m", "BPSK63").Time(12, 10));
  Result();
  ASSERT_EQ(worked.Regions(bpsk20), std::vector<std::string>{"MO"});
  Remove(ra);  // the log still holds the BPSK63 QSO: the lists wait for the next result
  EXPECT_EQ(worked.Entities(rtty20), std::vector<std::string>{"UA"});
  Remove(Qso(ra).On("20m", "BPSK63").Time(12, 10));
  EXPECT_TRUE(worked.Entities(bpsk20).empty());
  EXPECT_TRUE(worked.Regions(bpsk20).empty());
  EXPECT_TRUE(contest.BandsUsed().empty());

  Qso dl = Qso{}.On("15m", "RTTY");
  Add(dl);
  Result();
  ASSERT_EQ(worked.Entities(WorkedListIndex(4, 0)), std::vector<std::string>{"DL"});
  Remove(dl);
  EXPECT_TRUE(worked.Entities(WorkedListIndex(4, 0)).empty());
}

TEST_F(Removal, TellsTheWindows) {
  Qso ra = Qso{}.Call("RA3AAA", "UA", "EU").Rcvd("MO");
  Add(ra);
  Add(Qso{});

  // No control window: nothing is posted.
  Remove(ra);
  EXPECT_EQ(ui.refreshPosts, 0);

  ui.controlWindow = true;
  contest.RefreshPending().store(0);
  Remove(Qso{});
  EXPECT_EQ(ui.refreshPosts, 1);
  EXPECT_EQ(contest.RefreshPending().load(), 1);
  Remove(ra);  // no longer in the log: the refresh is posted all the same
  EXPECT_EQ(ui.refreshPosts, 2);

  // A refused removal tells nobody.
  Qso noSent = ra;
  noSent.exchSent = "";
  EXPECT_EQ(Remove(noSent), 0);
  EXPECT_EQ(ui.refreshPosts, 2);
}

}  // namespace
}  // namespace zd::test

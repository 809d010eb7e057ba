// Logging QSOs: refusals, the stored record, region checks, duplicates, the band-change
// counter and the lines they leave in the bad-QSO report.
#include <gtest/gtest.h>

#include "engine/contest_test_support.h"

namespace zd::test {
namespace {

using Acceptance = ResetContestTest;

TEST_F(Acceptance, RefusalsWriteOneLineAndStoreNothing) {
  Qso wrongBand;
  wrongBand.band = "12m";
  wrongBand.freqHz = 24920999;
  Qso wrongMode;
  wrongMode.mode = "CW";
  Qso noSent;  // the exchange received alone does not do
  noSent.exchSent = "";
  Qso noRcvd;
  noRcvd.exchRcvd = "";
  Qso both;  // a wrong band is reported before a wrong mode
  both.band = "2m";
  both.mode = "SSB";
  for (const Qso* q : {&wrongBand, &wrongMode, &noSent, &noRcvd, &both}) EXPECT_EQ(Add(*q), 0);

  EXPECT_EQ(contest.LogSize(), 0u);
  EXPECT_TRUE(contest.BandsUsed().empty());
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) +
                          "QSO:  24920  RTTY  2022-03-19 1205  UA3DX  599  001  DL1ABC  599  002"
                          "   WRONG BAND !!!\r\n"
                          "QSO:  14085  CW  2022-03-19 1205  UA3DX  599  001  DL1ABC  599  002"
                          "   WRONG MODE !!!\r\n"
                          "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599    DL1ABC  599  002"
                          "   NO RX NUMBER !!!\r\n"
                          "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599  001  DL1ABC  599  "
                          "   NO RX NUMBER !!!\r\n"
                          "QSO:  14085  SSB  2022-03-19 1205  UA3DX  599  001  DL1ABC  599  002"
                          "   WRONG BAND !!!\r\n");
}

TEST_F(Acceptance, StoresTheRecordAsTheHostGaveIt) {
  Qso q;
  q.Call("IT9ABC", "IT9", "EU").On("20M", "bpsk125");
  q.freqHz = 14099999;
  q.rstSent = "579";
  q.rstRcvd = "559";
  q.exchSent = "017";
  q.exchRcvd = " 42 ";
  EXPECT_EQ(Add(q), 1);
  Qso sicily = Qso{}.Call("IG9XYZ", "IG9", "AF");
  EXPECT_EQ(Add(sicily), 1);

  const auto log = contest.LogSnapshot();
  ASSERT_EQ(log.size(), 2u);
  const QsoRecord& r = log[0];
  // The texts as passed (only the membership test ignores the band's case), IT9 as I.
  EXPECT_EQ((Strings{r.call, r.prefix, r.continent, r.band, r.mode, r.rstSent, r.rstRcvd,
                     r.exchSent, r.exchRcvd, r.region}),
            (Strings{"IT9ABC", "I", "EU", "20M", "bpsk125", "579", "559", "017", " 42 ", ""}));
  EXPECT_EQ(r.freqKHz, 14099);  // the remainder of the Hz value is dropped
  EXPECT_EQ((std::vector<int32_t>{r.notCounted, r.badRegion, r.dupe}),
            (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(r.qsoTime.date, At(12, 5).date);
  EXPECT_EQ(log[1].prefix, "I");
  EXPECT_EQ(contest.BandsUsed(), (std::vector<std::string>{"20M", "20m"}));
  EXPECT_EQ(Report(), kReportHeaderLine);
}

TEST_F(Acceptance, TheHostTimeRecordIsCopiedWhateverItsStatus) {
  Qso invalid;
  invalid.time = OleDateTime{44639.5, kDateInvalid};
  Qso null = Qso{}.Call("DL2XYZ", "DL", "EU");
  null.time = OleDateTime{0.0, kDateNull};
  EXPECT_EQ(Add(invalid), 1);
  EXPECT_EQ(Add(null), 1);
  const auto log = contest.LogSnapshot();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].qsoTime.status, kDateInvalid);
  EXPECT_EQ(log[0].qsoTime.date, 44639.5);
  EXPECT_EQ(log[1].qsoTime.status, kDateNull);
  EXPECT_EQ(QsoHour(log[0].qsoTime), -1);
  // Both times appear in report lines as the host's record formats them.
  invalid.band = "11m";
  null.band = "11m";
  Add(invalid);
  Add(null);
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) +
                          "QSO:  14085  RTTY  Invalid DateTime  UA3DX  599  001  DL1ABC  599  002"
                          "   WRONG BAND !!!\r\n"
                          "QSO:  14085  RTTY    UA3DX  599  001  DL2XYZ  599  002"
                          "   WRONG BAND !!!\r\n");
}

TEST_F(Acceptance, RussianExchangesAreNormalisedOrRefused) {
  Qso lowerWithBlank = Qso{}.Call("RA9SAB", "UA9", "AS").Rcvd(" sp");
  Qso blanksAround = Qso{}.Call("RA3AAA", "UA", "EU").Rcvd("\tmo  ");
  Qso number = Qso{}.Call("RA3BBB", "UA", "EU").Rcvd("599");
  Qso unknown = Qso{}.Call("RA2FAA", "UA2", "EU").Rcvd("xx");
  Qso antarctica = Qso{}.Call("RI1ANZ", "CE9/KC4", "AN").Rcvd("an");
  Qso foreign = Qso{}.Call("DL1ABC", "DL", "EU").Rcvd("MO");
  for (const Qso* q : {&lowerWithBlank, &blanksAround, &number, &unknown, &antarctica, &foreign}) {
    EXPECT_EQ(Add(*q), 1) << q->call;
  }
  const auto log = contest.LogSnapshot();
  ASSERT_EQ(log.size(), 6u);
  struct Expect {
    const char* region;
    int notCounted, badRegion;
  };
  const Expect expected[] = {{"SP", 0, 0}, {"MO", 0, 0}, {"", 1, 1},
                             {"", 1, 1},   {"AN", 0, 0}, {"", 0, 0}};
  for (std::size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].region, expected[i].region) << log[i].call;
    EXPECT_EQ(log[i].notCounted, expected[i].notCounted) << log[i].call;
    EXPECT_EQ(log[i].badRegion, expected[i].badRegion) << log[i].call;
    EXPECT_EQ(log[i].dupe, 0) << log[i].call;
  }
  EXPECT_EQ(log[0].exchRcvd, " sp");  // the record keeps the exchange as entered
  EXPECT_EQ(Report(),
            std::string(kReportHeaderLine) +
                "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599  001  RA3BBB  599  599  599"
                "  Russland Code Area is not acceptable !!!\r\n"
                "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599  001  RA2FAA  599  xx  XX"
                "  Russland Code Area is not acceptable !!!\r\n");
}

TEST_F(Acceptance, DuplicatesAreStoredButDoNotCount) {
  EXPECT_EQ(Add(Qso{}), 1);
  EXPECT_EQ(Add(Qso{}.Time(12, 40)), 1);  // any time later: still a duplicate
  EXPECT_EQ(Add(Qso{}.Time(13, 0)), 1);   // a duplicate of a duplicate
  EXPECT_EQ(Add(Qso{}.On("20m", "BPSK63")), 1);
  EXPECT_EQ(Add(Qso{}.On("40m", "RTTY")), 1);
  EXPECT_EQ(Add(Qso{}.On("20M", "RTTY")), 1);  // the band text differs: not a duplicate
  EXPECT_EQ(Add(Qso{}.On("20m", "rtty")), 1);  // nor does a mode text in other case
  Qso other = Qso{}.Call("dl1abc", "DL", "EU");
  EXPECT_EQ(Add(other), 1);

  std::vector<int> dupes, notCounted;
  for (const QsoRecord& r : contest.LogSnapshot()) {
    dupes.push_back(r.dupe);
    notCounted.push_back(r.notCounted);
  }
  EXPECT_EQ(dupes, (std::vector<int>{0, 1, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(notCounted, dupes);
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) +
                          "QSO:  14085  RTTY  2022-03-19 1240  UA3DX  599  001  DL1ABC  599  002"
                          "   DUPE !!!\r\n"
                          "QSO:  14085  RTTY  2022-03-19 1300  UA3DX  599  001  DL1ABC  599  002"
                          "   DUPE !!!\r\n");
}

TEST_F(Acceptance, ARepeatedBadRegionQsoGetsBothLines) {
  Qso bad = Qso{}.Call("RA3BBB", "UA", "EU").Rcvd("77");
  EXPECT_EQ(Add(bad), 1);
  bad.Rcvd("MO");  // corrected exchange, but the call, band and mode repeat
  EXPECT_EQ(Add(bad.Time(12, 6)), 1);
  const auto log = contest.LogSnapshot();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].region, "MO");
  EXPECT_EQ(log[1].dupe, 1);
  EXPECT_EQ(log[1].notCounted, 1);
  EXPECT_EQ(log[1].badRegion, 0);
  bad.Rcvd("zz").Time(12, 7);
  EXPECT_EQ(Add(bad), 1);
  EXPECT_EQ(Report(), std::string(kReportHeaderLine) +
                          "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599  001  RA3BBB  599  77  77"
                          "  Russland Code Area is not acceptable !!!\r\n"
                          "QSO:  14085  RTTY  2022-03-19 1206  UA3DX  599  001  RA3BBB  599  MO"
                          "   DUPE !!!\r\n"
                          "QSO:  14085  RTTY  2022-03-19 1207  UA3DX  599  001  RA3BBB  599  zz  ZZ"
                          "  Russland Code Area is not acceptable !!!\r\n"
                          "QSO:  14085  RTTY  2022-03-19 1207  UA3DX  599  001  RA3BBB  599  zz"
                          "   DUPE !!!\r\n");
}

TEST_F(Acceptance, BandChangesAreCountedWithinTheCurrentHour) {
  // The clock stands at 12:30.
  Qso q;
  Add(q.Call("DL1A", "DL", "EU").On("20m", "RTTY").Time(12, 5));
  EXPECT_EQ(contest.BandChangeCount(), 0);
  Add(q.Call("DL2B", "DL", "EU").On("40m", "RTTY").Time(12, 10));
  EXPECT_EQ(contest.BandChangeCount(), 1);
  Add(q.Call("DL3C", "DL", "EU").On("20m", "BPSK63").Time(12, 15));
  EXPECT_EQ(contest.BandChangeCount(), 2);
  Add(q.Call("DL4D", "DL", "EU").On("20m", "RTTY").Time(12, 20));  // same band
  EXPECT_EQ(contest.BandChangeCount(), 2);
  // A refused QSO leaves the counter alone.
  EXPECT_EQ(Add(q.Call("DL5E", "DL", "EU").On("17m", "RTTY").Time(12, 25)), 0);
  EXPECT_EQ(contest.BandChangeCount(), 2);
  // A band text in other case is another band for the counter.
  Add(q.Call("DL6F", "DL", "EU").On("20M", "RTTY").Time(12, 26));
  EXPECT_EQ(contest.BandChangeCount(), 3);
  // The next hour starts again.
  clock.Set(Utc(2022, 3, 19, 13, 2));
  Add(q.Call("DL7G", "DL", "EU").On("40m", "RTTY").Time(13, 1));
  EXPECT_EQ(contest.BandChangeCount(), 0);
  Add(q.Call("DL8H", "DL", "EU").On("80m", "RTTY").Time(13, 2));
  EXPECT_EQ(contest.BandChangeCount(), 1);
}

TEST_F(Acceptance, ReplayedAndUntimedQsosLeaveTheCounterAtZero) {
  // The host replays a log from an earlier hour: the clock is at 12:30.
  Qso q;
  Add(q.Call("DL1A", "DL", "EU").On("20m", "RTTY").Time(10, 5));
  Add(q.Call("DL2B", "DL", "EU").On("40m", "RTTY").Time(10, 6));
  EXPECT_EQ(contest.BandChangeCount(), 0);
  Add(q.Call("DL3C", "DL", "EU").On("20m", "RTTY").Time(12, 1));
  Add(q.Call("DL4D", "DL", "EU").On("40m", "RTTY").Time(12, 2));
  EXPECT_EQ(contest.BandChangeCount(), 1);
  // A QSO whose time is not valid has hour -1: the counter starts again.
  q.Call("DL5E", "DL", "EU").On("20m", "RTTY").time = OleDateTime{At(12, 3).date, kDateInvalid};
  Add(q);
  EXPECT_EQ(contest.BandChangeCount(), 0);
  Add(q.Call("DL6F", "DL", "EU").On("40m", "RTTY").Time(12, 4));
  EXPECT_EQ(contest.BandChangeCount(), 0);
}

TEST(ContestState, BeforeTheFirstReset) {
  TempFolder folder;
  MemorySettings settings;
  ManualClock clock(Utc(2022, 3, 19, 12, 30));
  RecordingUi ui;
  ExportWork work(settings, clock, ui);
  Contest& contest = work.contest();
  EXPECT_EQ(contest.LogSize(), 0u);
  EXPECT_EQ(contest.RefreshPending().load(), 1);
  EXPECT_EQ(kSettingsPath, "Plugins\\ZORVAN-DIGI.ini");
  EXPECT_EQ(kSettingsSection, "Settings");
  EXPECT_EQ(work.BadQsoFileName(), "");
  // A QSO logged before any reset is stored; with no report file named, nothing is
  // written anywhere.
  EXPECT_EQ(work.AddData(Qso{}.Args()), 1);
  Qso wrong;
  wrong.band = "6m";
  EXPECT_EQ(work.AddData(wrong.Args()), 0);
  EXPECT_EQ(contest.LogSize(), 1u);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  EXPECT_FALSE(contest.QsosOf("DL1ABC").bandsNamed) << "the call-info table has no band names";
}

TEST(ContestRules, BandsAndModesIgnoreCase) {
  EXPECT_TRUE(kValidBands.Contains("10M"));
  EXPECT_TRUE(kValidBands.Contains("160m"));
  EXPECT_FALSE(kValidBands.Contains("160"));
  EXPECT_FALSE(kValidBands.Contains("12m"));
  EXPECT_FALSE(kValidBands.Contains(""));
  EXPECT_EQ(kValidBands.IndexOf("15M"), 4);
  EXPECT_TRUE(kValidModes.Contains("bpsk63"));
  EXPECT_TRUE(kValidModes.Contains("BPSK125"));
  EXPECT_EQ(kValidModes.IndexOf("Rtty"), 0);
  EXPECT_FALSE(kValidModes.Contains("BPSK31"));
  EXPECT_FALSE(kValidModes.Contains("RTTY "));
}

}  // namespace
}  // namespace zd::test

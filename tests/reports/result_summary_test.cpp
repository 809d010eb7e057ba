// The score and the result summary: points, multipliers per band and mode, the band
// order, the rates, the bad-QSO count, both text forms and the worked lists.
#include <gtest/gtest.h>

#include "engine/contest_test_support.h"

namespace zd::test {
namespace {

constexpr char kTextHead[] =
    "\t\tZORVAN DIGITAL 19.03-20.03.2022\r\n"
    "\t\t\tContestant: UA3DX \r\n"
    "\tQSOs\tPoints\tDXCC\tObl\tRTTY\tBPSK63\r\n";
constexpr char kTextCredit[] = "\r\nZORVAN-DIGI contest module";
constexpr char kHtmlHead[] =
    "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; "
    "border-collapse: collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ "
    "background-color: #fffac6; color: black; }</style></head><body>"
    "<center><b>   ZORVAN DIGITAL 19.03-20.03.2022</b></center>"
    "<center>Contestant:  <b>UA3DX</center></b><table>"
    "<tr><th>Band</th><th>QSOs</th><th>Points</th><th>DXCC</th><th>Obl</th><th>RTTY</th>"
    "<th>BPSK63</th></tr>";
constexpr char kHtmlFoot[] =
    "</table><h6 align=right>ZORVAN-DIGI contest module</h6></body></html>";

class Summary : public ResetContestTest {
 protected:
  // The twelve QSOs of a short run on 20m, 40m and 15m.
  void LogShortRun() {
    Add(Qso{}.Call("RA3AA", "UA", "EU").Rcvd("MO").Time(12, 0));
    Add(Qso{}.Call("DL1ABC", "DL", "EU").Time(12, 1));
    Add(Qso{}.Call("W1AW", "W", "NA").Time(12, 2));
    Add(Qso{}.Call("RA3AA", "UA", "EU").Rcvd("MO").On("40m", "RTTY").Time(12, 3));
    Add(Qso{}.Call("DL1ABC", "DL", "EU").On("40m", "RTTY").Time(12, 4));
    Add(Qso{}.Call("W1AW", "W", "NA").On("40m", "RTTY").Time(12, 5));
    Add(Qso{}.Call("DL2XYZ", "DL", "EU").On("20m", "BPSK63").Time(12, 6));
    Add(Qso{}.Call("DL2XYZ", "DL", "EU").Time(12, 7));
    Add(Qso{}.Call("DL1ABC", "DL", "EU").On("15m", "RTTY").Time(12, 8));
    Add(Qso{}.Call("DL1ABC", "DL", "EU").Time(12, 9));              // duplicate
    Add(Qso{}.Call("RA3BB", "UA", "EU").Rcvd("mo").Time(12, 10));   // region known
    Add(Qso{}.Call("RA3CC", "UA", "EU").Rcvd("599").Time(12, 11));  // bad region
  }
  long long ScoreOf(const std::vector<Qso>& qsos) {
    DoReset();
    for (const Qso& q : qsos) Add(q);
    Result();
    return work.ClaimedScore();
  }
};

TEST_F(Summary, TextFormOfAShortRun) {
  LogShortRun();
  EXPECT_EQ(Result(), std::string(kTextHead) +
                          "40m\t 3\t 18\t 3\t 1\t 3\t 0\r\n"
                          "20m\t 6\t 16\t 4\t 1\t 5\t 1\r\n"
                          "15m\t 1\t 3\t 1\t 0\t 1\t 0\r\n"
                          "Total\t 10\t 37\t 8\t 2\t 9\t 1\r\n"
                          "Dupe\t 1\r\n"
                          "Bad QSO\t 1\r\n"
                          "\r\n"
                          "Last QSO: 1 points\r\n"
                          "\r\n"
                          "Score: 37*(8+2) = 370\r\n"
                          "\r\n"
                          "\t\t\tRate\r\n"
                          "Hourly (10min) QSO rate:     6 (24) QSOs/hour\r\n"
                          "Hourly (10min) pts rate:    16 (72) points/hour\r\n"
                          "\r\n" +
                          kTextCredit);
  EXPECT_EQ(work.ClaimedScore(), 370);
  EXPECT_EQ(work.BadQsoCount(), 1);
  EXPECT_EQ(settings.Get("Claimed"), "370");
  EXPECT_EQ(contest.BandsUsed(), (Strings{"40m", "20m", "15m"}));

  EXPECT_EQ(worked.Entities(WorkedListIndex(2, 0)), (Strings{"UA", "DL", "W"}));
  EXPECT_EQ(worked.Regions(WorkedListIndex(2, 0)), Strings{"MO"});
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 0)), (Strings{"UA", "DL", "W"}));
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 1)), Strings{"DL"});
  EXPECT_EQ(worked.Regions(WorkedListIndex(3, 0)), Strings{"MO"});
  EXPECT_TRUE(worked.Regions(WorkedListIndex(3, 1)).empty());
  EXPECT_EQ(worked.Entities(WorkedListIndex(4, 0)), Strings{"DL"});
  EXPECT_TRUE(worked.Entities(WorkedListIndex(0, 0)).empty());
}

TEST_F(Summary, TableFormOfAShortRun) {
  LogShortRun();
  work.SetVersion();
  EXPECT_EQ(
      Result(),
      std::string(kHtmlHead) +
          "<tr><th><center>40m</center></th><td><center>3</center></td><td><center>18</center>"
          "</td><td><center>3</center></td><td><center>1</center></td><td><center>3</center></td>"
          "<td><center>0</center></td></tr>"
          "<tr><th><center>20m</center></th><td><center>6</center></td><td><center>16</center>"
          "</td><td><center>4</center></td><td><center>1</center></td><td><center>5</center></td>"
          "<td><center>1</center></td></tr>"
          "<tr><th><center>15m</center></th><td><center>1</center></td><td><center>3</center>"
          "</td><td><center>1</center></td><td><center>0</center></td><td><center>1</center></td>"
          "<td><center>0</center></td></tr>"
          "<tr><th><center>Total</center></th><td><center>10</center></td><td><center>37</center>"
          "</td><td><center>8</center></td><td><center>2</center></td><td><center>9</center></td>"
          "<td><center>1</center></td></tr>"
          "<tr><th><center>Dupe</center></th><td><center>1</center></td><td colspan=6> </td></tr>"
          "<tr><th><center>Bad QSO</center></th><td><center>1</center></td><td colspan=6> </td>"
          "</tr>"
          "<tr><th>Score:</th><td colspan=7><center>37 * (8 + 2) = 370</center></td></tr>"
          "<tr><th>Last QSO points:</th><td colspan=7><center>    1</center></td></tr>"
          "<th colspan=8><center>Rate</center></th></tr>"
          "<tr><th>Hourly (10min/1 hour) QSO rate:</th><td colspan=7><center>    6 /24</center>"
          "</td></tr>"
          "<tr><th>Hourly (10min/1 hour) pts rate:</th><td colspan=7><center>   16 /72</center>"
          "</td></tr>" +
          kHtmlFoot);
}

TEST_F(Summary, EmptyLogInBothForms) {
  const std::string zeros =
      "Total\t 0\t 0\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nLast QSO: 0 points\r\n\r\n"
      "Score: 0*(0+0) = 0\r\n\r\n\t\t\tRate\r\nHourly (10min) QSO rate:     0 (0) QSOs/hour\r\n"
      "Hourly (10min) pts rate:     0 (0) points/hour\r\n\r\n";
  EXPECT_EQ(Result(), kTextHead + zeros + kTextCredit);
  EXPECT_EQ(settings.Get("Claimed"), "0");
  work.SetVersion();
  EXPECT_EQ(Result(),
            std::string(kHtmlHead) +
                "<tr><th><center>Total</center></th><td><center>0</center></td><td><center>0"
                "</center></td><td><center>0</center></td><td><center>0</center></td><td><center>"
                "0</center></td><td><center>0</center></td></tr>"
                "<tr><th><center>Dupe</center></th><td><center>0</center></td><td colspan=6> "
                "</td></tr>"
                "<tr><th><center>Bad QSO</center></th><td><center>0</center></td><td colspan=6> "
                "</td></tr>"
                "<tr><th>Score:</th><td colspan=7><center>0 * (0 + 0) = 0</center></td></tr>"
                "<tr><th>Last QSO points:</th><td colspan=7><center>    0</center></td></tr>"
                "<th colspan=8><center>Rate</center></th></tr>"
                "<tr><th>Hourly (10min/1 hour) QSO rate:</th><td colspan=7><center>    0 /0"
                "</center></td></tr>"
                "<tr><th>Hourly (10min/1 hour) pts rate:</th><td colspan=7><center>    0 /0"
                "</center></td></tr>" +
                kHtmlFoot);
}

TEST(SummaryBeforeReset, HasNoDatesNorCall) {
  TempFolder folder;
  MemorySettings settings;
  ManualClock clock;
  RecordingUi ui;
  ExportWork work(settings, clock, ui);
  EXPECT_EQ(std::string(work.GetResult()),
            "\t\tZORVAN DIGITAL -\r\n\t\t\tContestant:  \r\n\tQSOs\tPoints\tDXCC\tObl\tRTTY\tBPSK63"
            "\r\nTotal\t 0\t 0\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nLast QSO: 0 points"
            "\r\n\r\nScore: 0*(0+0) = 0\r\n\r\n\t\t\tRate\r\nHourly (10min) QSO rate:     0 (0) "
            "QSOs/hour\r\nHourly (10min) pts rate:     0 (0) points/hour\r\n\r\n\r\nZORVAN-DIGI "
            "contest module");
}

TEST_F(Summary, PointsBySameCountrySameContinentOrOther) {
  // Own station: prefix UA, continent EU. A Russian QSO brings its region as a second
  // multiplier, so its score is twice its points.
  struct Case {
    const char* band;
    long long ua, dl, w;
  };
  for (const Case& c :
       {Case{"160m", 2 * 2, 6, 10}, Case{"80m", 2 * 2, 6, 10}, Case{"40m", 2 * 2, 6, 10},
        Case{"20m", 2 * 1, 3, 5}, Case{"15m", 2 * 1, 3, 5}, Case{"10m", 2 * 1, 3, 5}}) {
    EXPECT_EQ(ScoreOf({Qso{}.Call("RA3AA", "UA", "EU").Rcvd("MO").On(c.band, "RTTY")}), c.ua)
        << c.band;
    EXPECT_EQ(ScoreOf({Qso{}.Call("DL1ABC", "DL", "EU").On(c.band, "RTTY")}), c.dl) << c.band;
    EXPECT_EQ(ScoreOf({Qso{}.Call("W1AW", "W", "NA").On(c.band, "RTTY")}), c.w) << c.band;
  }
  // The comparisons are exact: another Russian prefix is not the own country, and a
  // continent in other case is another continent.
  EXPECT_EQ(ScoreOf({Qso{}.Call("RA9SAB", "UA9", "EU").Rcvd("OB")}), 3 * 2);
  EXPECT_EQ(ScoreOf({Qso{}.Call("RA9SAB", "UA9", "AS").Rcvd("OB")}), 5 * 2);
  EXPECT_EQ(ScoreOf({Qso{}.Call("DL1ABC", "DL", "eu")}), 5);
  // Sicily is stored as I: for an Italian station it is the own country.
  Reset italy;
  italy.ownPrefix = "I";
  DoReset(italy);
  Add(Qso{}.Call("IT9ABC", "IT9", "EU"));
  Result();
  EXPECT_EQ(work.ClaimedScore(), 1);
}

TEST_F(Summary, AStationWithoutPrefixScoresButIsNoMultiplier) {
  // The host passes no prefix (and no continent) for a call its country file does not
  // know: 5 points, no DXCC multiplier, nothing in the worked lists, whatever the own
  // station's prefix and continent are.
  const Qso dl = Qso{}.Call("DL1ABC", "DL", "EU");
  const Qso unknown = Qso{}.Call("Q1ABC", "", "");
  EXPECT_EQ(ScoreOf({dl, unknown}), (3 + 5) * 1);
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 0)), Strings{"DL"});
  EXPECT_EQ(ScoreOf({dl, unknown, Qso(unknown).On("40m", "RTTY")}), (3 + 5 + 10) * 1);
  EXPECT_EQ(ScoreOf({unknown}), 0);  // points, but no multiplier
  // With a continent it scores by it; an empty own prefix or continent matches nothing.
  EXPECT_EQ(ScoreOf({dl, Qso{}.Call("Q1ABC", "", "EU")}), (3 + 3) * 1);
  Reset blank;
  blank.ownPrefix = "";
  blank.ownContinent = "";
  DoReset(blank);
  Add(dl);
  Add(unknown);
  Result();
  EXPECT_EQ(work.ClaimedScore(), (5 + 5) * 1);
}

TEST_F(Summary, MultipliersCountPerBandAndMode) {
  const Qso a = Qso{}.Call("DL1ABC", "DL", "EU");
  const Qso b = Qso{}.Call("DL2XYZ", "DL", "EU");
  EXPECT_EQ(ScoreOf({a, b}), 6 * 1);                           // one DL on 20m RTTY
  EXPECT_EQ(ScoreOf({a, Qso(b).On("20m", "BPSK63")}), 6 * 2);  // and on BPSK63
  EXPECT_EQ(ScoreOf({a, Qso(b).On("15m", "RTTY")}), 6 * 2);    // and on 15m
  EXPECT_EQ(ScoreOf({a, Qso(a).On("20m", "BPSK63")}), 6 * 2);  // the same station too

  // Regions count only for Russian QSOs whose code was accepted, once per band and mode.
  const Qso ra1 = Qso{}.Call("RA9SAB", "UA9", "EU").Rcvd("OB");
  const Qso ra2 = Qso{}.Call("RA9SCD", "UA9", "EU").Rcvd(" ob ");
  const Qso dlMo = Qso{}.Call("DL3MO", "DL", "EU").Rcvd("MO");
  EXPECT_EQ(ScoreOf({ra1, ra2}), 6 * (1 + 1));
  EXPECT_EQ(ScoreOf({ra1, Qso(ra2).On("20m", "BPSK63")}), 6 * (2 + 2));
  EXPECT_EQ(ScoreOf({ra1, dlMo}), 6 * (2 + 1));
  EXPECT_EQ(worked.Regions(WorkedListIndex(3, 0)), Strings{"OB"});
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 0)), (Strings{"UA9", "DL"}));
}

TEST_F(Summary, NotCountedEntriesAddTheirDupesAndEmptyCallsNothing) {
  Add(Qso{}.Call("", "DL", "EU").Time(12, 0));
  Add(Qso{}.Call("", "DL", "EU").Time(12, 1));  // a duplicate without a call
  Add(Qso{}.Call("DL1A", "DL", "EU").Time(12, 2));
  Add(Qso{}.Call("DL1A", "DL", "EU").Time(12, 3));
  Add(Qso{}.Call("RA3X", "UA", "EU").Rcvd("599").Time(12, 4));
  EXPECT_EQ(Result(), std::string(kTextHead) +
                          "20m\t 1\t 3\t 1\t 0\t 1\t 0\r\n"
                          "Total\t 1\t 3\t 1\t 0\t 1\t 0\r\nDupe\t 1\r\nBad QSO\t 1\r\n\r\n"
                          "Last QSO: 3 points\r\n\r\nScore: 3*(1+0) = 3\r\n\r\n\t\t\tRate\r\n"
                          "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
                          "Hourly (10min) pts rate:     3 (18) points/hour\r\n\r\n" +
                          kTextCredit);
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 0)), Strings{"DL"});
}

TEST_F(Summary, BandsAreListedFromLowToHigh) {
  Add(Qso{}.On("10m", "RTTY"));
  Add(Qso{}.On("40m", "RTTY"));
  Add(Qso{}.On("160m", "RTTY"));
  EXPECT_EQ(Result(), std::string(kTextHead) +
                          "160m\t 1\t 6\t 1\t 0\t 1\t 0\r\n"
                          "40m\t 1\t 6\t 1\t 0\t 1\t 0\r\n"
                          "10m\t 1\t 3\t 1\t 0\t 1\t 0\r\n"
                          "Total\t 3\t 15\t 3\t 0\t 3\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\n"
                          "Last QSO: 6 points\r\n\r\nScore: 15*(3+0) = 45\r\n\r\n\t\t\tRate\r\n"
                          "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
                          "Hourly (10min) pts rate:     6 (36) points/hour\r\n\r\n" +
                          kTextCredit);
  EXPECT_EQ(contest.BandsUsed(), (Strings{"160m", "40m", "10m"}));

  DoReset();
  for (const char* band : {"15m", "160m", "20m", "10m", "80m", "40m"}) Add(Qso{}.On(band, "RTTY"));
  Result();
  EXPECT_EQ(contest.BandsUsed(), (Strings{"160m", "80m", "40m", "20m", "15m", "10m"}));
}

TEST_F(Summary, ABandTextInOtherCaseCountsWithoutARow) {
  Add(Qso{}.On("40M", "RTTY"));  // not a low band as written: 3 points
  Add(Qso{}.Call("DL2XYZ", "DL", "EU").On("40m", "RTTY").Time(12, 6));
  EXPECT_EQ(Result(), std::string(kTextHead) +
                          "40m\t 1\t 6\t 1\t 0\t 1\t 0\r\n"
                          "Total\t 2\t 9\t 2\t 0\t 2\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\n"
                          "Last QSO: 6 points\r\n\r\nScore: 9*(2+0) = 18\r\n\r\n\t\t\tRate\r\n"
                          "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
                          "Hourly (10min) pts rate:     6 (36) points/hour\r\n\r\n" +
                          kTextCredit);
  EXPECT_EQ(worked.Entities(WorkedListIndex(2, 0)), Strings{"DL"});
}

TEST_F(Summary, RatesTakeOnlyTheBandOfTheLastEntry) {
  Add(Qso{}.Call("DL1A", "DL", "EU").On("40m", "RTTY").Time(12, 20));
  Add(Qso{}.Call("DL2B", "DL", "EU").On("40m", "RTTY").Time(12, 25));
  Add(Qso{}.Call("DL3C", "DL", "EU").On("20m", "RTTY").Time(12, 28));
  std::string text = Result();
  EXPECT_NE(text.find("Last QSO: 3 points\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
                      "Hourly (10min) pts rate:     3 (18) points/hour\r\n"),
            std::string::npos)
      << text;
  Add(Qso{}.Call("DL4D", "DL", "EU").On("40m", "RTTY").Time(12, 29));
  text = Result();
  EXPECT_NE(text.find("Last QSO: 6 points\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Hourly (10min) QSO rate:     3 (18) QSOs/hour\r\n"
                      "Hourly (10min) pts rate:    18 (108) points/hour\r\n"),
            std::string::npos)
      << text;
}

TEST_F(Summary, RatesOfTheLastHourAndTheLastTenMinutes) {
  Add(Qso{}.Call("DL1A", "DL", "EU").Time(12, 0));
  Add(Qso{}.Call("DL2B", "DL", "EU").Time(12, 55));
  Add(Qso{}.Call("DL3C", "DL", "EU").Time(12, 58));
  std::string text = Result();
  EXPECT_NE(text.find("Hourly (10min) QSO rate:     3 (12) QSOs/hour\r\n"
                      "Hourly (10min) pts rate:     9 (36) points/hour\r\n"),
            std::string::npos)
      << text;
  // The time of the last entry is the reference, even when that entry does not count.
  Add(Qso{}.Call("DL3C", "DL", "EU").Time(13, 30));
  text = Result();
  EXPECT_NE(text.find("Last QSO: 3 points\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Hourly (10min) QSO rate:     2 (0) QSOs/hour\r\n"
                      "Hourly (10min) pts rate:     6 (0) points/hour\r\n"),
            std::string::npos)
      << text;

  // Ages are whole minutes with half a second added: 59:30 is inside the hour, 60:00
  // outside; 9:30 inside the ten minutes, 10:00 outside.
  DoReset();
  Add(Qso{}.Call("DL1A", "DL", "EU").Time(11, 58, 0));
  Add(Qso{}.Call("DL2B", "DL", "EU").Time(11, 58, 30));
  Add(Qso{}.Call("DL4D", "DL", "EU").Time(12, 48, 0));
  Add(Qso{}.Call("DL5E", "DL", "EU").Time(12, 48, 30));
  Add(Qso{}.Call("DL6F", "DL", "EU").Time(12, 58, 0));
  text = Result();
  EXPECT_NE(text.find("Hourly (10min) QSO rate:     4 (12) QSOs/hour\r\n"
                      "Hourly (10min) pts rate:    12 (36) points/hour\r\n"),
            std::string::npos)
      << text;
}

TEST_F(Summary, BadQsosAreTheReportLinesWithoutDupeOrUbn) {
  Qso dupeCall = Qso{}.Call("DUPE1", "DL", "EU");
  dupeCall.band = "12m";
  Add(dupeCall);  // refused, but its line holds DUPE
  Result();
  EXPECT_EQ(work.BadQsoCount(), 0);
  WriteFileBytes(kReportName,
                 "ZORVAN-DIGI UBN file \r\n"
                 "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  599  001  DL1ABC  599  002"
                 "   DUPE !!!\r\n"
                 "UBN at the start counts\r\n"
                 "DUPE at the start counts\r\n"
                 "xDUPE\r\n"
                 "xUBN\r\n"
                 "QSO:  24920  RTTY  2022-03-19 1205  UA3DX  599  001  DL1ABC  599  002"
                 "   WRONG BAND !!!\r\n");
  const std::string text = Result();
  EXPECT_EQ(work.BadQsoCount(), 3);
  EXPECT_NE(text.find("\r\nBad QSO\t 3\r\n"), std::string::npos) << text;
  std::filesystem::remove(kReportName);
  Result();
  EXPECT_EQ(work.BadQsoCount(), 0);
}

TEST_F(Summary, Bpsk125CountsInNeitherModeColumnAndHasItsOwnSlot) {
  Add(Qso{}.Call("DL1ABC", "DL", "EU").Time(12, 0));
  Add(Qso{}.Call("DL2XYZ", "DL", "EU").On("20m", "BPSK125").Time(12, 1));
  Add(Qso{}.Call("RA9SAB", "UA9", "AS").Rcvd("OB").On("20m", "BPSK125").Time(12, 2));
  Add(Qso{}.Call("RA9SAB", "UA9", "AS").Rcvd("OB").On("20m", "BPSK63").Time(12, 3));
  Add(Qso{}.Call("DL3AAA", "DL", "EU").On("20m", "BPSK125").Time(12, 4));
  EXPECT_EQ(Result(), std::string(kTextHead) +
                          "20m\t 5\t 19\t 4\t 2\t 1\t 1\r\n"
                          "Total\t 5\t 19\t 4\t 2\t 1\t 1\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\n"
                          "Last QSO: 3 points\r\n\r\nScore: 19*(4+2) = 114\r\n\r\n\t\t\tRate\r\n"
                          "Hourly (10min) QSO rate:     5 (30) QSOs/hour\r\n"
                          "Hourly (10min) pts rate:    19 (114) points/hour\r\n\r\n" +
                          kTextCredit);
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 0)), Strings{"DL"});
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 1)), Strings{"UA9"});
  EXPECT_EQ(worked.Entities(WorkedListIndex(3, 2)), (Strings{"DL", "UA9"}));
  EXPECT_EQ(worked.Regions(WorkedListIndex(3, 1)), Strings{"OB"});
  EXPECT_EQ(worked.Regions(WorkedListIndex(3, 2)), Strings{"OB"});
  EXPECT_TRUE(worked.Regions(WorkedListIndex(3, 0)).empty());
}

TEST_F(Summary, ScoresBeyondThirtyTwoBitsArePrintedWhole) {
  // 15000 QSOs of 10 points, each with a prefix of its own: 150000 × 15000.
  const char* bands[] = {"160m", "80m", "40m"};
  const char* modes[] = {"RTTY", "BPSK63", "BPSK125"};
  for (int i = 0; i < 15000; ++i) {
    Qso q = Qso{}.Call("K" + std::to_string(i), "P" + std::to_string(i), "NA");
    q.On(bands[i % 3], modes[(i / 3) % 3]).Time(12, 0);
    ASSERT_EQ(Add(q), 1);
  }
  const std::string text = Result();
  EXPECT_NE(text.find("\r\nScore: 150000*(15000+0) = 2250000000\r\n"), std::string::npos);
  EXPECT_EQ(work.ClaimedScore(), 2250000000LL);
  EXPECT_EQ(settings.Get("Claimed"), "2250000000");
}

TEST_F(Summary, EveryResultIsComputedAfresh) {
  Add(Qso{}.On("15m", "RTTY"));
  Add(Qso{}.Call("W1AW", "W", "NA"));
  Result();
  ASSERT_EQ(worked.Entities(WorkedListIndex(4, 0)), Strings{"DL"});
  ASSERT_EQ(settings.Get("Claimed"), "16");
  // The 15m QSO goes; its band keeps an empty row and an empty list.
  Remove(Qso{}.On("15m", "RTTY"));
  ui.controlWindow = true;
  contest.RefreshPending().store(0);
  const std::string text = Result();
  EXPECT_NE(
      text.find("20m\t 1\t 5\t 1\t 0\t 1\t 0\r\n15m\t 0\t 0\t 0\t 0\t 0\t 0\r\nTotal\t 1\t 5"),
      std::string::npos)
      << text;
  EXPECT_TRUE(worked.Entities(WorkedListIndex(4, 0)).empty());
  EXPECT_EQ(settings.Get("Claimed"), "5");
  EXPECT_EQ(ui.refreshPosts, 1);
  EXPECT_EQ(contest.RefreshPending().load(), 1);
  EXPECT_TRUE(ui.outputMessages.empty());  // not an export pass
  Result();
  Result();
  std::size_t claimedWrites = 0;
  for (const std::string& key : settings.WrittenKeys()) claimedWrites += key == "Claimed";
  EXPECT_EQ(claimedWrites, 4u);
}

}  // namespace
}  // namespace zd::test

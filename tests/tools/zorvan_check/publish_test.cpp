// What the organisers and the operators read: the UBN reports with both lines side by
// side in the station's language, the results by category, the overview's charts
// without scripts, and the log reading behind them (categories, the language rule).
#include "zorvan_check/publish.h"

#include <gtest/gtest.h>

#include "check_test_support.h"

namespace zd::check {
namespace {

using testing::MakeContest;
using testing::MakeLog;

// A checked contest without the module: R3DZV busts DL1ABC's call, OK1XYZ copies a wrong
// region, UT5ZZ's QSOs with K1AA cannot be checked.
CheckOutcome Outcome3() {
  CheckOutcome o;
  o.contest = MakeContest({
      MakeLog("R3DZV", {{"12:00", "20m", "RTTY", "DL1ABD", "1", "MO"},
                        {"12:10", "40m", "BPSK63", "OK1XYZ", "7", "MO"}}),
      MakeLog("DL1ABC", {{"12:00", "20m", "RTTY", "R3DZV", "MO", "1"}}),
      MakeLog("OK1XYZ", {{"12:11", "40m", "BPSK63", "R3DZV", "SP", "7"}}),
      MakeLog("UT5ZZ", {{"13:00", "80m", "RTTY", "K1AA", "5", "1"},
                        {"13:05", "40m", "RTTY", "K1AA", "6", "2"}}),
  });
  o.contest.logs[1].category = "SINGLE-OP ALL LOW";
  o.contest.logs[2].category = "SINGLE-OP ALL LOW";
  o.cross = CrossCheck(o.contest, o.settings);
  o.stations.resize(4);
  const int64_t scores[] = {40, 30, 20, 10};
  for (std::size_t a = 0; a < 4; ++a) {
    for (const Outcome& out : o.cross.outcomes[a]) ++o.stations[a].counts[Index(out.finding)];
    o.stations[a].claimed.score = scores[a] + 5;
    o.stations[a].finalScore = scores[a];
  }
  return o;
}

TEST(Publish, AUbnReportShowsBothLinesAndTheReasonInTheStationsLanguage) {
  const CheckOutcome o = Outcome3();
  const std::string ru = UbnText(o, 0);
  EXPECT_NE(ru.find("ZORVAN DIGITAL — отчёт UBN для R3DZV"), std::string::npos) << ru;
  EXPECT_NE(ru.find("=== Ошибка в позывном (снимается, и ещё очки 1 QSO) ===\n\n"
                    "  ваша строка 1:    14085 RY 2024-03-16 1200 R3DZV         599 MO     "
                    "DL1ABD        599 1\n"
                    "  DL1ABC, строка 1: 14085 RY 2024-03-16 1200 DL1ABC        599 1      "
                    "R3DZV         599 MO\n"
                    "  Вы записали DL1ABD; DL1ABC записал вас в это время.\n"),
            std::string::npos)
      << ru;
  const std::string en = UbnText(o, 2);
  EXPECT_NE(en.find("ZORVAN DIGITAL — UBN report for OK1XYZ"), std::string::npos) << en;
  EXPECT_NE(en.find("  You copied SP; R3DZV sent MO.\n"), std::string::npos) << en;
  EXPECT_NE(en.find("Penalties: Not in log — removed, plus one QSO's points;"), std::string::npos);
  // DL1ABC's QSO stands although R3DZV miscopied its call; it is told so.
  EXPECT_NE(UbnText(o, 1).find("R3DZV logged you as DL1ABD; your QSO stands."), std::string::npos);
  // UT5ZZ, a station of Ukraine, reads Russian, as the module would talk to it.
  EXPECT_NE(UbnText(o, 3).find("=== Не проверяется (журнал не прислан; засчитываются) ===\n"
                               "  K1AA x2\n"),
            std::string::npos)
      << UbnText(o, 3);
  const std::string page = UbnHtml(o, 0);
  EXPECT_NE(page.find("<html lang=\"ru\">"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"line\">DL1ABC, строка 1: 14085 RY"), std::string::npos) << page;
}

TEST(Publish, ResultsByCategoryAndAnOverviewThatNeedsNoScript) {
  const CheckOutcome o = Outcome3();
  const std::string csv = ResultsCsv(o);
  // Ranked by checked score within each category; the places start again.
  const auto first = csv.find("\n,1,R3DZV,"), second = csv.find("\n,2,UT5ZZ,");
  const auto low1 = csv.find("\nSINGLE-OP ALL LOW,1,DL1ABC,"),
             low2 = csv.find("\nSINGLE-OP ALL LOW,2,OK1XYZ,");
  EXPECT_TRUE(first < second && second < low1 && low1 < low2) << csv;
  const std::string results = ResultsHtml(o);
  EXPECT_NE(results.find("<h2>Category SINGLE-OP ALL LOW</h2>"), std::string::npos);
  EXPECT_NE(results.find("<a href=\"ubn/R3DZV.html\">R3DZV</a>"), std::string::npos);
  const std::string overview = OverviewHtml(o);
  EXPECT_NE(overview.find("<svg"), std::string::npos);
  EXPECT_EQ(overview.find("<script"), std::string::npos);
  // Nothing is fetched: the only address is the SVG namespace of each chart.
  std::size_t addresses = 0, charts = 0;
  for (auto p = overview.find("://"); p != std::string::npos; p = overview.find("://", p + 1))
    ++addresses;
  for (auto p = overview.find("<svg xmlns=\"http://www.w3.org/2000/svg\""); p != std::string::npos;
       p = overview.find("<svg xmlns=", p + 1)) {
    ++charts;
  }
  EXPECT_EQ(addresses, charts);
  EXPECT_EQ(charts, 5u);
  // Each chart under its title; every finding with its count, the counts written out.
  for (const char* title :
       {"QSO lines by finding", "QSO lines per clock hour (UTC), by band",
        "Logs by score lost in the check", "Logs by clock offset (minutes)", "Logs by continent"}) {
    EXPECT_NE(overview.find("<figcaption>" + std::string(title) + "</figcaption><svg"),
              std::string::npos)
        << title;
  }
  EXPECT_NE(overview.find("<title>Busted call: 1</title>"), std::string::npos) << overview;
  EXPECT_NE(overview.find("<title>Not checkable: 2</title>"), std::string::npos);
  EXPECT_NE(overview.find("<title>EU: 4</title>"), std::string::npos);  // logs by continent
  // QSO lines by hour, the day under the first.
  EXPECT_NE(overview.find("<title>16.03 12 20m: 2</title>"), std::string::npos) << overview;
  EXPECT_NE(FindingsCsv(o).find("R3DZV,1,1,busted-call,DL1ABC,1\n"), std::string::npos);
  EXPECT_EQ(StationFileBase("DL1ABC/P"), "DL1ABC_P");
}

TEST(LogStore, CategoriesTheLanguageRuleAndASecondLogOfAStation) {
  EXPECT_EQ(CabrilloCategory("START-OF-LOG: 3.0\nCATEGORY-OPERATOR: single-op\n"
                             "CATEGORY-BAND: ALL\r\nCATEGORY-ASSISTED:\nCATEGORY-POWER: LOW\n"),
            "SINGLE-OP ALL LOW");
  for (const char* p : {"UA", "UA9", "UA2", "UR", "UN", "EU"})
    EXPECT_TRUE(ModuleTalksRussian(p)) << p;
  for (const char* p : {"DL", "UA0", "R", ""}) EXPECT_FALSE(ModuleTalksRussian(p)) << p;
  ContestLogs c = MakeContest({MakeLog("DL1ABC", {{"12:00", "20m", "RTTY", "R3DZV", "MO", "1"}}),
                               MakeLog("DL1ABC", {{"12:00", "20m", "RTTY", "R3DZV", "MO", "1"},
                                                  {"12:05", "40m", "RTTY", "R3DZV", "MO", "2"}}),
                               MakeLog("", {{"12:00", "20m", "RTTY", "R3DZV", "MO", "1"}})});
  ASSERT_EQ(c.logs.size(), 1u);
  EXPECT_EQ(c.logs[0].qsos.size(), 2u);
  ASSERT_EQ(c.notes.size(), 2u);
  EXPECT_NE(c.notes[0].message.find("a second log of DL1ABC"), std::string::npos);
  EXPECT_NE(c.notes[1].message.find("does not name its own call"), std::string::npos);
}

}  // namespace
}  // namespace zd::check

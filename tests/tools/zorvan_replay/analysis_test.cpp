// The parts of the report that need no module: the summary read back in both forms, the
// rates and breaks, the escaping of every text that reaches the page, and the CSV.
#include "zorvan_replay/analysis.h"

#include <gtest/gtest.h>

#include "occurrences.h"
#include "reports/result_summary.h"
#include "svg_chart/svg_chart.h"
#include "zorvan_replay/report_html.h"

namespace zd::replay {
namespace {

using test::Occurrences;

ScoreFigures SomeFigures() {
  ScoreFigures f;
  BandFigures b40{"40m", 2, 3, 18, 3, 1, 3, 0, 0};
  BandFigures b20{"20m", 3, 6, 16, 4, 1, 5, 1, 1};
  BandFigures other{"20M", 6, 1, 3, 1, 0, 1, 0, 0};  // scored, but without a row
  f.bands = {b40, b20, other};
  f.qsos = 10;
  f.points = 37;
  f.dxcc = 8;
  f.regions = 2;
  f.rtty = 9;
  f.bpsk63 = 1;
  f.dupes = 1;
  f.score = 370;
  f.lastQsoPoints = 3;
  f.hourQsos = 10;
  f.tenMinQsos = 2;
  f.hourPoints = 37;
  f.tenMinPoints = 6;
  return f;
}

TEST(ModuleSummary, ReadsBothFormsTheModuleWrites) {
  const ScoreFigures f = SomeFigures();
  const SummaryHeader h{"19.03", "20.03.2022", "UA3DX", 4};
  for (const std::string& text : {FormatTextSummary(f, h), FormatHtmlSummary(f, h)}) {
    const auto s = ParseModuleSummary(text);
    ASSERT_TRUE(s) << text;
    EXPECT_EQ(s->title, "ZORVAN DIGITAL 19.03-20.03.2022");
    EXPECT_EQ(s->contestant, "UA3DX");
    ASSERT_EQ(s->bands.size(), 2u);
    EXPECT_EQ(s->bands[0], (SummaryRow{"40m", 3, 18, 3, 1, 3, 0}));
    EXPECT_EQ(s->bands[1], (SummaryRow{"20m", 6, 16, 4, 1, 5, 1}));
    EXPECT_EQ(s->total, (SummaryRow{"Total", 10, 37, 8, 2, 9, 1}));
    EXPECT_EQ(s->dupes, 1);
    EXPECT_EQ(s->badQsos, 4);
    EXPECT_EQ(s->lastQsoPoints, 3);
    EXPECT_EQ(s->score, 370);
    EXPECT_EQ(s->hourQsos, 10);
    EXPECT_EQ(s->tenMinuteQsoRate, 12);
    EXPECT_EQ(s->hourPoints, 37);
    EXPECT_EQ(s->tenMinutePointRate, 36);
  }
  // An empty log still has every row but the bands'.
  const auto empty = ParseModuleSummary(FormatTextSummary(ScoreFigures{}, h));
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->bands.empty());
  EXPECT_EQ(empty->score, 0);
}

TEST(ModuleSummary, AnythingElseIsNotASummary) {
  const std::string text = FormatTextSummary(SomeFigures(), {"19.03", "20.03.2022", "UA3DX", 0});
  EXPECT_FALSE(ParseModuleSummary(""));
  EXPECT_FALSE(ParseModuleSummary("<html><body>hello</body></html>"));
  // A summary cut short has no score.
  EXPECT_FALSE(ParseModuleSummary(text.substr(0, text.find("Score"))));
  // A band row with a number missing.
  std::string broken = text;
  broken.replace(broken.find("\t 18"), 4, "");
  EXPECT_FALSE(ParseModuleSummary(broken));
}

// QSOs on 20 m RTTY at the given seconds after 12:00 on 16 March 2024, each from its own
// station in Europe (3 points), with the module's default word: stored, no problem.
struct Log {
  ReplayLog log;
  AnalysisInput in;
  explicit Log(const std::vector<int>& seconds) {
    for (int s : seconds) {
      LogQso q;
      q.call = "DL" + std::to_string(log.qsos.size()) + "ABC";
      q.date = *DateFromCivil(2024, 3, 16, 12, 0, 0) + s / 86400.0;
      q.band = "20m";
      q.mode = "RTTY";
      q.exchRcvd = "1";
      q.exchSent = "MO";
      q.line = static_cast<int>(log.qsos.size()) + 1;
      log.qsos.push_back(q);
    }
    in.ownPrefix = "UA";
    in.ownContinent = "EU";
    for (const LogQso& q : log.qsos) in.qsos.push_back({&q, "DL", "EU"});
  }
};

TEST(Analysis, BestWindowsAreSlidingAndHalfOpen) {
  // Three QSOs within 9 min 59 s, the fourth at exactly ten minutes after the first.
  const Log l({0, 300, 599, 600, 3599, 3600, 7200});
  const Analysis a = Analyse(l.in);
  EXPECT_EQ(a.best10.qsos, 3);
  EXPECT_EQ(SecondsText(a.best10.start), "2024-03-16 12:00:00");
  EXPECT_EQ(a.best10.points, 9);
  // 12:00:00 to 12:59:59 holds five; from 12:05 to 13:04:59 holds five too: the earlier wins.
  EXPECT_EQ(a.best60.qsos, 5);
  EXPECT_EQ(SecondsText(a.best60.start), "2024-03-16 12:00:00");
}

TEST(Analysis, BreaksOfThirtyMinutesOrMoreAndTheOperatingTime) {
  // Gaps of 29 min 59 s, exactly 30 min, and an hour.
  const Log l({0, 1799, 3599, 7199});
  const Analysis a = Analyse(l.in);
  ASSERT_EQ(a.breaks.size(), 2u);
  EXPECT_EQ(a.breaks[0].from, a.qsos[1].second);
  EXPECT_EQ(a.breaks[0].to, a.qsos[2].second);
  EXPECT_EQ(a.breaks[1].to - a.breaks[1].from, 3600);
  EXPECT_EQ(a.operating, 1799);
  EXPECT_EQ(a.last - a.first, 7199);
}

TEST(Analysis, HoursRunFromTheFirstQsoToTheLastWithTheEmptyOnes) {
  const Log l({0, 60, 3 * 3600 + 5});
  const Analysis a = Analyse(l.in);
  ASSERT_EQ(a.hours.size(), 4u);
  EXPECT_EQ(a.hours[0].qsos[3], 2);  // 20 m is band 3
  EXPECT_EQ(a.hours[1].logged, 0);
  EXPECT_EQ(a.hours[3].qsos[3], 1);
  // The running totals carry through the empty hours.
  EXPECT_EQ(a.hours[2].totalPoints, 6);
  EXPECT_EQ(a.hours[3].totalPoints, 9);
  EXPECT_FALSE(a.hours[0].fromModule);
  // A log spread over months lists only its hours with QSOs.
  const Log wide({0, 90 * 86400});
  EXPECT_EQ(Analyse(wide.in).hours.size(), 2u);
  EXPECT_TRUE(Analyse(wide.in).hoursSparse);
}

TEST(Analysis, PointsAndMultipliersFollowTheContestsRules) {
  Log l({0, 60, 120, 180});
  l.log.qsos[1].band = "40m";     // low band: points doubled
  l.in.qsos[2].prefix = "UA";     // own prefix: 1 point
  l.in.qsos[3].prefix = "IT9";    // scored as I
  l.in.qsos[3].continent = "AF";  // other continent: 5 points
  const Analysis a = Analyse(l.in);
  EXPECT_EQ(a.qsos[0].points, 3);
  EXPECT_EQ(a.qsos[1].points, 6);
  EXPECT_EQ(a.qsos[2].points, 1);
  EXPECT_EQ(a.qsos[3].points, 5);
  EXPECT_EQ(a.qsos[3].prefix, "I");
  EXPECT_EQ(a.dxcc[3 * kModeSlots], (std::vector<std::string>{"DL", "UA", "I"}));
  EXPECT_EQ(a.score, 15 * 4);
}

TEST(ReportText, EveryTextIsEscaped) {
  EXPECT_EQ(svg::Escape("<a href=\"x\">R&D's</a>"),
            "&lt;a href=&quot;x&quot;&gt;R&amp;D's&lt;/a&gt;");
  // UTF-8 passes; a stray byte of another code page, a cut sequence and control
  // characters do not.
  EXPECT_EQ(svg::Escape("Отчёт"), "Отчёт");
  EXPECT_EQ(svg::Escape("R\xE0"
                        "3"),
            "R\xEF\xBF\xBD"
            "3");
  EXPECT_EQ(svg::Escape("\xD0"), "\xEF\xBF\xBD");
  EXPECT_EQ(svg::Escape(std::string("a\0b\x1b", 4)), "ab");

  // A call in the log with markup in it reaches the page as text only.
  Log l({0});
  l.log.qsos[0].call = "<script>alert(1)</script>";
  l.log.qsos[0].exchRcvd = "\"><img src=x>";
  const Analysis a = Analyse(l.in);
  ReportMeta meta;
  meta.logName = "<b>log</b>.adi";
  const std::string html = RenderHtmlReport(l.in, a, Language::kEnglish, meta);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("<img"), std::string::npos);
  EXPECT_EQ(html.find("<b>log"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
}

TEST(ReportText, CsvQuotesWhatItMustAndDisarmsFormulas) {
  Log l({0, 60});
  l.log.qsos[0].exchRcvd = "1,\"2\"";
  l.log.qsos[1].call = "=HYPERLINK(\"x\")";
  l.in.qsos[1].prefix = "";
  const std::string csv = RenderCsv(l.in, Analyse(l.in));
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "n,line,time,band,mode,call,rst_sent,exch_sent,rst_rcvd,exch_rcvd,dxcc,continent,"
            "points,check_call,new_dxcc,new_region,flags,reasons");
  EXPECT_NE(
      csv.find("\r\n1,1,2024-03-16 12:00:00,20m,RTTY,DL0ABC,,MO,,\"1,\"\"2\"\"\",DL,EU,3,,1,,,"
               "\r\n"),
      std::string::npos)
      << csv;
  EXPECT_NE(csv.find(",\"'=HYPERLINK(\"\"x\"\")\","), std::string::npos) << csv;
  EXPECT_NE(csv.find(",no-country,"), std::string::npos) << csv;
}

TEST(ReportText, TheModulesRussianMessagesBecomeUtf8) {
  EXPECT_EQ(Utf8FromCp1251("QSO c R3ABC \xcf\xce\xca\xc0 \xa8\xb8"), "QSO c R3ABC ПОКА Ёё");
  EXPECT_EQ(Utf8FromCp1251("\x98"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zd::replay

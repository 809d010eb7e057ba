// The report of the bundled sample log: its own count of the log, QSO by QSO, gives the
// module's summary on every band and in total, and its running totals are the module's
// summaries at every hour.
#include <gtest/gtest.h>

#include <set>

#include "occurrences.h"
#include "report_replay.h"
#include "status_windows/region_board.h"
#include "zorvan_replay/report_html.h"

namespace zd::replay::test {
namespace {

class SampleReport : public ModuleReplay {
 protected:
  static void SetUpTestSuite() {
    ModuleReplay::SetUpTestSuite();
    // Read before a test changes the current folder.
    sample_ = new std::string(zd::test::ReadFileBytes(ZD_SAMPLE_LOG));
    cty_ = new CountryFile(CountryFile::Load(ZD_CTY_FILE));
  }
  static void TearDownTestSuite() {
    delete sample_;
    delete cty_;
    ModuleReplay::TearDownTestSuite();
  }
  // The sample's records without its header.
  static std::string Records() { return sample_->substr(sample_->find("<EOH>") + 5); }

  static std::string* sample_;
  static CountryFile* cty_;
};
std::string* SampleReport::sample_ = nullptr;
CountryFile* SampleReport::cty_ = nullptr;

TEST_F(SampleReport, TotalsEqualTheModulesSummaryPerBandAndInTotal) {
  const auto r = Replay(Records(), *cty_);
  ASSERT_TRUE(r->in.summary) << r->run.summary;
  const ModuleSummary& s = *r->in.summary;
  ASSERT_EQ(r->log.qsos.size(), 1658u);
  ASSERT_EQ(s.bands.size(), 6u);
  for (std::size_t b = 0; b < s.bands.size(); ++b) {
    const SummaryRow& m = s.bands[b];
    ASSERT_EQ(m.band, kBands[b].text);
    const BandTotals& mine = r->a.bands[b];
    EXPECT_EQ(mine.qsos, m.qsos) << m.band;
    EXPECT_EQ(mine.points, m.points) << m.band;
    EXPECT_EQ(mine.dxcc, m.dxcc) << m.band;
    EXPECT_EQ(mine.regions, m.regions) << m.band;
    EXPECT_EQ(mine.rtty, m.rtty) << m.band;
    EXPECT_EQ(mine.bpsk63, m.bpsk63) << m.band;
    // The per-band worked lists are the multipliers counted.
    EXPECT_EQ(static_cast<long long>(r->a.dxcc[b * kModeSlots].size() +
                                     r->a.dxcc[b * kModeSlots + 1].size()),
              m.dxcc);
  }
  EXPECT_EQ(r->a.total.qsos, s.total.qsos);
  EXPECT_EQ(r->a.total.points, s.total.points);
  EXPECT_EQ(r->a.total.dxcc, s.total.dxcc);
  EXPECT_EQ(r->a.total.regions, s.total.regions);
  EXPECT_EQ(r->a.total.dupes, s.dupes);
  EXPECT_EQ(r->a.score, s.score);
  EXPECT_EQ(s.score, 5411120);  // the score the guide shows
  // Every QSO's points add up to the total; the bad QSOs are the bad regions.
  long long points = 0;
  for (const QsoResult& q : r->a.qsos) points += q.points;
  EXPECT_EQ(points, s.total.points);
  EXPECT_EQ(r->a.badRegions, s.badQsos);
  // The continents hold every counted QSO.
  long long continents = 0;
  for (const ContinentRow& c : r->a.continents) continents += c.qsos;
  EXPECT_EQ(continents, s.total.qsos);
}

TEST_F(SampleReport, RunningTotalsAreTheModulesSummaryAtEveryHour) {
  const auto r = Replay(Records(), *cty_);
  ASSERT_EQ(r->a.hours.size(), 24u);
  EXPECT_EQ(r->run.hourly.size(), 23u);  // asked at the first QSO of each later hour
  for (const HourRow& h : r->a.hours) EXPECT_TRUE(h.fromModule);
  EXPECT_EQ(r->a.hours.back().score, r->in.summary->score);
  // The same running totals from the log alone.
  AnalysisInput alone = r->in;
  alone.hourly.clear();
  const Analysis own = Analyse(alone);
  ASSERT_EQ(own.hours.size(), r->a.hours.size());
  for (std::size_t i = 0; i < own.hours.size(); ++i) {
    EXPECT_FALSE(own.hours[i].fromModule);
    EXPECT_EQ(own.hours[i].totalQsos, r->a.hours[i].totalQsos) << i;
    EXPECT_EQ(own.hours[i].totalPoints, r->a.hours[i].totalPoints) << i;
    EXPECT_EQ(own.hours[i].dxcc, r->a.hours[i].dxcc) << i;
    EXPECT_EQ(own.hours[i].regions, r->a.hours[i].regions) << i;
    EXPECT_EQ(own.hours[i].score, r->a.hours[i].score) << i;
  }
  // The hours' QSOs add up to the total, and the sample's one long break is found.
  long long qsos = 0;
  for (const HourRow& h : r->a.hours) {
    for (int n : h.qsos) qsos += n;
  }
  EXPECT_EQ(qsos, r->in.summary->total.qsos);
  ASSERT_EQ(r->a.breaks.size(), 1u);
  EXPECT_EQ(SecondsText(r->a.breaks[0].from).substr(0, 16), "2024-03-17 02:39");
}

TEST_F(SampleReport, ThePageShowsTheModulesFiguresInBothLanguages) {
  const auto r = Replay(Records(), *cty_);
  ReportMeta meta;
  meta.logName = "zorvan-digi-sample.adi";
  meta.summaryText = r->run.summary;
  for (const Language language : {Language::kEnglish, Language::kRussian}) {
    const std::string html = RenderHtmlReport(r->in, r->a, language, meta);
    EXPECT_NE(
        html.find(language == Language::kEnglish ? "<html lang=\"en\">" : "<html lang=\"ru\">"),
        std::string::npos);
    EXPECT_NE(html.find("Score: 7568*(376+339) = 5411120"), std::string::npos);
    // Nothing to run and nothing to fetch: the only address is the SVG name space.
    EXPECT_EQ(html.find("<script"), std::string::npos);
    for (std::size_t at = 0; (at = html.find("http", at)) != std::string::npos; ++at) {
      ASSERT_EQ(html.compare(at, 27, "http://www.w3.org/2000/svg\""), 0) << html.substr(at, 60);
    }
    // One table row per QSO.
    std::size_t rows = 0;
    for (std::size_t at = html.find("<table class=\"qsos\">");
         (at = html.find("\n<tr", at + 1)) != std::string::npos;) {
      ++rows;
    }
    EXPECT_EQ(rows, 1658u);
    // The region board of the whole contest lights each region worked once, on the
    // region window's layout: 88 cells.
    const std::size_t board = html.find("<svg", html.find("id=\"multipliers\""));
    const std::string cells = html.substr(board, html.find("</svg>", board) - board);
    std::set<std::string> worked;
    for (const auto& list : r->a.regions) worked.insert(list.begin(), list.end());
    std::size_t onBoard = 0;
    for (std::string_view code : kRegionCellCodes) onBoard += worked.count(std::string(code));
    EXPECT_EQ(Occurrences(cells, "<ellipse"), 88u);
    EXPECT_EQ(Occurrences(cells, "fill=\"#ff00ff\""), onBoard);
    EXPECT_EQ(onBoard, 67u);  // and 21 still missing, as the page lists them
    EXPECT_NE(html.find("(21 "), std::string::npos);
  }
}

}  // namespace
}  // namespace zd::replay::test

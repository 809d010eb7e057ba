// Scoring through the module: what it did with each QSO, its summary's totals, and the
// same results from one scoring process or from several.
#include <gtest/gtest.h>

#include <filesystem>

#include "check_test_support.h"
#include "support/files.h"
#include "zorvan_check/check_run.h"
#include "zorvan_check/scoring_pool.h"

namespace zd::check {
namespace {

namespace fs = std::filesystem;
using testing::Line;
using testing::MakeContest;
using testing::MakeLog;

TEST(LogScorer, RecordsWhatTheModuleDidWithEachQso) {
  auto contest = MakeContest({MakeLog(
      "DL1ABC", {{"12:00", "20m", "RTTY", "R3DZV", "MO", "1"},       // counted
                 {"12:01", "20m", "RTTY", "R3DZV", "MO", "2"},       // a dupe
                 {"12:02", "40m", "RTTY", "RA3AA", "599", "3"},      // a region refused
                 {"12:03", "40m", "RTTY", "RA3AA", "MO", "4"},       // a dupe of a refused region
                 {"12:04", "30m", "RTTY", "OK1XYZ", "5", "5"},       // wrong band
                 {"12:05", "20m", "SSTV", "OK1XYZ", "6", "6"},       // wrong mode
                 {"12:06", "20m", "BPSK63", "OK1XYZ", "", "7"}})});  // no exchange
  const test::ScratchFolder scratch("zorvan-check-test-verdicts");
  const std::string folder = scratch.string();
  CountryCache countries(testing::SmallCountryFile());
  ModuleTotals t;
  {
    LogScorer scorer(testing::TheModule(), folder);
    t = scorer.ScoreClaimed(contest.logs[0], contest.pool, countries);
  }
  std::vector<ModuleVerdict> verdicts;
  for (const Qso& q : contest.logs[0].qsos) verdicts.push_back(q.verdict);
  EXPECT_EQ(verdicts, (std::vector<ModuleVerdict>{ModuleVerdict::kCounted, ModuleVerdict::kDupe,
                                                  ModuleVerdict::kBadRegion, ModuleVerdict::kDupe,
                                                  ModuleVerdict::kRefused, ModuleVerdict::kRefused,
                                                  ModuleVerdict::kRefused}));
  EXPECT_TRUE(contest.logs[0].qsos[2].badRegion);
  EXPECT_FALSE(contest.logs[0].qsos[3].badRegion);  // MO is a region: only the dupe
  EXPECT_EQ(contest.logs[0].qsos[4].refusal, "WRONG BAND");
  EXPECT_EQ(contest.logs[0].qsos[5].refusal, "WRONG MODE");
  EXPECT_EQ(contest.logs[0].qsos[6].refusal, "NO RX NUMBER");
  // One QSO scores: 3 points (own continent), one DXCC and one region on 20 m RTTY.
  EXPECT_TRUE(t.ok);
  EXPECT_EQ(t.qsos, 1);
  EXPECT_EQ(t.points, 3);
  EXPECT_EQ(t.dxcc, 1);
  EXPECT_EQ(t.regions, 1);
  EXPECT_EQ(t.dupes, 2);
  EXPECT_EQ(t.score, 6);
  // The module's folder is the scratch folder, never the current one.
  EXPECT_TRUE(fs::exists(fs::path(folder) / "BadQSO_ZedevIzuverUzaz_16_03_2024.txt"));
  EXPECT_FALSE(fs::exists("BadQSO_ZedevIzuverUzaz_16_03_2024.txt"));
}

TEST(LogScorer, ReadsTheTotalsOfTheModulesSummary) {
  const ModuleTotals t = ParseSummary(
      "\t\tZORVAN DIGITAL 16.03-17.03.2024\r\n\t\t\tContestant: R3DZV \r\n"
      "\tQSOs\tPoints\tDXCC\tObl\tRTTY\tBPSK63\r\n20m\t 2\t 6\t 2\t 1\t 1\t 1\r\n"
      "Total\t 1658\t 7568\t 376\t 339\t 900\t 758\r\nDupe\t 12\r\nBad QSO\t 3\r\n\r\n"
      "Last QSO: 3 points\r\n\r\nScore: 7568*(376+339) = 5411120\r\n");
  EXPECT_TRUE(t.ok);
  EXPECT_EQ(t.qsos, 1658);
  EXPECT_EQ(t.points, 7568);
  EXPECT_EQ(t.Multipliers(), 715);
  EXPECT_EQ(t.dupes, 12);
  EXPECT_EQ(t.badQsos, 3);
  EXPECT_EQ(t.score, 5411120);
  EXPECT_FALSE(ParseSummary("<html>a table</html>").ok);
}

TEST(ScoringPool, SeveralProcessesScoreAsOneDoes) {
  std::vector<replay::ReplayLog> logs;
  const std::vector<std::string> calls = {"DL1AA", "DL2BB", "OK1CC", "R3DZV", "UT5ZZ", "K1XX"};
  for (std::size_t a = 0; a < calls.size(); ++a) {
    std::vector<Line> lines;
    for (std::size_t b = 0; b < calls.size(); ++b) {
      if (a == b) continue;
      const bool russian = calls[b] == "R3DZV";
      for (const char* band : {"20m", "40m", "80m"}) {
        lines.push_back({"12:" + std::to_string(10 + b * 7), band, "RTTY", calls[b],
                         russian ? "MO" : std::to_string(b), std::to_string(a)});
      }
    }
    lines.push_back(lines.front());  // and a dupe
    logs.push_back(MakeLog(calls[a], lines));
  }
  const test::ScratchFolder scratch("zorvan-check-test-pool");
  const std::string folder = scratch.string();
  CountryCache countries(testing::SmallCountryFile());
  auto one = MakeContest(logs), two = MakeContest(logs);
  std::vector<ScoreJob> jobs;
  for (std::size_t a = 0; a < calls.size(); ++a) jobs.push_back({a, nullptr});
  const std::vector<char> keepHalf = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1};
  jobs.push_back({3, &keepHalf});
  std::vector<ModuleTotals> byOne, byTwo;
  {
    ScoringPool pool(testing::TheModule(), (fs::path(folder) / "one").string(), 1);
    byOne = pool.Score(one, countries, jobs);
  }
  {
    ScoringPool pool(testing::TheModule(), (fs::path(folder) / "two").string(), 3);
    byTwo = pool.Score(two, countries, jobs);
  }
  ASSERT_EQ(byOne.size(), byTwo.size());
  for (std::size_t k = 0; k < byOne.size(); ++k) {
    EXPECT_TRUE(byOne[k].ok);
    EXPECT_EQ(byOne[k].score, byTwo[k].score) << k;
    EXPECT_EQ(byOne[k].points, byTwo[k].points) << k;
    EXPECT_EQ(byOne[k].dupes, byTwo[k].dupes) << k;
  }
  EXPECT_LT(byOne.back().points, byOne[3].points);
  for (std::size_t a = 0; a < calls.size(); ++a) {
    EXPECT_EQ(one.logs[a].qsos.back().verdict, ModuleVerdict::kDupe) << calls[a];
    for (std::size_t i = 0; i < one.logs[a].qsos.size(); ++i) {
      EXPECT_EQ(one.logs[a].qsos[i].verdict, two.logs[a].qsos[i].verdict) << calls[a] << " " << i;
    }
  }
}

TEST(CheckSettings, OptionsAndTheRulesOfThePenalties) {
  std::string error;
  auto o = ParseOptions({"--window", "5", "--search=20", "--penalty", "busted-call=2", "--penalty",
                         "unique=keep", "--workers", "3", "in", "out"},
                        error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->settings.windowSeconds, 300);
  EXPECT_EQ(o->settings.searchSeconds, 1200);
  EXPECT_EQ(o->settings.penalties[Index(Finding::kBustedCall)].extraQsos, 2);
  EXPECT_FALSE(o->settings.penalties[Index(Finding::kUnique)].removed);
  EXPECT_EQ(o->workers, 3);
  EXPECT_FALSE(ParseOptions({"--window", "20", "in", "out"}, error));  // wider than the search
  EXPECT_NE(error.find("narrower"), std::string::npos);
  EXPECT_FALSE(ParseOptions({"--penalty", "dupe=1", "in", "out"}, error));
  EXPECT_FALSE(ParseOptions({"--penalty", "nil=many", "in", "out"}, error));
  EXPECT_FALSE(ParseOptions({"in"}, error));
  // Points of one QSO: own country 1, own continent 3, else 5; doubled on the low bands;
  // the module's "I" for Sicily's prefixes.
  EXPECT_EQ(QsoPoints("UA", "EU", "UA", "EU", "20m"), 1);
  EXPECT_EQ(QsoPoints("UA", "EU", "DL", "EU", "40m"), 6);
  EXPECT_EQ(QsoPoints("UA", "EU", "K", "NA", "160m"), 10);
  EXPECT_EQ(QsoPoints("I", "EU", "IT9", "EU", "15m"), 1);
  // What stays in the checked score.
  const std::vector<Outcome> outcomes = {{Finding::kConfirmed}, {Finding::kNotInLog},
                                         {Finding::kUnique},    {Finding::kDupe},
                                         {Finding::kOwnCall},   {Finding::kBustedExchange}};
  EXPECT_EQ(KeptQsos(outcomes, CheckSettings{}), (std::vector<char>{1, 0, 1, 1, 0, 0}));
}

}  // namespace
}  // namespace zd::check

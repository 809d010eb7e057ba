// The whole cross-check with the module itself (libStats.so, or Stats.dll on Windows):
// simulated contests against what was injected, the checked scores against the module's
// score of each log without exactly the injected bad QSOs, and the folders organisers
// really get (a log that cannot be read, one log alone, a log without QSOs, a station
// that logged itself).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "check_test_support.h"
#include "support/files.h"
#include "zorvan_check/check_run.h"
#include "zorvan_check/publish.h"
#include "zorvan_check/simulator.h"

namespace zd::check {
namespace {

namespace fs = std::filesystem;

using test::ReadFileBytes;
using test::ScratchFolder;

struct Figures {
  int64_t truePositive = 0, falsePositive = 0, falseNegative = 0;
  double Precision() const {
    return truePositive + falsePositive == 0
               ? 1.0
               : static_cast<double>(truePositive) /
                     static_cast<double>(truePositive + falsePositive);
  }
  double Recall() const {
    return truePositive + falseNegative == 0
               ? 1.0
               : static_cast<double>(truePositive) /
                     static_cast<double>(truePositive + falseNegative);
  }
};

TEST(CheckContest, SimulatedContestsAgainstWhatWasInjected) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    SimSettings sim;
    sim.seed = seed;
    sim.stations = 300;
    // Removed after the scoring processes have left it.
    const ScratchFolder scratch("zorvan-check-test-sim" + std::to_string(seed));
    const std::string folder = scratch.string();
    const SimContest truth = SimulateContest(sim, (fs::path(folder) / "logs").string());
    ContestLogs contest =
        ReadLogsFolder((fs::path(folder) / "logs").string(), testing::FullCountryFile());
    ASSERT_EQ(contest.logs.size(), truth.truth.size());
    CountryCache countries(testing::FullCountryFile());
    // Two scoring processes where the platform has them, as on the organisers' machines.
    ScoringPool scoring(testing::TheModule(), (fs::path(folder) / "work").string(), 2);
    const CheckSettings settings;
    const CheckOutcome out = CheckContest(std::move(contest), settings, scoring, countries);
    LogScorer& scorer = scoring.scorer();

    std::array<Figures, kFindingCount> figures{};
    std::map<BustKind, Figures> busts;
    int scoresEqual = 0;
    for (std::size_t a = 0; a < out.contest.logs.size(); ++a) {
      const StationLog& log = out.contest.logs[a];
      const auto& lines = truth.truth.at(out.contest.pool[log.ownCall]);
      ASSERT_EQ(lines.size(), log.qsos.size());
      std::vector<char> keep(lines.size(), 1);
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const Finding expected = lines[i].expected, found = out.cross.outcomes[a][i].finding;
        keep[i] = settings.penalties[static_cast<std::size_t>(Index(expected))].removed ? 0 : 1;
        if (expected == found) {
          ++figures[static_cast<std::size_t>(Index(found))].truePositive;
        } else {
          ++figures[static_cast<std::size_t>(Index(found))].falsePositive;
          ++figures[static_cast<std::size_t>(Index(expected))].falseNegative;
        }
        if (lines[i].bust != BustKind::kNone && expected == Finding::kBustedCall) {
          ++(found == expected ? busts[lines[i].bust].truePositive
                               : busts[lines[i].bust].falseNegative);
        }
      }
      // The checked score without penalties is the module's score of the log without
      // exactly the injected bad QSOs; the penalties come off its points.
      const ModuleTotals truthScore = scorer.ScoreKept(log, keep, out.contest.pool, countries);
      const StationResult& r = out.stations[a];
      ASSERT_TRUE(truthScore.ok && r.checked.ok);
      if (truthScore.score == r.checked.score && truthScore.points == r.checked.points &&
          truthScore.Multipliers() == r.checked.Multipliers()) {
        ++scoresEqual;
      }
      EXPECT_EQ(r.finalScore, std::max<int64_t>(0, truthScore.points - r.penaltyPoints) *
                                  truthScore.Multipliers())
          << out.contest.pool[log.ownCall];
    }
    std::printf("seed %llu: %zu logs, %lld QSO lines, %d stations with a clock error\n",
                static_cast<unsigned long long>(seed), out.contest.logs.size(),
                static_cast<long long>(truth.lines), truth.clockOffsetStations);
    for (int f = 0; f < kFindingCount; ++f) {
      const Figures& x = figures[static_cast<std::size_t>(f)];
      if (x.truePositive + x.falseNegative + x.falsePositive == 0) continue;
      std::printf("  %-16s %6lld found, precision %.4f, recall %.4f\n",
                  std::string(FindingOption(static_cast<Finding>(f))).c_str(),
                  static_cast<long long>(x.truePositive), x.Precision(), x.Recall());
      EXPECT_GE(x.Precision(), 0.99) << FindingOption(static_cast<Finding>(f));
      EXPECT_GE(x.Recall(), 0.99) << FindingOption(static_cast<Finding>(f));
    }
    for (const auto& [kind, x] : busts) {
      std::printf("  busted call, %-7s %5lld found, recall %.4f\n",
                  kind == BustKind::kChanged   ? "changed"
                  : kind == BustKind::kAdded   ? "added"
                  : kind == BustKind::kDropped ? "dropped"
                                               : "shift",
                  static_cast<long long>(x.truePositive), x.Recall());
      EXPECT_GT(x.truePositive, 0);
    }
    std::printf("  checked score = module's score without the injected bad QSOs: %d of %zu logs\n",
                scoresEqual, out.contest.logs.size());
    EXPECT_EQ(scoresEqual, static_cast<int>(out.contest.logs.size()));
  }
}

// A folder of logs and their check into an output folder, both in a scratch folder.
struct FolderRun {
  explicit FolderRun(const std::string& name)
      : folder("zorvan-check-test-" + name),
        logs((folder.path() / "logs").string()),
        out((folder.path() / "out").string()) {}
  ScratchFolder folder;
  std::string logs, out;
  int status = -1;
  std::string notes;
};

FolderRun CheckFolder(const std::string& name, const std::map<std::string, std::string>& files,
                      std::vector<std::string> extra = {}) {
  FolderRun r(name);
  fs::create_directories(r.logs);
  for (const auto& [file, text] : files) test::WriteFileBytes(fs::path(r.logs) / file, text);
  std::vector<std::string> args = {"--quiet", "--lib", ZD_STATS_MODULE, "--cty", ZD_CTY_FILE};
  args.insert(args.end(), extra.begin(), extra.end());
  args.push_back(r.logs);
  args.push_back(r.out);
  r.status = RunCheck(args);
  r.notes = ReadFileBytes(fs::path(r.out) / "notes.txt");
  return r;
}

std::string Cabrillo(const std::string& call, const std::vector<std::string>& qsos) {
  std::string t = "START-OF-LOG: 3.0\r\nCONTEST: REVUZU-DUV\r\nCALLSIGN: " + call +
                  "\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\n";
  for (const std::string& q : qsos) t += "QSO: " + q + "\r\n";
  return t + "END-OF-LOG:\r\n";
}

TEST(CheckContest, LogsThatCannotBeUsedAreNamedAndTheRunGoesOn) {
  const FolderRun r = CheckFolder(
      "edge",
      {{"r3dzv.cbr", Cabrillo("R3DZV", {"14085 RY 2024-03-16 1200 R3DZV 599 MO DL1ABC 599 1",
                                        "14085 RY 2024-03-16 1210 R3DZV 599 MO R3DZV 599 MO",
                                        "14085 RY 2024-03-16 1220 R3DZV 599 MO OK1XYZ 599 5"})},
       {"dl1abc.cbr", Cabrillo("DL1ABC", {"14085 RY 2024-03-16 1200 DL1ABC 599 1 R3DZV 599 MO"})},
       {"ok1xyz.cbr", Cabrillo("OK1XYZ", {})},
       {"broken.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: UT5ZZ\r\nQSO: 14085 RY garbage\r\n"},
       {"notes.doc", std::string("\xD0\xCF\x11\xE0 not a log", 14)}});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.notes.find("broken.cbr: cannot be read: "), std::string::npos) << r.notes;
  EXPECT_NE(r.notes.find("notes.doc: cannot be read: "), std::string::npos) << r.notes;
  EXPECT_NE(r.notes.find("ok1xyz.cbr: no QSO in the log of OK1XYZ: taken as no log sent"),
            std::string::npos)
      << r.notes;
  EXPECT_NE(r.notes.find("r3dzv.cbr: 1 QSO(s) of R3DZV with its own call: removed"),
            std::string::npos)
      << r.notes;
  // OK1XYZ, whose log holds no QSO, counts as no log: its only QSO is unique; the QSO
  // with itself is removed; DL1ABC's confirms.
  const std::string ubn = ReadFileBytes(fs::path(r.out) / "ubn" / "R3DZV.txt");
  EXPECT_NE(ubn.find("Подтверждено 1, Уникальный позывной 1, Свой позывной 1"), std::string::npos)
      << ubn;
  EXPECT_NE(ubn.find("Снято QSO:    1"), std::string::npos) << ubn;
  EXPECT_TRUE(fs::exists(fs::path(r.out) / "ubn" / "DL1ABC.html"));
  EXPECT_FALSE(fs::exists(fs::path(r.out) / "ubn" / "OK1XYZ.txt"));
  EXPECT_FALSE(fs::exists(fs::path(r.out) / ".module-work"));
  // Nothing was written into the logs folder.
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(r.logs)) ++files;
  EXPECT_EQ(files, 5u);
}

TEST(CheckContest, OneLogAloneIsCheckedAgainstNothing) {
  const FolderRun r = CheckFolder(
      "alone",
      {{"dl1abc.cbr", Cabrillo("DL1ABC", {"14085 RY 2024-03-16 1200 DL1ABC 599 1 R3DZV 599 MO",
                                          "7035 PM 2024-03-16 1300 DL1ABC 599 2 R3DZV 599 MO"})}});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.notes.find("dl1abc.cbr: the only log of the folder: nothing to match it against"),
            std::string::npos)
      << r.notes;
  const std::string csv = ReadFileBytes(fs::path(r.out) / "results.csv");
  // Claimed and checked alike: 1 x 3 points on 20 m, 2 x 3 on 40 m; one DXCC per band.
  EXPECT_NE(csv.find(",1,DL1ABC,dl1abc.cbr,2,9,2,2,36,2,9,2,2,0,36,0.0,0,0,0,0,0,2,0,0,0,0.0\n"),
            std::string::npos)
      << csv;
}

TEST(CheckContest, ThePenaltiesAreSettingsAndTheOutputSaysWhichWereUsed) {
  const std::map<std::string, std::string> files = {
      {"r3dzv.cbr", Cabrillo("R3DZV", {"14085 RY 2024-03-16 1200 R3DZV 599 MO DL1ABC 599 1",
                                       "7035 RY 2024-03-16 1300 R3DZV 599 MO DL1ABC 599 2"})},
      {"dl1abc.cbr", Cabrillo("DL1ABC", {"14085 RY 2024-03-16 1200 DL1ABC 599 1 R3DZV 599 MO"})}};
  // The 40 m QSO is not in DL1ABC's log: removed, and one QSO's points (3 x 2) more,
  // which here leaves no points at all.
  const FolderRun byDefault = CheckFolder("penalty-default", files);
  const std::string csv = ReadFileBytes(fs::path(byDefault.out) / "results.csv");
  EXPECT_NE(csv.find("R3DZV,r3dzv.cbr,2,9,2,0,18,1,3,1,0,6,0,"), std::string::npos) << csv;
  const std::string page = ReadFileBytes(fs::path(byDefault.out) / "results.html");
  EXPECT_NE(page.find("Not in log — removed, plus one QSO's points"), std::string::npos);
  const FolderRun kept = CheckFolder("penalty-keep", files, {"--penalty", "nil=keep"});
  EXPECT_NE(ReadFileBytes(fs::path(kept.out) / "results.csv")
                .find("R3DZV,r3dzv.cbr,2,9,2,0,18,2,9,2,0,0,18,"),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(fs::path(kept.out) / "results.html").find("Not in log — kept"),
            std::string::npos);
  const FolderRun three = CheckFolder("penalty-three", files, {"--penalty=not-in-log=3"});
  EXPECT_NE(ReadFileBytes(fs::path(three.out) / "results.csv")
                .find("R3DZV,r3dzv.cbr,2,9,2,0,18,1,3,1,0,18,0,"),
            std::string::npos);
}

TEST(CheckContest, TheOutputFolderNeverLiesInTheLogsFolder) {
  const ScratchFolder scratch("zorvan-check-test-inside");
  const std::string folder = scratch.string();
  EXPECT_EQ(RunCheck({"--quiet", folder, (fs::path(folder) / "out").string()}), 2);
  EXPECT_EQ(RunCheck({"--quiet", folder, folder}), 2);
  EXPECT_FALSE(fs::exists(fs::path(folder) / "out"));
  EXPECT_EQ(RunCheck({"--quiet", (fs::path(folder) / "missing").string(), folder + "/out"}), 1);
  EXPECT_EQ(RunCheck({"--window", "x", "a", "b"}), 2);
  EXPECT_EQ(RunCheck({"--penalty", "late=1", "a", "b"}), 2);
}

}  // namespace
}  // namespace zd::check

// The replay's work folders: an operator's files of the module's kinds are never taken
// for the replay's own, the replay's own output is recognised and replaced, and a log's
// default folder is fresh or the replay's own.
#include "zorvan_replay/work_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "zorvan_replay/replay_log.h"

namespace zd::replay {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<fs::path>;

class WorkFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ =
        fs::path(::testing::TempDir()) /
        ("zd-work-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  static void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }
  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // What the module writes on a run: its report, its Cabrillo file and its settings.
  static void ModuleRun(const fs::path& folder, const std::string& score) {
    Write(folder / "BadQSO_ZedevIzuverUzaz_17_03_2024.txt", "ZORVAN-DIGI UBN file \r\n");
    Write(folder / "R3DZV.cbr", "START-OF-LOG: 3.0\r\nCLAIMED-SCORE: " + score + "\r\n");
    Write(folder / "Plugins" / "ZORVAN-DIGI.ini", "[Settings]\r\nClaimed=" + score + "\r\n");
  }
  fs::path root_;
};

TEST_F(WorkFolderTest, TheOperatorsFilesAreForeignAndStayUntouched) {
  const fs::path logger = root_ / "Vorlog";
  ModuleRun(logger, "999");
  Write(logger / "Vevozi2.ini", "[Settings]\r\nVorlog=2.18\r\n");
  Write(logger / "Plugins" / "call_special.dat", "R26ZVN special MO\r\n");
  Write(logger / "mylog.adi", "<EOH>");
  Write(logger / "notes.txt", "mine");
  const Paths expected{"BadQSO_ZedevIzuverUzaz_17_03_2024.txt",
                       fs::path("Plugins") / "ZORVAN-DIGI.ini",
                       fs::path("Plugins") / "call_special.dat", "R3DZV.cbr", "Vevozi2.ini"};
  EXPECT_EQ(ModuleFilesIn(logger), expected);
  WorkFolder folder(logger);
  EXPECT_FALSE(folder.HasOwnList());
  EXPECT_EQ(folder.ForeignFiles(), expected);
  // A run there (given --overwrite) deletes none of them; what it rewrites becomes its
  // own, what it leaves alone stays the operator's.
  folder.StartRun();
  EXPECT_EQ(Read(logger / "R3DZV.cbr"), "START-OF-LOG: 3.0\r\nCLAIMED-SCORE: 999\r\n");
  Write(logger / "BadQSO_ZedevIzuverUzaz_17_03_2024.txt", "ZORVAN-DIGI UBN file \r\nQSO: x\r\n");
  ASSERT_TRUE(folder.FinishRun({}));
  EXPECT_EQ(WorkFolder(logger).ForeignFiles(),
            (Paths{fs::path("Plugins") / "ZORVAN-DIGI.ini",
                   fs::path("Plugins") / "call_special.dat", "R3DZV.cbr", "Vevozi2.ini"}));
}

TEST_F(WorkFolderTest, ItsOwnOutputIsReplacedAndAChangedFileIsNotItsOwn) {
  const fs::path work = root_ / "mylog-replay";
  fs::create_directories(work);
  WorkFolder first(work);
  first.StartRun();
  ModuleRun(work, "100");
  Write(work / "Vevozi2.ini", "Vorlog=2.20\r\n");  // copied in by the replay
  ASSERT_TRUE(first.FinishRun({"Vevozi2.ini"}));
  Write(work / "summary.txt", "kept");  // not of the module's kinds: never touched

  WorkFolder second(work);
  EXPECT_TRUE(second.HasOwnList());
  EXPECT_TRUE(second.ForeignFiles().empty());
  // The operator edits the Cabrillo file: it is his now.
  Write(work / "R3DZV.cbr", "START-OF-LOG: 3.0\r\nCLAIMED-SCORE: 100\r\nSOAPBOX: mine\r\n");
  WorkFolder third(work);
  EXPECT_EQ(third.ForeignFiles(), Paths{"R3DZV.cbr"});
  // The next run deletes only what is still as the replay wrote it.
  third.StartRun();
  EXPECT_FALSE(fs::exists(work / "BadQSO_ZedevIzuverUzaz_17_03_2024.txt"));
  EXPECT_FALSE(fs::exists(work / "Plugins" / "ZORVAN-DIGI.ini"));
  EXPECT_FALSE(fs::exists(work / "Vevozi2.ini"));
  EXPECT_TRUE(fs::exists(work / "R3DZV.cbr"));
  EXPECT_EQ(Read(work / "summary.txt"), "kept");
  Write(work / "BadQSO_ZedevIzuverUzaz_17_03_2024.txt", "ZORVAN-DIGI UBN file \r\n");
  ASSERT_TRUE(third.FinishRun({}));
  EXPECT_EQ(WorkFolder(work).ForeignFiles(), Paths{"R3DZV.cbr"});
  // The list reads back as written, in any script.
  const std::string cyrillic = "\xD0\xBE\xD1\x82\xD1\x87\xD1\x91\xD1\x82.cbr";
  WorkFolder fourth(work);
  fourth.StartRun();
  Write(work / PathFromUtf8(cyrillic), "x");
  ASSERT_TRUE(fourth.FinishRun({}));
  const Paths foreign = WorkFolder(work).ForeignFiles();
  EXPECT_EQ(foreign, Paths{"R3DZV.cbr"});
}

TEST_F(WorkFolderTest, DefaultFolderIsFreshOrTheReplaysOwn) {
  const fs::path log = root_ / "my log.adi";
  Write(log, "<EOH>");
  EXPECT_EQ(DefaultWorkFolder(log), root_ / "my log-replay");
  // Its own folder is used again.
  fs::create_directories(root_ / "my log-replay");
  WorkFolder own(root_ / "my log-replay");
  own.StartRun();
  ModuleRun(root_ / "my log-replay", "1");
  ASSERT_TRUE(own.FinishRun({}));
  EXPECT_EQ(DefaultWorkFolder(log), root_ / "my log-replay");
  // A foreign file in it, or a folder of that name that is not the replay's: the next.
  Write(root_ / "my log-replay" / "other.cbr", "x");
  EXPECT_EQ(DefaultWorkFolder(log), root_ / "my log-replay-2");
  fs::create_directories(root_ / "my log-replay-2");
  EXPECT_EQ(DefaultWorkFolder(log), root_ / "my log-replay-3");
  Write(root_ / "my log-replay-3", "a file");
  EXPECT_EQ(DefaultWorkFolder(log), root_ / "my log-replay-4");
}

TEST(Fingerprint, TellsContentsApart) {
  const fs::path file = fs::path(::testing::TempDir()) / "zd-fingerprint.txt";
  std::ofstream(file, std::ios::binary) << "ZORVAN";
  const auto a = FingerprintOf(file);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->size, 6u);
  std::ofstream(file, std::ios::binary) << "ZORVAM";
  EXPECT_NE(FingerprintOf(file), a);
  fs::remove(file);
  EXPECT_FALSE(FingerprintOf(file));
}

}  // namespace
}  // namespace zd::replay

// Files the module rewrites are replaced in one step: a failure in the middle of a write
// leaves the old file whole, and the module goes on with its normal results.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/bad_qso_report.h"
#include "engine/contest_test_support.h"
#include "module/export_work.h"
#include "platform/files.h"
#include "platform/portable/ini_store.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

class FileSafety : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFaultHookForTesting(nullptr); }
  // Makes every replacement fail once `limit` bytes have been written.
  static void FailAfter(std::size_t limit) {
    SetWriteFaultHookForTesting([limit](std::size_t written) { return written < limit; });
  }
  static bool OnlyFile(const std::string& name) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(".")) {
      if (e.is_regular_file()) {
        ++n;
        if (e.path().filename() != name) return false;
      }
    }
    return n == 1;
  }
  test::TempFolder folder_{test::TempFolder::kWithPlugins};
};

TEST_F(FileSafety, ReplacementFailingMidwayKeepsTheOldFile) {
  ASSERT_TRUE(ReplaceFileContents("data.txt", "old contents\r\n"));
  const std::string big(20000, 'x');
  FailAfter(8192);
  EXPECT_FALSE(ReplaceFileContents("data.txt", big));
  EXPECT_EQ(test::ReadFileBytes("data.txt"), "old contents\r\n");
  EXPECT_TRUE(OnlyFile("data.txt")) << "the temporary file is removed";
  SetWriteFaultHookForTesting(nullptr);
  EXPECT_TRUE(ReplaceFileContents("data.txt", big));
  EXPECT_EQ(test::ReadFileBytes("data.txt"), big);
}

TEST_F(FileSafety, ReplacementOfAFolderFailsAndLeavesIt) {
  fs::create_directory("folder.txt");
  EXPECT_FALSE(ReplaceFileContents("folder.txt", "x"));
  EXPECT_TRUE(fs::is_directory("folder.txt"));
  EXPECT_FALSE(AppendToFile("folder.txt", "x"));
}

TEST_F(FileSafety, ReportRewriteFailingKeepsEveryLine) {
  const std::string name = "report.txt";
  const BadQsoReport report(name);
  report.Create();
  for (int i = 0; i < 300; ++i) {
    report.Append("QSO:  14000  RTTY  2023-03-16 12" + std::to_string(10 + i % 50) +
                  "  UA3AAA  599  MO  DL" + std::to_string(i) + "  599  001   DUPE !!!\r\n");
  }
  const std::string before = test::ReadFileBytes(name);
  FailAfter(4096);
  report.DropQsoLines("DL7", OleDateTime{45000.5, kDateValid});
  EXPECT_EQ(test::ReadFileBytes(name), before);
}

TEST_F(FileSafety, AppendAddsExactlyOneLine) {
  const BadQsoReport report("r.txt");
  report.Create();
  report.Append("QSO:  1  RTTY  x   WRONG BAND !!!\r\n");
  EXPECT_EQ(test::ReadFileBytes("r.txt"),
            "ZORVAN-DIGI UBN file \r\nQSO:  1  RTTY  x   WRONG BAND !!!\r\n");
}

TEST_F(FileSafety, SettingsWriteFailingKeepsTheOldFile) {
  IniStore store("Plugins/ZORVAN-DIGI.ini", "Settings");
  store.Write("Name", "Ivan");
  for (int i = 0; i < 200; ++i) store.Write("Key" + std::to_string(i), std::string(40, 'v'));
  const std::string before = test::ReadFileBytes("Plugins/ZORVAN-DIGI.ini");
  FailAfter(4096);
  store.Write("Name", "Petr");
  EXPECT_EQ(test::ReadFileBytes("Plugins/ZORVAN-DIGI.ini"), before);
  EXPECT_EQ(store.Read("Name", ""), "Ivan");
}

TEST_F(FileSafety, CabrilloWriteFailingKeepsTheOldFile) {
  IniStore store("Plugins/ZORVAN-DIGI.ini", "Settings");
  CabrilloLog log;
  log.LoadFromSettings(store, "UA3AAA");
  log.Confirm(store, log.Fields());
  for (int i = 0; i < 100; ++i) {
    log.AddQsoLine(14080, "RY", {45000.5, kDateValid}, "599", "MO", "DL" + std::to_string(i), "599",
                   "001");
  }
  EXPECT_EQ(log.WriteLog(100, "2.20"), "File produced: UA3AAA.cbr");
  const std::string before = test::ReadFileBytes("UA3AAA.cbr");
  log.AddQsoLine(7012, "PM", {45000.5, kDateValid}, "599", "MO", "W1AW", "599", "002");
  FailAfter(2048);
  // The operator is still told where the file is; the old file stays whole.
  EXPECT_EQ(log.WriteLog(200, "2.20"), "File produced: UA3AAA.cbr");
  EXPECT_EQ(test::ReadFileBytes("UA3AAA.cbr"), before);
}

class ReportReplacedByAFolder : public test::ContestOnDisk {
 protected:
  ReportReplacedByAFolder() : ContestOnDisk(45000.5) {}
};

TEST_F(ReportReplacedByAFolder, DoesNotStopLogging) {
  ResetOnDisk();
  fs::remove(work_.BadQsoFileName());
  fs::create_directory(work_.BadQsoFileName());
  const test::Qso q = QsoAt(45000.5);
  EXPECT_EQ(Add(q), 1);
  EXPECT_EQ(Add(q), 1);  // a dupe: its report line is lost, the QSO is not
  EXPECT_EQ(Remove(q), 1);
  EXPECT_EQ(contest_.LogSize(), 1u);
  EXPECT_NE(std::string(work_.GetResult()).find("Score: 3*(1+0) = 3"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(work_.BadQsoFileName()));
}

}  // namespace
}  // namespace zd

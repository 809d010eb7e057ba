// Files the module reads but does not own: whatever they hold, the module keeps working
// with its documented fallbacks and loses nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/contest_test_support.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

class UntrustedFiles : public test::ContestOnDisk {
 protected:
  UntrustedFiles() : ContestOnDisk(45000.5) {}
  void TearDown() override {
    fs::permissions(folder_.path(), fs::perms::owner_all, fs::perm_options::add);
  }
  void Reset(std::string_view pathPrefix = "") { ResetOnDisk(pathPrefix); }
  CheckResult Check(std::string_view call, std::string_view band = "20m") {
    return work_.CheckCall(CheckArgs{call, "RTTY", "UA", {}, "MO", band});
  }
  int Valid(std::string_view exch, std::string_view call) {
    return work_.IsValidExchange(exch, call, "UA");
  }
};

TEST_F(UntrustedFiles, HugeSpecialCallFileStillWorks) {
  std::string big;
  big.reserve(10 * 1024 * 1024 + 64);
  for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
    big += "R" + std::to_string(100000 + i) + "X some text SP\r\n";
  big += "R9LAST name YA";  // no line end after the last line
  test::WriteFileBytes("Plugins/call_special.dat", big);
  Reset();
  EXPECT_GT(contest_.SpecialCalls().size(), 300000u);
  EXPECT_EQ(contest_.SpecialCalls().back(), "R9LAST name YA");
  EXPECT_EQ(Valid("YA", "R9LAST"), 1);
  EXPECT_EQ(Valid("SP", "R9LAST"), 0);
}

TEST_F(UntrustedFiles, JunkAndOddLineEndsInTheSpecialCallFile) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 131 + 7) % 256);
  test::WriteFileBytes("Plugins/call_special.dat",
                       junk + "\nUA3ZZZ x KA\n\nR1CR a LO\rR2CR b MA\rR3CR c TV");
  Reset();
  const auto lines = contest_.SpecialCalls();
  ASSERT_GE(lines.size(), 3u);
  // CR alone does not end a line: the last line holds all three CR-separated parts and
  // ends with the code of the third.
  EXPECT_EQ(lines.back(), "R1CR a LO\rR2CR b MA\rR3CR c TV");
  EXPECT_EQ(Valid("KA", "UA3ZZZ"), 1);
  EXPECT_EQ(Valid("TV", "R1CR"), 1);
  // The empty line is kept; an empty call is never typed (shorter than three).
  EXPECT_EQ(lines[lines.size() - 2], "");
  // Junk never crashes the call check.
  std::string call = "UA";
  for (int b = 1; b < 256; ++b) call += static_cast<char>(b);
  EXPECT_NO_THROW(Check(call));
}

TEST_F(UntrustedFiles, SettingsFileWithLongValuesAndJunk) {
  std::string file = "[Settings]\r\nsetup_mast=1\r\nName=" + std::string(10 * 1024, 'N') + "\r\n";
  std::string junk;
  for (int i = 1; i < 256; ++i) junk += static_cast<char>(i);
  file += "[" + junk + "]\r\n" + junk + "=" + junk + "\r\n[Settings2]\r\nStart=1\r\n";
  test::WriteFileBytes("Plugins/ZORVAN-DIGI.ini", file);
  EXPECT_EQ(ReadSetting(settings_, "Name"), std::string(99, 'N'));
  Reset();
  EXPECT_TRUE(contest_.SetupMast());
  // "Start" of the other section is not ours: the reset found none, opened the window
  // (headless: nothing) and armed the flag in our section.
  EXPECT_EQ(ReadSetting(settings_, "Start"), "1");
  EXPECT_NE(test::ReadFileBytes("Plugins/ZORVAN-DIGI.ini").find("[Settings2]\r\nStart=1"),
            std::string::npos);
}

TEST_F(UntrustedFiles, ReadOnlySettingsFileIsReadAndLeftAlone) {
  test::WriteFileBytes("Plugins/ZORVAN-DIGI.ini", "[Settings]\r\nsetup_mast=1\r\n");
  fs::permissions("Plugins/ZORVAN-DIGI.ini",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Reset();
  EXPECT_TRUE(contest_.SetupMast());
  work_.GetResult();  // writes "Claimed": ignored
  EXPECT_EQ(test::ReadFileBytes("Plugins/ZORVAN-DIGI.ini"), "[Settings]\r\nsetup_mast=1\r\n");
  fs::permissions("Plugins/ZORVAN-DIGI.ini", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(UntrustedFiles, HostIniWithoutItsVersionLine) {
  test::WriteFileBytes("Vevozi2.ini", "[Main]\r\nSomething=else\r\n");
  Reset("./");
  EXPECT_EQ(contest_.HostVersion(), "");  // found, but no version: the old value stays
  EXPECT_EQ(Check("DL1ABC", "12m").code, 4);
  test::WriteFileBytes("Vevozi2.ini", "Vorlog=2.19\r\n");
  Reset("./");
  EXPECT_EQ(contest_.HostVersion(), "2.19");
  test::WriteFileBytes("Vevozi2.ini", "no version here\r\n");
  Reset("./");
  EXPECT_EQ(contest_.HostVersion(), "2.19");
  EXPECT_EQ(Check("DL1ABC", "12m").code, 1);
  fs::remove("Vevozi2.ini");
  Reset("./");
  EXPECT_EQ(contest_.HostVersion(), "Vorlog");
}

TEST_F(UntrustedFiles, ReadOnlyWorkFolderLosesOnlyTheReport) {
  fs::permissions(folder_.path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (test::ReadFileBytes("/proc/self/status").find("Uid:\t0\t") != std::string::npos) {
    GTEST_SKIP() << "root writes into read-only folders";
  }
  Reset();
  EXPECT_EQ(Add(QsoAt(45000.5)), 1);
  EXPECT_EQ(Add(QsoAt(45000.5)), 1);
  EXPECT_FALSE(fs::exists(work_.BadQsoFileName()));
  EXPECT_NE(std::string(work_.GetResult()).find("Dupe\t 1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zd

// The portable settings store: the platform's INI conventions on text, and the file
// operations behind them (missing files, failed writes).
#include "platform/portable/ini_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "support/files.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

std::string Read(std::string_view text, std::string_view key, std::string_view fallback = {}) {
  return IniStore::ReadFrom(text, "Settings", key, fallback);
}

TEST(IniStoreText, FindsTheFirstOfDuplicatesWhateverTheCase) {
  const std::string_view text =
      "; comment\r\n[Other]\r\nMode=CW\r\n[SETTINGS]\r\nmode=RTTY\r\nMODE=BPSK63\r\n"
      "[Settings]\r\nMode=BPSK125\r\nsetup_x=4\r\n";
  EXPECT_EQ(Read(text, "Mode"), "RTTY");
  EXPECT_EQ(Read(text, "setup_x", "d"), "d");  // only the first section of a name counts
  EXPECT_EQ(Read("[Settings]\r\nMode\r\nMode=RTTY\r\n", "Mode", "d"), "d");
  EXPECT_EQ(Read("[Other]\r\nMode=x\r\n", "Mode", "d"), "d");
  EXPECT_EQ(Read("", "Mode", "d"), "d");
}

TEST(IniStoreText, LineEndsAndBlanks) {
  EXPECT_EQ(Read("[Other]\rMode=x\r[Settings]\rMode=RTTY\r", "Mode"), "RTTY");
  EXPECT_EQ(Read("[Other]\nMode=x\n[Settings]\nMode=RTTY", "Mode"), "RTTY");
  EXPECT_EQ(Read("  [ Settings ]  \r\n\t Mode \t=\t RT TY \x1A\r\n", " Mode "), "RT TY");
  EXPECT_EQ(Read("[Settings]\r\n\x1A"
                 "a=1\r\n",
                 "a"),
            "1");
  EXPECT_EQ(Read("[Settings]\r\n\xA0"
                 "a=1\r\n",
                 "a", "d"),
            "d");  // not a blank
  EXPECT_EQ(Read("\xEF\xBB\xBF[Settings]\r\nMode=RTTY\r\n", "Mode"), "RTTY");
  EXPECT_EQ(Read(std::string_view("[Settings]\r\nMode=RT\0TY\r\n", 24), "Mode"), "RT");
  EXPECT_EQ(Read("[Settings]\r\nMode=a=b\r\n", "Mode"), "a=b");
}

TEST(IniStoreText, QuotesAndTheHundredByteBuffer) {
  const std::string v99(99, 'v');
  EXPECT_EQ(Read("[Settings]\r\na=\"x y\"\r\n", "a"), "x y");
  EXPECT_EQ(Read("[Settings]\r\na='x'\r\n", "a"), "x");
  EXPECT_EQ(Read("[Settings]\r\na=\"x'\r\n", "a"), "\"x'");
  EXPECT_EQ(Read("[Settings]\r\na=\"\r\n", "a"), "\"");
  EXPECT_EQ(Read("[Settings]\r\na=\"\"\r\n", "a"), "");
  EXPECT_EQ(Read("[Settings]\r\na=" + std::string(150, 'v') + "\r\n", "a"), v99);
  EXPECT_EQ(Read("[Settings]\r\na=\"" + std::string(98, 'v') + "\"\r\n", "a"),
            std::string(98, 'v'));
  // 99 characters between quotes fill the buffer with the closing quote cut off, and
  // the last character goes too.
  EXPECT_EQ(Read("[Settings]\r\na=\"" + v99 + "\"\r\n", "a"), std::string(98, 'v'));
  EXPECT_EQ(Read("[Settings]\r\na=\"" + std::string(150, 'v') + "\"\r\n", "a"), v99);
  // Defaults: trailing spaces dropped (never the first character), quotes removed, cut.
  EXPECT_EQ(Read("", "a", "UA3AAA  "), "UA3AAA");
  EXPECT_EQ(Read("", "a", "   "), " ");
  EXPECT_EQ(Read("", "a", "\"q\""), "q");
  EXPECT_EQ(Read("", "a", std::string(150, 'd')), std::string(99, 'd'));
}

TEST(IniStoreText, WritesRewriteTheFileTheWayThePlatformDoes) {
  EXPECT_EQ(IniStore::WriteTo("", "Settings", "Mode", "RTTY"), "[Settings]\r\nMode=RTTY\r\n");
  // Blank lines go, lines lose their blanks, comments and other sections stay.
  EXPECT_EQ(
      IniStore::WriteTo("; mine\n\n[Other]\n x = 1 \n\n[Settings]\nMode=RTTY\n\n[Last]\ny=2",
                        "Settings", "setup_x", "7"),
      "; mine\r\n[Other]\r\nx=1\r\n[Settings]\r\nMode=RTTY\r\nsetup_x=7\r\n[Last]\r\ny=2\r\n");
  EXPECT_EQ(IniStore::WriteTo("[Other]\r\nb=2", "Settings", "Mode", "RTTY"),
            "[Other]\r\nb=2\r\n[Settings]\r\nMode=RTTY\r\n");
  // Leading blanks of a value are dropped, trailing ones written.
  EXPECT_EQ(IniStore::WriteTo("", "Settings", "a", " \t x  "), "[Settings]\r\na=x  \r\n");
  // The first of duplicate sections and keys is changed, a bare key line gets the value.
  EXPECT_EQ(
      IniStore::WriteTo("[Settings]\r\na=1\r\n[Settings]\r\na=2\r\nb=3\r\n", "Settings", "b", "4"),
      "[Settings]\r\na=1\r\nb=4\r\n[Settings]\r\na=2\r\nb=3\r\n");
  EXPECT_EQ(IniStore::WriteTo("[Settings]\r\nMode\r\nMode=x\r\n", "Settings", "Mode", "RTTY"),
            "[Settings]\r\nMode=RTTY\r\nMode=x\r\n");
  EXPECT_EQ(IniStore::WriteTo("\xEF\xBB\xBF[Settings]\r\nMode=x\r\n", "Settings", "Mode", "RTTY"),
            "\xEF\xBB\xBF[Settings]\r\nMode=RTTY\r\n");
}

TEST(IniStoreText, AWriteThatChangesNothingLeavesTheFileAlone) {
  for (const char* text : {"[Settings]\nMode=RTTY  \n\n", "[settings]\r\n\r\nmode=RTTY\r"}) {
    EXPECT_EQ(IniStore::WriteTo(text, "Settings", "Mode", "RTTY"), text);
    EXPECT_EQ(IniStore::WriteTo(text, "Settings", "Mode", " \t RTTY"), text);
  }
  EXPECT_EQ(IniStore::WriteTo("[Settings]\nMode=rtty\n", "Settings", "Mode", "RTTY"),
            "[Settings]\r\nMode=RTTY\r\n");
  EXPECT_EQ(IniStore::WriteTo("[Settings]\nMode=\"RTTY\"\n", "Settings", "Mode", "RTTY"),
            "[Settings]\r\nMode=RTTY\r\n");
}

class IniStoreFiles : public ::testing::Test {
 protected:
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(dir_ / "s.ini", fs::perms::owner_write, fs::perm_options::add, ec);
    SetWriteFaultHookForTesting(nullptr);
  }
  std::string PathOf(const char* name) const { return (dir_ / name).string(); }
  static void Put(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Text(const std::string& path) {
    return ReadWholeFile(path).value_or("(none)");
  }
  test::ScratchFolder scratch_{"zd-ini"};
  const fs::path& dir_ = scratch_.path();
};

TEST_F(IniStoreFiles, MissingFileOrFolderReadsAsEmpty) {
  EXPECT_EQ(IniStore(PathOf("none.ini"), "Settings").Read("Mode", ""), "");
  EXPECT_EQ(IniStore(PathOf("none.ini"), "Settings").Read("Mode", "\"d\""), "d");
  const std::string nowhere = (dir_ / "no folder" / "s.ini").string();
  EXPECT_EQ(IniStore(nowhere, "Settings").Read("Mode", ""), "");
  // Where the file cannot be opened at all the default comes back as given, quotes and all.
  EXPECT_EQ(IniStore(nowhere, "Settings").Read("Mode", "\"d\"  "), "\"d\"");
  IniStore(nowhere, "Settings").Write("Mode", "RTTY");
  EXPECT_FALSE(fs::exists(dir_ / "no folder"));
}

TEST_F(IniStoreFiles, WritesKeepEverythingElse) {
  const std::string path = PathOf("s.ini");
  Put(path, "; the operator's note\r\n[Other]\r\nx=1\r\n[Settings]\r\nMode=RTTY\r\n");
  IniStore store(path, "Settings");
  store.Write("RusObl", "1");
  store.Write("Mode", "BPSK63");
  EXPECT_EQ(Text(path),
            "; the operator's note\r\n[Other]\r\nx=1\r\n[Settings]\r\nMode=BPSK63\r\nRusObl=1\r\n");
  EXPECT_EQ(store.Read("Mode", ""), "BPSK63");
  EXPECT_EQ(IniStore(path, "Other").Read("x", ""), "1");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  // Storing the value a key already holds does not touch the file.
  Put(path, "[Settings]\nMode=RTTY\n\n; mine\n");
  store.Write("Mode", "RTTY");
  EXPECT_EQ(Text(path), "[Settings]\nMode=RTTY\n\n; mine\n");
}

TEST_F(IniStoreFiles, FailedWritesAreIgnored) {
  // A folder where the file should be.
  fs::create_directory(dir_ / "folder.ini");
  IniStore(PathOf("folder.ini"), "Settings").Write("Mode", "RTTY");
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.ini"));
  EXPECT_TRUE(fs::is_empty(dir_ / "folder.ini"));
  EXPECT_EQ(IniStore(PathOf("folder.ini"), "Settings").Read("Mode", "d"), "d");

  // A read-only file stays as it is.
  const std::string path = PathOf("s.ini");
  Put(path, "[Settings]\nMode=x\n");
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  IniStore(path, "Settings").Write("Mode", "RTTY");
  EXPECT_EQ(Text(path), "[Settings]\nMode=x\n");
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);

  // A write that fails half-way leaves the old contents whole.
  SetWriteFaultHookForTesting([](std::size_t written) { return written == 0; });
  IniStore(path, "Settings").Write("SoapBox", std::string(10000, 's'));
  SetWriteFaultHookForTesting(nullptr);
  EXPECT_EQ(Text(path), "[Settings]\nMode=x\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(IniStoreFiles, ReadOnlyFolderIsIgnored) {
  const fs::path folder = dir_ / "locked";
  fs::create_directory(folder);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  {
    // Some accounts (an administrator, a root user) may write there all the same.
    std::ofstream probe(folder / "probe");
    if (probe) {
      probe.close();
      fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
      GTEST_SKIP() << "this account can write into a read-only folder";
    }
  }
  const std::string path = (folder / "s.ini").string();
  IniStore(path, "Settings").Write("Mode", "RTTY");
  EXPECT_EQ(IniStore(path, "Settings").Read("Mode", "d"), "d");
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
  EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
}  // namespace zd

// The settings operations as the module uses them: numbers read from text, and the
// platform's store on the relative path, created on the first write.
#include "platform/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/fakes.h"
#include "support/files.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

int IntOf(const std::string& text) {
  test::MemorySettings store;  // hands back stored texts: the conversion alone is tested
  store.Set("k", text);
  return ReadSettingInt(store, "k");
}

TEST(ReadSettingInt, DecimalTextWithBlanksAndSign) {
  EXPECT_EQ(IntOf("12"), 12);
  EXPECT_EQ(IntOf("  12"), 12);
  EXPECT_EQ(IntOf("\t\r\n\v\f-5"), -5);
  EXPECT_EQ(IntOf("+7"), 7);
  EXPECT_EQ(IntOf("-0"), 0);
  EXPECT_EQ(IntOf("007"), 7);
  EXPECT_EQ(IntOf("12 34"), 12);
  EXPECT_EQ(IntOf("12abc"), 12);
  EXPECT_EQ(IntOf("-5px"), -5);
  EXPECT_EQ(IntOf("1.9"), 1);
}

TEST(ReadSettingInt, TextWithoutANumberIsZero) {
  EXPECT_EQ(IntOf(""), 0);
  EXPECT_EQ(IntOf("   "), 0);
  EXPECT_EQ(IntOf("abc"), 0);
  EXPECT_EQ(IntOf("-"), 0);
  EXPECT_EQ(IntOf("+-3"), 0);
  EXPECT_EQ(IntOf("- 3"), 0);
  EXPECT_EQ(IntOf("0x10"), 0);
  EXPECT_EQ(IntOf("x12"), 0);
  test::MemorySettings empty;
  EXPECT_EQ(ReadSettingInt(empty, "missing"), 0);
}

TEST(ReadSettingInt, ValuesPastTheRangeSaturate) {
  EXPECT_EQ(IntOf("2147483647"), INT_MAX);
  EXPECT_EQ(IntOf("2147483648"), INT_MAX);
  EXPECT_EQ(IntOf("-2147483648"), INT_MIN);
  EXPECT_EQ(IntOf("-2147483649"), INT_MIN);
  EXPECT_EQ(IntOf("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(IntOf("-99999999999999999999999"), INT_MIN);
  EXPECT_EQ(IntOf(std::string(99, '9')), INT_MAX);
  EXPECT_EQ(IntOf("000000000000000000000000042"), 42);
}

TEST(WriteSettingInt, WholeDecimalText) {
  test::MemorySettings store;
  for (long long v :
       {0LL, 10LL, -5LL, 9999LL, -32768LL, 100000LL, 2147483647LL, -2147483648LL, 5000000000LL}) {
    WriteSettingInt(store, "x", v);
    EXPECT_EQ(store.Get("x"), std::to_string(v));
  }
  WriteSettingInt(store, "x", -12345);
  EXPECT_EQ(ReadSettingInt(store, "x"), -12345);
}

// The store of the platform, on the module's relative path, from a scratch working folder.
class PlatformSettings : public ::testing::Test {
 protected:
  test::TempFolder folder_;
  static std::string FileText() {
    std::ifstream in(fs::path("Plugins") / "ZORVAN-DIGI.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(PlatformSettings, MissingFolderReadsAsEmptyAndIsNotCreated) {
  auto store = MakePlatformSettingsStore();
  EXPECT_EQ(ReadSetting(*store, "Mode"), "");
  EXPECT_EQ(ReadSettingInt(*store, "setup_x"), 0);
  EXPECT_EQ(ReadSetting(*store, "Operators", "UA3AAA"), "UA3AAA");
  WriteSetting(*store, "Mode", "RTTY");  // no Plugins folder: ignored
  EXPECT_FALSE(fs::exists("Plugins"));
  EXPECT_EQ(ReadSetting(*store, "Mode"), "");
}

TEST_F(PlatformSettings, FirstWriteCreatesTheFileWithItsSection) {
  fs::create_directory("Plugins");
  auto store = MakePlatformSettingsStore();
  EXPECT_EQ(ReadSetting(*store, "Mode"), "");
  EXPECT_FALSE(fs::exists(fs::path("Plugins") / "ZORVAN-DIGI.ini"));
  WriteSetting(*store, "RusObl", "1");
  EXPECT_EQ(FileText(), "[Settings]\r\nRusObl=1\r\n");
  WriteSettingInt(*store, "setup_x", -5);
  WriteSetting(*store, "RusObl", "0");
  EXPECT_EQ(FileText(), "[Settings]\r\nRusObl=0\r\nsetup_x=-5\r\n");
  EXPECT_EQ(ReadSettingInt(*store, "setup_x"), -5);
  // Every read goes to the file: a second store sees the writes at once.
  EXPECT_EQ(ReadSetting(*MakePlatformSettingsStore(), "RusObl"), "0");
}

TEST_F(PlatformSettings, LongValuesAreCutOnRead) {
  fs::create_directory("Plugins");
  auto store = MakePlatformSettingsStore();
  const std::string soapBox(150, 's');
  WriteSetting(*store, "SoapBox", soapBox);
  EXPECT_NE(FileText().find("SoapBox=" + soapBox + "\r\n"), std::string::npos);
  EXPECT_EQ(ReadSetting(*store, "SoapBox"), soapBox.substr(0, 99));
}

}  // namespace
}  // namespace zd

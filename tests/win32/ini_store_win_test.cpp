// The portable settings store against the platform's private-profile functions: both
// read the same awkward files through a 100-byte buffer and apply the same writes, and
// must agree byte for byte on what they return and on what the files hold afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/portable/ini_store.h"
#include "platform/settings.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

std::string Escaped(std::string_view s) {
  std::string out;
  for (unsigned char c : s) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::optional<std::string> Contents(const fs::path& p) {
  std::error_code ec;
  if (!fs::is_regular_file(p, ec)) return std::nullopt;
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& p, std::string_view bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class IniPlatform : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = fs::path(temp) / ("zd_ini_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(dir_);
    ASSERT_TRUE(fs::create_directories(dir_));
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // A fresh file name for every use: the platform keeps recently used files in memory.
  fs::path NewPath(const char* tag) {
    return dir_ / (std::string(tag) + std::to_string(++n_) + ".ini");
  }

  static std::string PlatformRead(const fs::path& file, const std::string& section,
                                  const std::string& key, const std::string& fallback) {
    char buffer[kSettingValueMax + 1];
    std::memset(buffer, '#', sizeof buffer);
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer,
                                             sizeof buffer, file.string().c_str());
    EXPECT_EQ(n, std::strlen(buffer)) << "the platform's count";
    return std::string(buffer, std::strlen(buffer));
  }

  // Reads each key from a file of the given contents (nullopt: no file) both ways.
  void ExpectSameReads(const char* what, const std::optional<std::string>& contents,
                       const std::vector<std::string>& keys, const std::string& fallback = {},
                       const std::string& section = "Settings") {
    const fs::path theirs = NewPath("r"), ours = NewPath("r");
    if (contents) {
      Put(theirs, *contents);
      Put(ours, *contents);
    }
    IniStore store(ours.string(), section);
    for (const std::string& key : keys) {
      const std::string expected = PlatformRead(theirs, section, key, fallback);
      EXPECT_EQ(Escaped(store.Read(key, fallback)), Escaped(expected))
          << what << ": key [" << Escaped(key) << "] in section [" << section << "], default ["
          << Escaped(fallback) << "], file " << (contents ? Escaped(*contents) : "(none)");
    }
    EXPECT_EQ(Contents(ours), Contents(theirs)) << what << ": reading changed a file";
  }

  struct Step {
    std::string section, key, value;
  };

  // Applies the same writes to two copies of a file and compares them after each step.
  void ExpectSameWrites(const char* what, const std::optional<std::string>& initial,
                        const std::vector<Step>& steps, const char* subfolder = nullptr) {
    fs::path theirs = NewPath("w"), ours = NewPath("w");
    if (subfolder) {
      theirs = theirs.parent_path() / (std::string(subfolder) + "1") / theirs.filename();
      ours = ours.parent_path() / (std::string(subfolder) + "2") / ours.filename();
    }
    if (initial) {
      Put(theirs, *initial);
      Put(ours, *initial);
    }
    std::string trace;
    for (const Step& s : steps) {
      trace += " [" + s.section + "] " + Escaped(s.key) + "=" + Escaped(s.value) + ";";
      WritePrivateProfileStringA(s.section.c_str(), s.key.c_str(), s.value.c_str(),
                                 theirs.string().c_str());
      IniStore(ours.string(), s.section).Write(s.key, s.value);
      const auto expected = Contents(theirs), actual = Contents(ours);
      ASSERT_EQ(actual.has_value(), expected.has_value())
          << what << " after" << trace << ": the file exists on one side only";
      if (!expected) continue;
      ASSERT_EQ(Escaped(*actual), Escaped(*expected))
          << what << " after" << trace << ", from " << (initial ? Escaped(*initial) : "(none)");
      // And each side reads back the other's file the same way.
      IniStore other(theirs.string(), s.section);
      EXPECT_EQ(Escaped(other.Read(s.key, "?")), Escaped(PlatformRead(ours, s.section, s.key, "?")))
          << what << " after" << trace;
    }
  }

  fs::path dir_;
  int n_ = 0;
};

const std::vector<std::string> kKeys = {"Mode", "setup_x", "a", "b", "c", "Missing"};

TEST_F(IniPlatform, MissingAndEmptyFiles) {
  ExpectSameReads("no file", std::nullopt, kKeys);
  ExpectSameReads("no file, a default", std::nullopt, {"Mode"}, "OPS");
  ExpectSameReads("empty file", "", kKeys);
  ExpectSameReads("empty file, a default", "", {"Mode"}, "UA3AAA");
  ExpectSameReads("only blanks", " \r\n\r\n\t\r\n", kKeys, "d");
  ExpectSameReads("missing section", "[Other]\r\nMode=RTTY\r\nsetup_x=5\r\n", kKeys);
  ExpectSameReads("keys before any section", "Mode=RTTY\r\n[Other]\r\nsetup_x=5\r\n", kKeys);
  ExpectSameReads("section without keys", "[Settings]\r\n[Other]\r\nMode=RTTY\r\n", kKeys, "x");
  const fs::path nowhere = dir_ / "no such folder" / "x.ini";
  IniStore store(nowhere.string(), "Settings");
  EXPECT_EQ(store.Read("Mode", "def"), PlatformRead(nowhere, "Settings", "Mode", "def"));
  EXPECT_EQ(store.Read("Mode", ""), PlatformRead(nowhere, "Settings", "Mode", ""));
}

TEST_F(IniPlatform, DuplicatesAndCase) {
  ExpectSameReads("duplicate keys", "[Settings]\r\nMode=RTTY\r\nMode=BPSK63\r\n", kKeys);
  ExpectSameReads("duplicate sections",
                  "[Settings]\r\na=1\r\n[Other]\r\nb=2\r\n[Settings]\r\nb=3\r\na=4\r\nc=5\r\n",
                  kKeys);
  ExpectSameReads("names in other case", "[SETTINGS]\r\nMODE=RTTY\r\nSetup_X=7\r\n", kKeys);
  ExpectSameReads("key line without a value", "[Settings]\r\nMode\r\nMode=RTTY\r\na=\r\n", kKeys,
                  "dflt");
  ExpectSameReads("empty key name", "[Settings]\r\n=1\r\n =2\r\na=3\r\n", {"", " ", "a"}, "d");
  ExpectSameReads("value holding =", "[Settings]\r\nMode=a=b\r\na==\r\n", kKeys);
  ExpectSameReads("section read with other case", "[settings]\r\nmode=x\r\n", {"MODE"}, "",
                  "SETTINGS");
}

TEST_F(IniPlatform, BlanksAroundNamesAndValues) {
  ExpectSameReads("blanks around",
                  "  [Settings]  \r\n  setup_x  =  12  \r\n\tMode\t=\tRTTY\t\r\n a = x y \r\n",
                  kKeys);
  ExpectSameReads("blanks inside the brackets", "[ Settings ]\r\nMode=RTTY\r\n", kKeys);
  ExpectSameReads("blanks inside the brackets, other",
                  "[Settings ]\r\nMode=1\r\n[ Settings]\r\na=2\r\n", kKeys);
  ExpectSameReads("header with text after it", "[Settings] ; the module's\r\nMode=RTTY\r\n", kKeys);
  ExpectSameReads("brackets inside the header", "[Set]tings]\r\nMode=1\r\n[Settings]x]\r\na=2\r\n",
                  kKeys);
  ExpectSameReads("empty header", "[]\r\nMode=1\r\n[  ]\r\na=2\r\n[Settings]\r\nb=3\r\n", kKeys);
  ExpectSameReads("header without its bracket", "[Settings\r\nMode=RTTY\r\n[Settings]\r\na=1\r\n",
                  kKeys);
  ExpectSameReads("control blanks",
                  "[Settings]\r\n\x0bMode\x0c=\x1a"
                  "RTTY\x1a\r\n\x1a"
                  "a=\x0b"
                  "1\x0b\r\n",
                  kKeys);
  ExpectSameReads("separator controls",
                  "[Settings]\r\n\x1cMode\x1d=\x1eRTTY\x1f\r\n\x1f"
                  "a\x1c=1\r\n\x1c\r\nb=\x7f\r\n",
                  kKeys);
  ExpectSameReads("no-break space", "[Settings]\r\n\xa0Mode\xa0=\xa0RTTY\xa0\r\n", kKeys);
  ExpectSameReads("blank keys asked", "[Settings]\r\nMode=RTTY\r\n",
                  {" Mode", "Mode ", "\tMode\t"});
  ExpectSameReads("blank section asked", "[Settings]\r\nMode=RTTY\r\n", {"Mode"}, "", " Settings ");
  ExpectSameReads("default with blanks after it", "[Settings]\r\n", {"Mode"}, "UA3AAA  ");
  ExpectSameReads("default of blanks", "[Settings]\r\n", {"Mode"}, "   ");
  ExpectSameReads("default with blanks before it", "[Settings]\r\n", {"Mode"}, "  x");
  ExpectSameReads("default, no file", std::nullopt, {"Mode"}, "UA3AAA  ");
}

TEST_F(IniPlatform, Quotes) {
  ExpectSameReads("quoted values",
                  "[Settings]\r\n"
                  "a=\"double\"\r\n"
                  "b='single'\r\n"
                  "c=\"mixed'\r\n"
                  "d=\"\r\n"
                  "e=\"\"\r\n"
                  "f=''\r\n"
                  "g=\"  inner blanks  \"\r\n"
                  "h=x\"y\"\r\n"
                  "i=\"open\r\n"
                  "j=close\"\r\n"
                  "k= \"after blank\" \r\n"
                  "l=\"a\"b\"\r\n",
                  {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"});
  ExpectSameReads("quoted default", std::nullopt, {"Mode"}, "\"quoted\"");
  ExpectSameReads("quoted default, empty file", "", {"Mode"}, "\"quoted\"");
  const fs::path nowhere = dir_ / "no such folder" / "x.ini";
  EXPECT_EQ(IniStore(nowhere.string(), "Settings").Read("Mode", "\"q\"  "),
            PlatformRead(nowhere, "Settings", "Mode", "\"q\"  "));
  const fs::path folder = NewPath("dir");
  fs::create_directory(folder);
  EXPECT_EQ(IniStore(folder.string(), "Settings").Read("Mode", "'q'"),
            PlatformRead(folder, "Settings", "Mode", "'q'"));
}

TEST_F(IniPlatform, LongValues) {
  std::string text = "[Settings]\r\n";
  std::vector<std::string> keys;
  for (int n : {0, 1, 97, 98, 99, 100, 101, 150, 300}) {
    const std::string body(static_cast<std::size_t>(n), 'v');
    text += "p" + std::to_string(n) + "=" + body + "\r\n";
    text += "q" + std::to_string(n) + "=\"" + body + "\"\r\n";
    text += "s" + std::to_string(n) + "='" + body + "\r\n";
    for (const char* p : {"p", "q", "s"}) keys.push_back(p + std::to_string(n));
  }
  ExpectSameReads("long values", text, keys);
  ExpectSameReads("long default", "", {"Mode"}, std::string(150, 'd'));
  ExpectSameReads("long default, no file", std::nullopt, {"Mode"}, std::string(150, 'd'));
  ExpectSameReads("long default with blanks after it", "", {"Mode"}, std::string(99, 'd') + "  ");
  ExpectSameReads("long key", "[Settings]\r\n" + std::string(200, 'k') + "=1\r\n",
                  {std::string(200, 'k'), std::string(199, 'k')});
}

TEST_F(IniPlatform, LineEndsCommentsAndBlankLines) {
  ExpectSameReads("LF only", "[Other]\nMode=x\n[Settings]\nMode=RTTY\nsetup_x=3\n", kKeys);
  ExpectSameReads("CR only", "[Other]\rMode=x\r[Settings]\rMode=RTTY\rsetup_x=3\r", kKeys);
  ExpectSameReads("mixed", "[Settings]\r\n\rMode=RTTY\n\r\nsetup_x=3\r\r\na=1", kKeys);
  ExpectSameReads("no line end at the end", "[Settings]\r\nMode=RTTY", kKeys);
  ExpectSameReads("comments",
                  "; the module's settings\r\n# hash\r\n[Settings]\r\n;Mode=CW\r\nMode=RTTY\r\n"
                  "//a=1\r\n;setup_x=4\r\n",
                  {"Mode", ";Mode", "setup_x", ";setup_x", "a", "//a"});
  ExpectSameReads("blank lines", "\r\n\r\n[Settings]\r\n\r\n\r\nMode=RTTY\r\n\r\n[Other]\r\n\r\n",
                  kKeys);
  ExpectSameReads("a NUL in a value", std::string("[Settings]\r\nMode=RT\0TY\r\na=1\r\n", 27),
                  kKeys);
  ExpectSameReads("8-bit text",
                  "[Settings]\r\nName=\xc8\xe2\xe0\xed \xcf\xe5\xf2\xf0\xee\xe2\r\n"
                  "a=\x80\x81\x8d\x8f\x90\x98\x9d\xff\r\n",
                  {"Name", "a"});
  ExpectSameReads("byte-order mark", "\xef\xbb\xbf[Settings]\r\nMode=RTTY\r\n", kKeys);
  ExpectSameReads("8-bit names in other case", "[Settings]\r\n\xc9\xe9=1\r\n\xe0=2\r\n",
                  {"\xc9\xe9", "\xe9\xe9", "\xc9\xc9", "\xc0", "\xe0"}, "d");
}

TEST_F(IniPlatform, WritesToNewAndExistingFiles) {
  ExpectSameWrites(
      "new file", std::nullopt,
      {{"Settings", "Mode", "RTTY"}, {"Settings", "setup_x", "10"}, {"Settings", "setup_y", "-5"}});
  ExpectSameWrites("empty file", "", {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("replace", "[Settings]\r\nMode=RTTY\r\nsetup_x=5\r\n",
                   {{"Settings", "Mode", "BPSK63"}, {"Settings", "setup_x", "123456789012"}});
  ExpectSameWrites("the same value again", "[Settings]\nMode=RTTY  \n\n; note\n",
                   {{"Settings", "Mode", "RTTY"}, {"Settings", "Mode", "  RTTY"}});
  ExpectSameWrites("the same value in other case", "[settings]\nmode=rtty\n",
                   {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("add to a section followed by others",
                   "[Settings]\r\na=1\r\n\r\n[Other]\r\nb=2\r\n",
                   {{"Settings", "c", "3"}, {"Settings", "d", "4"}});
  ExpectSameWrites("add a section", "[Other]\r\nb=2\r\n", {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("add a section after a blank line", "[Other]\r\nb=2\r\n\r\n",
                   {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("add a section, no line end", "[Other]\r\nb=2", {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("add two sections", "; head\r\n",
                   {{"Settings", "Mode", "RTTY"}, {"Third", "x", "1"}, {"Settings", "a", "2"}});
  ExpectSameWrites("keys before any section", "loose=1\r\n", {{"Settings", "Mode", "RTTY"}});
}

TEST_F(IniPlatform, WritesKeepTheRestOfTheFile) {
  ExpectSameWrites("comments, blank lines and other sections",
                   "; the module's settings\r\n\r\n[Other]\r\n; keep\r\nx = 1 \r\n\r\n"
                   "[Settings]\r\n  Mode  =  RTTY  \r\n\r\n;setup_x=4\r\n[Last]\r\ny=2\r\n",
                   {{"Settings", "setup_x", "7"}, {"Settings", "Mode", "BPSK63"}});
  ExpectSameWrites("LF only", "[Settings]\nMode=RTTY\n[Other]\nb=2\n", {{"Settings", "a", "1"}});
  ExpectSameWrites("CR only", "[Settings]\rMode=RTTY\r[Other]\rb=2\r", {{"Settings", "a", "1"}});
  ExpectSameWrites("duplicate sections", "[Settings]\r\na=1\r\n[Other]\r\n[Settings]\r\nb=2\r\n",
                   {{"Settings", "b", "3"}, {"Settings", "a", "4"}});
  ExpectSameWrites("lines without a name", "=1\r\n=2\r\n[Settings]\r\n=3\r\n = 4\r\nx\r\n=5\r\n",
                   {{"Settings", "a", "1"}});
  ExpectSameWrites("empty headers", "[]\r\nx=1\r\n[Settings]\r\n[ ]\r\ny=2\r\n",
                   {{"Settings", "a", "1"}});
  ExpectSameWrites("a NUL in the file", std::string("[Settings]\r\nMode=RT\0TY\r\nb\0c=1\r\n", 29),
                   {{"Settings", "a", "1"}, {"Settings", "Mode", "RT"}});
  ExpectSameWrites("duplicate keys", "[Settings]\r\na=1\r\na=2\r\n", {{"Settings", "a", "3"}});
  ExpectSameWrites("key line without a value", "[Settings]\r\nMode\r\nMode=x\r\n",
                   {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("blanks inside the brackets", "[ Settings ]\r\nMode=x\r\n",
                   {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("other case", "[SETTINGS]\r\nMODE=x\r\n", {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("quoted value replaced", "[Settings]\r\nMode=\"RTTY\"\r\n",
                   {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("byte-order mark", "\xef\xbb\xbf[Settings]\r\nMode=x\r\n",
                   {{"Settings", "Mode", "RTTY"}});
  ExpectSameWrites("8-bit text", "[Settings]\r\nName=\xc8\xe2\xe0\xed\r\n",
                   {{"Settings", "Name", "\xcf\xe5\xf2\xf0 \x80\x98\xff"}});
  ExpectSameWrites("control blanks",
                   "[Settings]\r\n\x1a"
                   "a=1\r\n\x1a",
                   {{"Settings", "b", "2"}});
}

TEST_F(IniPlatform, WrittenValuesAndNames) {
  ExpectSameWrites("blanks around values", std::nullopt,
                   {{"Settings", "a", "  lead"},
                    {"Settings", "b", "trail  "},
                    {"Settings", "c", "\t both \t"},
                    {"Settings", "d", "   "},
                    {"Settings", "e", ""},
                    {"Settings", "a", "lead"},
                    {"Settings", "b", "trail"}});
  ExpectSameWrites(
      "blanks around names", std::nullopt,
      {{"Settings", " Mode ", "RTTY"}, {"Settings", "Mode", "x"}, {" Settings ", "a", "1"}});
  ExpectSameWrites("quotes", std::nullopt,
                   {{"Settings", "a", "\"q\""}, {"Settings", "b", "'"}, {"Settings", "c", "\"\""}});
  ExpectSameWrites("long value", std::nullopt,
                   {{"Settings", "SoapBox", std::string(150, 's')},
                    {"Settings", "SoapBox", std::string(99, 't')}});
  ExpectSameWrites("line ends inside a value", std::nullopt,
                   {{"Settings", "SoapBox", "one\r\ntwo=2"}, {"Settings", "a", "x\ry"}});
}

TEST_F(IniPlatform, FailedWritesChangeNothing) {
  ExpectSameWrites("missing folder", std::nullopt, {{"Settings", "Mode", "RTTY"}}, "missing");
  const fs::path theirs = NewPath("dir"), ours = NewPath("dir");
  fs::create_directory(theirs);
  fs::create_directory(ours);
  WritePrivateProfileStringA("Settings", "Mode", "RTTY", theirs.string().c_str());
  IniStore(ours.string(), "Settings").Write("Mode", "RTTY");
  EXPECT_TRUE(fs::is_directory(theirs));
  EXPECT_TRUE(fs::is_directory(ours));
  EXPECT_TRUE(fs::is_empty(ours));
  EXPECT_EQ(IniStore(ours.string(), "Settings").Read("Mode", "d"),
            PlatformRead(theirs, "Settings", "Mode", "d"));
}

// Positions go to the file as whole decimal text and come back as the same number.
TEST_F(IniPlatform, NumbersRoundTrip) {
  const fs::path file = NewPath("n");
  IniStore store(file.string(), "Settings");
  for (long long v : {0LL, -5LL, 10LL, 9999LL, -32000LL, 123456LL, 2147483647LL, -2147483648LL}) {
    WriteSettingInt(store, "setup_x", v);
    EXPECT_EQ(PlatformRead(file, "Settings", "setup_x", ""), std::to_string(v));
    EXPECT_EQ(ReadSettingInt(store, "setup_x"), v);
  }
}

}  // namespace
}  // namespace zd

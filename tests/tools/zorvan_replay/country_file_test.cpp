#include "zorvan_replay/country_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "zorvan_replay/replay_log.h"

namespace zd::replay {
namespace {

// A small country file in the host's format, with the markers the real one uses.
const char kCty[] =
    "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
    "    DA,DB,DC,DL,=DL0XX/LH;\n"
    "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  R:\n"
    "    R,U,=R9AV/6,=RA9ABC/3(16)[29];\n"
    "Kaliningrad:              15:  29:  EU:   54.72:   -20.52:    -3.0:  UA2:\n"
    "    R2F,R2K,UA2;\n"
    "Asiatic Russia:           17:  30:  AS:   55.88:   -84.08:    -7.0:  UA9:\n"
    "    R8,R9,R0,RA9,UA0,UA9,\n"
    "    UA9X{EU};\n"
    "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
    "    IT9,IB9(15)[28]<37.5/-14.0>~-1.0~;\n"
    "Italy:                    15:  28:  EU:   42.82:   -12.58:    -1.0:  I:\n"
    "    I;\n"
    "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\n"
    "    AA,K,N,W,=KH6XYZ{OC};\n"
    "Hawaii:                   31:  61:  OC:   21.12:   157.48:    10.0:  KH6:\n"
    "    KH6,KH7;\n";

struct Case {
  const char* call;
  const char* prefix;
  const char* continent;
};

TEST(CountryFile, ResolvesCallsTheWayTheHostDoes) {
  const CountryFile cty = CountryFile::Parse(kCty, "cty.dat");
  EXPECT_EQ(cty.EntityCount(), 8u);
  const Case cases[] = {
      {"DL1ABC", "DL", "EU"},
      {"dk1abc", "", ""},      // DK is not in this small file
      {"UA3ABC", "UA", "EU"},  // European Russia is "UA", whatever the file's prefix
      {"R2FA", "UA2", "EU"},   // longest prefix: R2F beats R
      {"UA2FM", "UA2", "EU"},
      {"RA9ABC", "UA9", "AS"},
      {"UA9XA", "UA9", "EU"},    // continent override on the prefix
      {"RA9ABC/3", "UA", "EU"},  // exact call with its slash
      {"R9AV/6", "UA", "EU"},    // exact call
      {"IT9ABC", "IT9", "EU"},   // WAE entity, without its '*'
      {"IB9X", "IT9", "EU"},     // prefix with zone, position and offset markers
      {"I5ABC", "I", "EU"},
      {"KH6XYZ", "K", "OC"},  // exact call beats the KH6 prefix, with its continent
      {"KH6ABC", "KH6", "OC"},
      {"DL/UA3ABC", "DL", "EU"},  // prefix part of a compound call
      {"UA3ABC/DL", "DL", "EU"},
      {"KH6/DL1ABC", "KH6", "OC"},
      {"UA3ABC/P", "UA", "EU"},  // operating suffixes say nothing of the place
      {"DL1ABC/QRP", "DL", "EU"},
      {"UA3ABC/9", "UA9", "AS"},  // call-area digit: resolved as UA9ABC
      {"UA3ABC/9/P", "UA9", "AS"},
      {"W1AW/MM", "", ""},  // maritime mobile: no entity
      {"", "", ""},
      {"1B1ABC", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    const auto r = cty.Resolve(c.call);
    if (c.prefix[0] == '\0') {
      EXPECT_FALSE(r.has_value());
      continue;
    }
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->prefix, c.prefix);
    EXPECT_EQ(r->continent, c.continent);
  }
}

TEST(CountryFile, MalformedFilesNameTheLine) {
  auto err = [](const std::string& text) {
    try {
      CountryFile::Parse(text, "cty.dat");
    } catch (const LogError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  const std::string good = "Italy: 15: 28: EU: 42.82: -12.58: -1.0: I:\n    I;\n";
  EXPECT_EQ(err(good), "");
  EXPECT_EQ(err(good + "Malta: 15: 28: EU: 35.0: -14.0: -1.0: 9H:\n    9H\n"),
            "cty.dat:3: country file: entity not closed by ';'");
  EXPECT_EQ(err(good + "\nMalta: 15: 28: EU: 9H:\n    9H;\n"),
            "cty.dat:4: country file: an entity has 8 fields separated by ':' before its "
            "prefixes");
  EXPECT_EQ(err(good + "Malta: 15: 28: XX: 35.0: -14.0: -1.0: 9H:\n    9H;\n"),
            "cty.dat:3: country file: \"XX\" is not a continent");
  EXPECT_EQ(err(good + "Malta: 15: 28: EU: 35.0: -14.0: -1.0: 9H:\n    9H{E};\n"),
            "cty.dat:3: country file: bad continent override in \"9H{E}\"");
  EXPECT_EQ(err(good + "Malta: 15: 28: EU: 35.0: -14.0: -1.0: :\n    9H;\n"),
            "cty.dat:3: country file: entity without a primary prefix");
  EXPECT_EQ(err(" \n\n"), "cty.dat: country file: no entity");
}

TEST(CountryFile, TheInstalledFileSpellsRussiaAsTheHostDoes) {
  const char* path = "/usr/share/hamradio-files/cty.dat";
  if (!std::ifstream(path)) GTEST_SKIP() << path << " is not installed";
  const CountryFile cty = CountryFile::Load(path);
  EXPECT_GT(cty.EntityCount(), 300u);
  const Case cases[] = {
      {"UA3ABC", "UA", "EU"},  {"RA9ABC", "UA9", "AS"}, {"UA2FM", "UA2", "EU"},
      {"IT9ABC", "IT9", "EU"}, {"DL1ABC", "DL", "EU"},  {"K1ABC", "K", "NA"},
      {"JA1ABC", "JA", "AS"},  {"VK2ABC", "VK", "OC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    const auto r = cty.Resolve(c.call);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->prefix, c.prefix);
    EXPECT_EQ(r->continent, c.continent);
  }
}

}  // namespace
}  // namespace zd::replay

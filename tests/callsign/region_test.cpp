#include "callsign/region.h"

#include <gtest/gtest.h>

namespace zd {
namespace {

std::string Region(std::string_view call, std::vector<std::string> specials = {}) {
  return RegionFromCall(call, specials);
}

TEST(RegionFromCall, FixedHeadsComeBeforeTheSpecialList) {
  EXPECT_EQ(Region("RI1ANZ", {"RI1ANZ XX"}), "AN");
  EXPECT_EQ(Region("RI1FJL"), "FJ");
  EXPECT_EQ(Region("RI1"), "STO");
  EXPECT_EQ(Region("RI1A"), "AN");
}

TEST(RegionFromCall, SpecialCallList) {
  EXPECT_EQ(Region("R100MV", {"R100MV MV"}), "MV");
  EXPECT_EQ(Region("UA3ABC", {"UA3ABC  LO"}), "LO");
  // The first matching line wins; a line without a blank is its own key.
  EXPECT_EQ(Region("UA3ABC", {"UA3ABC name KA", "UA3ABC x LO"}), "KA");
  EXPECT_EQ(Region("UA3XYZ", {"UA3XYZ"}), "YZ");
  // A blank at position 0 does not end the key: the whole line is the key.
  EXPECT_EQ(Region(" UA3ABC MO", {" UA3ABC MO"}), "MO");
  EXPECT_EQ(Region("UA3ABC", {" UA3ABC MO"}), "MA");
  // A line shorter than two characters gives the whole line.
  EXPECT_EQ(Region("X", {"X"}), "X");
  // An empty line matches the empty call.
  EXPECT_EQ(Region("", {""}), "");
  EXPECT_EQ(Region("", {}), "STO");
}

TEST(RegionFromCall, SpecialEventCalls) {
  for (const char* call : {"R70A", "U80X", "RA20Z", "UE1AAA", "UE"}) {
    EXPECT_EQ(Region(call), "SPEC") << call;
  }
  // A position past the end is neither letter nor digit.
  EXPECT_EQ(Region("R7"), "STO");
  EXPECT_EQ(Region("RA2"), "STO");
}

TEST(RegionFromCall, CompoundCallsAreUnknown) {
  EXPECT_EQ(Region("UA3AA/1"), "STO");
  EXPECT_EQ(Region("RA1AB/P"), "STO");
  // A slash at position 0 does not count as compound.
  EXPECT_EQ(Region("/UA1A"), "SP");
  // A slash further on still makes it compound, even behind one at the start.
  EXPECT_EQ(Region("/UA1A/P"), "STO");
}

TEST(RegionFromCall, PatternTable) {
  EXPECT_EQ(Region("UA1ABC"), "SP");
  EXPECT_EQ(Region("RA3DX"), "MO");
  EXPECT_EQ(Region("R9UA"), "KE");
  EXPECT_EQ(Region("UA0ZZ"), "KT");
  EXPECT_EQ(Region("UA0XA"), "KJ");
  EXPECT_EQ(Region("UA1C1A"), "SP");  // the earlier row decides
  EXPECT_EQ(Region("ua1abc"), "STO");
  EXPECT_EQ(Region("1AXXX"), "STO");  // an occurrence at position 0 alone does not count
  EXPECT_EQ(Region("1A1A"), "STO");   // the first occurrence decides, and it is at 0
  EXPECT_EQ(Region("RW6AX"), "KR");
  EXPECT_EQ(Region("UA0FA"), "SL");
  EXPECT_EQ(Region("RK4W"), "UD");
}

TEST(RegionCodes, Membership) {
  EXPECT_EQ(kRegionCodes.size(), 92u);
  EXPECT_TRUE(IsRegionCode("MV"));
  EXPECT_TRUE(IsRegionCode("SP"));
  EXPECT_FALSE(IsRegionCode("sp"));
  EXPECT_FALSE(IsRegionCode("SP "));
  EXPECT_FALSE(IsRegionCode(""));
  EXPECT_TRUE(IsRussianPrefix("UA2/f"));
  EXPECT_TRUE(IsRussianPrefix("CE9/KC4"));
  EXPECT_FALSE(IsRussianPrefix("UA0"));
  EXPECT_FALSE(IsRussianPrefix("R"));
  EXPECT_FALSE(IsRussianPrefix("ua"));
}

TEST(RegionCodes, WhoGetsTheMessagesInRussian) {
  for (const char* p : {"UA", "UA2", "UA2/f", "UA9", "CE9/KC4", "UR", "UN", "EU"}) {
    EXPECT_TRUE(RussianTextFor(p)) << p;
  }
  for (const char* p : {"DL", "UA0", "ur", "4L", ""}) EXPECT_FALSE(RussianTextFor(p)) << p;
}

TEST(RegionCodes, EveryDerivableCodeIsValid) {
  // Every region the pattern table yields must be accepted as an exchange.
  for (char d : std::string("0123456789")) {
    for (char l = 'A'; l <= 'Z'; ++l) {
      const std::string call = std::string("R") + d + l + "A";
      const std::string r = Region(call);
      if (r != "STO" && r != "SPEC") {
        EXPECT_TRUE(IsRegionCode(r)) << call << " -> " << r;
      }
    }
  }
}

}  // namespace
}  // namespace zd

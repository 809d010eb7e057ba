#include "status_windows/status_texts.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"

namespace zd {
namespace {

TEST(StatusTitles, English) {
  EXPECT_EQ(RegionTitle(false, "RTTY", "20m", 12), "Obl worked RTTY on 20m 12 of 88");
  EXPECT_EQ(DxccTitle(false, "BPSK63", "160m", 0), "DXCC worked BPSK63 on 160m 0 of 338");
  EXPECT_EQ(WorkedWithTitle(false, "UA3ABC"), "Worked with UA3ABC");
  // Outside the six bands the band text is empty; the blanks around it stay.
  EXPECT_EQ(RegionTitle(false, "SSB", "", 0), "Obl worked SSB on  0 of 88");
}

TEST(StatusTitles, RussianInCodePage1251) {
  EXPECT_EQ(RegionTitle(true, "RTTY", "20m", 3),
            ToCp1251("Отработано обл. RTTY на 20m 3 из 88").view());
  EXPECT_EQ(DxccTitle(true, "BPSK63", "40m", 101),
            ToCp1251("Отработано стран DXCC BPSK63 на 40m 101 из 338").view());
  EXPECT_EQ(WorkedWithTitle(true, "DL1ABC"), ToCp1251("Работал с DL1ABC").view());
}

TEST(StatusTitles, ValuesAreNeverReadAsPatterns) {
  EXPECT_EQ(WorkedWithTitle(false, "%s%s%n"), "Worked with %s%s%n");
  EXPECT_EQ(DxccTitle(false, "%s", "%d", 1), "DXCC worked %s on %d 1 of 338");
}

}  // namespace
}  // namespace zd

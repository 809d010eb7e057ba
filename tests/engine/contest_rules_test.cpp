// The contest's rules as the operator's host and this contest's rules know them: every
// other part reads them from the table, so the table itself is pinned here.
#include "engine/contest_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/result_summary.h"

namespace zd {
namespace {

TEST(ContestRules, TheSixBandsInTheirOrderWithTheirEdges) {
  std::vector<std::string> texts;
  for (const BandRule& b : kBands) texts.emplace_back(b.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"160m", "80m", "40m", "20m", "15m", "10m"}));
  for (const BandRule& b : kBands) {
    EXPECT_EQ(b.lowBand, b.text == "160m" || b.text == "80m" || b.text == "40m") << b.text;
    EXPECT_TRUE(b.workingHz >= b.lowHz && b.workingHz <= b.highHz) << b.text;
  }
  const std::pair<uint32_t, int> frequencies[] = {
      {1799999, -1}, {1800000, 0},  {2000000, 0},  {2000001, -1},  {3500000, 1},
      {4000000, 1},  {7300000, 2},  {7300001, -1}, {14000000, 3},  {14350000, 3},
      {21450000, 4}, {28000000, 5}, {29700000, 5}, {29700001, -1}, {10120000, -1}};
  for (const auto& [hz, band] : frequencies) EXPECT_EQ(BandIndexOfFrequency(hz), band) << hz;
  EXPECT_EQ(BandIndexOf("40m"), 2);
  EXPECT_EQ(BandIndexOf("40M"), -1);  // exact: the acceptance alone ignores case
}

TEST(ContestRules, ModesSlotsColumnsAndCabrilloCodes) {
  ASSERT_EQ(kModes.size(), 3u);
  EXPECT_EQ(kModes[kRtty].text, "RTTY");
  EXPECT_EQ(kModes[kBpsk63].text, "BPSK63");
  EXPECT_EQ(kModes[kBpsk125].text, "BPSK125");
  for (int i = 0; i < kModeSlots; ++i) EXPECT_EQ(kModes[static_cast<std::size_t>(i)].slot, i);
  EXPECT_EQ(kModes[kBpsk125].column, kNoColumn);
  EXPECT_EQ(CabrilloModeCode("RTTY"), "RY");
  EXPECT_EQ(CabrilloModeCode("BPSK63"), "PM");
  EXPECT_EQ(CabrilloModeCode("BPSK125"), "??");
  EXPECT_EQ(CabrilloModeCode("rtty"), "??");
  EXPECT_EQ(FindMode("Rtty"), nullptr);
}

TEST(ContestRules, PointsByClassDoubledOnTheLowBands) {
  const int forty = BandIndexOf("40m"), twenty = BandIndexOf("20m");
  EXPECT_EQ(QsoPoints(kOwnPrefix, twenty), 1);
  EXPECT_EQ(QsoPoints(kOwnContinent, twenty), 3);
  EXPECT_EQ(QsoPoints(kOtherContinent, twenty), 5);
  EXPECT_EQ(QsoPoints(kOwnPrefix, forty), 2);
  EXPECT_EQ(QsoPoints(kOwnContinent, forty), 6);
  EXPECT_EQ(QsoPoints(kOtherContinent, forty), 10);
  EXPECT_EQ(QsoPoints(kOtherContinent, BandIndexOf("160m")), 10);
  EXPECT_EQ(QsoPoints(kOtherContinent, -1), 5);  // a band outside the six: no factor
  EXPECT_EQ(QsoPoints(kOtherContinent, kBandCount), 5);
}

}  // namespace
}  // namespace zd

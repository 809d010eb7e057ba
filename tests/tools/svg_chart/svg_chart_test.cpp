// The charts of the tools' pages: axes that end at round numbers, a bar or mark for
// every value, texts escaped, room made for long labels and written totals.
#include "svg_chart/svg_chart.h"

#include <gtest/gtest.h>

#include "occurrences.h"

namespace zd::svg {
namespace {

using replay::test::Occurrences;

TEST(Charts, TheAxisEndsAtARoundNumberAboveTheTallestBar) {
  Frame f;
  f.labels = {"12", "13", "14"};
  const std::string svg =
      StackedBars(f, {{"20m", "#111", {100, 0, 30}}, {"40m", "#222", {37, 0, 0}}});
  // 137 QSOs at most: steps of 50 up to 150.
  for (const char* tick : {">0<", ">50<", ">100<", ">150<"})
    EXPECT_EQ(Occurrences(svg, tick), 1u) << tick;
  EXPECT_EQ(Occurrences(svg, ">200<"), 0u);
  // A bar per value above zero, each with its hour and value, the legend's two keys.
  EXPECT_EQ(Occurrences(svg, "<rect"), 3u + 2u);
  EXPECT_EQ(Occurrences(svg, "<title>12 40m: 37</title>"), 1u);
  EXPECT_EQ(Occurrences(svg, "<title>13 "), 0u);
  // An empty chart still has an axis.
  EXPECT_NE(StackedBars(f, {}).find(">1<"), std::string::npos);
}

TEST(Charts, BarsAtTheLimitStandOut) {
  Frame f;
  f.labels = {"12", "13", "14", "15"};
  const std::string svg = BarsWithLimit(f, {9, 10, 12, 0}, 10, "#green", "#red", "<10>");
  EXPECT_EQ(Occurrences(svg, "fill=\"#red\"><title>"), 2u);
  EXPECT_EQ(Occurrences(svg, "fill=\"#green\"><title>"), 1u);
  EXPECT_EQ(Occurrences(svg, "stroke-dasharray=\"6 4\""), 2u);  // the line and its key
  EXPECT_NE(svg.find("&lt;10&gt;"), std::string::npos);
  EXPECT_EQ(svg.find("<10>"), std::string::npos);
}

TEST(Charts, ABoardHasACellForEveryCellGiven) {
  std::vector<Cell> cells(3);
  cells[0].tip = "A & B";
  cells[2].ellipse = false;
  const std::string svg = Board(100, 50, 2.0, "board", cells, 8);
  EXPECT_EQ(Occurrences(svg, "<ellipse"), 2u);
  EXPECT_EQ(Occurrences(svg, "<rect"), 2u);  // the background and the third cell
  EXPECT_NE(svg.find("<title>A &amp; B</title>"), std::string::npos);
  EXPECT_NE(svg.find("viewBox=\"0 0 200 100\""), std::string::npos);
}

TEST(Charts, HorizontalBarsScaleToTheLongestAndMakeRoomForTheirLabels) {
  Frame f;
  f.width = 470;
  f.labels = {"x <y>", "z"};
  const std::string svg = HorizontalBars(f, {10, 5}, {"#111", "#222"});
  // 470 wide less 70 for the labels, 14 at the right and 40 for the values: the longer
  // bar takes the rest, the other half of it.
  EXPECT_EQ(Occurrences(svg, "width=\"346\" height=\"20\" fill=\"#111\"><title>x &lt;y&gt;: 10"),
            1u)
      << svg;
  EXPECT_EQ(Occurrences(svg, "width=\"173\" height=\"20\" fill=\"#222\"><title>z: 5"), 1u) << svg;
  EXPECT_EQ(Occurrences(svg, ">10</text>"), 1u);  // the values after the bars, not inside
  EXPECT_EQ(Occurrences(svg, ">5</text>"), 1u);
  EXPECT_EQ(Occurrences(svg, "<rect"), 2u);  // no legend
  // A long label widens its column by its characters, not by its UTF-8 bytes.
  f.labels = {"Refused by the module", "Не проверяется"};
  EXPECT_NE(HorizontalBars(f, {1, 1}, {}).find("<rect x=\"163\""), std::string::npos);
  f.labels = {"Не проверяется"};
  const std::string russian = HorizontalBars(f, {1}, {});
  EXPECT_NE(russian.find("<rect x=\"114\""), std::string::npos) << russian;
  EXPECT_NE(russian.find("fill=\"#4e79a7\""), std::string::npos);  // a colour when none given
}

TEST(Charts, StacksCarryTheirNumbersAndTotalsWhenAsked) {
  Frame f;
  f.labels = {"20m", "40m"};
  const std::string stacks =
      HorizontalStacks(f, {{"RTTY", "#111", {30, 0}}, {"BPSK63", "#222", {10, 4}}});
  EXPECT_EQ(Occurrences(stacks, "<title>20m BPSK63: 10</title>"), 1u);
  EXPECT_EQ(Occurrences(stacks, "fill=\"#fff\">30</text>"), 1u);  // written inside
  EXPECT_EQ(Occurrences(stacks, ">40</text>"), 1u);               // the total after it
  EXPECT_EQ(Occurrences(stacks, "<rect x=\"70\" y=\"9\""), 1u);   // the legend's first key

  f.labels = {"a", "b", "c"};
  f.totals = true;
  const std::string bars = StackedBars(f, {{"x", "#111", {3, 0, 100}}, {"y", "#222", {1, 0, 0}}});
  EXPECT_EQ(Occurrences(bars, "text-anchor=\"middle\">4</text>"), 1u) << bars;
  EXPECT_EQ(Occurrences(bars, "text-anchor=\"middle\">100</text>"), 1u) << bars;
  EXPECT_EQ(Occurrences(bars, "text-anchor=\"middle\">0</text>"), 0u);  // an empty bar: none
  // The axis leaves room above the tallest bar for its total.
  EXPECT_EQ(Occurrences(bars, ">150<"), 1u) << bars;

  // Labels at every n-th category only.
  f.totals = false;
  f.labels.clear();
  for (int m = -15; m <= 15; ++m) f.labels.push_back("m" + std::to_string(m));
  f.labelEvery = 5;
  const std::string thinned = StackedBars(f, {});
  for (const char* shown : {">m-15<", ">m-10<", ">m0<", ">m15<"})
    EXPECT_EQ(Occurrences(thinned, shown), 1u) << shown;
  EXPECT_EQ(Occurrences(thinned, ">m-14<"), 0u);
}

}  // namespace
}  // namespace zd::svg

#include "status_windows/region_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "callsign/region.h"

namespace zd {
namespace {

int CellOf(std::string_view code) {
  const auto it = std::find(kRegionCellCodes.begin(), kRegionCellCodes.end(), code);
  return it == kRegionCellCodes.end() ? -1 : static_cast<int>(it - kRegionCellCodes.begin());
}

std::vector<std::string> MarkedCodes(const RegionBoard& b) {
  std::vector<std::string> out;
  for (int i = 0; i < kRegionCells; ++i) {
    if (b.Marked(i)) out.emplace_back(kRegionCellCodes[static_cast<std::size_t>(i)]);
  }
  return out;
}

TEST(RegionCells, AreTheRegionCodesLessFour) {
  std::set<std::string_view> expected;
  for (std::string_view c : kRegionCodes) {
    if (c != "JA" && c != "JN" && c != "MV" && c != "SH") expected.insert(c);
  }
  const std::set<std::string_view> cells(kRegionCellCodes.begin(), kRegionCellCodes.end());
  EXPECT_EQ(cells.size(), std::size_t{kRegionCells});
  EXPECT_EQ(cells, expected);
  EXPECT_EQ(kRegionCellCodes.front(), "SP");
  EXPECT_EQ(kRegionCellCodes.back(), "FJ");
}

TEST(RegionCells, EachHasItsOwnPlaceInSixColumnsAndFifteenRows) {
  std::set<std::pair<int, int>> places;
  std::set<int> columns, rows;
  for (int i = 0; i < kRegionCells; ++i) {
    const DialogRect r = RegionCellRect(i);
    ASSERT_GT(r.width, 0) << kRegionCellCodes[static_cast<std::size_t>(i)];
    EXPECT_TRUE(places.insert({r.x, r.y}).second) << kRegionCellCodes[static_cast<std::size_t>(i)];
    columns.insert(r.x);
    rows.insert(r.y);
    // Inside the 253 x 159 window, cells of one column not overlapping.
    EXPECT_LE(r.x + r.width, 253);
    EXPECT_LE(r.y + r.height, 159);
    EXPECT_GE(r.height, 8);
    EXPECT_LE(r.height, 10);
  }
  EXPECT_EQ(columns, (std::set<int>{7, 52, 97, 142, 182, 219}));
  EXPECT_EQ(rows.size(), 15u);
  EXPECT_EQ(RegionCellRect(CellOf("AD")), (DialogRect{7, 7, 26, 9}));
  EXPECT_EQ(RegionCellRect(CellOf("AO")).x, 219);
  EXPECT_EQ(RegionCellRect(CellOf("UL")), (DialogRect{219, 128, 26, 10}));
  EXPECT_EQ(RegionCellRect(CellOf("ZK")), (DialogRect{142, 139, 26, 10}));
  for (int i = 0; i < kRegionCells; ++i) {
    const DialogRect a = RegionCellRect(i);
    for (int j = 0; j < kRegionCells; ++j) {
      const DialogRect b = RegionCellRect(j);
      if (i == j || a.x != b.x || b.y <= a.y) continue;
      EXPECT_LE(a.y + a.height, b.y);
    }
  }
}

TEST(RegionBoard, MarksEachWorkedRegionOnceAndIgnoresCodesWithoutCell) {
  RegionBoard b;
  b.Refresh(0, 0, {"MO", "SP", "MO", "JA", "MV"}, false);
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"SP", "MO"}));
}

TEST(RegionBoard, BandOrModeChangeClearsBeforeMarkingAnew) {
  RegionBoard b;
  b.Refresh(3, 0, {"MO", "SP"}, false);
  b.Refresh(3, 0, {"MO", "SP", "KA"}, false);
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"SP", "KA", "MO"}));
  b.Refresh(4, 0, {"LO"}, false);
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"LO"}));
  b.Refresh(4, 1, {"AD"}, false);
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"AD"}));
  // No column (a host mode other than RTTY, BPSK63 or CW): the list is empty.
  b.Refresh(4, -1, {}, false);
  EXPECT_TRUE(MarkedCodes(b).empty());
  b.Refresh(-1, 0, {}, false);
  EXPECT_TRUE(MarkedCodes(b).empty());
}

TEST(RegionBoard, MarksStayUntilAClearingEvenWhenTheListShrinks) {
  RegionBoard b;
  b.Refresh(2, 1, {"MO", "SP"}, false);
  b.Refresh(2, 1, {"SP"}, false);
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"SP", "MO"}));
  // A removal made the marks stale: cleared, then marked from what remains.
  b.Refresh(2, 1, {"SP"}, true);
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"SP"}));
}

}  // namespace
}  // namespace zd

#include "status_windows/region_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "callsign/region.h"
#include "control/control_panel.h"
#include "control/window_fakes.h"

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

TEST(RegionBoard, MarksExactlyTheWorkedListOnceEachAndIgnoresCodesWithoutCell) {
  RegionBoard b;
  b.Refresh({"MO", "SP", "MO", "JA", "MV"});
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"SP", "MO"}));
  // A shorter list (a removal, another band or mode) leaves no mark behind.
  b.Refresh({"SP", "KA"});
  EXPECT_EQ(MarkedCodes(b), (std::vector<std::string>{"SP", "KA"}));
  b.Refresh({});
  EXPECT_TRUE(MarkedCodes(b).empty());
}

// The region window as the control window drives it: every refresh of the window goes
// to the board, with the host's typed call, band and mode.
struct RegionWindowChain : ::testing::Test {
  testing::ContestFixture c;
  testing::FakeHost host;
  testing::FakeView view;
  testing::FakeWindows windows;
  RegionBoard board;
  std::unique_ptr<ControlPanel> panel;

  void SetUp() override {
    view.host = &host;
    windows.open[Index(StatusKind::kRegion)] = windows.visible[Index(StatusKind::kRegion)] = true;
    windows.onRefresh = [this](StatusKind k, const RefreshView& v) {
      if (k == StatusKind::kRegion) board.Refresh(c.state, v);
    };
    panel = std::make_unique<ControlPanel>(c.state, view, windows);
    panel->Initialise();
  }
  // The host types a call: the call check posts a refresh, which runs.
  void Type(const std::string& call) {
    host.call = call;
    CheckArgs a;
    a.call = call;
    a.mode = "RTTY";
    a.prefix = "UA";
    a.band = "20m";
    c.work.CheckCall(a);
    panel->RefreshStatus();
  }
  void Result() {
    host.call.clear();
    c.work.GetResult();
    panel->RefreshStatus();
  }
};

TEST_F(RegionWindowChain, ARemovedRegionIsUnmarkedByTheNextResultWhateverRefreshCameFirst) {
  const QsoArgs mo = testing::QsoAt("UA3AA", "20m", "RTTY", "UA", "MO", 1);
  const QsoArgs sp = testing::QsoAt("UA1AA", "20m", "RTTY", "UA", "SP", 2);
  ASSERT_EQ(c.work.AddData(mo), 1);
  ASSERT_EQ(c.work.AddData(sp), 1);
  Result();
  ASSERT_EQ(MarkedCodes(board), (std::vector<std::string>{"SP", "MO"}));

  // The last QSO of MO goes; a typed call's refresh comes before the result. The list is
  // as the last result left it, so MO is still shown...
  ASSERT_EQ(c.work.RemoveData(mo), 1);
  Type("UA3AB");
  EXPECT_EQ(MarkedCodes(board), (std::vector<std::string>{"SP", "MO"}));
  // ... and the result takes it away.
  Result();
  EXPECT_EQ(MarkedCodes(board), (std::vector<std::string>{"SP"}));
  EXPECT_EQ(board.title(), "Obl worked RTTY on 20m 1 of 88");
}

}  // namespace
}  // namespace zd

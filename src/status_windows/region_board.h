// The region window's logic: its 88 cells (code and place of each) and their marks.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "status_windows/window_state.h"

namespace zd {

inline constexpr int kRegionCells = 88;

// The region code of each cell, in cell order: the region codes less JA, JN, MV and SH.
extern const std::array<std::string_view, kRegionCells> kRegionCellCodes;

// A control's place in dialog units of its template.
struct DialogRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const DialogRect&) const = default;
};

// Where cell `cell` lies in the window: six columns, fifteen rows.
DialogRect RegionCellRect(int cell);

// Which cells are marked worked: exactly the codes of the worked list of the current band
// and mode as the last result rebuilt it. Nothing is kept from an earlier refresh, so the
// marks are right whatever order band and mode changes, removals, typed calls and results
// come in.
class RegionBoard {
 public:
  // `worked` is the worked list of (band, mode), empty when it has no column.
  void Refresh(const std::vector<std::string>& worked);
  // The window's refresh: the worked list of the view's band and mode, and the title.
  void Refresh(const WindowState& state, const RefreshView& view);
  bool Marked(int cell) const { return marks_[static_cast<std::size_t>(cell)]; }
  const std::array<bool, kRegionCells>& marks() const { return marks_; }
  const std::string& title() const { return title_; }

 private:
  std::array<bool, kRegionCells> marks_{};
  std::string title_;
};

}  // namespace zd

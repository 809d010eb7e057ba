// The region window's logic: its 88 cells (code and place of each) and their marks.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

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

// Which cells are marked worked. A cell is marked once per clearing; the marks are
// cleared whenever the band or the mode changes and when a removal made them stale.
class RegionBoard {
 public:
  // `worked` is the worked list of (band, mode), empty when it has no column.
  void Refresh(int band, int mode, const std::vector<std::string>& worked, bool marksStale);
  void ClearMarks() { marks_.fill(false); }
  bool Marked(int cell) const { return marks_[static_cast<std::size_t>(cell)]; }
  const std::array<bool, kRegionCells>& marks() const { return marks_; }

 private:
  // The band and mode of the previous refresh; they start at 160 m RTTY.
  int band_ = 0;
  int mode_ = 0;
  std::array<bool, kRegionCells> marks_{};
};

}  // namespace zd

// The region window `oblast`: 88 elliptical cells, one per Russian region, green until
// the region is worked on the current band and mode, then magenta.
#pragma once

#include <array>

#include "status_windows/advanced_button_win.h"
#include "status_windows/region_board.h"
#include "status_windows/status_dialog_win.h"

namespace zd {

inline constexpr Colour kRegionNotWorkedBack = Rgb(0, 255, 0);
inline constexpr Colour kRegionNotWorkedFore = Rgb(1, 1, 1);
inline constexpr Colour kRegionWorkedBack = Rgb(255, 0, 255);
inline constexpr Colour kRegionWorkedFore = Rgb(255, 255, 0);

class oblast final : public StatusDialog {
 public:
  explicit oblast(WindowState& state);

  void Refresh(const RefreshView& view) override;

  // Read back by tests.
  const CAdvancedButton& cell(int i) const { return cells_[static_cast<std::size_t>(i)]; }
  bool Marked(int i) const { return board_.Marked(i); }

 protected:
  BOOL OnInitDialog() override;

 private:
  void Recolour(int cell, bool worked);

  std::array<CAdvancedButton, kRegionCells> cells_;
  RegionBoard board_;
};

}  // namespace zd

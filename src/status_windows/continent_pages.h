// The six continent pages of the extended DXCC window: one table per page from which its
// check boxes are made, and the ticks a worked list gives them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "status_windows/region_board.h"

namespace zd {

inline constexpr int kContinentPageCount = 6;
// The part of a page the window shows, left to right, in the page's dialog units.
inline constexpr int kPageLeft = 6;
inline constexpr int kPageRight = 273;

struct ContinentBox {
  std::string label;              // the box's text
  std::vector<std::string> keys;  // the worked-entity keys that tick it
  DialogRect rect;                // dialog units of the page's template
  bool hidden = false;            // invisible and disabled
};

struct ContinentPage {
  std::string_view name;      // "WAE_ALL", "AF_DXCC", ...
  std::string_view tabLabel;  // "   EU ", "   AF ", ...
  int width = 0, height = 0;  // template size, dialog units
  std::vector<ContinentBox> boxes;
};

// The width in dialog units a check box needs to show `label` whole in the pages' font
// (Arial 9 pt): the check mark and its gap, then the label's characters.
int BoxWidthFor(std::string_view label);

// In tab order: Europe, Africa, Asia, North America, South America, Oceania.
const std::array<ContinentPage, kContinentPageCount>& ContinentPages();

// The ticks of every box of every page for the worked list of the current band and
// mode: a box is ticked when one of the keys equals one of its keys.
using ContinentTicks = std::array<std::vector<bool>, kContinentPageCount>;
ContinentTicks TicksFor(const std::vector<std::string>& worked);

// The extended DXCC window's title. While a call is typed it keeps the band and mode of
// the last refresh without one, but it always counts that list as the last result left
// it, so no count outlives a removal.
class ExtendedDxccTitle {
 public:
  // The title after a refresh; none before the first refresh without a typed call.
  std::optional<std::string> Refresh(const WindowState& state, const RefreshView& view);

 private:
  std::optional<RefreshView> shown_;  // the refresh whose band and mode the title names
};

}  // namespace zd

// The DXCC window's info panel: what it shows, decided without drawing. While no call is
// typed it lists the entities worked on the current band and mode; while a call is typed
// it shows that call's table, one row per band.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/contest.h"
#include "status_windows/drawn_shapes.h"

namespace zd {

inline constexpr Colour kListBackground = Rgb(255, 250, 198);
inline constexpr Colour kTableBackground = Rgb(255, 255, 198);
inline constexpr Colour kCurrentBandStrip = Rgb(198, 255, 255);

struct PanelText {
  int x = 0, y = 0;
  std::string text;
  bool operator==(const PanelText&) const = default;
};

struct PanelPicture {
  Colour background = kListBackground;
  std::optional<Rect> strip;  // the current band's row, in kCurrentBandStrip
  std::vector<PanelText> texts;
};

// The call-info table of a typed call, one row per band: band, RTTY time, BPSK63 time and
// the exchange received on the band's last QSO.
using BandRow = std::array<std::string, 4>;
using BandRows = std::array<BandRow, kBandCount>;
BandRows CallInfoRows(const CallQsos& call);

// A sorted copy of a worked list (the engine's own list keeps its order).
std::vector<std::string> SortedKeys(std::vector<std::string> keys);

// List mode: `keys` already sorted, flowing into lines as wide as `panel`.
PanelPicture ListPicture(const Rect& panel, int band, const std::vector<std::string>& keys);
// Table mode: the typed call and its six band rows, the current band's row marked.
PanelPicture TablePicture(const Rect& panel, int band, const std::string& call,
                          const BandRows& rows);
// What the picture shows as text, line by line (texts of one height joined by blanks): the
// panel's window text, for screen readers and for tests.
std::string PictureText(const PanelPicture& picture);

}  // namespace zd

#include "status_windows/info_panel.h"

#include <algorithm>

namespace zd {

BandRows CallInfoRows(const CallQsos& call) {
  BandRows rows{};
  for (int b = 0; b < kBandCount; ++b) {
    BandRow& row = rows[static_cast<std::size_t>(b)];
    // Before the first contest reset the table has no band names, and nothing matches.
    if (call.bandsNamed) row[0] = kBands[static_cast<std::size_t>(b)].text;
    row[1] = row[2] = row[3] = "   -";
  }
  for (const QsoRecord& r : call.qsos) {
    for (BandRow& row : rows) {
      if (r.band != row[0]) continue;
      // Column 1 holds the RTTY time, column 2 the BPSK63 time.
      if (const ModeRule* m = FindMode(r.mode); m && m->column != kNoColumn) {
        row[static_cast<std::size_t>(1 + m->column)] = FormatDate(r.qsoTime, "%H:%M");
      }
      row[3] = r.exchRcvd;
    }
  }
  return rows;
}

std::vector<std::string> SortedKeys(std::vector<std::string> keys) {
  std::sort(keys.begin(), keys.end());  // byte by byte, as unsigned characters
  return keys;
}

PanelPicture ListPicture(const Rect& panel, int band, const std::vector<std::string>& keys) {
  PanelPicture p;
  p.background = kListBackground;
  if (band < 0) return p;
  int x = 5, y = 15;
  for (const std::string& key : keys) {
    p.texts.push_back({x, y, key});
    x += 40;
    if (x > panel.right - 40) {
      y += 15;
      x = 5;
    }
  }
  return p;
}

PanelPicture TablePicture(const Rect& panel, int band, const std::string& call,
                          const BandRows& rows) {
  PanelPicture p;
  p.background = kTableBackground;
  const int h = panel.bottom / 7;
  if (band >= 0 && band < kBandCount) {
    p.strip = Rect{0, (band + 1) * h + 10, panel.right, (band + 2) * h};
  }
  p.texts.push_back({180, 0, call});
  p.texts.push_back({100, 18, std::string(kModes[kRtty].text)});
  p.texts.push_back({180, 18, std::string(kModes[kBpsk63].text)});
  p.texts.push_back({260, 18, "NR/OBL"});
  constexpr int kColumnX[4] = {20, 100, 180, 260};
  for (int i = 1; i <= kBandCount; ++i) {
    const BandRow& row = rows[static_cast<std::size_t>(i - 1)];
    for (int c = 0; c < 4; ++c)
      p.texts.push_back({kColumnX[c], i * h + 10, row[static_cast<std::size_t>(c)]});
  }
  return p;
}

std::string PictureText(const PanelPicture& picture) {
  std::string out;
  for (std::size_t i = 0; i < picture.texts.size(); ++i) {
    if (i > 0) out += picture.texts[i].y == picture.texts[i - 1].y ? " " : "\r\n";
    out += picture.texts[i].text;
  }
  return out;
}

}  // namespace zd

#include "status_windows/continent_pages.h"

#include <algorithm>

#include "status_windows/status_texts.h"

namespace zd {
namespace {

// Rows are separated by " / ", labels by blanks. The first row lies at y, the others
// `dy` apart, every box `h` high; the columns are as wide as their labels need, and what
// is left of the page's width is shared out among them.
constexpr int kMinColumnStep = 23;

struct PageTable {
  std::string_view name, tabLabel;
  int width, height;
  int y, dy, h;
  std::string_view rows;
};

constexpr PageTable kPages[kContinentPageCount] = {
    {"WAE_ALL", "   EU ", 275, 110, 6, 13, 11,
     "1A0 3A 4O 4U1I 4U1V 9A 9H C3 CT CU / DL E7 EA EA6 EI ER ES EU F G / "
     "GD GI GJ GM GU GW HA HB HB0 HV / I IS IT JW JX LA LX LY LZ OE / "
     "OH OH0 OJ0 OK OM ON OY OZ PA R1FJ / S5 SM SP SV SV5 SV9 T7 TA1 TF TK / "
     "UA UA2 UR YL YO YU Z6 Z3 ZA ZB"},
    {"AF_DXCC", "   AF ", 261, 115, 6, 12, 12,
     "3B6 3B8 3B9 3C 3C0 3DA 3V 3W 3X 3Y/b / 5A 5H 5N 5R 5T 5U 5V 5X 5Z / "
     "6W 7P 7Q 7X 9J 9L 9Q 9U 9X / A2 C5 C9 CN D2 D4 D6 E3 E4 / "
     "EA8 EA9 EL ET FH FR FT/j FT/t FT/w / FT/x FT/z J2 J5 S0 S7 S9 ST SU / "
     "T5 TJ TL TN TR TT TU TY TZ / VK0H XT Z2 Z8 ZD7 ZD8 ZD9 ZS ZS8"},
    {"AS_DXCC", "   AS ", 261, 109, 6, 13, 13,
     "1S 3W 4J 4L 4S 4X 5B 7O 8Q / 9K 9M2 9N 9V A4 A5 A6 A7 A9 / "
     "AP BS7 BV BV9P BY E4 EK EP EX / EY EZ HL HS HZ JA JD/o JT JY / "
     "OD P5 S2 SU TA UA9 UK UN VR / VU VU4 VU7 XU XW XX9 XZ YA YI / ZC4 YK"},
    {"NA_DXCC", "   NA ", 265, 104, 6, 13, 13,
     "4U1U 6Y 8P C6 CM CY0 CY9 FG / FJ FM FO/c FP FS HH HI HK0/a / "
     "HP HR J7 J8 K KG4 KL KP1 / J3 J6 KP2 KP4 KP5 OX PJ5 PJ7 / "
     "TG TI TI9 V2 V3 V4 VE VP2E / VP2M VP2V VP5 VP9 XE XF4 YN YS / ZF YV0"},
    {"SA_DXCC", "   SA ", 262, 84, 6, 14, 14,
     "8R 9Y CE CE0X CE0Y CE0Z CP CX / FY HC HC8 HK HK0 LU OA P4 / "
     "PJ2 PJ4 PY0P PY0T PZ VP8 VP8/g VP8/h / VP8/o PY PY0F VP8/s YV ZP 3Y/p"},
    {"OC_DXCC", "   OC ", 265, 113, 6, 13, 13,
     "3D2 4W 5W 9M6 A3 C2 DU E5 / E6 FK FO FO0 FW H4 H40 JD/m / "
     "KH0 KH1 KH2 KH3 KH4 KH5 KH5K KH6 / KH7K KH8 KH8/s KH9 P2 T2 T30 T31 / "
     "T32 T33 T8 V6 V7 V8 VK VK0 / VK9C VK9L VK9M VK9N VK9W VK9X VP6 YB / "
     "YJ ZK3 ZL ZL7 ZL8 ZL9"},
};

// Boxes that differ from "labelled and ticked by the same text, one grid place each".
struct BoxRule {
  std::string_view page, label;
  std::string_view text;               // the label as the box shows it
  std::vector<std::string_view> keys;  // the keys that tick it
  bool underNext;                      // hidden under the next box of its row
};

const std::vector<BoxRule>& Rules() {
  static const std::vector<BoxRule> rules = {
      {"WAE_ALL", "UA2", "UA2", {"UA2", "UA2/f"}, false},
      {"AF_DXCC", "3Y/b", "3Y/b", {"3Y"}, false},
      {"AF_DXCC", "TZ", " TZ ", {"TZ"}, false},
      // An African 3W box lies hidden under 3X; no key ticks it (3W is worked in Asia).
      {"AF_DXCC", "3W", "3W", {}, true},
  };
  return rules;
}

const BoxRule* RuleFor(std::string_view page, std::string_view label) {
  for (const BoxRule& r : Rules()) {
    if (r.page == page && r.label == label) return &r;
  }
  return nullptr;
}

ContinentPage BuildPage(const PageTable& t) {
  ContinentPage page{t.name, t.tabLabel, t.width, t.height, {}};
  std::vector<int> columnOf;
  std::vector<int> need;  // per column
  int row = 0, col = 0;
  std::size_t i = 0;
  while (i < t.rows.size()) {
    const std::size_t end = std::min(t.rows.find(' ', i), t.rows.size());
    const std::string_view word = t.rows.substr(i, end - i);
    i = end + 1;
    if (word.empty()) continue;
    if (word == "/") {
      ++row;
      col = 0;
      continue;
    }
    ContinentBox box;
    box.rect = {0, t.y + row * t.dy, 0, t.h};
    const BoxRule* rule = RuleFor(t.name, word);
    if (rule) {
      box.label = rule->text;
      for (std::string_view k : rule->keys) box.keys.emplace_back(k);
      box.hidden = rule->underNext;
    } else {
      box.label = word;
      box.keys.emplace_back(word);
    }
    if (need.size() <= static_cast<std::size_t>(col))
      need.resize(static_cast<std::size_t>(col) + 1);
    int& n = need[static_cast<std::size_t>(col)];
    if (!box.hidden) n = std::max(n, BoxWidthFor(box.label));
    columnOf.push_back(col);
    if (!rule || !rule->underNext) ++col;
    page.boxes.push_back(std::move(box));
  }
  // Columns at least 23 units apart; the rest of the width goes to the narrowest
  // column, one unit at a time, so the grid comes out as even as the labels allow.
  std::vector<int> width(need.size());
  int total = 0;
  for (std::size_t c = 0; c < need.size(); ++c) {
    width[c] = std::max(need[c], kMinColumnStep);
    total += width[c];
  }
  for (int slack = (kPageRight - kPageLeft) - total; slack > 0 && !width.empty(); --slack) {
    ++*std::min_element(width.begin(), width.end());
  }
  std::vector<int> x(need.size() + 1, kPageLeft);
  for (std::size_t c = 0; c < width.size(); ++c) x[c + 1] = x[c] + width[c];
  for (std::size_t b = 0; b < page.boxes.size(); ++b) {
    const auto c = static_cast<std::size_t>(columnOf[b]);
    page.boxes[b].rect.x = x[c];
    page.boxes[b].rect.width = x[c + 1] - x[c];
  }
  return page;
}

}  // namespace

int BoxWidthFor(std::string_view label) {
  int tenths = 120;  // the check mark and the gap before the label
  for (char c : label) {
    switch (c) {
      case 'I':
      case 'i':
      case 'j':
      case 'l':
      case 'f':
      case 't':
      case '/':
      case ' ':
        tenths += 20;
        break;
      case 'M':
      case 'W':
      case 'm':
      case 'w':
        tenths += 60;
        break;
      default:
        tenths += (c >= 'a' && c <= 'z') ? 40 : 45;
    }
  }
  return (tenths + 9) / 10;
}

const std::array<ContinentPage, kContinentPageCount>& ContinentPages() {
  static const std::array<ContinentPage, kContinentPageCount> pages = [] {
    std::array<ContinentPage, kContinentPageCount> p;
    for (int i = 0; i < kContinentPageCount; ++i)
      p[static_cast<std::size_t>(i)] = BuildPage(kPages[i]);
    return p;
  }();
  return pages;
}

ContinentTicks TicksFor(const std::vector<std::string>& worked) {
  ContinentTicks ticks;
  const auto& pages = ContinentPages();
  for (std::size_t p = 0; p < pages.size(); ++p) {
    ticks[p].assign(pages[p].boxes.size(), false);
  }
  for (const std::string& key : worked) {
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const auto& boxes = pages[p].boxes;
      for (std::size_t b = 0; b < boxes.size(); ++b) {
        for (const std::string& k : boxes[b].keys) {
          if (k == key) ticks[p][b] = true;
        }
      }
    }
  }
  return ticks;
}

std::optional<std::string> ExtendedDxccTitle::Refresh(const WindowState& state,
                                                      const RefreshView& view) {
  if (view.call.empty()) shown_ = view;
  if (!shown_) return std::nullopt;
  const std::size_t count =
      state.worked.Entities(WorkedListIndex(shown_->band, shown_->mode)).size();
  return DxccTitle(state.contest.RussianText(), shown_->modeText, shown_->bandText, count);
}

}  // namespace zd

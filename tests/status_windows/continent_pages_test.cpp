#include "status_windows/continent_pages.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "control/window_fakes.h"

namespace zd {
namespace {

// The labels of each page as the operator reads them, row by row.
const std::map<std::string_view, std::string_view> kExpectedLabels = {
    {"WAE_ALL",
     "1A0 3A 4O 4U1I 4U1V 9A 9H C3 CT CU DL E7 EA EA6 EI ER ES EU F G GD GI GJ GM GU GW HA "
     "HB HB0 HV I IS IT JW JX LA LX LY LZ OE OH OH0 OJ0 OK OM ON OY OZ PA R1FJ S5 SM SP SV "
     "SV5 SV9 T7 TA1 TF TK UA UA2 UR YL YO YU Z6 Z3 ZA ZB"},
    {"AF_DXCC",
     "3B6 3B8 3B9 3C 3C0 3DA 3V 3W 3X 3Y/b 5A 5H 5N 5R 5T 5U 5V 5X 5Z 6W 7P 7Q 7X 9J 9L 9Q "
     "9U 9X A2 C5 C9 CN D2 D4 D6 E3 E4 EA8 EA9 EL ET FH FR FT/j FT/t FT/w FT/x FT/z J2 J5 S0 "
     "S7 S9 ST SU T5 TJ TL TN TR TT TU TY TZ VK0H XT Z2 Z8 ZD7 ZD8 ZD9 ZS ZS8"},
    {"AS_DXCC",
     "1S 3W 4J 4L 4S 4X 5B 7O 8Q 9K 9M2 9N 9V A4 A5 A6 A7 A9 AP BS7 BV BV9P BY E4 EK EP EX "
     "EY EZ HL HS HZ JA JD/o JT JY OD P5 S2 SU TA UA9 UK UN VR VU VU4 VU7 XU XW XX9 XZ YA YI "
     "ZC4 YK"},
    {"NA_DXCC",
     "4U1U 6Y 8P C6 CM CY0 CY9 FG FJ FM FO/c FP FS HH HI HK0/a HP HR J7 J8 K KG4 KL KP1 J3 "
     "J6 KP2 KP4 KP5 OX PJ5 PJ7 TG TI TI9 V2 V3 V4 VE VP2E VP2M VP2V VP5 VP9 XE XF4 YN YS ZF "
     "YV0"},
    {"SA_DXCC",
     "8R 9Y CE CE0X CE0Y CE0Z CP CX FY HC HC8 HK HK0 LU OA P4 PJ2 PJ4 PY0P PY0T PZ VP8 "
     "VP8/g VP8/h VP8/o PY PY0F VP8/s YV ZP 3Y/p"},
    {"OC_DXCC",
     "3D2 4W 5W 9M6 A3 C2 DU E5 E6 FK FO FO0 FW H4 H40 JD/m KH0 KH1 KH2 KH3 KH4 KH5 KH5K KH6 "
     "KH7K KH8 KH8/s KH9 P2 T2 T30 T31 T32 T33 T8 V6 V7 V8 VK VK0 VK9C VK9L VK9M VK9N VK9W "
     "VK9X VP6 YB YJ ZK3 ZL ZL7 ZL8 ZL9"},
};

std::string Trim(std::string s) {
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

TEST(ContinentPages, TabOrderLabelsAndCounts) {
  const auto& pages = ContinentPages();
  const char* names[] = {"WAE_ALL", "AF_DXCC", "AS_DXCC", "NA_DXCC", "SA_DXCC", "OC_DXCC"};
  const char* tabs[] = {"   EU ", "   AF ", "   AS ", "   NA ", "   SA ", "   OC "};
  const std::size_t counts[] = {70, 73, 56, 50, 31, 54};
  for (std::size_t p = 0; p < 6; ++p) {
    EXPECT_EQ(pages[p].name, names[p]);
    EXPECT_EQ(pages[p].tabLabel, tabs[p]);
    EXPECT_EQ(pages[p].boxes.size(), counts[p]) << names[p];
  }
}

TEST(ContinentPages, EveryLabelInReadingOrder) {
  for (const ContinentPage& page : ContinentPages()) {
    std::istringstream in{std::string(kExpectedLabels.at(page.name))};
    std::vector<std::string> expected{std::istream_iterator<std::string>(in), {}};
    std::vector<std::string> labels;
    for (const ContinentBox& b : page.boxes) labels.push_back(Trim(b.label));
    EXPECT_EQ(labels, expected) << page.name;
  }
}

TEST(ContinentPages, BoxesLieOnTheirGridWithoutOverlapEachWideEnoughForItsLabel) {
  for (const ContinentPage& page : ContinentPages()) {
    std::set<std::pair<int, int>> places;
    std::set<int> columns;
    for (const ContinentBox& b : page.boxes) {
      const std::string where = std::string(page.name) + " " + b.label;
      EXPECT_GE(b.rect.x, kPageLeft) << where;
      EXPECT_LE(b.rect.x + b.rect.width, kPageRight) << where;
      EXPECT_LE(b.rect.y + b.rect.height, page.height) << where;
      EXPECT_GE(b.rect.width, BoxWidthFor(b.label)) << where;
      if (!b.hidden) {
        EXPECT_TRUE(places.insert({b.rect.x, b.rect.y}).second) << where;
        columns.insert(b.rect.x);
      }
    }
    // Columns 23 to 34 units apart, boxes of one column touching the next column only.
    std::vector<int> xs(columns.begin(), columns.end());
    for (std::size_t i = 1; i < xs.size(); ++i) {
      EXPECT_GE(xs[i] - xs[i - 1], 23) << page.name;
      EXPECT_LE(xs[i] - xs[i - 1], 34) << page.name;
    }
    for (const ContinentBox& b : page.boxes) {
      const auto next = columns.upper_bound(b.rect.x);
      if (next != columns.end()) {
        EXPECT_LE(b.rect.x + b.rect.width, *next);
      }
    }
  }
  // The widths a label needs grow with its characters; narrow letters count less.
  EXPECT_LT(BoxWidthFor("4U1I"), BoxWidthFor("4U1V"));
  EXPECT_LT(BoxWidthFor("UA"), BoxWidthFor("UA2"));
  EXPECT_EQ(BoxWidthFor("VK9W"), BoxWidthFor("VK9M"));
  // Africa's 3W: hidden, under 3X.
  const auto& af = ContinentPages()[1].boxes;
  EXPECT_EQ(af[7].label, "3W");
  EXPECT_TRUE(af[7].hidden);
  EXPECT_EQ(af[7].rect, af[8].rect);
  EXPECT_EQ(af[8].label, "3X");
  // The first row of Africa shows nine boxes, like every other row.
  EXPECT_EQ(af[9].rect.x, af[18].rect.x);
  // Its TZ box carries blanks around the label.
  EXPECT_EQ(af[63].label, " TZ ");
}

// Labels of ticked boxes, page by page.
std::map<std::string_view, std::set<std::string>> Ticked(const std::vector<std::string>& keys) {
  std::map<std::string_view, std::set<std::string>> out;
  const ContinentTicks ticks = TicksFor(keys);
  const auto& pages = ContinentPages();
  for (std::size_t p = 0; p < pages.size(); ++p) {
    EXPECT_EQ(ticks[p].size(), pages[p].boxes.size());
    for (std::size_t b = 0; b < ticks[p].size(); ++b) {
      if (ticks[p][b]) out[pages[p].name].insert(Trim(pages[p].boxes[b].label));
    }
  }
  return out;
}

TEST(ContinentTicks, KeysTickTheirBoxesOnEveryPage) {
  const auto t = Ticked({"UA2/f", "3Y", "TZ", "DL", "E4", "SU", "ZZ9", "", "dl"});
  EXPECT_EQ(t.at("WAE_ALL"), (std::set<std::string>{"UA2", "DL"}));
  // E4 and SU have a box in Africa and in Asia.
  EXPECT_EQ(t.at("AF_DXCC"), (std::set<std::string>{"3Y/b", "TZ", "E4", "SU"}));
  EXPECT_EQ(t.at("AS_DXCC"), (std::set<std::string>{"E4", "SU"}));
  EXPECT_FALSE(t.count("SA_DXCC"));  // 3Y is not 3Y/p
  EXPECT_FALSE(t.count("NA_DXCC"));
}

TEST(ContinentTicks, BoxesWithoutTheirOwnKeyInTheOldTables) {
  const auto t = Ticked({"4O", "E7", "HB0", "3C", "5U", "9N", "FW", "H4", "H40", "JD/m", "A9", "AP",
                         "UA2", "3W", "3Y/p"});
  EXPECT_EQ(t.at("WAE_ALL"), (std::set<std::string>{"4O", "E7", "HB0", "UA2"}));
  // 3W ticks Asia's box only; Africa's hidden 3W takes no key.
  EXPECT_EQ(t.at("AF_DXCC"), (std::set<std::string>{"3C", "5U"}));
  EXPECT_EQ(t.at("AS_DXCC"), (std::set<std::string>{"9N", "A9", "AP", "3W"}));
  EXPECT_EQ(t.at("OC_DXCC"), (std::set<std::string>{"FW", "H4", "H40", "JD/m"}));
  EXPECT_EQ(t.at("SA_DXCC"), (std::set<std::string>{"3Y/p"}));
  // A9 and AP are ticked each by its own key only.
  EXPECT_EQ(Ticked({"A9"}).at("AS_DXCC"), (std::set<std::string>{"A9"}));
}

TEST(ContinentTicks, AnEmptyListTicksNothing) { EXPECT_TRUE(Ticked({}).empty()); }

TEST(ExtendedDxccTitle, WhileACallIsTypedKeepsItsBandButNeverAStaleCount) {
  testing::ContestFixture c;
  const QsoArgs dl = testing::QsoAt("DL1AA", "20m", "RTTY", "DL", "1", 1);
  ASSERT_EQ(c.work.AddData(dl), 1);
  ASSERT_EQ(c.work.AddData(testing::QsoAt("F5AA", "20m", "RTTY", "F", "2", 2)), 1);
  c.work.GetResult();
  ExtendedDxccTitle title;
  EXPECT_FALSE(title.Refresh(c.state, RefreshView{"DL1AA", 3, 0, "RTTY", "20m"}))
      << "the window's own title until a refresh without a typed call";
  EXPECT_EQ(title.Refresh(c.state, RefreshView{"", 3, 0, "RTTY", "20m"}),
            "DXCC worked RTTY on 20m 2 of 338");
  // Typing on 40 m: the title still names 20 m; a removal and a result change its count.
  ASSERT_EQ(c.work.RemoveData(dl), 1);
  c.work.GetResult();
  EXPECT_EQ(title.Refresh(c.state, RefreshView{"F5AA", 2, 0, "RTTY", "40m"}),
            "DXCC worked RTTY on 20m 1 of 338");
  EXPECT_EQ(title.Refresh(c.state, RefreshView{"", 2, 1, "BPSK63", "40m"}),
            "DXCC worked BPSK63 on 40m 0 of 338");
}

}  // namespace
}  // namespace zd

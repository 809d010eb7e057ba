#include "status_windows/info_panel.h"

#include <gtest/gtest.h>

namespace zd {
namespace {

std::vector<std::pair<int, int>> Places(const PanelPicture& p) {
  std::vector<std::pair<int, int>> out;
  for (const PanelText& t : p.texts) out.emplace_back(t.x, t.y);
  return out;
}

TEST(InfoPanelList, SortsACopyByteByByte) {
  const std::vector<std::string> engine = {"UA", "DL", "9A", "UA2", "EA8", "DL"};
  const std::vector<std::string> sorted = SortedKeys(engine);
  EXPECT_EQ(sorted, (std::vector<std::string>{"9A", "DL", "DL", "EA8", "UA", "UA2"}));
  EXPECT_EQ(engine[0], "UA");
}

TEST(InfoPanelList, KeysFlowIntoLinesOfThePanelsWidth) {
  const std::vector<std::string> keys = {"9A", "DL", "EA", "F", "G", "HA", "I"};
  // Width 200: x = 5, 45, 85, 125; the step to 165 passes 200 - 40 and wraps.
  const PanelPicture wide = ListPicture(Rect{0, 0, 200, 100}, 3, keys);
  EXPECT_EQ(Places(wide),
            (std::vector<std::pair<int, int>>{
                {5, 15}, {45, 15}, {85, 15}, {125, 15}, {5, 30}, {45, 30}, {85, 30}}));
  EXPECT_EQ(wide.texts[4].text, "G");
  EXPECT_EQ(wide.background, Rgb(255, 250, 198));
  EXPECT_FALSE(wide.strip);
  // Exactly at the limit: 165 is not greater than 205 - 40, so a fifth key fits.
  EXPECT_EQ(ListPicture(Rect{0, 0, 205, 100}, 0, keys).texts[4].y, 15);
  // A narrow panel gives every key its own line.
  const PanelPicture narrow = ListPicture(Rect{0, 0, 60, 100}, 0, {"A", "B", "C"});
  EXPECT_EQ(Places(narrow), (std::vector<std::pair<int, int>>{{5, 15}, {5, 30}, {5, 45}}));
}

TEST(InfoPanelList, NoBandOrNoKeysPaintOnlyTheBackground) {
  EXPECT_TRUE(ListPicture(Rect{0, 0, 300, 200}, -1, {"DL"}).texts.empty());
  EXPECT_TRUE(ListPicture(Rect{0, 0, 300, 200}, 2, {}).texts.empty());
}

BandRows Rows() {
  BandRows rows;
  const char* bands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
  for (int i = 0; i < 6; ++i)
    rows[static_cast<std::size_t>(i)] = {bands[i], "   -", "   -", "   -"};
  rows[3] = {"20m", "12:05", "12:40", "MO"};
  return rows;
}

TEST(InfoPanelTable, HeaderRowsAndTheCurrentBandsStrip) {
  const PanelPicture p = TablePicture(Rect{0, 0, 370, 217}, 3, "UA3ABC", Rows());
  EXPECT_EQ(p.background, Rgb(255, 255, 198));
  // Row height 217 / 7 = 31; the 20 m row is row 4.
  ASSERT_TRUE(p.strip);
  EXPECT_EQ(*p.strip, (Rect{0, 4 * 31 + 10, 370, 5 * 31}));
  ASSERT_EQ(p.texts.size(), 4u + 24u);
  EXPECT_EQ(p.texts[0], (PanelText{180, 0, "UA3ABC"}));
  EXPECT_EQ(p.texts[1], (PanelText{100, 18, "RTTY"}));
  EXPECT_EQ(p.texts[2], (PanelText{180, 18, "BPSK63"}));
  EXPECT_EQ(p.texts[3], (PanelText{260, 18, "NR/OBL"}));
  EXPECT_EQ(p.texts[4], (PanelText{20, 41, "160m"}));
  EXPECT_EQ(p.texts[4 + 12 + 1], (PanelText{100, 134, "12:05"}));
  EXPECT_EQ(p.texts[4 + 12 + 3], (PanelText{260, 134, "MO"}));
  EXPECT_EQ(p.texts.back(), (PanelText{260, 196, "   -"}));
}

TEST(InfoPanelTable, CallInfoRowsFromTheCallsQsos) {
  const auto qso = [](const char* band, const char* mode, int minute, const char* exch) {
    QsoRecord r;
    r.call = "UA3ABC";
    r.band = band;
    r.mode = mode;
    r.exchRcvd = exch;
    r.qsoTime = OleDateTime{*DateFromCivil(2022, 3, 19, 12, minute, 0), kDateValid};
    return r;
  };
  CallQsos call{true,
                {qso("20m", "RTTY", 5, "SP"), qso("20m", "BPSK63", 40, "MO"),
                 qso("40m", "BPSK125", 7, "KA"), qso("15M", "RTTY", 9, "LO")}};
  const BandRows rows = CallInfoRows(call);
  EXPECT_EQ(rows[3], (BandRow{"20m", "12:05", "12:40", "MO"})) << "the last QSO's exchange";
  EXPECT_EQ(rows[2], (BandRow{"40m", "   -", "   -", "KA"})) << "BPSK125 has no time column";
  EXPECT_EQ(rows[4], (BandRow{"15m", "   -", "   -", "   -"})) << "bands match exactly";
  EXPECT_EQ(rows[0], (BandRow{"160m", "   -", "   -", "   -"}));
  // Before the first contest reset the table names no band, so no QSO finds its row.
  call.bandsNamed = false;
  for (const BandRow& row : CallInfoRows(call)) {
    EXPECT_EQ(row, (BandRow{"", "   -", "   -", "   -"}));
  }
}

TEST(InfoPanelText, IsWhatThePanelShowsLineByLine) {
  EXPECT_EQ(PictureText(ListPicture(Rect{0, 0, 120, 100}, 0, {"DL", "F", "G"})), "DL F\r\nG");
  EXPECT_EQ(PictureText(ListPicture(Rect{0, 0, 120, 100}, -1, {"DL"})), "");
  const std::string table = PictureText(TablePicture(Rect{0, 0, 370, 217}, 3, "UA3ABC", Rows()));
  EXPECT_EQ(table.substr(0, table.find("\r\n40m")),
            "UA3ABC\r\nRTTY BPSK63 NR/OBL\r\n160m    -    -    -\r\n80m    -    -    -");
  EXPECT_NE(table.find("\r\n20m 12:05 12:40 MO\r\n"), std::string::npos) << table;
}

TEST(InfoPanelTable, NoCurrentBandStillShowsAllRows) {
  const PanelPicture p = TablePicture(Rect{0, 0, 370, 217}, -1, "DL1ABC", Rows());
  EXPECT_FALSE(p.strip);
  EXPECT_EQ(p.texts.size(), 28u);
}

}  // namespace
}  // namespace zd

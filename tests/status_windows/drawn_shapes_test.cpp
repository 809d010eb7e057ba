#include "status_windows/drawn_shapes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zd {
namespace {

std::string R(const Rect& r) {
  char b[64];
  std::snprintf(b, sizeof b, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
  return b;
}
std::string C(Colour c) {
  char b[16];
  std::snprintf(b, sizeof b, "%08X", c);
  return b;
}

// Writes each drawing call as one line.
class RecordingCanvas final : public Canvas {
 public:
  void FillSolid(const Rect& r, Colour c) override { ops.push_back("fill " + R(r) + " " + C(c)); }
  void Draw3dRect(const Rect& r, Colour tl, Colour br) override {
    ops.push_back("3d " + R(r) + " " + C(tl) + " " + C(br));
  }
  void DrawFocusRect(const Rect& r) override { ops.push_back("focus " + R(r)); }
  void EllipseOutline(const Rect& r, const PenSpec& pen, std::optional<Colour> opaque) override {
    std::string line = "ellipse " + R(r) + (pen.style == PenStyle::kDot ? " dot " : " solid ") +
                       std::to_string(pen.width) + " " + C(pen.colour);
    if (opaque) line += " on " + C(*opaque);
    ops.push_back(line);
  }
  void CentredText(const Rect& r, std::string_view text, Colour c) override {
    ops.push_back("text " + R(r) + " " + std::string(text) + " " + C(c));
  }
  std::vector<std::string> ops;
};

constexpr Rect kCell{0, 0, 40, 20};
const CAdvancedComponent kColours{kGreen, Rgb(1, 1, 1), Rgb(128, 128, 128)};

TEST(DrawnRect, PlainCellIsFilledWithATwoRingRaisedBorderAndItsLabel) {
  RecordingCanvas dc;
  PaintCell(dc, kCell, 0, CellShape::kRect, kColours, "RTTY");
  EXPECT_EQ(dc.ops, (std::vector<std::string>{
                        "fill 0,0,40,20 0000FF00",
                        "3d 0,0,40,20 02FFFFFF 027F7F7F",  // ring 1: 255 and 127
                        "3d 1,1,39,19 02DFDFDF 02555555",  // ring 2: 223 and 85
                        "text 0,0,40,20 RTTY 00010101",
                    }));
}

TEST(DrawnRect, FocusedPressedCellRedrawsTheOuterRingSunkenAndShowsTheFocus) {
  RecordingCanvas dc;
  PaintCell(dc, kCell, kStateFocus | kStateSelected, CellShape::kRect, kColours, "");
  EXPECT_EQ(dc.ops, (std::vector<std::string>{
                        "fill 0,0,40,20 0000FF00",
                        "3d 0,0,40,20 02FFFFFF 027F7F7F",
                        "3d 1,1,39,19 02DFDFDF 02555555",
                        "3d 0,0,40,20 00808080 00FFFFFF",
                        "focus 2,2,38,18",
                    }));
}

TEST(DrawnRect, DisabledLabelIsGreyWhateverTheForeColour) {
  RecordingCanvas dc;
  const CAdvancedComponent colours{kButtonGrey, Rgb(255, 255, 0), Rgb(128, 128, 128)};
  PaintCell(dc, kCell, kStateDisabled, CellShape::kRect, colours, "PSK125");
  EXPECT_EQ(dc.ops.back(), "text 0,0,40,20 PSK125 00808080");
}

TEST(DrawnEllipse, FillIsConcentricOutlinesUntilNothingIsLeft) {
  RecordingCanvas dc;
  DrawnEllipse().Fill(dc, Rect{0, 0, 10, 6}, kRed);
  EXPECT_EQ(dc.ops, (std::vector<std::string>{"ellipse 1,1,9,5 solid 3 000000FF",
                                              "ellipse 2,2,8,4 solid 3 000000FF"}));
}

TEST(DrawnEllipse, CellWithFocusAndPress) {
  RecordingCanvas dc;
  DrawnEllipse().Draw(dc, Rect{0, 0, 12, 12}, kStateFocus | kStateSelected, kGreen);
  std::vector<std::string> outlines;
  for (const std::string& op : dc.ops) {
    if (op.find(" solid 3 ") == std::string::npos) outlines.push_back(op);
  }
  EXPECT_EQ(outlines, (std::vector<std::string>{
                          "ellipse 1,1,11,11 solid 2 00808080",  // raised border
                          "ellipse 1,1,11,11 solid 2 00010101",  // pressed: sunken, twice
                          "ellipse 2,2,10,10 solid 2 00010101",
                          "ellipse 4,4,8,8 dot 1 00010101 on 0000FF00",
                      }));
  // Two fills of 8 x 8 leave three rings each; the last fill inside the focus has no room.
  EXPECT_EQ(dc.ops.size() - outlines.size(), 6u);
  EXPECT_EQ(dc.ops.back(), "ellipse 4,4,8,8 dot 1 00010101 on 0000FF00");
}

TEST(DrawnEllipse, EmptyLabelPaintsOnlyTheShape) {
  RecordingCanvas dc;
  PaintCell(dc, Rect{0, 0, 30, 14}, 0, CellShape::kEllipse, kColours, "");
  ASSERT_FALSE(dc.ops.empty());
  for (const std::string& op : dc.ops) EXPECT_EQ(op.rfind("ellipse", 0), 0u) << op;
  EXPECT_EQ(dc.ops.front(), "ellipse 1,1,29,13 solid 2 00808080");
}

}  // namespace
}  // namespace zd

#include "status_windows/drawn_object.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace zd {
namespace {

struct Fill {
  Box box;
  Colour colour;
  bool operator==(const Fill&) const = default;
};
struct Ring {
  Box box;
  Colour topLeft, bottomRight;
  bool operator==(const Ring&) const = default;
};
struct Focus {
  Box box;
  bool operator==(const Focus&) const = default;
};
struct Oval {
  Box box;
  Pen pen;
  std::optional<Colour> fill, background;
  bool operator==(const Oval&) const = default;
};
struct Text {
  Box box;
  std::string text;
  Colour colour;
  bool operator==(const Text&) const = default;
};
using Op = std::variant<Fill, Ring, Focus, Oval, Text>;

class Recorder final : public Canvas {
 public:
  std::vector<Op> ops;
  void FillRect(const Box& b, Colour c) override { ops.push_back(Fill{b, c}); }
  void Draw3dRect(const Box& b, Colour tl, Colour br) override { ops.push_back(Ring{b, tl, br}); }
  void FocusRect(const Box& b) override { ops.push_back(Focus{b}); }
  void Ellipse(const Box& b, const Pen& p, std::optional<Colour> f,
               std::optional<Colour> bg) override {
    ops.push_back(Oval{b, p, f, bg});
  }
  void CentredText(const Box& b, std::string_view t, Colour c) override {
    ops.push_back(Text{b, std::string(t), c});
  }
};

constexpr Box kCell{0, 0, 40, 16};
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kMagenta = Rgb(255, 0, 255);

TEST(DrawnRect, RaisedBorderOfTwoRingsInPaletteGreys) {
  Recorder r;
  PaintCell(r, CellShape::kRect, kCell, 0, CellColours{kGreen, kAlmostBlack, kBorderGrey}, "UA");
  const std::vector<Op> expected = {
      Fill{kCell, kGreen},
      Ring{kCell, 0x02FFFFFFu, 0x027F7F7Fu},
      Ring{kCell.Deflated(1), 0x02DFDFDFu, 0x02555555u},
      Text{kCell, "UA", kAlmostBlack},
  };
  EXPECT_EQ(r.ops, expected);
}

TEST(DrawnRect, BorderDepthsAndTheirColours) {
  EXPECT_EQ(BorderRing(2, 1).light, PaletteGrey(255));
  EXPECT_EQ(BorderRing(2, 2).dark, PaletteGrey(85));
  EXPECT_EQ(BorderRing(3, 3).light, PaletteGrey(213));
  EXPECT_EQ(BorderRing(3, 3).dark, PaletteGrey(63));
  // One ring deep: plain white and grey, not palette-relative.
  EXPECT_EQ(BorderRing(-1, 1).light, kWhite);
  EXPECT_EQ(BorderRing(1, 1).dark, Rgb(128, 128, 128));

  Recorder r;
  DrawnRect().DrawBorder(r, kCell, 0);
  EXPECT_TRUE(r.ops.empty());
  DrawnRect().DrawBorder(r, kCell, -3);
  ASSERT_EQ(r.ops.size(), 3u);
  // Sunken: the dark colour on top and left, each ring one pixel further in.
  EXPECT_EQ(std::get<Ring>(r.ops[2]),
            (Ring{kCell.Deflated(2), PaletteGrey(255 / 4), PaletteGrey(63 / 3 + 192)}));
}

TEST(DrawnRect, FocusedPressedCellRedrawsItsOuterRingSunkenAndShowsTheFocusFrame) {
  Recorder r;
  PaintCell(r, CellShape::kRect, kCell, kStateFocus | kStateSelected, CellColours{}, "");
  ASSERT_EQ(r.ops.size(), 6u);
  EXPECT_EQ(std::get<Ring>(r.ops[3]), (Ring{kCell, Rgb(128, 128, 128), kWhite}));
  EXPECT_EQ(std::get<Focus>(r.ops[4]).box, (Box{2, 2, 38, 14}));

  Recorder focusedOnly;
  PaintCell(focusedOnly, CellShape::kRect, kCell, kStateFocus, CellColours{}, "");
  ASSERT_EQ(focusedOnly.ops.size(), 5u);
  EXPECT_TRUE(std::holds_alternative<Focus>(focusedOnly.ops[3]));
}

TEST(DrawnCell, DisabledLabelIsGreyWhateverTheForeColour) {
  for (CellShape shape : {CellShape::kRect, CellShape::kEllipse}) {
    Recorder r;
    PaintCell(r, shape, kCell, kStateDisabled, CellColours{kMagenta, Rgb(255, 255, 0), kBorderGrey},
              "KA");
    ASSERT_FALSE(r.ops.empty());
    EXPECT_EQ(std::get<Text>(r.ops.back()), (Text{kCell, "KA", kBorderGrey}));
  }
}

TEST(DrawnEllipse, OutlineThenNestedFillDownToNothing) {
  Recorder r;
  PaintCell(r, CellShape::kEllipse, kCell, 0, CellColours{kMagenta, Rgb(255, 255, 0), kBorderGrey},
            "MO");
  ASSERT_GE(r.ops.size(), 3u);
  EXPECT_EQ(std::get<Oval>(r.ops[0]),
            (Oval{kCell.Deflated(1), Pen{Pen::Style::kSolid, 2, kBorderGrey}, {}, {}}));
  // The fill starts one pixel inside the area within the outline and shrinks by one
  // pixel per ellipse until the next would be empty.
  Box expected = kCell.Deflated(3);
  std::size_t i = 1;
  for (; i + 1 < r.ops.size(); ++i) {
    const Oval& o = std::get<Oval>(r.ops[i]);
    EXPECT_EQ(o.box, expected);
    EXPECT_EQ(o.pen, (Pen{Pen::Style::kSolid, 3, kMagenta}));
    EXPECT_EQ(o.fill, kMagenta);
    expected = expected.Deflated(1);
  }
  EXPECT_TRUE(expected.Empty());
  EXPECT_EQ(i, 6u);  // a 16-pixel-high cell: 10, 8, 6, 4, 2 pixels
  EXPECT_EQ(std::get<Text>(r.ops.back()).colour, Rgb(255, 255, 0));
}

TEST(DrawnEllipse, FocusedPressedCellHasDarkRingsAndADottedFocusEllipse) {
  Recorder r;
  DrawnEllipse().Draw(r, kCell, kStateFocus | kStateSelected, kGreen);
  std::vector<Oval> outlines, dotted;
  for (const Op& op : r.ops) {
    const Oval& o = std::get<Oval>(op);
    if (o.pen.style == Pen::Style::kDot) {
      dotted.push_back(o);
    } else if (!o.fill) {
      outlines.push_back(o);
    }
  }
  ASSERT_EQ(outlines.size(), 3u);
  EXPECT_EQ(outlines[1],
            (Oval{kCell.Deflated(1), Pen{Pen::Style::kSolid, 2, kAlmostBlack}, {}, {}}));
  EXPECT_EQ(outlines[2],
            (Oval{kCell.Deflated(2), Pen{Pen::Style::kSolid, 2, kAlmostBlack}, {}, {}}));
  ASSERT_EQ(dotted.size(), 1u);
  EXPECT_EQ(dotted[0],
            (Oval{kCell.Deflated(4), Pen{Pen::Style::kDot, 1, kAlmostBlack}, {}, kGreen}));
  // The last thing drawn is the fill inside the focus ellipse.
  const Oval& last = std::get<Oval>(r.ops.back());
  EXPECT_EQ(last.fill, kGreen);
  EXPECT_EQ(last.box, kCell.Deflated(7));
}

}  // namespace
}  // namespace zd

#include "status_windows/drawn_object.h"

#include <cstdlib>

namespace zd {

void DrawnObject::DrawLabel(Canvas& canvas, Box box, std::string_view text, Colour colour) {
  canvas.CentredText(box, text, colour);
}

RingColours BorderRing(int depth, int ring) {
  if (std::abs(depth) == 1) return {kWhite, kBorderGrey};
  return {PaletteGrey(63 / ring + 192), PaletteGrey(255 / (ring + 1))};
}

// ---------------------------------------------------------------- rectangle

void DrawnRect::Draw(Canvas& canvas, Box box, unsigned state, Colour fill) {
  Fill(canvas, box, fill);
  DrawBorder(canvas, box, 2);
  if (state & kStateFocus) {
    // A pressed cell shows its outer ring sunken.
    if (state & kStateSelected) DrawBorder(canvas, box, -1);
    DrawFocus(canvas, box.Deflated(2), fill);
  }
}

void DrawnRect::DrawBorder(Canvas& canvas, Box box, int depth) {
  const int rings = std::abs(depth);
  for (int ring = 1; ring <= rings; ++ring) {
    const RingColours c = BorderRing(depth, ring);
    if (depth > 0) {
      canvas.Draw3dRect(box, c.light, c.dark);
    } else {
      canvas.Draw3dRect(box, c.dark, c.light);
    }
    box = box.Deflated(1);
  }
}

void DrawnRect::Fill(Canvas& canvas, Box box, Colour colour) { canvas.FillRect(box, colour); }

void DrawnRect::DrawFocus(Canvas& canvas, Box box, Colour /*colour*/) { canvas.FocusRect(box); }

// ---------------------------------------------------------------- ellipse

void DrawnEllipse::Draw(Canvas& canvas, Box box, unsigned state, Colour fill) {
  Box e = box.Deflated(1);
  DrawBorder(canvas, e, 2);
  e = e.Deflated(1);
  Fill(canvas, e, fill);
  if (state & kStateFocus) {
    if (state & kStateSelected) {
      DrawBorder(canvas, e.Inflated(1), -1);
      DrawBorder(canvas, e, -1);
    }
    Fill(canvas, e, fill);
    e = e.Deflated(2);
    DrawFocus(canvas, e, fill);
    e = e.Deflated(1);
    Fill(canvas, e, fill);
  }
}

void DrawnEllipse::DrawBorder(Canvas& canvas, Box box, int depth) {
  const Pen pen{Pen::Style::kSolid, 2, depth < 0 ? kAlmostBlack : kBorderGrey};
  canvas.Ellipse(box, pen, std::nullopt, std::nullopt);
}

void DrawnEllipse::Fill(Canvas& canvas, Box box, Colour colour) {
  // Nested ellipses with a wide pen, one pixel smaller each time, until none is left;
  // each is filled as well, so no pixel between two rings stays unpainted.
  const Pen pen{Pen::Style::kSolid, 3, colour};
  for (box = box.Deflated(1); !box.Empty(); box = box.Deflated(1)) {
    canvas.Ellipse(box, pen, colour, std::nullopt);
  }
}

void DrawnEllipse::DrawFocus(Canvas& canvas, Box box, Colour colour) {
  const Pen pen{Pen::Style::kDot, 1, kAlmostBlack};
  canvas.Ellipse(box, pen, std::nullopt, colour);
}

// ---------------------------------------------------------------- a cell

void PaintCell(Canvas& canvas, CellShape shape, const Box& box, unsigned state,
               const CellColours& colours, std::string_view label) {
  std::unique_ptr<DrawnObject> painter;
  if (shape == CellShape::kEllipse) {
    painter = std::make_unique<DrawnEllipse>();
  } else {
    painter = std::make_unique<DrawnRect>();
  }
  painter->Draw(canvas, box, state, colours.back);
  painter->DrawLabel(canvas, box, label,
                     (state & kStateDisabled) ? colours.disabled : colours.fore);
}

}  // namespace zd

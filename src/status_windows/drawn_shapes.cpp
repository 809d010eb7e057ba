#include "status_windows/drawn_shapes.h"

#include <cstdlib>
#include <memory>

namespace zd {

void DrawnObject::DrawLabel(Canvas& dc, Rect r, std::string_view text, Colour colour) {
  if (!text.empty()) dc.CentredText(r, text, colour);
}

void DrawnRect::Draw(Canvas& dc, Rect r, unsigned state, Colour fill) {
  Fill(dc, r, fill);
  DrawBorder(dc, r, 2);
  if (state & kStateFocus) {
    if (state & kStateSelected) DrawBorder(dc, r, -1);
    r = r.Deflated(2);
    DrawFocus(dc, r, fill);
  }
}

void DrawnRect::DrawBorder(Canvas& dc, Rect r, int depth) {
  const int rings = std::abs(depth);
  for (int c = 1; c <= rings; ++c) {
    Colour light, dark;
    if (rings == 1) {
      light = Rgb(255, 255, 255);
      dark = Rgb(128, 128, 128);
    } else {
      light = PaletteGrey(63 / c + 192);
      dark = PaletteGrey(255 / (c + 1));
    }
    if (depth > 0) {
      dc.Draw3dRect(r, light, dark);
    } else {
      dc.Draw3dRect(r, dark, light);
    }
    r = r.Deflated(1);
  }
}

void DrawnRect::Fill(Canvas& dc, Rect r, Colour colour) { dc.FillSolid(r, colour); }

void DrawnRect::DrawFocus(Canvas& dc, Rect r, Colour) { dc.DrawFocusRect(r); }

void DrawnEllipse::Draw(Canvas& dc, Rect r, unsigned state, Colour fill) {
  Rect e = r.Deflated(1);
  DrawBorder(dc, e, 2);
  e = e.Deflated(1);
  Fill(dc, e, fill);
  if (state & kStateFocus) {
    if (state & kStateSelected) {
      e = e.Deflated(-1);
      DrawBorder(dc, e, -1);
      e = e.Deflated(1);
      DrawBorder(dc, e, -1);
    }
    Fill(dc, e, fill);
    e = e.Deflated(2);
    DrawFocus(dc, e, fill);
    e = e.Deflated(1);
    Fill(dc, e, fill);
  }
}

void DrawnEllipse::DrawBorder(Canvas& dc, Rect r, int depth) {
  const Colour colour = depth < 0 ? Rgb(1, 1, 1) : Rgb(128, 128, 128);
  dc.EllipseOutline(r, PenSpec{PenStyle::kSolid, 2, colour}, std::nullopt);
}

void DrawnEllipse::Fill(Canvas& dc, Rect r, Colour colour) {
  const PenSpec pen{PenStyle::kSolid, 3, colour};
  for (r = r.Deflated(1); !r.IsEmpty(); r = r.Deflated(1)) dc.EllipseOutline(r, pen, std::nullopt);
}

void DrawnEllipse::DrawFocus(Canvas& dc, Rect r, Colour colour) {
  dc.EllipseOutline(r, PenSpec{PenStyle::kDot, 1, Rgb(1, 1, 1)}, colour);
}

void PaintCell(Canvas& dc, const Rect& r, unsigned state, CellShape shape,
               const CAdvancedComponent& colours, std::string_view label) {
  std::unique_ptr<DrawnObject> painter;
  if (shape == CellShape::kEllipse) {
    painter = std::make_unique<DrawnEllipse>();
  } else {
    painter = std::make_unique<DrawnRect>();
  }
  painter->Draw(dc, r, state, colours.backColor);
  painter->DrawLabel(dc, r, label,
                     (state & kStateDisabled) ? colours.disabledColor : colours.foreColor);
}

}  // namespace zd

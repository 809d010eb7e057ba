// The drawn cells of the status windows and the control window's mode buttons: the shape
// painters and the cell paint, written against a small canvas so that what they draw is
// decided here and tested natively; the Win32 canvas only hands each call to GDI.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "status_windows/colour.h"

namespace zd {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr Rect Deflated(int n) const { return {left + n, top + n, right - n, bottom - n}; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool operator==(const Rect&) const = default;
};

// Item state bits of an owner-drawn control.
inline constexpr unsigned kStateSelected = 0x1;
inline constexpr unsigned kStateDisabled = 0x4;
inline constexpr unsigned kStateFocus = 0x10;

// A grey level as a palette-relative colour.
constexpr Colour PaletteGrey(int level) { return 0x02000000u | Rgb(level, level, level); }

enum class PenStyle { kSolid, kDot };
struct PenSpec {
  PenStyle style = PenStyle::kSolid;
  int width = 1;
  Colour colour = 0;
  bool operator==(const PenSpec&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Fills with a solid brush of the colour, made and deleted for this call.
  virtual void FillSolid(const Rect& r, Colour c) = 0;
  // A one-pixel frame: top and left edges in one colour, bottom and right in the other.
  virtual void Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) = 0;
  virtual void DrawFocusRect(const Rect& r) = 0;
  // An ellipse outline in the pen, the inside left as it is; with `opaque` the gaps of a
  // dotted pen are drawn in that colour.
  virtual void EllipseOutline(const Rect& r, const PenSpec& pen, std::optional<Colour> opaque) = 0;
  // One line of text centred both ways on a transparent background.
  virtual void CentredText(const Rect& r, std::string_view cp1251, Colour colour) = 0;
};

// The shape painters: one short-lived instance per paint.
class DrawnObject {
 public:
  virtual ~DrawnObject() = default;
  virtual void Draw(Canvas& dc, Rect r, unsigned state, Colour fill) = 0;
  void DrawLabel(Canvas& dc, Rect r, std::string_view text, Colour colour);
  // depth > 0 raised, < 0 sunken.
  virtual void DrawBorder(Canvas& dc, Rect r, int depth) = 0;
  virtual void Fill(Canvas& dc, Rect r, Colour colour) = 0;
  virtual void DrawFocus(Canvas& dc, Rect r, Colour colour) = 0;
};

class DrawnRect final : public DrawnObject {
 public:
  void Draw(Canvas& dc, Rect r, unsigned state, Colour fill) override;
  void DrawBorder(Canvas& dc, Rect r, int depth) override;
  void Fill(Canvas& dc, Rect r, Colour colour) override;
  void DrawFocus(Canvas& dc, Rect r, Colour colour) override;
};

class DrawnEllipse final : public DrawnObject {
 public:
  void Draw(Canvas& dc, Rect r, unsigned state, Colour fill) override;
  void DrawBorder(Canvas& dc, Rect r, int depth) override;
  void Fill(Canvas& dc, Rect r, Colour colour) override;
  void DrawFocus(Canvas& dc, Rect r, Colour colour) override;
};

// The colours of a drawn cell.
struct CAdvancedComponent {
  Colour backColor = kGreen;
  Colour foreColor = kLabelBlack;
  Colour disabledColor = kLabelDisabled;
};

enum class CellShape { kRect = 0, kEllipse = 1 };

// Paints a whole cell: its shape in the back colour, then its label in the fore colour,
// or in the disabled colour while the control is disabled.
void PaintCell(Canvas& dc, const Rect& r, unsigned state, CellShape shape,
               const CAdvancedComponent& colours, std::string_view label);

}  // namespace zd

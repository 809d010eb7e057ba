// The shape painters behind the drawn cells: a rectangle with a 3-D border and an
// ellipse with an outline, each with a centred label. They decide every ring, every
// grey level and every nested ellipse and hand them to a Canvas; the Windows canvas
// turns them into GDI calls, a test canvas records them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace zd {

// A colour as the platform keeps it: 0x00BBGGRR, with flag bits in the top byte.
using Colour = uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
         (static_cast<Colour>(b & 0xFF) << 16);
}
// A palette-relative colour: on a true-colour display the same as the plain one.
inline constexpr Colour kPaletteRelative = 0x02000000;
constexpr Colour PaletteGrey(int level) { return kPaletteRelative | Rgb(level, level, level); }

inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kBorderGrey = Rgb(128, 128, 128);
inline constexpr Colour kAlmostBlack = Rgb(1, 1, 1);
// Background of the module's windows.
inline constexpr Colour kWindowBackground = Rgb(255, 250, 198);

// The colours the windows give a cell when they take it over.
inline constexpr Colour kCellBack = Rgb(0, 255, 0);
inline constexpr Colour kCellFore = kAlmostBlack;
inline constexpr Colour kCellDisabled = kBorderGrey;

// Item state bits of an owner-drawn control.
inline constexpr unsigned kStateSelected = 0x1;
inline constexpr unsigned kStateDisabled = 0x4;
inline constexpr unsigned kStateFocus = 0x10;

// A rectangle in pixels; right and bottom are exclusive.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  Box Deflated(int by) const { return {left + by, top + by, right - by, bottom - by}; }
  Box Inflated(int by) const { return Deflated(-by); }
  bool Empty() const { return right <= left || bottom <= top; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Box&) const = default;
};

struct Pen {
  enum class Style { kSolid, kDot };
  Style style = Style::kSolid;
  int width = 1;
  Colour colour = 0;
  bool operator==(const Pen&) const = default;
};

// What a painter draws on.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void FillRect(const Box& box, Colour colour) = 0;
  // A one-pixel frame: top and left edges in one colour, bottom and right in the other.
  virtual void Draw3dRect(const Box& box, Colour topLeft, Colour bottomRight) = 0;
  virtual void FocusRect(const Box& box) = 0;
  // An ellipse outline in the pen; filled with `fill` when given, hollow otherwise.
  // `background` is the colour between the dots of a dotted pen (opaque mode).
  virtual void Ellipse(const Box& box, const Pen& pen, std::optional<Colour> fill,
                       std::optional<Colour> background) = 0;
  // One line of text centred both ways in the box, transparent background.
  virtual void CentredText(const Box& box, std::string_view text, Colour colour) = 0;
};

enum class CellShape { kRect = 0, kEllipse = 1 };

// One painter per paint.
class DrawnObject {
 public:
  virtual ~DrawnObject() = default;
  virtual void Draw(Canvas& canvas, Box box, unsigned state, Colour fill) = 0;
  void DrawLabel(Canvas& canvas, Box box, std::string_view text, Colour colour);
  // depth > 0 raised, < 0 sunken, 0 nothing.
  virtual void DrawBorder(Canvas& canvas, Box box, int depth) = 0;
  virtual void Fill(Canvas& canvas, Box box, Colour colour) = 0;
  virtual void DrawFocus(Canvas& canvas, Box box, Colour colour) = 0;
};

class DrawnRect final : public DrawnObject {
 public:
  void Draw(Canvas& canvas, Box box, unsigned state, Colour fill) override;
  void DrawBorder(Canvas& canvas, Box box, int depth) override;
  void Fill(Canvas& canvas, Box box, Colour colour) override;
  void DrawFocus(Canvas& canvas, Box box, Colour colour) override;
};

class DrawnEllipse final : public DrawnObject {
 public:
  void Draw(Canvas& canvas, Box box, unsigned state, Colour fill) override;
  void DrawBorder(Canvas& canvas, Box box, int depth) override;
  void Fill(Canvas& canvas, Box box, Colour colour) override;
  void DrawFocus(Canvas& canvas, Box box, Colour colour) override;
};

// Ring `ring` (1 = outermost) of a rectangle border `depth` rings deep, raised colours:
// light for the top and left edges, dark for the bottom and right.
struct RingColours {
  Colour light;
  Colour dark;
};
RingColours BorderRing(int depth, int ring);

// The colours of a cell.
struct CellColours {
  Colour back = kCellBack;
  Colour fore = kCellFore;
  Colour disabled = kCellDisabled;
};

// The whole paint of a cell: its shape, then its label in the enabled or disabled colour.
void PaintCell(Canvas& canvas, CellShape shape, const Box& box, unsigned state,
               const CellColours& colours, std::string_view label);

}  // namespace zd

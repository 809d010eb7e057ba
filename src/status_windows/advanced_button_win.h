// The drawn cell: a push button that paints itself as a rectangle or an ellipse with a
// centred label, in colours its window sets at run time. Also the GDI canvas the shape
// painters draw on.
#pragma once

#include <windows.h>

#include "platform/win32/dialog_win.h"
#include "status_windows/drawn_shapes.h"

namespace zd {

// Hands the painters' calls to GDI on one context. Every pen and brush it makes is
// selected for its own call only, then the previous one is selected back and it is
// deleted.
class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) {}
  void FillSolid(const Rect& r, Colour c) override;
  void Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) override;
  void DrawFocusRect(const Rect& r) override;
  void EllipseOutline(const Rect& r, const PenSpec& pen, std::optional<Colour> opaque) override;
  void CentredText(const Rect& r, std::string_view cp1251, Colour colour) override;

 private:
  HDC dc_;
};

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// A dialog's push button or check box taken over as a drawn cell. The owning dialog
// hands it the control's WM_DRAWITEM; clicking it changes nothing but the pressed and
// focus drawing.
class CAdvancedButton final : public win::OwnerDrawn {
 public:
  CAdvancedButton() = default;
  CAdvancedButton(const CAdvancedButton&) = delete;
  CAdvancedButton& operator=(const CAdvancedButton&) = delete;

  // Takes over control `id` of `parent`, making it owner-drawn: false, and nothing
  // changed, when the dialog has no such control. The shape becomes the rectangle.
  bool AttachToControl(int id, win::Dialog& parent, Colour back, Colour fore, Colour disabled);

  // Store the colour and repaint at once.
  bool SetForeColor(Colour colour);
  bool SetBackColor(Colour colour);
  void SetShape(CellShape shape) { shape_ = shape; }
  void Redraw();

  void DrawItem(const DRAWITEMSTRUCT& item) override;

  HWND hwnd() const { return hwnd_; }
  Colour backColor() const { return colours_.backColor; }
  Colour foreColor() const { return colours_.foreColor; }
  Colour disabledColor() const { return colours_.disabledColor; }
  CellShape shape() const { return shape_; }

 private:
  HWND hwnd_ = nullptr;
  CAdvancedComponent colours_;
  CellShape shape_ = CellShape::kRect;
};

}  // namespace zd

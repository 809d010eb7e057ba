// The drawn cell: a push button that paints itself as a rectangle or an ellipse with a
// centred label, in colours its window sets at run time. Also the GDI canvas the shape
// painters draw on.
#pragma once

#include <windows.h>

#include "platform/win32/dialog_win.h"
#include "status_windows/drawn_object.h"

namespace zd {

// Draws the painters' shapes with GDI on one context. Every pen and brush it makes is
// selected for its own call only and deleted after it.
class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) {}
  void FillRect(const Box& box, Colour colour) override;
  void Draw3dRect(const Box& box, Colour topLeft, Colour bottomRight) override;
  void FocusRect(const Box& box) override;
  void Ellipse(const Box& box, const Pen& pen, std::optional<Colour> fill,
               std::optional<Colour> background) override;
  void CentredText(const Box& box, std::string_view text, Colour colour) override;

 private:
  HDC dc_;
};

inline RECT ToRect(const Box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }
inline Box ToBox(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }

// A dialog's push button or check box taken over as a drawn cell. The owning dialog
// hands it the control's WM_DRAWITEM; clicking it changes nothing but the pressed and
// focus drawing.
class CAdvancedButton final : public win::OwnerDrawn {
 public:
  CAdvancedButton() = default;
  CAdvancedButton(const CAdvancedButton&) = delete;
  CAdvancedButton& operator=(const CAdvancedButton&) = delete;

  // Takes over control `id` of `parent` (making it owner-drawn): false, and nothing
  // changed, when the dialog has no such control. Shape becomes the rectangle.
  bool AttachToControl(int id, win::Dialog& parent, Colour back, Colour fore, Colour disabled);

  // Store the colour and repaint at once.
  bool SetForeColor(Colour colour);
  bool SetBackColor(Colour colour);
  void SetShape(CellShape shape) { shape_ = shape; }
  void Redraw();

  void DrawItem(const DRAWITEMSTRUCT& item) override;

  HWND hwnd() const { return hwnd_; }
  Colour backColor() const { return colours_.back; }
  Colour foreColor() const { return colours_.fore; }
  Colour disabledColor() const { return colours_.disabled; }
  CellShape shape() const { return shape_; }

 private:
  HWND hwnd_ = nullptr;
  CellColours colours_;
  CellShape shape_ = CellShape::kRect;
};

}  // namespace zd

// The drawn cell control on Windows: a push button (or check box) of a dialog taken over
// as an owner-drawn control that paints itself with the portable cell painters.
#pragma once

#include <windows.h>

#include "platform/win32/dialog_win.h"
#include "status_windows/drawn_shapes.h"

namespace zd::win {

// The portable canvas over a GDI device context. Every pen and brush is made for one
// call and deleted after it; the context's objects are selected back.
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

class CAdvancedButton final : public OwnerDrawn {
 public:
  // Takes over the control `id` of `parent`; false (and nothing changed) when there is
  // no such control. The shape is then a rectangle.
  bool AttachToControl(int id, Dialog& parent, Colour back, Colour fore, Colour disabled);
  void SetShape(CellShape shape) { shape_ = shape; }
  bool SetForeColor(Colour c);
  bool SetBackColor(Colour c);
  // Repaints at once.
  void Redraw();
  const CAdvancedComponent& colours() const { return colours_; }
  HWND hwnd() const { return hwnd_; }

  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  HWND hwnd_ = nullptr;
  CellShape shape_ = CellShape::kRect;
  CAdvancedComponent colours_;
};

}  // namespace zd::win

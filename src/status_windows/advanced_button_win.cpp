#include "status_windows/advanced_button_win.h"

#include <algorithm>
#include <array>

#include "platform/win32/handles_win.h"
#include "platform/win32/text_win.h"

namespace zd {
namespace {

void FillWith(HDC dc, int left, int top, int right, int bottom, Colour colour) {
  RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right),
         std::max(top, bottom)};
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

}  // namespace

void GdiCanvas::FillSolid(const Rect& r, Colour c) {
  win::Brush brush(CreateSolidBrush(c));
  const RECT rc = ToRECT(r);
  FillRect(dc_, &rc, brush.get());
}

void GdiCanvas::Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) {
  const int l = r.left, t = r.top, rt = r.right, b = r.bottom;
  FillWith(dc_, l, t, rt - 1, t + 1, topLeft);   // top, all but the last pixel
  FillWith(dc_, l, t, l + 1, b - 1, topLeft);    // left, all but the last pixel
  FillWith(dc_, rt - 1, t, rt, b, bottomRight);  // right
  FillWith(dc_, l, b - 1, rt, b, bottomRight);   // bottom
}

void GdiCanvas::DrawFocusRect(const Rect& r) {
  const RECT rc = ToRECT(r);
  ::DrawFocusRect(dc_, &rc);
}

void GdiCanvas::EllipseOutline(const Rect& r, const PenSpec& pen, std::optional<Colour> opaque) {
  win::Pen gdiPen(
      CreatePen(pen.style == PenStyle::kDot ? PS_DOT : PS_SOLID, pen.width, pen.colour));
  win::SelectedObject selectPen(dc_, gdiPen.get());
  win::SelectedObject selectBrush(dc_, GetStockObject(NULL_BRUSH));
  int oldMode = 0;
  COLORREF oldBack = 0;
  if (opaque) {
    oldMode = SetBkMode(dc_, OPAQUE);
    oldBack = SetBkColor(dc_, *opaque);
  }
  Ellipse(dc_, r.left, r.top, r.right, r.bottom);
  if (opaque) {
    SetBkColor(dc_, oldBack);
    SetBkMode(dc_, oldMode);
  }
}

void GdiCanvas::CentredText(const Rect& r, std::string_view cp1251, Colour colour) {
  const std::wstring wide = win::FromCp1251(cp1251);
  const COLORREF oldColour = SetTextColor(dc_, colour);
  const int oldMode = SetBkMode(dc_, TRANSPARENT);
  RECT rc = ToRECT(r);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetBkMode(dc_, oldMode);
  SetTextColor(dc_, oldColour);
}

// ---------------------------------------------------------------- the cell

bool CAdvancedButton::AttachToControl(int id, win::Dialog& parent, Colour back, Colour fore,
                                      Colour disabled) {
  HWND control = parent.Item(id);
  if (!control) return false;
  parent.RegisterOwnerDrawn(id, this);
  hwnd_ = control;
  shape_ = CellShape::kRect;
  colours_ = CAdvancedComponent{back, fore, disabled};
  return true;
}

bool CAdvancedButton::SetForeColor(Colour colour) {
  colours_.foreColor = colour;
  Redraw();
  return true;
}

bool CAdvancedButton::SetBackColor(Colour colour) {
  colours_.backColor = colour;
  Redraw();
  return true;
}

void CAdvancedButton::Redraw() {
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CAdvancedButton::DrawItem(const DRAWITEMSTRUCT& item) {
  std::array<wchar_t, 512> text{};
  GetWindowTextW(item.hwndItem, text.data(), static_cast<int>(text.size()));
  GdiCanvas canvas(item.hDC);
  PaintCell(canvas, ToRect(item.rcItem), item.itemState, shape_, colours_,
            win::ToCp1251(text.data()));
}

}  // namespace zd

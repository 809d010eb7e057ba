#include "status_windows/advanced_button_win.h"

#include "platform/win32/handles_win.h"
#include "platform/win32/text_win.h"

namespace zd::win {
namespace {

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void SolidStrip(HDC dc, int left, int top, int right, int bottom, Colour c) {
  const RECT rc{left, top, right, bottom};
  const COLORREF old = SetBkColor(dc, c);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

}  // namespace

void GdiCanvas::FillSolid(const Rect& r, Colour c) {
  Brush brush(CreateSolidBrush(c));
  const RECT rc = ToRect(r);
  if (brush) FillRect(dc_, &rc, brush.get());
}

void GdiCanvas::Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) {
  SolidStrip(dc_, r.left, r.top, r.right - 1, r.top + 1, topLeft);
  SolidStrip(dc_, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
  SolidStrip(dc_, r.right - 1, r.top, r.right, r.bottom, bottomRight);
  SolidStrip(dc_, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
}

void GdiCanvas::DrawFocusRect(const Rect& r) {
  const RECT rc = ToRect(r);
  ::DrawFocusRect(dc_, &rc);
}

void GdiCanvas::EllipseOutline(const Rect& r, const PenSpec& spec, std::optional<Colour> opaque) {
  Pen pen(CreatePen(spec.style == PenStyle::kDot ? PS_DOT : PS_SOLID, spec.width, spec.colour));
  if (!pen) return;
  SelectedObject selectedPen(dc_, pen.get());
  SelectedObject hollow(dc_, GetStockObject(NULL_BRUSH));
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
  const COLORREF old = SetTextColor(dc_, colour);
  SetBkMode(dc_, TRANSPARENT);
  RECT rc = ToRect(r);
  const std::wstring text = FromCp1251(cp1251);
  DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rc,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetTextColor(dc_, old);
}

bool CAdvancedButton::AttachToControl(int id, Dialog& parent, Colour back, Colour fore,
                                      Colour disabled) {
  HWND control = parent.Item(id);
  if (!control) return false;
  hwnd_ = control;
  parent.RegisterOwnerDrawn(id, this);
  shape_ = CellShape::kRect;
  colours_ = CAdvancedComponent{back, fore, disabled};
  return true;
}

bool CAdvancedButton::SetForeColor(Colour c) {
  colours_.foreColor = c;
  Redraw();
  return true;
}

bool CAdvancedButton::SetBackColor(Colour c) {
  colours_.backColor = c;
  Redraw();
  return true;
}

void CAdvancedButton::Redraw() {
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CAdvancedButton::DrawItem(const DRAWITEMSTRUCT& item) {
  wchar_t text[512] = {};
  GetWindowTextW(item.hwndItem, text, static_cast<int>(std::size(text)));
  GdiCanvas canvas(item.hDC);
  const Rect r{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
  PaintCell(canvas, r, item.itemState, shape_, colours_, ToCp1251(text));
}

}  // namespace zd::win

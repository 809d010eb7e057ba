#include "status_windows/advanced_button_win.h"

#include <algorithm>
#include <array>

#include "platform/win32/handles_win.h"
#include "platform/win32/text_win.h"

namespace zd {
namespace {

void FillSolid(HDC dc, int left, int top, int right, int bottom, Colour colour) {
  RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right),
         std::max(top, bottom)};
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

}  // namespace

void GdiCanvas::FillRect(const Box& box, Colour colour) {
  win::Brush brush(CreateSolidBrush(colour));
  const RECT r = ToRect(box);
  ::FillRect(dc_, &r, brush.get());
}

void GdiCanvas::Draw3dRect(const Box& box, Colour topLeft, Colour bottomRight) {
  const int l = box.left, t = box.top, r = box.right, b = box.bottom;
  FillSolid(dc_, l, t, r - 1, t + 1, topLeft);  // top, all but the last pixel
  FillSolid(dc_, l, t, l + 1, b - 1, topLeft);  // left, all but the last pixel
  FillSolid(dc_, r - 1, t, r, b, bottomRight);  // right
  FillSolid(dc_, l, b - 1, r, b, bottomRight);  // bottom
}

void GdiCanvas::FocusRect(const Box& box) {
  const RECT r = ToRect(box);
  DrawFocusRect(dc_, &r);
}

void GdiCanvas::Ellipse(const Box& box, const Pen& pen, std::optional<Colour> fill,
                        std::optional<Colour> background) {
  win::Pen gdiPen(
      CreatePen(pen.style == Pen::Style::kDot ? PS_DOT : PS_SOLID, pen.width, pen.colour));
  win::Brush brush;
  if (fill) brush.reset(CreateSolidBrush(*fill));
  win::SelectedObject selectPen(dc_, gdiPen.get());
  win::SelectedObject selectBrush(
      dc_, brush ? static_cast<HGDIOBJ>(brush.get()) : GetStockObject(NULL_BRUSH));
  int oldMode = 0;
  COLORREF oldBack = 0;
  if (background) {
    oldMode = SetBkMode(dc_, OPAQUE);
    oldBack = SetBkColor(dc_, *background);
  }
  ::Ellipse(dc_, box.left, box.top, box.right, box.bottom);
  if (background) {
    SetBkColor(dc_, oldBack);
    SetBkMode(dc_, oldMode);
  }
}

void GdiCanvas::CentredText(const Box& box, std::string_view text, Colour colour) {
  const std::wstring wide = win::FromCp1251(text);
  const COLORREF oldColour = SetTextColor(dc_, colour);
  const int oldMode = SetBkMode(dc_, TRANSPARENT);
  RECT r = ToRect(box);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r,
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
  colours_ = CellColours{back, fore, disabled};
  return true;
}

bool CAdvancedButton::SetForeColor(Colour colour) {
  colours_.fore = colour;
  Redraw();
  return true;
}

bool CAdvancedButton::SetBackColor(Colour colour) {
  colours_.back = colour;
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
  PaintCell(canvas, shape_, ToBox(item.rcItem), item.itemState, colours_,
            win::ToCp1251(text.data()));
}

}  // namespace zd

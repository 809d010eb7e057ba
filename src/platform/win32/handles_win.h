// RAII holders for the Windows handle kinds the module and the mode switch use. Each
// frees its handle exactly once: a moved-from holder holds nothing, reset() frees the
// old handle and takes the new one (resetting to the handle already held keeps it), and
// release() gives the handle up without freeing it. Each gives its handle with get().
#pragma once

#include <windows.h>
// after windows.h
#include <oleauto.h>
#include <unknwn.h>

#include <utility>

namespace zd::win {

template <typename Traits>
class Unique {
 public:
  using Handle = typename Traits::Handle;
  Unique() = default;
  explicit Unique(Handle h) : h_(h) {}
  ~Unique() { reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& o) noexcept : h_(o.release()) {}
  Unique& operator=(Unique&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  Handle release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    // The holder never holds a handle that is being freed.
    const Handle old = std::exchange(h_, h);
    if (old != Traits::Invalid() && old != h) Traits::Close(old);
  }

 private:
  Handle h_ = Traits::Invalid();
};

// A handle kind that is null when empty and freed by one function.
template <typename H, auto Free>
struct FreedBy {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { Free(h); }
};
using Brush = Unique<FreedBy<HBRUSH, &DeleteObject>>;
using Pen = Unique<FreedBy<HPEN, &DeleteObject>>;
using Font = Unique<FreedBy<HFONT, &DeleteObject>>;
using Bitmap = Unique<FreedBy<HBITMAP, &DeleteObject>>;
using MemoryDc = Unique<FreedBy<HDC, &DeleteDC>>;
using KernelHandle = Unique<FreedBy<HANDLE, &CloseHandle>>;
using Icon = Unique<FreedBy<HICON, &DestroyIcon>>;

// A device context from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint ... EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// Selects an object into a context and selects the previous one back when it ends.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectedObject() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// An off-screen copy of a target context's clip box, copied to the target when it
// ends, so a paint reaches the screen in one step and does not flicker.
class MemDc {
 public:
  explicit MemDc(HDC target) : target_(target) {
    // A printer is drawn on directly.
    if (GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER) return;
    GetClipBox(target, &rect_);
    dc_.reset(CreateCompatibleDC(target));
    bitmap_.reset(
        CreateCompatibleBitmap(target, rect_.right - rect_.left, rect_.bottom - rect_.top));
    if (dc_ && bitmap_) {
      old_ = SelectObject(dc_.get(), bitmap_.get());
      SetWindowOrgEx(dc_.get(), rect_.left, rect_.top, nullptr);
    }
  }
  ~MemDc() {
    if (dc_ && bitmap_) {
      BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
             dc_.get(), rect_.left, rect_.top, SRCCOPY);
      SelectObject(dc_.get(), old_);
    }
  }
  MemDc(const MemDc&) = delete;
  MemDc& operator=(const MemDc&) = delete;
  // Draws straight to the target when the off-screen copy could not be made.
  HDC get() const { return (dc_ && bitmap_) ? dc_.get() : target_; }

 private:
  HDC target_;
  RECT rect_{};
  MemoryDc dc_;
  Bitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

// A COM interface pointer, released when it ends. A copy holds a reference of its own
// (a caller keeps the object alive through a call that may replace the original).
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller owns.
  explicit ComPtr(T* p) : p_(p) {}
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr& operator=(const ComPtr& o) {
    if (this != &o) ComPtr(o).swap(*this);
    return *this;
  }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) reset(std::exchange(o.p_, nullptr));
    return *this;
  }
  void swap(ComPtr& o) noexcept { std::swap(p_, o.p_); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** put() {
    reset();
    return &p_;
  }
  T* release() { return std::exchange(p_, nullptr); }
  // Takes over a reference the caller owns and releases the one held (also when both are
  // references to one object: each reference is released once).
  void reset(T* p = nullptr) {
    if (T* old = std::exchange(p_, p)) old->Release();
  }

 private:
  T* p_ = nullptr;
};

// A VARIANT, cleared (its text or object freed) when it ends.
struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

}  // namespace zd::win

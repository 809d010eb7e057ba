// Owners of the helper's Windows handles: one type per kind, not copyable, movable.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <utility>

namespace zd::switcher {

// Owns a handle and frees it with Free::operator() unless it is the Invalid value.
template <typename H, typename Free, H Invalid = H{}>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(H handle) : handle_(handle) {}
  ~Scoped() { reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : handle_(other.release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  H release() { return std::exchange(handle_, Invalid); }
  void reset(H handle = Invalid) {
    const H old = std::exchange(handle_, handle);
    if (old != Invalid) Free{}(old);
  }

 private:
  H handle_ = Invalid;
};

struct CloseKernelHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};

using ScopedHandle = Scoped<HANDLE, CloseKernelHandle>;
using ScopedFont = Scoped<HFONT, DeleteGdiObject>;
using ScopedBrush = Scoped<HBRUSH, DeleteGdiObject>;

// A DC from GetDC, released to its window.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC and puts the old one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A reference-counted COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For functions that hand out a new reference; the old one is released first.
  T** put() {
    reset();
    return &p_;
  }
  void reset() {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }

 private:
  T* p_ = nullptr;
};

// A BSTR owned by its holder.
class ScopedBstr {
 public:
  ScopedBstr() = default;
  explicit ScopedBstr(const wchar_t* text) : s_(SysAllocString(text)) {}
  ~ScopedBstr() { SysFreeString(s_); }
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  BSTR get() const { return s_; }
  BSTR release() { return std::exchange(s_, nullptr); }

 private:
  BSTR s_ = nullptr;
};

}  // namespace zd::switcher

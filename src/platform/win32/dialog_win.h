// One dialog base for the module's windows, modal and modeless alike: the static dialog
// procedure stores the object in the window at WM_INITDIALOG and forwards every message
// to the virtual HandleMessage, which calls the few handlers a window overrides.
#pragma once

#include <windows.h>

#include <map>

namespace zd::win {

// The instance whose resources the dialogs come from (the module, not the host).
HINSTANCE ModuleInstance();

// A control that paints itself: the dialog sets BS_OWNERDRAW on it and hands it the
// WM_DRAWITEM notifications of its id.
class OwnerDrawn {
 public:
  virtual ~OwnerDrawn() = default;
  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
};

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally from a template of the module; returns EndDialog's result,
  // or -1 when the dialog could not be created.
  INT_PTR RunModal(HWND owner, int templateId);
  // Creates the dialog modeless (hidden unless the template says WS_VISIBLE).
  bool CreateModeless(HWND owner, int templateId);
  void Destroy();

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  bool IsModal() const { return modal_; }
  void End(INT_PTR result);
  // Hands control `id` the WM_DRAWITEM of its id and makes it owner-drawn.
  void RegisterOwnerDrawn(int id, OwnerDrawn* control);

 protected:
  virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  virtual BOOL OnInitDialog() { return TRUE; }
  // Return true when handled.
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  // Enter: does nothing unless a window overrides it.
  virtual void OnOk() {}
  // Escape (and WM_CLOSE): ends a modal dialog, hides a modeless one.
  virtual void OnCancel();
  virtual void OnTimer(UINT_PTR /*id*/) {}
  // Brush for WM_CTLCOLOR*; null for the default colours.
  virtual HBRUSH OnCtlColor(HDC /*dc*/, HWND /*control*/) { return nullptr; }
  virtual void OnSetCursor() {}
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual void OnDestroy() {}

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  std::map<int, OwnerDrawn*> ownerDrawn_;
};

}  // namespace zd::win

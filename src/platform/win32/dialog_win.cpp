#include "platform/win32/dialog_win.h"

namespace zd::win {

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
  return module;
}

Dialog::~Dialog() { Destroy(); }

INT_PTR Dialog::RunModal(HWND owner, int templateId) {
  modal_ = true;
  return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), owner, &Dialog::Proc,
                         reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner, int templateId) {
  modal_ = false;
  return CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), owner, &Dialog::Proc,
                            reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::Destroy() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

void Dialog::End(INT_PTR result) {
  if (hwnd_ && modal_) EndDialog(hwnd_, result);
}

void Dialog::OnCancel() {
  if (modal_) {
    End(IDCANCEL);
  } else if (hwnd_) {
    ShowWindow(hwnd_, SW_HIDE);
  }
}

void Dialog::RegisterOwnerDrawn(int id, OwnerDrawn* control) {
  ownerDrawn_[id] = control;
  if (HWND item = Item(id)) {
    const LONG_PTR style = GetWindowLongPtrW(item, GWL_STYLE);
    SetWindowLongPtrW(item, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  }
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const int code = HIWORD(wp);
      if (OnCommand(id, code, reinterpret_cast<HWND>(lp))) return TRUE;
      if (id == IDOK && code == BN_CLICKED) {
        OnOk();
        return TRUE;
      }
      if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:
      OnCancel();
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      auto it = ownerDrawn_.find(static_cast<int>(item->CtlID));
      if (it == ownerDrawn_.end()) return FALSE;
      it->second->DrawItem(*item);
      return TRUE;
    }
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wp));
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (HBRUSH b = OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp))) {
        return reinterpret_cast<INT_PTR>(b);
      }
      return FALSE;
    case WM_SETCURSOR:
      OnSetCursor();
      return FALSE;  // the platform then sets the cursor as usual
    case WM_SIZE:
      OnSize(LOWORD(lp), HIWORD(lp));
      return FALSE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  try {
    result = self->HandleMessage(msg, wp, lp);
  } catch (...) {
    // Nothing thrown in a window may reach the host's message loop.
    result = FALSE;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace zd::win

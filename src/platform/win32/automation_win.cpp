#include "platform/win32/automation_win.h"

namespace zd::win {

ComPtr<IDispatch> AttachRunningObject(const wchar_t* progId) {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(progId, &clsid))) return {};
  ComPtr<IUnknown> running;
  if (FAILED(GetActiveObject(clsid, nullptr, running.put())) || !running) return {};
  ComPtr<IDispatch> dispatch;
  if (FAILED(running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.put())))) {
    return {};
  }
  return dispatch;
}

std::optional<DISPID> MemberId(IDispatch* object, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  if (!object || FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    return std::nullopt;
  }
  return id;
}

bool InvokeMember(IDispatch* object, DISPID id, WORD flags, VARIANT* args, UINT count,
                  VARIANT* result) {
  if (!object) return false;
  DISPPARAMS params{args, nullptr, count, 0};
  EXCEPINFO error{};
  UINT badArgument = 0;
  const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                    &error, &badArgument);
  if (hr == DISP_E_EXCEPTION && error.pfnDeferredFillIn) error.pfnDeferredFillIn(&error);
  SysFreeString(error.bstrSource);
  SysFreeString(error.bstrDescription);
  SysFreeString(error.bstrHelpFile);
  return SUCCEEDED(hr);
}

}  // namespace zd::win

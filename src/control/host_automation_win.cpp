#include "control/host_automation_win.h"

#include <windows.h>
// after windows.h
#include <oleauto.h>

#include "platform/win32/handles_win.h"
#include "platform/win32/text_win.h"

namespace zd::win {
namespace {

constexpr wchar_t kHostProgId[] = L"Vevozi2.Application";
constexpr DISPID kDispidHostFrequency = 2;
constexpr DISPID kDispidHostMode = 7;
constexpr DISPID kDispidHostEntryText = 8;
constexpr DISPID kDispidExecuteMacros = 16;

// A VARIANT cleared when it ends.
struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

std::string FromBstr(BSTR b) {
  if (!b) return {};
  return ToCp1251(std::wstring_view(b, SysStringLen(b)));
}

class DispatchHost final : public HostLink {
 public:
  DispatchHost(ComPtr<IDispatch> dispatch, const std::atomic<bool>& stopping)
      : dispatch_(std::move(dispatch)), stopping_(stopping) {}

  bool ExecuteMacros(std::string_view macro) override {
    Variant arg;
    arg.v.vt = VT_BSTR;
    arg.v.bstrVal = SysAllocString(FromCp1251(macro).c_str());
    Variant result;
    return Invoke(kDispidExecuteMacros, DISPATCH_METHOD, &arg.v, 1, &result.v);
  }

  std::optional<std::string> HostMode() override {
    Variant result;
    if (!Invoke(kDispidHostMode, DISPATCH_PROPERTYGET, nullptr, 0, &result.v)) return std::nullopt;
    if (FAILED(VariantChangeType(&result.v, &result.v, 0, VT_BSTR))) return std::nullopt;
    return FromBstr(result.v.bstrVal);
  }

  std::optional<std::string> HostEntryText(int field) override {
    Variant arg;
    arg.v.vt = VT_I4;
    arg.v.lVal = field;
    Variant result;
    if (!Invoke(kDispidHostEntryText, DISPATCH_METHOD, &arg.v, 1, &result.v)) {
      return std::nullopt;
    }
    if (result.v.vt != VT_BSTR) return std::string();
    return FromBstr(result.v.bstrVal);
  }

  std::optional<double> HostFrequency() override {
    Variant result;
    if (!Invoke(kDispidHostFrequency, DISPATCH_PROPERTYGET, nullptr, 0, &result.v)) {
      return std::nullopt;
    }
    if (FAILED(VariantChangeType(&result.v, &result.v, 0, VT_R8))) return std::nullopt;
    return result.v.dblVal;
  }

 private:
  bool Invoke(DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result) {
    if (stopping_.load() || !dispatch_) return false;
    DISPPARAMS params{args, nullptr, count, 0};
    EXCEPINFO error{};
    UINT badArg = 0;
    const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                         &error, &badArg);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    return SUCCEEDED(hr);
  }

  ComPtr<IDispatch> dispatch_;
  const std::atomic<bool>& stopping_;
};

}  // namespace

std::unique_ptr<HostLink> AttachToHost(const std::atomic<bool>& stopping) {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(kHostProgId, &clsid))) return nullptr;
  ComPtr<IUnknown> unknown;
  if (FAILED(GetActiveObject(clsid, nullptr, unknown.put())) || !unknown) return nullptr;
  ComPtr<IDispatch> dispatch;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.put()))) ||
      !dispatch) {
    return nullptr;
  }
  return std::make_unique<DispatchHost>(std::move(dispatch), stopping);
}

}  // namespace zd::win

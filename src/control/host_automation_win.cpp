#include "control/host_automation_win.h"

#include "platform/host_automation.h"
#include "platform/win32/automation_win.h"
#include "platform/win32/text_win.h"

namespace zd::win {
namespace {

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
    return Invoke(host::kDispidExecuteMacros, DISPATCH_METHOD, &arg.v, 1, &result.v);
  }

  std::optional<std::string> HostMode() override {
    Variant result;
    if (!Invoke(host::kDispidHostMode, DISPATCH_PROPERTYGET, nullptr, 0, &result.v)) {
      return std::nullopt;
    }
    if (FAILED(VariantChangeType(&result.v, &result.v, 0, VT_BSTR))) return std::nullopt;
    return FromBstr(result.v.bstrVal);
  }

  std::optional<std::string> HostEntryText(int field) override {
    Variant arg;
    arg.v.vt = VT_I4;
    arg.v.lVal = field;
    Variant result;
    if (!Invoke(host::kDispidHostEntryText, DISPATCH_METHOD, &arg.v, 1, &result.v)) {
      return std::nullopt;
    }
    if (result.v.vt != VT_BSTR) return std::string();
    return FromBstr(result.v.bstrVal);
  }

  std::optional<double> HostFrequency() override {
    Variant result;
    if (!Invoke(host::kDispidHostFrequency, DISPATCH_PROPERTYGET, nullptr, 0, &result.v)) {
      return std::nullopt;
    }
    if (FAILED(VariantChangeType(&result.v, &result.v, 0, VT_R8))) return std::nullopt;
    return result.v.dblVal;
  }

 private:
  bool Invoke(DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result) {
    if (stopping_.load()) return false;
    return InvokeMember(dispatch_.get(), id, flags, args, count, result);
  }

  ComPtr<IDispatch> dispatch_;
  const std::atomic<bool>& stopping_;
};

}  // namespace

std::unique_ptr<HostLink> AttachToHost(const std::atomic<bool>& stopping) {
  ComPtr<IDispatch> dispatch = AttachRunningObject(host::kHostProgId);
  if (!dispatch) return nullptr;
  return std::make_unique<DispatchHost>(std::move(dispatch), stopping);
}

}  // namespace zd::win

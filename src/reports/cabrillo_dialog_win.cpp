#include "reports/cabrillo_dialog_win.h"

#include "platform/win32/dlginit_win.h"
#include "platform/win32/text_win.h"
#include "reports/cabrillo_dialog_rc.h"

namespace zd {
namespace {

constexpr int kModuleIconId = 200;  // the icon of every window of the module (Stats.rc)

enum class Control { kEdit, kCombo };

// Which control shows which field, and whether OK copies it back.
struct Binding {
  int id;
  std::string CabrilloHeaderFields::*field;
  Control control;
  bool copyBack;
};

using F = CabrilloHeaderFields;
constexpr Binding kBindings[] = {
    {IDC_CAB_CONTEST, &F::contest, Control::kEdit, true},
    {IDC_CAB_CALLSIGN, &F::callsign, Control::kEdit, true},
    {IDC_CAB_CLAIMED, &F::claimed, Control::kEdit, false},  // shown only
    {IDC_CAB_CATEGORY_OPERATOR, &F::categoryOperator, Control::kCombo, true},
    {IDC_CAB_LOCATION, &F::location, Control::kEdit, true},
    {IDC_CAB_CATEGORY_BAND, &F::categoryBand, Control::kCombo, true},
    {IDC_CAB_CATEGORY_TRANSMITTER, &F::transmitter, Control::kCombo, true},
    {IDC_CAB_NAME, &F::name, Control::kEdit, true},
    {IDC_CAB_ADDRESS, &F::address, Control::kEdit, true},
    {IDC_CAB_ADDRESS_CITY, &F::city, Control::kEdit, true},
    {IDC_CAB_ADDRESS_POSTALCODE, &F::postalCode, Control::kEdit, true},
    {IDC_CAB_ADDRESS_COUNTRY, &F::country, Control::kEdit, true},
    {IDC_CAB_OPERATORS, &F::operators, Control::kEdit, true},
    {IDC_CAB_CLUB, &F::club, Control::kEdit, true},
    {IDC_CAB_SOAPBOX, &F::soapbox, Control::kEdit, true},
    {IDC_CAB_EMAIL, &F::email, Control::kEdit, true},
};

// A drop-down combo box shows a value from its list selected and any other value as
// typed text.
void ShowInCombo(HWND combo, const std::string& cp1251) {
  const std::wstring text = win::FromCp1251(cp1251);
  const LRESULT at = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(text.c_str()));
  if (!text.empty() && at != CB_ERR) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  } else {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(combo, text.c_str());
  }
}

struct EnumState {
  HWND self;
  std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM lp) {
  auto* state = reinterpret_cast<EnumState*>(lp);
  // Hidden windows (the input method's among them) take no input and stay as they are.
  if (hwnd != state->self && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    state->disabled->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

bool Cabrillo::Run() { return RunModal(nullptr, IDD_CABRILLO) == IDOK; }

BOOL Cabrillo::OnInitDialog() {
  win::ApplyDlgInit(hwnd(), IDD_CABRILLO);
  for (const Binding& b : kBindings) {
    const std::string& value = fields_.*(b.field);
    if (b.control == Control::kCombo) {
      ShowInCombo(Item(b.id), value);
    } else {
      win::SetDialogItemText(hwnd(), b.id, value);
    }
  }
  // The module's icon in the caption and on the task-bar button: the dialog has no owner.
  const HINSTANCE module = win::ModuleInstance();
  if (HICON big = LoadIconW(module, MAKEINTRESOURCEW(kModuleIconId))) {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    auto* small = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(kModuleIconId), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : big));
  }
  DisableThreadWindows();
  return TRUE;
}

void Cabrillo::OnOk() {
  CabrilloHeaderFields edited = fields_;
  for (const Binding& b : kBindings) {
    if (b.copyBack) edited.*(b.field) = win::DialogItemText(hwnd(), b.id);
  }
  fields_ = std::move(edited);
  EnableThreadWindows();
  End(IDOK);
}

void Cabrillo::OnCancel() {
  EnableThreadWindows();
  win::Dialog::OnCancel();
}

void Cabrillo::OnDestroy() { EnableThreadWindows(); }

void Cabrillo::DisableThreadWindows() {
  EnumState state{hwnd(), &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&state));
}

void Cabrillo::EnableThreadWindows() {
  // Before the dialog goes, so that the platform can give the activation back to them.
  for (HWND w : disabled_) {
    if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  disabled_.clear();
}

}  // namespace zd

// The host stand-in: a window that looks like the host's main frame to the helper and
// the contest module, a running automation object under the host's programmatic
// identifier, a record of every call, and a player of scripted commands.
//
// Other programs send commands while it runs with WM_COPYDATA (dwData kCopyDataCommand,
// the UTF-8 command line as data); closing its main window ends it.
#include <ole2.h>
#include <shellapi.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hoststub/commands.h"
#include "hoststub/host_model.h"
#include "hoststub/hoststub_protocol.h"
#include "hoststub/stats_commands_win.h"
#include "hoststub/util_win.h"
#include "platform/host_automation.h"
#include "platform/win32/handles_win.h"
#include "platform/win32/window_win.h"

namespace zd::hoststub {
namespace {

constexpr UINT_PTR kScenarioTimer = 1;
constexpr UINT kScenarioTimerMs = 50;
constexpr UINT kRunScenario = WM_APP + 1;
constexpr UINT kRunLater = WM_APP + 2;
constexpr int kListId = 100;
constexpr LRESULT kListLines = 500;

// The stand-in's class; only ever looked up through the programmatic identifier.
constexpr wchar_t kClsidText[] = L"{EA6FA06D-0990-4229-A69C-C4F79CD40F63}";
constexpr CLSID kClsid = {
    0xea6fa06d, 0x0990, 0x4229, {0xa6, 0x9c, 0xc4, 0xf7, 0x9c, 0xd4, 0x0f, 0x63}};

bool IsAbsolute(const std::wstring& path) {
  return (path.size() > 1 && path[1] == L':') ||
         (!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
}

bool SetDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG status =
      RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Makes CLSIDFromProgID find the stand-in's class under the host's identifier.
bool RegisterProgId(HKEY classes) {
  const std::wstring prog_id = host::kHostProgId;
  return SetDefaultValue(classes, prog_id, L"Vevozi2 host stand-in") &&
         SetDefaultValue(classes, prog_id + L"\\CLSID", kClsidText) &&
         SetDefaultValue(classes, std::wstring(L"CLSID\\") + kClsidText,
                         L"Vevozi2 host stand-in") &&
         SetDefaultValue(classes, std::wstring(L"CLSID\\") + kClsidText + L"\\ProgID", prog_id);
}

// Without the right to write the machine's classes (a user without administrator rights
// on Windows), the user's own classes, which the system merges into them.
bool RegisterProgIdForUser() {
  HKEY classes = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_CREATE_SUB_KEY,
                      nullptr, &classes, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool ok = RegisterProgId(classes);
  RegCloseKey(classes);
  return ok;
}

// The automation object. Every call goes to the model, which records it. COM objects
// are never deleted through their interface, so its destructor need not be virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class HostObject final : public IDispatch {
 public:
  explicit HostObject(HostModel& model) : model_(model) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  // The object lives as long as the program: its owner deletes nothing on the last release.
  ULONG STDMETHODCALLTYPE Release() override {
    return static_cast<ULONG>(InterlockedDecrement(&refs_));
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      // Only the first name is a member; further ones would be argument names.
      const MemberInfo* m = i == 0 ? model_.LookUp(Narrow(names[i] ? names[i] : L"")) : nullptr;
      ids[i] = m ? static_cast<DISPID>(m->dispid) : DISPID_UNKNOWN;
      if (!m) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT* bad_arg) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const MemberInfo* m = FindMember(static_cast<long>(id));
    if (!m) return DISP_E_MEMBERNOTFOUND;
    if (!params) return E_INVALIDARG;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
    const bool method = (flags & DISPATCH_METHOD) != 0;
    switch (m->member) {
      case Member::kExecuteMacros: {
        if (!method) return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        win::Variant text;
        if (!ArgumentAs(params, VT_BSTR, text, bad_arg)) return DISP_E_TYPEMISMATCH;
        const bool ok = model_.ExecuteMacros(Narrow(text.v.bstrVal ? text.v.bstrVal : L""));
        return ok ? S_OK : Reject(error);
      }
      case Member::kMode:
      case Member::kHostMode: {
        if (!get) return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
        const auto value = m->member == Member::kMode ? model_.Mode() : model_.HostMode();
        if (!value) return Reject(error);
        return ReturnText(*value, result);
      }
      case Member::kHostFrequency: {
        if (!get) return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
        const auto value = model_.HostFrequency();
        if (!value) return Reject(error);
        if (result) {
          VariantInit(result);
          result->vt = VT_R8;
          result->dblVal = *value;
        }
        return S_OK;
      }
      case Member::kHostEntryText: {
        if (!method && !get) return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        win::Variant index;
        if (!ArgumentAs(params, VT_I4, index, bad_arg)) return DISP_E_TYPEMISMATCH;
        const auto value = model_.HostEntryText(index.v.lVal);
        if (!value) return Reject(error);
        return ReturnText(*value, result);
      }
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  // The call's one argument as `type`; false (and the argument named bad) when it is not.
  static bool ArgumentAs(const DISPPARAMS* params, VARTYPE type, win::Variant& out, UINT* bad_arg) {
    if (SUCCEEDED(VariantChangeType(&out.v, &params->rgvarg[0], 0, type))) return true;
    if (bad_arg) *bad_arg = 0;
    return false;
  }
  static HRESULT ReturnText(const std::string& text, VARIANT* result) {
    if (!result) return S_OK;
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(Widen(text).c_str());
    return result->bstrVal ? S_OK : E_OUTOFMEMORY;
  }

  static HRESULT Reject(EXCEPINFO* error) {
    if (!error) return E_FAIL;
    *error = EXCEPINFO{};
    error->scode = E_FAIL;
    error->bstrSource = SysAllocString(L"Vevozi2");
    error->bstrDescription = SysAllocString(L"The host rejected the call");
    return DISP_E_EXCEPTION;
  }

  HostModel& model_;
  LONG refs_ = 1;
};
#pragma GCC diagnostic pop

class HostStub final : public win::Window {
 public:
  HostStub(HINSTANCE instance, Options options)
      : instance_(instance),
        options_(std::move(options)),
        model_([this](const std::string& line) { Record(line); }),
        object_(model_) {}
  ~HostStub() override {
    if (log_ && log_ != GetStdHandle(STD_OUTPUT_HANDLE)) CloseHandle(log_);
    for (HANDLE h : children_) CloseHandle(h);
  }

  int Run() {
    if (!OpenLog()) return 1;
    model_.AddCommands(commands_);
    AddWindowCommands();
    AddStatsCommands(commands_, [this](const std::string& line) { Record(line); });
    for (const auto& source : options_.sources) {
      if (source.kind == Options::Source::kCommand) {
        scenario_.Append(source.text);
        continue;
      }
      std::ifstream file(Widen(source.text).c_str(), std::ios::binary);
      if (!file) {
        Record("error: cannot read script " + source.text);
        return 1;
      }
      std::stringstream text;
      text << file.rdbuf();
      for (auto& line : ScriptLines(text.str())) scenario_.Append(std::move(line));
    }
    if (!CreateMainWindow()) {
      Record("error: cannot create the main window");
      return 1;
    }
    if (!RegisterProgId(HKEY_CLASSES_ROOT) && !RegisterProgIdForUser()) {
      Record("error: cannot register " + Narrow(host::kHostProgId));
      return 1;
    }
    if (FAILED(RegisterActiveObject(static_cast<IUnknown*>(&object_), kClsid, ACTIVEOBJECT_STRONG,
                                    &cookie_))) {
      Record("error: cannot publish the running object");
      return 1;
    }
    Record(kReadyLine);
    PostMessageW(hwnd(), kRunScenario, 0, 0);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return exit_code_;
  }

 private:
  bool OpenLog() {
    if (options_.log_path.empty()) return true;
    if (options_.log_path == "-") {
      log_ = GetStdHandle(STD_OUTPUT_HANDLE);
      return true;
    }
    log_ = CreateFileW(Widen(options_.log_path).c_str(), GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log_ == INVALID_HANDLE_VALUE) {
      log_ = nullptr;
      return false;
    }
    return true;
  }

  void Record(const std::string& line) {
    if (log_) {
      const std::string text = line + "\n";
      DWORD written = 0;
      WriteFile(log_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      FlushFileBuffers(log_);
    }
    if (list_) {
      // The window shows the last calls; the record keeps them all.
      if (SendMessageW(list_, LB_GETCOUNT, 0, 0) >= kListLines) {
        SendMessageW(list_, LB_DELETESTRING, 0, 0);
      }
      const LRESULT index =
          SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
      if (index >= 0) SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }
  }

  bool CreateMainWindow() {
    const std::wstring class_name = Widen(options_.window_class);
    WNDCLASSEXW wc{};
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = class_name.c_str();
    if (!Create(wc, 0, Widen(options_.title).c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 560, 320)) {
      return false;
    }
    list_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, 0, 0, 0, 0, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance_, nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    LayOut();
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    return true;
  }

  void LayOut() {
    RECT r;
    GetClientRect(hwnd(), &r);
    if (list_)
      MoveWindow(list_, 8, 8, r.right - 16 > 0 ? r.right - 16 : 0,
                 r.bottom - 16 > 0 ? r.bottom - 16 : 0, TRUE);
  }

  // The commands that act on windows, processes and files.
  void AddWindowCommands() {
    commands_.Add("start", 1, -1, "start PROGRAM [ARGUMENTS...]",
                  [this](const Words& a, long long) {
                    std::wstring program = Widen(a[0]);
                    if (!IsAbsolute(program)) program = OwnDirectory() + program;
                    std::wstring command_line = L"\"" + program + L"\"";
                    for (size_t i = 1; i < a.size(); ++i)
                      command_line += L" \"" + Widen(a[i]) + L"\"";
                    STARTUPINFOW si{};
                    si.cb = sizeof si;
                    PROCESS_INFORMATION pi{};
                    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr,
                                        FALSE, 0, nullptr, nullptr, &si, &pi)) {
                      return Outcome::Failed("cannot start " + Narrow(program));
                    }
                    CloseHandle(pi.hThread);
                    children_.push_back(pi.hProcess);
                    return Outcome::Done();
                  });
    commands_.Add("wait-window", 1, 2, "wait-window CLASS [TIMEOUT_MS]",
                  [](const Words& a, long long waited) {
                    HWND w = FindWindowW(Widen(a[0]).c_str(), nullptr);
                    if (w && IsWindowVisible(w)) return Outcome::Done();
                    return WaitOrGiveUp(a, 1, waited, "no window of class " + a[0]);
                  });
    commands_.Add("wait-macro", 1, 2, "wait-macro MACRO [TIMEOUT_MS]",
                  [this](const Words& a, long long waited) {
                    for (const auto& m : model_.macros()) {
                      if (m == a[0]) return Outcome::Done();
                    }
                    return WaitOrGiveUp(a, 1, waited, "no macro " + a[0]);
                  });
    commands_.Add("wait-file", 1, 2, "wait-file FILE [TIMEOUT_MS]",
                  [](const Words& a, long long waited) {
                    if (GetFileAttributesW(Widen(a[0]).c_str()) != INVALID_FILE_ATTRIBUTES)
                      return Outcome::Done();
                    return WaitOrGiveUp(a, 1, waited, "no file " + a[0]);
                  });
    commands_.Add("place-window", 3, 3, "place-window CLASS X Y", [](const Words& a, long long) {
      HWND w = FindWindowW(Widen(a[0]).c_str(), nullptr);
      const auto x = ParseInteger(a[1]), y = ParseInteger(a[2]);
      if (!w) return Outcome::Failed("no window of class " + a[0]);
      if (!x || !y) return Outcome::Failed("not a position");
      SetWindowPos(w, nullptr, static_cast<int>(*x), static_cast<int>(*y), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateWindow(w);
      return Outcome::Done();
    });
    commands_.Add("place-host", 4, 4, "place-host X Y WIDTH HEIGHT",
                  [this](const Words& a, long long) {
                    long long v[4];
                    for (int i = 0; i < 4; ++i) {
                      const auto n = ParseInteger(a[static_cast<size_t>(i)]);
                      if (!n) return Outcome::Failed("not a number: " + a[static_cast<size_t>(i)]);
                      v[i] = *n;
                    }
                    SetWindowPos(hwnd(), nullptr, static_cast<int>(v[0]), static_cast<int>(v[1]),
                                 static_cast<int>(v[2]), static_cast<int>(v[3]),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
                    UpdateWindow(hwnd());
                    return Outcome::Done();
                  });
    commands_.Add("signal", 1, 1, "signal FILE", [](const Words& a, long long) {
      HANDLE f = CreateFileW(Widen(a[0]).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (f == INVALID_HANDLE_VALUE) return Outcome::Failed("cannot write " + a[0]);
      DWORD written = 0;
      WriteFile(f, "ready\n", 6, &written, nullptr);
      CloseHandle(f);
      return Outcome::Done();
    });
    // The host quits or comes back while the module runs: the object is withdrawn (calls
    // through references already handed out fail from then on) or published anew.
    commands_.Add("withdraw", 0, 0, "withdraw", [this](const Words&, long long) {
      Withdraw();
      Record("withdrawn");
      return Outcome::Done();
    });
    commands_.Add("publish", 0, 0, "publish", [this](const Words&, long long) {
      if (cookie_) return Outcome::Failed("the object is published already");
      if (FAILED(RegisterActiveObject(static_cast<IUnknown*>(&object_), kClsid, ACTIVEOBJECT_STRONG,
                                      &cookie_))) {
        return Outcome::Failed("cannot publish the running object");
      }
      Record("published");
      return Outcome::Done();
    });
    // A command played from the window's message queue instead of the script, which goes
    // on at once: for a call that waits for the operator, such as a contest reset that
    // shows the Cabrillo header dialog (the dialog's own loop plays the script on).
    commands_.Add("later", 1, -1, "later COMMAND [ARGUMENTS...]",
                  [this](const Words& a, long long) {
                    std::string line;
                    for (const std::string& w : a) {
                      const bool quote = w.empty() || w.find_first_of(" \t") != std::string::npos;
                      line += (line.empty() ? "" : " ") + (quote ? "\"" + w + "\"" : w);
                    }
                    later_.push_back(line);
                    PostMessageW(hwnd(), kRunLater, 0, 0);
                    return Outcome::Done();
                  });
    commands_.Add("close", 0, 0, "close", [this](const Words&, long long) {
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
      return Outcome::Done();
    });
  }

  // A waiting command's answer: wait on, or fail once its time (word `at`, default 5 s)
  // is up.
  static Outcome WaitOrGiveUp(const Words& a, size_t at, long long waited,
                              const std::string& what) {
    long long timeout = 5000;
    if (a.size() > at) {
      const auto n = ParseInteger(a[at]);
      if (!n || *n < 0) return Outcome::Failed("not a timeout: " + a[at]);
      timeout = *n;
    }
    if (waited >= timeout)
      return Outcome::Failed(what + " after " + std::to_string(waited) + " ms");
    return Outcome::Waiting();
  }

  void RunScenario() {
    const auto state = scenario_.Step(commands_, NowMs());
    if (state == Scenario::State::kWaiting) {
      SetTimer(hwnd(), kScenarioTimer, kScenarioTimerMs, nullptr);
      return;
    }
    KillTimer(hwnd(), kScenarioTimer);
    if (state == Scenario::State::kFailed && !script_failed_) {
      script_failed_ = true;
      Record("script failed: " + scenario_.error());
      exit_code_ = 2;
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    }
  }

  void RunLater() {
    if (later_.empty()) return;
    const std::string line = later_.front();
    later_.erase(later_.begin());
    const Outcome outcome = commands_.Run(line);
    if (outcome.kind != Outcome::kDone) {
      Record("command failed: " + line + ": " +
             (outcome.kind == Outcome::kWaiting ? std::string("it waits") : outcome.message));
    }
  }

  // A command from another program: done at once, or played like a script line.
  LRESULT OnCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData != kCopyDataCommand || (data.cbData > 0 && !data.lpData)) return FALSE;
    const std::string line(static_cast<const char*>(data.lpData), data.cbData);
    if (scenario_.state() == Scenario::State::kWaiting) {
      scenario_.Append(line);
      return TRUE;
    }
    const Outcome outcome = commands_.Run(line);
    if (outcome.kind == Outcome::kFailed) {
      Record("command failed: " + line + ": " + outcome.message);
      return FALSE;
    }
    if (outcome.kind == Outcome::kWaiting) {
      Scenario next;
      next.Append(line);
      scenario_ = std::move(next);
      RunScenario();
    }
    return TRUE;
  }

  void Withdraw() {
    if (cookie_) {
      RevokeActiveObject(cookie_, nullptr);
      cookie_ = 0;
    }
    CoDisconnectObject(static_cast<IUnknown*>(&object_), 0);
  }

  void OnClose() {
    // A host unloads its contest module before it goes.
    UnloadStats();
    Withdraw();
    Record(kClosedLine);
    DestroyWindow(hwnd());
  }

  LRESULT HandleMessage(UINT message, WPARAM wp, LPARAM lp) override {
    switch (message) {
      case WM_SIZE:
        LayOut();
        return 0;
      case kRunScenario:
        RunScenario();
        return 0;
      case kRunLater:
        RunLater();
        return 0;
      case WM_TIMER:
        if (wp == kScenarioTimer) RunScenario();
        return 0;
      case WM_COPYDATA:
        return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
      case WM_CLOSE:
        OnClose();
        return 0;
      case WM_DESTROY:
        list_ = nullptr;
        PostQuitMessage(exit_code_);
        return 0;
      default:
        break;
    }
    return Window::HandleMessage(message, wp, lp);
  }

  HINSTANCE instance_;
  Options options_;
  HostModel model_;
  HostObject object_;
  CommandTable commands_;
  Scenario scenario_;
  HWND list_ = nullptr;
  HANDLE log_ = nullptr;
  DWORD cookie_ = 0;
  std::vector<HANDLE> children_;
  std::vector<std::string> later_;
  bool script_failed_ = false;
  int exit_code_ = 0;
};

}  // namespace
}  // namespace zd::hoststub

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zd::hoststub::Narrow(argv[i]));
  LocalFree(argv);

  std::string error;
  auto options = zd::hoststub::ParseOptions(args, error);
  if (!options) {
    std::fprintf(stderr, "hoststub: %s\n", error.c_str());
    return 1;
  }
  if (FAILED(OleInitialize(nullptr))) return 1;
  int code = 1;
  try {
    zd::hoststub::HostStub stub(instance, std::move(*options));
    code = stub.Run();
  } catch (...) {
    code = 3;
  }
  OleUninitialize();
  return code;
}

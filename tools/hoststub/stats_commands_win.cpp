#include "hoststub/stats_commands_win.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/contest_rules.h"
#include "host_boundary/host_calls.h"
#include "hoststub/util_win.h"

namespace zd::hoststub {
namespace {

using Recorder = std::function<void(const std::string&)>;

std::unique_ptr<host::StatsModule> g_module;

// A visible top-level window of this process whose title starts with `prefix`. The
// titles are read without sending a message, so a window thread busy with a call to the
// host never blocks the stand-in.
struct Search {
  std::wstring prefix;
  HWND found = nullptr;
  int count = 0;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(w)) return TRUE;
  wchar_t title[256] = {};
  InternalGetWindowText(w, title, 256);
  if (std::wstring(title).rfind(s->prefix, 0) != 0) return TRUE;
  if (!s->found) s->found = w;
  ++s->count;
  return TRUE;
}

Search FindTitle(const std::string& prefix) {
  Search s{Widen(prefix)};
  EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&s));
  return s;
}

Outcome WaitOrGiveUp(const Words& a, size_t at, long long waited, const std::string& what) {
  long long timeout = 5000;
  if (a.size() > at) {
    const auto n = ParseInteger(a[at]);
    if (!n || *n < 0) return Outcome::Failed("not a timeout: " + a[at]);
    timeout = *n;
  }
  if (waited >= timeout) return Outcome::Failed(what + " after " + std::to_string(waited) + " ms");
  return Outcome::Waiting();
}

Outcome NeedModule() { return Outcome::Failed("the contest module is not loaded"); }

// CALL BAND MODE PREFIX EXCH "YYYY-MM-DD HH:MM[:SS]"
int CallQso(bool add, const Words& a, double date, const std::string& ownCall) {
  host::Qso q;
  q.ownCall = ownCall;
  q.call = a[0];
  q.band = a[1];
  q.mode = a[2];
  q.prefix = a[3];
  q.exchRcvd = a[4];
  q.exchSent = "001";
  q.time = host::ValidTime(date);
  const int band = BandIndexOf(q.band);
  q.freqHz = band >= 0 ? kBands[static_cast<std::size_t>(band)].workingHz : 0;
  q.continent = (q.prefix.rfind("UA", 0) == 0 || q.prefix == "DL") ? "EU" : "AS";
  return add ? host::AddQso(g_module->exports(), q) : host::RemoveQso(g_module->exports(), q);
}

std::string g_ownCall = "DL1XX";

}  // namespace

void UnloadStats() { g_module.reset(); }

void AddStatsCommands(CommandTable& table, Recorder record) {
  table.Add("workdir", 1, 1, "workdir DIR|temp", [record](const Words& a, long long) {
    std::wstring dir;
    if (a[0] == "temp") {
      wchar_t temp[MAX_PATH] = {};
      GetTempPathW(MAX_PATH, temp);
      for (int i = 0;; ++i) {
        dir = std::wstring(temp) + L"zd-hoststub-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(i);
        if (CreateDirectoryW(dir.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS || i > 1000) {
          return Outcome::Failed("cannot make a folder under " + Narrow(temp));
        }
      }
    } else {
      dir = Widen(a[0]);
      CreateDirectoryW(dir.c_str(), nullptr);
    }
    CreateDirectoryW((dir + L"\\Plugins").c_str(), nullptr);
    if (!SetCurrentDirectoryW(dir.c_str())) return Outcome::Failed("cannot enter " + a[0]);
    record("workdir " + Narrow(dir));
    return Outcome::Done();
  });
  table.Add("setting", 2, 2, "setting KEY VALUE", [](const Words& a, long long) {
    CreateDirectoryW(L"Plugins", nullptr);
    if (!WritePrivateProfileStringA("Settings", a[0].c_str(), a[1].c_str(),
                                    "Plugins\\ZORVAN-DIGI.ini")) {
      return Outcome::Failed("cannot write the settings file");
    }
    return Outcome::Done();
  });
  table.Add("write-file", 2, 2, "write-file NAME TEXT  (one line, in the current folder)",
            [](const Words& a, long long) {
              HANDLE f = CreateFileW(Widen(a[0]).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
              if (f == INVALID_HANDLE_VALUE) return Outcome::Failed("cannot write " + a[0]);
              const std::string line = a[1] + "\r\n";
              DWORD written = 0;
              WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
              CloseHandle(f);
              return Outcome::Done();
            });
  table.Add("env", 1, 2, "env NAME [VALUE]", [](const Words& a, long long) {
    const std::wstring name = Widen(a[0]);
    const BOOL ok = a.size() == 2 ? SetEnvironmentVariableW(name.c_str(), Widen(a[1]).c_str())
                                  : SetEnvironmentVariableW(name.c_str(), nullptr);
    return ok || a.size() == 1 ? Outcome::Done() : Outcome::Failed("cannot set " + a[0]);
  });

  table.Add("stats-load", 0, 1, "stats-load [FILE]", [record](const Words& a, long long) {
    if (g_module) return Outcome::Failed("the contest module is loaded already");
    const std::wstring file =
        OwnDirectory() + (a.empty() ? Widen(host::ModuleFileName()) : Widen(a[0]));
    std::string error;
    g_module = host::StatsModule::Load(file, error);
    if (!g_module) return Outcome::Failed(error);
    record("stats loaded");
    return Outcome::Done();
  });
  table.Add("stats-unload", 0, 1, "stats-unload [mid-call]", [record](const Words& a, long long) {
    if (!g_module) return NeedModule();
    if (!a.empty() && a[0] != "mid-call") return Outcome::Failed("not an unload kind: " + a[0]);
    const long long start = NowMs();
    if (!a.empty()) {
      // The module is freed while its window thread waits for this thread to serve a call
      // the thread has already seen in its queue: a result asks the windows for a refresh,
      // and the refresh's first call to the host comes into the queue and is seen there
      // without being served, as when the host's loop takes a message queued ahead of it
      // (the close that frees the module).
      host::Result(g_module->exports());
      constexpr UINT kPosted = QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
      while (!(HIWORD(GetQueueStatus(kPosted)) & kPosted)) {
        if (NowMs() - start > 10000) return Outcome::Failed("no call of the window thread came");
        Sleep(1);
      }
    }
    UnloadStats();
    record("stats unloaded in " + std::to_string(NowMs() - start) + " ms");
    return Outcome::Done();
  });
  table.Add("stats-version", 0, 0, "stats-version", [](const Words&, long long) {
    if (!g_module) return NeedModule();
    g_module->exports().setVersion("2.20");
    return Outcome::Done();
  });
  table.Add("stats-reset", 3, 4, "stats-reset OWNCALL OWNPREFIX CONTINENT [NEWCONTEST]",
            [record](const Words& a, long long) {
              if (!g_module) return NeedModule();
              g_ownCall = a[0];
              host::Reset r;
              r.pathPrefix = ".\\";  // the host's ini files are searched for in the current folder
              r.newContest = a.size() == 4 ? static_cast<int>(ParseInteger(a[3]).value_or(0)) : 0;
              r.ownCall = a[0];
              r.start = host::ValidTime(host::HostDate(2026, 12, 8, 0, 0));
              r.end = host::ValidTime(host::HostDate(2026, 12, 8, 23, 59));
              r.ownPrefix = a[1];
              r.ownContinent = a[2];
              host::ResetContest(g_module->exports(), r);
              record("reset " + a[0]);
              return Outcome::Done();
            });
  for (const bool add : {true, false}) {
    const std::string verb = add ? "stats-add" : "stats-remove";
    table.Add(
        verb, 6, 6, verb + " CALL BAND MODE PREFIX EXCH \"YYYY-MM-DD HH:MM[:SS]\"",
        [record, add](const Words& a, long long) {
          if (!g_module) return NeedModule();
          const auto date = host::ParseHostDate(a[5]);
          if (!date) return Outcome::Failed("not a time: " + a[5]);
          const int result = CallQso(add, a, *date, g_ownCall);
          record(std::string(add ? "add " : "remove ") + a[0] + " -> " + std::to_string(result));
          return Outcome::Done();
        });
  }
  table.Add("stats-result", 0, 0, "stats-result", [record](const Words&, long long) {
    if (!g_module) return NeedModule();
    host::Result(g_module->exports());
    record("result");
    return Outcome::Done();
  });
  table.Add("stats-check", 4, 4, "stats-check CALL BAND MODE PREFIX",
            [record](const Words& a, long long) {
              if (!g_module) return NeedModule();
              host::Check c;
              c.call = a[0];
              c.band = a[1];
              c.mode = a[2];
              c.prefix = a[3];
              c.continent = "EU";
              const int code = host::CheckCall(g_module->exports(), c).code;
              record("check " + a[0] + " -> " + std::to_string(code));
              return Outcome::Done();
            });
  table.Add("stats-command", 1, 1, "stats-command TEXT", [record](const Words& a, long long) {
    if (!g_module) return NeedModule();
    const long long start = NowMs();
    g_module->exports().RunCommand0(0, a[0].c_str());
    record("command " + a[0] + " returned in " + std::to_string(NowMs() - start) + " ms");
    return Outcome::Done();
  });

  // For pictures only: lets the windows settle (tests wait for conditions instead).
  table.Add("pause", 1, 1, "pause MS", [](const Words& a, long long waited) {
    const auto ms = ParseInteger(a[0]);
    if (!ms || *ms < 0) return Outcome::Failed("not a time: " + a[0]);
    return waited >= *ms ? Outcome::Done() : Outcome::Waiting();
  });

  // The module's windows, found by the start of their titles.
  table.Add("wait-title", 1, 2, "wait-title TEXT [TIMEOUT_MS]", [](const Words& a, long long w) {
    if (FindTitle(a[0]).found) return Outcome::Done();
    return WaitOrGiveUp(a, 1, w, "no window titled " + a[0]);
  });
  table.Add("wait-no-title", 1, 2, "wait-no-title TEXT [TIMEOUT_MS]",
            [](const Words& a, long long w) {
              if (!FindTitle(a[0]).found) return Outcome::Done();
              return WaitOrGiveUp(a, 1, w, "still a window titled " + a[0]);
            });
  table.Add("place-title", 3, 3, "place-title TEXT X Y", [](const Words& a, long long) {
    HWND w = FindTitle(a[0]).found;
    const auto x = ParseInteger(a[1]), y = ParseInteger(a[2]);
    if (!w) return Outcome::Failed("no window titled " + a[0]);
    if (!x || !y) return Outcome::Failed("not a position");
    // Asynchronous: the window's thread moves it when it next looks at its messages.
    SetWindowPos(w, nullptr, static_cast<int>(*x), static_cast<int>(*y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    return Outcome::Done();
  });
  table.Add("click", 2, 2, "click TEXT CONTROL_ID", [](const Words& a, long long) {
    HWND w = FindTitle(a[0]).found;
    const auto id = ParseInteger(a[1]);
    if (!w) return Outcome::Failed("no window titled " + a[0]);
    HWND control = id ? GetDlgItem(w, static_cast<int>(*id)) : nullptr;
    if (!control) return Outcome::Failed("no control " + a[1]);
    // Posted, never sent: the window thread may be calling the host, which is this thread.
    PostMessageW(control, BM_CLICK, 0, 0);
    return Outcome::Done();
  });
  table.Add("key", 3, 3, "key TEXT CONTROL_ID escape|enter", [](const Words& a, long long) {
    HWND w = FindTitle(a[0]).found;
    const auto id = ParseInteger(a[1]);
    if (!w) return Outcome::Failed("no window titled " + a[0]);
    HWND control = id ? GetDlgItem(w, static_cast<int>(*id)) : nullptr;
    if (!control) return Outcome::Failed("no control " + a[1]);
    WPARAM key = 0;
    if (a[2] == "escape") key = VK_ESCAPE;
    if (a[2] == "enter") key = VK_RETURN;
    if (!key) return Outcome::Failed("no key " + a[2]);
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    return Outcome::Done();
  });
  // Every cell of a window at once: for each control from FIRST_ID on, its text and the
  // colour of the point a fifth into it on its middle line (left of a centred label).
  table.Add("cell-colours", 3, 3, "cell-colours TEXT FIRST_ID COUNT",
            [record](const Words& a, long long) {
              HWND w = FindTitle(a[0]).found;
              const auto first = ParseInteger(a[1]), count = ParseInteger(a[2]);
              if (!w) return Outcome::Failed("no window titled " + a[0]);
              if (!first || !count || *count < 0) return Outcome::Failed("not a range");
              std::string line = "cell-colours";
              for (long long id = *first; id < *first + *count; ++id) {
                HWND cell = GetDlgItem(w, static_cast<int>(id));
                if (!cell) return Outcome::Failed("no control " + std::to_string(id));
                wchar_t label[64] = {};
                InternalGetWindowText(cell, label, 64);
                RECT r{};
                GetClientRect(cell, &r);
                HDC dc = GetDC(cell);
                const COLORREF c = GetPixel(dc, r.right / 5, r.bottom / 2);
                ReleaseDC(cell, dc);
                char colour[16];
                std::snprintf(colour, sizeof colour, "%02X%02X%02X", GetRValue(c), GetGValue(c),
                              GetBValue(c));
                line += " " + Narrow(label) + ":" + colour;
              }
              record(line);
              return Outcome::Done();
            });
  table.Add("pixel", 4, 4, "pixel TEXT CONTROL_ID X Y  (0: the window itself)",
            [record](const Words& a, long long) {
              HWND w = FindTitle(a[0]).found;
              const auto id = ParseInteger(a[1]);
              const auto x = ParseInteger(a[2]), y = ParseInteger(a[3]);
              if (!w) return Outcome::Failed("no window titled " + a[0]);
              if (!id || !x || !y) return Outcome::Failed("not a control and position");
              HWND target = *id == 0 ? w : GetDlgItem(w, static_cast<int>(*id));
              if (!target) return Outcome::Failed("no control " + a[1]);
              HDC dc = GetDC(target);
              const COLORREF c = GetPixel(dc, static_cast<int>(*x), static_cast<int>(*y));
              ReleaseDC(target, dc);
              char text[16];
              std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(c), GetGValue(c),
                            GetBValue(c));
              record("pixel " + a[1] + " " + a[2] + "," + a[3] + " -> " + text);
              return Outcome::Done();
            });
}

}  // namespace zd::hoststub

// Development smoke test: the window thread of the real Stats.dll in this process.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/stats_library.h"
#include "win32/dialog_driver_win.h"

namespace zd::test {
namespace {

struct S {
  const wchar_t* p;
  HWND found;
};
BOOL CALLBACK Match(HWND h, LPARAM lp) {
  auto* st = reinterpret_cast<S*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(h)) return TRUE;
  if (WindowText(h).rfind(st->p, 0) == 0) {
    st->found = h;
    return FALSE;
  }
  return TRUE;
}
HWND FindTopWindow(const wchar_t* titlePrefix) {
  S s{titlePrefix, nullptr};
  EnumWindows(&Match, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

template <typename F>
bool WaitFor(F f, int ms = 5000) {
  for (int i = 0; i < ms / 50; ++i) {
    if (f()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return f();
}

TEST(WindowThreadSmoke, ShowHideEscape) {
  TempWorkFolder folder;
  StatsLibrary stats;
  ASSERT_TRUE(stats.ok()) << stats.error();
  const auto t0 = std::chrono::steady_clock::now();
  stats->RunCommand0(0, "HIDEINFO");
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));

  stats->RunCommand0(0, "SHOWINFO");
  ASSERT_TRUE(WaitFor([] { return FindTopWindow(L"Setup ZORVAN-DIGI") != nullptr; }));
  HWND w = FindTopWindow(L"Setup ZORVAN-DIGI");
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  stats->RunCommand0(0, "SHOWINFO");
  ASSERT_TRUE(WaitFor([] { return FindTopWindow(L"Setup ZORVAN-DIGI") != nullptr; }));
  stats->RunCommand0(0, "HIDEINFO");
  EXPECT_EQ(FindTopWindow(L"Setup ZORVAN-DIGI"), nullptr);

  stats->RunCommand0(0, "SHOWINFO");
  ASSERT_TRUE(WaitFor([] { return FindTopWindow(L"Setup ZORVAN-DIGI") != nullptr; }));
  w = FindTopWindow(L"Setup ZORVAN-DIGI");
  SendMessageW(GetDlgItem(w, 1109), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([] { return FindTopWindow(L"Change of Band") != nullptr; }));
  PostMessageW(GetDlgItem(w, 1115), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitFor([] { return FindTopWindow(L"Setup ZORVAN-DIGI") == nullptr; }));
  EXPECT_EQ(FindTopWindow(L"Change of Band"), nullptr);
  EXPECT_NE(ReadFileBytes(folder.path() / "Plugins" / "ZORVAN-DIGI.ini").find("Timer=1"),
            std::string::npos);
  stats->RunCommand0(0, "SHOWINFO");
  ASSERT_TRUE(WaitFor([] { return FindTopWindow(L"Change of Band") != nullptr; }));
}

}  // namespace
}  // namespace zd::test

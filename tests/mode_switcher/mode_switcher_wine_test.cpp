// The helper program against the host stand-in, each a process of its own, on a real
// (virtual) display.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "mode_switcher/switcher.h"
#include "mode_switcher/wine_driver.h"

namespace zd::wine_test {
namespace {

using Lines = std::vector<std::string>;
constexpr wchar_t kHelper[] = L"Ext_zorvan_digi.exe";

std::string Join(const Lines& lines) {
  std::string text;
  for (const auto& l : lines) text += "\n  " + l;
  return text;
}

// A host stand-in and the helper started beside it, up and running.
class HelperWithHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.ready()) << "the host stand-in did not start";
    helper_ = Process::Start(kHelper);
    ASSERT_TRUE(helper_.started());
    ASSERT_TRUE(WaitUntil([&] {
      return (form_ = FindVisibleWindow(helper_.id(), L"Form1")) != nullptr;
    })) << "the helper's window did not appear";
    ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>"}));
  }

  void TearDown() override {
    helper_.Kill();
    helper_.WaitForExit(5000);
  }

  // Waits until the host has received exactly these macros so far.
  ::testing::AssertionResult WaitForMacros(const Lines& expected) {
    if (WaitUntil([&] { return host_.Macros() == expected; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected macros:" << Join(expected)
                                         << "\nthe host's record:" << Join(host_.Record());
  }

  HWND Button(const wchar_t* caption) { return FindChildByText(form_, caption); }

  // Puts the helper's window in front, as the operator's click on it or Alt+Tab does; the
  // helper hands the foreground to the host once it has started, so this repeats until it
  // holds. Every programmatic click comes after it: a click sent to a window that is not
  // active moves the display's keyboard focus to the helper without the foreground under
  // Wine, and the host's window, told of that late under load, gave the foreground to the
  // desktop after the helper's hand-back had found the host still in front.
  ::testing::AssertionResult BringHelperToFront() {
    if (WaitUntil([&] {
          if (GetForegroundWindow() != form_) SetForegroundWindow(form_);
          return GetForegroundWindow() == form_;
        })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the helper's window did not come to the front";
  }

  // Waits for the host to be in front; when it is not, says what was in front meanwhile,
  // in turn, so that a failure tells who had the keyboard instead.
  ::testing::AssertionResult HostIsInFront() {
    std::string seen;
    HWND last = nullptr;
    bool first = true;
    if (WaitUntil([&] {
          HWND front = GetForegroundWindow();
          if (first || front != last) seen += (first ? "" : " -> ") + Describe(front);
          first = false;
          last = front;
          return front == host_.window();
        })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the host window is not in front; in front meanwhile: " << seen;
  }
  std::string Describe(HWND w) {
    if (!w) return "nothing";
    if (w == host_.window()) return "the host";
    if (w == form_) return "the helper";
    if (w == GetDesktopWindow()) return "the desktop";
    return "a window of class '" + Utf8(ClassOf(w)) + "'";
  }

  HostStub host_;
  Process helper_;
  HWND form_ = nullptr;
};

TEST_F(HelperWithHost, StartsSwitchingToBpsk31InATopmostWindowAndLeavesTheHostInFront) {
  // The two macros came before any click, each looked up by name first.
  Lines calls;
  for (const auto& line : host_.Record()) {
    if (line != "ready") calls.push_back(line);
  }
  EXPECT_EQ(calls, (Lines{"name ExecuteMacros", "call ExecuteMacros <MODE:BPSK31>",
                          "name ExecuteMacros", "call ExecuteMacros <BAUDRATE:31>"}));
  EXPECT_TRUE(HostIsInFront());

  EXPECT_EQ(TextOf(form_), L"ZORVAN-DIGI     ");
  EXPECT_TRUE(GetWindowLongW(form_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  HDC screen = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX), dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client;
  ASSERT_TRUE(GetClientRect(form_, &client));
  EXPECT_EQ(client.right, switcher::TwipsToPixels(2250, dpi_x));
  EXPECT_EQ(client.bottom, switcher::TwipsToPixels(600, dpi_y));

  // Both buttons, drawn by the program, where the layout puts them.
  for (const auto& b : switcher::kButtons) {
    HWND button = Button(std::wstring(b.caption).c_str());
    ASSERT_TRUE(button) << Utf8(std::wstring(b.caption));
    EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, switcher::TwipsToPixels(b.left, dpi_x));
    EXPECT_EQ(r.top, switcher::TwipsToPixels(b.top, dpi_y));
    EXPECT_EQ(r.right - r.left, switcher::TwipsToPixels(b.width, dpi_x));
    EXPECT_EQ(r.bottom - r.top, switcher::TwipsToPixels(b.height, dpi_y));
  }
}

TEST_F(HelperWithHost, ButtonsSwitchTheHostEveryTimeAndGiveItTheFocusBack) {
  // Mouse clicks: each activates the helper, which hands the keyboard back to the host.
  ASSERT_TRUE(MouseClick(Button(L"RTTY")));
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY>", "<BAUDRATE:45.45>"}));
  EXPECT_TRUE(HostIsInFront());

  ASSERT_TRUE(host_.Send("set Mode CW"));
  ASSERT_TRUE(MouseClick(Button(L"BPSK63")));
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY>", "<BAUDRATE:45.45>",
                             "<MODE:BPSK31>", "<BAUDRATE:63>"}));
  EXPECT_TRUE(HostIsInFront());
  ASSERT_TRUE(BringHelperToFront());
  ASSERT_TRUE(ClickButton(Button(L"BPSK63")));
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY>", "<BAUDRATE:45.45>",
                             "<MODE:BPSK31>", "<BAUDRATE:63>", "<MODE:BPSK31>", "<BAUDRATE:63>"}));
  EXPECT_TRUE(HostIsInFront());

  // Every BPSK63 click read the host's mode by name before switching.
  Lines tail = host_.Record();
  ASSERT_GE(tail.size(), 12u);
  tail.erase(tail.begin(), tail.end() - 12);
  EXPECT_EQ(tail, (Lines{"name Mode", "get Mode -> CW", "name ExecuteMacros",
                         "call ExecuteMacros <MODE:BPSK31>", "name ExecuteMacros",
                         "call ExecuteMacros <BAUDRATE:63>", "name Mode", "get Mode -> CW",
                         "name ExecuteMacros", "call ExecuteMacros <MODE:BPSK31>",
                         "name ExecuteMacros", "call ExecuteMacros <BAUDRATE:63>"}));
}

TEST_F(HelperWithHost, KeyboardReachesTheButtonsInTabOrder) {
  // Activated, the window gives the keyboard to its first button.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(BringHelperToFront());
  ASSERT_TRUE(WaitUntil([&] {
    return GetGUIThreadInfo(helper_.main_thread_id(), &info) && info.hwndFocus == Button(L"RTTY");
  })) << "RTTY does not have the keyboard";

  // Tab moves on to BPSK63; the space bar presses it.
  PostMessageW(info.hwndFocus, WM_KEYDOWN, VK_TAB, 0);
  ASSERT_TRUE(WaitUntil([&] {
    return GetGUIThreadInfo(helper_.main_thread_id(), &info) && info.hwndFocus == Button(L"BPSK63");
  })) << "Tab did not move to BPSK63";
  PostMessageW(info.hwndFocus, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(info.hwndFocus, WM_KEYUP, VK_SPACE, 0xC0000001);
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:BPSK31>", "<BAUDRATE:63>"}));
  EXPECT_TRUE(HostIsInFront());

  // Back in the window, the keyboard is on BPSK63 again, and Enter presses it.
  ASSERT_TRUE(BringHelperToFront());
  ASSERT_TRUE(WaitUntil([&] {
    return GetGUIThreadInfo(helper_.main_thread_id(), &info) && info.hwndFocus == Button(L"BPSK63");
  })) << "the keyboard did not come back to BPSK63";
  PostMessageW(info.hwndFocus, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:BPSK31>", "<BAUDRATE:63>",
                             "<MODE:BPSK31>", "<BAUDRATE:63>"}));
  EXPECT_TRUE(HostIsInFront());
}

TEST_F(HelperWithHost, RejectedCallsLeaveTheHelperRunning) {
  // A rejected mode macro: no baud rate follows, the host still gets the keyboard back.
  ASSERT_TRUE(host_.Send("fail ExecuteMacros 1"));
  ASSERT_TRUE(BringHelperToFront());
  ASSERT_TRUE(ClickButton(Button(L"RTTY")));
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY> -> failed"}));
  EXPECT_TRUE(HostIsInFront());

  // A host that will not tell its mode is switched all the same.
  ASSERT_TRUE(host_.Send("fail Mode"));
  ASSERT_TRUE(BringHelperToFront());
  ASSERT_TRUE(ClickButton(Button(L"BPSK63")));
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY> -> failed",
                             "<MODE:BPSK31>", "<BAUDRATE:63>"}));
  EXPECT_TRUE(HostIsInFront());

  // Still alive and switching.
  ASSERT_TRUE(BringHelperToFront());
  ASSERT_TRUE(ClickButton(Button(L"RTTY")));
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY> -> failed",
                             "<MODE:BPSK31>", "<BAUDRATE:63>", "<MODE:RTTY>", "<BAUDRATE:45.45>"}));
  EXPECT_TRUE(helper_.Running());
}

TEST_F(HelperWithHost, ASecondInstanceEndsAtOnceWithoutAWindow) {
  Process second = Process::Start(kHelper);
  ASSERT_TRUE(second.started());
  bool window_seen = false;
  ASSERT_TRUE(WaitUntil([&] {
    if (!TopLevelWindows(second.id(), L"Form1").empty()) window_seen = true;
    return !second.Running();
  })) << "the second instance is still running";
  EXPECT_FALSE(window_seen);
  EXPECT_EQ(second.ExitCode(), static_cast<DWORD>(switcher::Exit::kAlreadyRunning));
  EXPECT_EQ(host_.Macros(), (Lines{"<MODE:BPSK31>", "<BAUDRATE:31>"}));
  EXPECT_TRUE(helper_.Running());
}

TEST_F(HelperWithHost, EndsWithinASecondWhenTheHostCloses) {
  const auto closed_at = std::chrono::steady_clock::now();
  host_.Close();
  ASSERT_TRUE(host_.process().WaitForExit(8000)) << "the host stand-in did not close";
  ASSERT_TRUE(helper_.WaitForExit(3000)) << "the helper outlived the host";
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - closed_at)
                      .count();
  std::printf("the helper ended %lld ms after the host was closed\n", static_cast<long long>(ms));
  EXPECT_LE(ms, 1500) << "the helper ended " << ms << " ms after the host was closed";
  EXPECT_EQ(helper_.ExitCode(), static_cast<DWORD>(switcher::Exit::kHostGone));
  // Silently: no window of the helper is left.
  EXPECT_TRUE(TopLevelWindows(helper_.id()).empty());
}

TEST_F(HelperWithHost, EndsWhenTheHostDiesWithoutClosing) {
  host_.process().Kill();
  ASSERT_TRUE(helper_.WaitForExit(5000)) << "the helper outlived the killed host";
  EXPECT_EQ(helper_.ExitCode(), static_cast<DWORD>(switcher::Exit::kHostGone));
}

TEST_F(HelperWithHost, ClosingTheWindowEndsTheHelper) {
  PostMessageW(form_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(helper_.WaitForExit(5000));
  EXPECT_EQ(helper_.ExitCode(), static_cast<DWORD>(switcher::Exit::kClosed));
  // The semaphore went with it: a new helper starts and switches again.
  Process again = Process::Start(kHelper);
  ASSERT_TRUE(WaitUntil([&] { return FindVisibleWindow(again.id(), L"Form1") != nullptr; }));
  ASSERT_TRUE(WaitForMacros({"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:BPSK31>", "<BAUDRATE:31>"}));
}

// Top-level windows whose class names look like the host's but are not.
class Decoys {
 public:
  Decoys() {
    // (Class names are atoms, which ignore case: a lookalike in other case would be the
    // same class to the system.)
    for (const wchar_t* name :
         {L"Afx:400000:b:1001", L"Afx:400000:b:10012:6:1234", L"Afx:400000:8:10011:6:1234"}) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = name;
      RegisterClassW(&wc);
      HWND w = CreateWindowExW(0, name, L"decoy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 200,
                               100, nullptr, nullptr, wc.hInstance, nullptr);
      if (w) windows_.push_back(w);
    }
    Pump();
  }
  ~Decoys() {
    for (HWND w : windows_) DestroyWindow(w);
  }
  Decoys(const Decoys&) = delete;
  Decoys& operator=(const Decoys&) = delete;
  const std::vector<HWND>& windows() const { return windows_; }
  // Activates one of them and waits until the display agrees.
  bool BringToFront(size_t index) {
    SetForegroundWindow(windows_.at(index));
    return WaitUntil([&] {
      Pump();
      return GetForegroundWindow() == windows_[index];
    });
  }
  // The lookalikes' thread is the test's: it handles their messages while it waits.
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

 private:
  std::vector<HWND> windows_;
};

TEST(HelperFindsTheHost, ByTheFirstEighteenCharactersOfItsClassAmongLookalikes) {
  HostStub host;
  ASSERT_TRUE(host.ready());
  // The lookalikes come first in the window order, and one of them is in front.
  Decoys decoys;
  ASSERT_EQ(decoys.windows().size(), 3u);
  ASSERT_TRUE(decoys.BringToFront(0));

  Process helper = Process::Start(kHelper);
  HWND form = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    Decoys::Pump();
    return (form = FindVisibleWindow(helper.id(), L"Form1")) != nullptr &&
           host.Macros().size() == 2;
  }));
  ASSERT_TRUE(WaitUntil([&] {
    Decoys::Pump();
    return GetForegroundWindow() == host.window();
  })) << "the host window was not brought to the front; in front: "
      << Utf8(ClassOf(GetForegroundWindow()));

  // Again after a click, with a lookalike in front.
  ASSERT_TRUE(decoys.BringToFront(2));
  ASSERT_TRUE(ClickButton(FindChildByText(form, L"RTTY")));
  ASSERT_TRUE(WaitUntil([&] {
    Decoys::Pump();
    return GetForegroundWindow() == host.window();
  }));
  EXPECT_EQ(host.Macros(),
            (Lines{"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY>", "<BAUDRATE:45.45>"}));
  helper.Kill();
}

TEST(HelperFindsTheHost, WithoutAHostWindowTheButtonsStillSwitch) {
  // The object runs, but no window has the host's class.
  HostStub host(L"--class \"Vevozi2Frame\"");
  ASSERT_TRUE(host.ready());
  Process helper = Process::Start(kHelper);
  HWND form = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (form = FindVisibleWindow(helper.id(), L"Form1")) != nullptr; }));
  ASSERT_TRUE(ClickButton(FindChildByText(form, L"RTTY")));
  ASSERT_TRUE(WaitUntil([&] {
    return host.Macros() ==
           Lines{"<MODE:BPSK31>", "<BAUDRATE:31>", "<MODE:RTTY>", "<BAUDRATE:45.45>"};
  })) << Join(host.Record());
  EXPECT_TRUE(helper.Running());
  helper.Kill();
}

TEST(HelperWithoutHost, ShowsTheMessageAndEndsWhenItIsClosed) {
  {
    // The host ran once (its identifier is known) but is gone now.
    HostStub host;
    ASSERT_TRUE(host.ready());
    host.Close();
    ASSERT_TRUE(host.process().WaitForExit(8000));
  }
  Process helper = Process::Start(kHelper);
  ASSERT_TRUE(helper.started());
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (box = FindVisibleWindow(helper.id(), L"#32770")) != nullptr;
  })) << "no message box";
  EXPECT_EQ(TextOf(box), L"ZORVAN-DIGI");
  EXPECT_TRUE(FindChildByText(box, L"Vevozi2 is not loaded"));
  EXPECT_TRUE(TopLevelWindows(helper.id(), L"Form1").empty());
  EXPECT_TRUE(helper.Running());  // waits for the operator

  HWND ok = GetDlgItem(box, IDOK);
  ASSERT_TRUE(ok);
  ASSERT_TRUE(ClickButton(ok));
  ASSERT_TRUE(helper.WaitForExit(5000)) << "the helper did not end after the message";
  EXPECT_EQ(helper.ExitCode(), static_cast<DWORD>(switcher::Exit::kHostNotLoaded));
}

}  // namespace
}  // namespace zd::wine_test

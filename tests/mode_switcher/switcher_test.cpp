#include "mode_switcher/switcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace zd::switcher {
namespace {

TEST(SwitcherLayout, TwipsBecomePixelsAtTheScreensResolution) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);
  EXPECT_EQ(TwipsToPixels(2250, 96), 150);
  EXPECT_EQ(TwipsToPixels(600, 96), 40);
  EXPECT_EQ(TwipsToPixels(855, 96), 57);
  EXPECT_EQ(TwipsToPixels(372, 96), 25);  // 24.8
  EXPECT_EQ(TwipsToPixels(120, 96), 8);
  EXPECT_EQ(TwipsToPixels(1200, 96), 80);
  // 125 % and 150 %: rounded to the nearest pixel, halves up.
  EXPECT_EQ(TwipsToPixels(855, 120), 71);  // 71.25
  EXPECT_EQ(TwipsToPixels(855, 144), 86);  // 85.5
  EXPECT_EQ(TwipsToPixels(372, 144), 37);  // 37.2
  EXPECT_EQ(TwipsToPixels(0, 96), 0);
  EXPECT_EQ(TwipsToPixels(-120, 96), -8);
  // No overflow for large values at high resolutions.
  EXPECT_EQ(TwipsToPixels(10'000'000, 480), 3'333'333);
}

TEST(SwitcherLayout, FontOfSevenAndAHalfPoints) {
  EXPECT_EQ(PointTenthsToPixels(75, 96), 10);
  EXPECT_EQ(PointTenthsToPixels(75, 120), 13);  // 12.5
  EXPECT_EQ(PointTenthsToPixels(75, 144), 15);
}

TEST(SwitcherLayout, ButtonsFitTheClientAreaSideBySide) {
  ASSERT_EQ(kButtons.size(), 2u);
  EXPECT_EQ(kButtons[0].caption, L"RTTY");  // first in tab order
  EXPECT_EQ(kButtons[1].caption, L"BPSK63");
  EXPECT_LT(kButtons[0].left + kButtons[0].width, kButtons[1].left);
  std::set<int> ids;
  for (const auto& b : kButtons) {
    ids.insert(b.id);
    EXPECT_EQ(b.top, 120);
    EXPECT_EQ(b.width, 855);
    EXPECT_EQ(b.height, 372);
    EXPECT_LE(b.left + b.width, kClientWidthTwips);
    EXPECT_LE(b.top + b.height, kClientHeightTwips);
    EXPECT_GT(b.id, 2);  // not IDOK or IDCANCEL, which the keyboard sends
  }
  EXPECT_EQ(ids.size(), kButtons.size());
  EXPECT_EQ(kCaption, L"ZORVAN-DIGI     ");
}

TEST(SwitcherHostWindow, OnlyTheFirstEighteenCharactersOfTheClassCount) {
  EXPECT_TRUE(IsHostWindowClass(L"Afx:400000:b:10011"));
  EXPECT_TRUE(IsHostWindowClass(L"Afx:400000:b:10011:6:1234"));
  EXPECT_TRUE(IsHostWindowClass(L"Afx:400000:b:10011:0:0:4ee3"));
  EXPECT_FALSE(IsHostWindowClass(L"Afx:400000:b:1001"));          // one short
  EXPECT_FALSE(IsHostWindowClass(L"Afx:400000:b:10012:6:1234"));  // 18th differs
  EXPECT_FALSE(IsHostWindowClass(L"afx:400000:b:10011:6:1234"));  // case counts
  EXPECT_FALSE(IsHostWindowClass(L"Afx:400000:8:10011:6:1234"));
  EXPECT_FALSE(IsHostWindowClass(L" Afx:400000:b:10011"));
  EXPECT_FALSE(IsHostWindowClass(L""));
  EXPECT_FALSE(IsHostWindowClass(L"Form1"));
}

TEST(SwitcherMacros, EachButtonSendsModeThenBaudRate) {
  EXPECT_EQ(StartMacros(), (MacroPair{"<MODE:BPSK31>", "<BAUDRATE:31>"}));
  EXPECT_EQ(MacrosFor(Button::kRtty), (MacroPair{"<MODE:RTTY>", "<BAUDRATE:45.45>"}));
  EXPECT_EQ(MacrosFor(Button::kBpsk63), (MacroPair{"<MODE:BPSK31>", "<BAUDRATE:63>"}));
}

// Records the program's calls; each can be made to fail.
class FakePlatform final : public Platform {
 public:
  bool AttachHost() override {
    calls.push_back("attach");
    return attach_ok;
  }
  bool ClaimSingleInstance() override {
    calls.push_back("semaphore");
    return semaphore_ok;
  }
  void FindHostWindow() override { calls.push_back("find"); }
  bool ShowTopmostWindow() override {
    calls.push_back("window");
    return window_ok;
  }
  bool ExecuteMacro(std::string_view macro) override {
    calls.push_back(std::string(macro));
    if (reenter) reenter();
    const auto rejected = reject.find(std::string(macro));
    if (rejected == reject.end()) return true;
    reject.erase(rejected);
    return false;
  }
  bool ReadHostMode() override {
    calls.push_back("mode?");
    return mode_ok;
  }
  void BringHostToFront() override { calls.push_back("front"); }
  void ShowHostNotLoaded() override { calls.push_back("not loaded"); }

  std::vector<std::string> calls;
  bool attach_ok = true, semaphore_ok = true, window_ok = true, mode_ok = true;
  std::multiset<std::string> reject;  // each entry rejects one call of that macro
  std::function<void()> reenter;
};

using Calls = std::vector<std::string>;

// A switcher whose start went through; the start's calls are forgotten.
struct Started : ::testing::Test {
  void SetUp() override {
    ASSERT_EQ(s.Start(), std::nullopt);
    p.calls.clear();
  }
  FakePlatform p;
  ModeSwitcher s{p};
};

TEST(ModeSwitcher, StartAttachesClaimsShowsSwitchesToBpsk31AndGivesTheHostTheFocus) {
  FakePlatform p;
  ModeSwitcher s(p);
  EXPECT_EQ(s.Start(), std::nullopt);
  EXPECT_TRUE(s.connected());
  EXPECT_EQ(p.calls, (Calls{"attach", "semaphore", "find", "window", "<MODE:BPSK31>",
                            "<BAUDRATE:31>", "front"}));
}

TEST(ModeSwitcher, StartEndsWhenTheHostIsMissingOrAnotherInstanceRuns) {
  FakePlatform no_host;
  no_host.attach_ok = false;
  ModeSwitcher a(no_host);
  EXPECT_EQ(a.Start(), Exit::kHostNotLoaded);
  EXPECT_FALSE(a.connected());
  EXPECT_EQ(no_host.calls, (Calls{"attach", "not loaded"}));

  // The second instance ends silently: no message, no window, no macro.
  FakePlatform second;
  second.semaphore_ok = false;
  ModeSwitcher b(second);
  EXPECT_EQ(b.Start(), Exit::kAlreadyRunning);
  EXPECT_EQ(second.calls, (Calls{"attach", "semaphore"}));

  FakePlatform no_window;
  no_window.window_ok = false;
  ModeSwitcher c(no_window);
  EXPECT_EQ(c.Start(), Exit::kNoWindow);
  EXPECT_EQ(no_window.calls, (Calls{"attach", "semaphore", "find", "window"}));
}

TEST_F(Started, ButtonsSendTheirMacrosEveryTime) {
  s.OnButton(Button::kRtty);
  s.OnButton(Button::kBpsk63);
  s.OnButton(Button::kBpsk63);
  EXPECT_EQ(p.calls, (Calls{"<MODE:RTTY>", "<BAUDRATE:45.45>", "front",          //
                            "mode?", "<MODE:BPSK31>", "<BAUDRATE:63>", "front",  //
                            "mode?", "<MODE:BPSK31>", "<BAUDRATE:63>", "front"}));
}

TEST(ModeSwitcher, RejectedCallsStopTheSwitchButNotTheProgram) {
  FakePlatform p;
  ModeSwitcher s(p);
  p.reject = {"<MODE:BPSK31>"};
  ASSERT_EQ(s.Start(), std::nullopt);
  EXPECT_EQ(p.calls, (Calls{"attach", "semaphore", "find", "window", "<MODE:BPSK31>", "front"}));
  EXPECT_TRUE(s.connected());

  // A rejected mode macro is not followed by a baud rate for the wrong mode; the
  // keyboard still goes back to the host.
  p.calls.clear();
  p.reject = {"<MODE:RTTY>"};
  s.OnButton(Button::kRtty);
  EXPECT_EQ(p.calls, (Calls{"<MODE:RTTY>", "front"}));

  // The next click goes through whole.
  p.calls.clear();
  s.OnButton(Button::kRtty);
  EXPECT_EQ(p.calls, (Calls{"<MODE:RTTY>", "<BAUDRATE:45.45>", "front"}));

  // A host that refuses to tell its mode is switched all the same.
  p.calls.clear();
  p.mode_ok = false;
  s.OnButton(Button::kBpsk63);
  EXPECT_EQ(p.calls, (Calls{"mode?", "<MODE:BPSK31>", "<BAUDRATE:63>", "front"}));
}

TEST_F(Started, TimerReattachesAndEndsSilentlyWhenTheHostIsGone) {
  EXPECT_EQ(s.OnTimer(), std::nullopt);
  EXPECT_EQ(p.calls, (Calls{"attach"}));
  p.attach_ok = false;
  EXPECT_EQ(s.OnTimer(), Exit::kHostGone);
  EXPECT_FALSE(s.connected());
  EXPECT_EQ(p.calls, (Calls{"attach", "attach"}));  // no message
  // Nothing more is sent once disconnected.
  s.OnButton(Button::kRtty);
  EXPECT_EQ(p.calls.size(), 2u);
}

TEST(ModeSwitcher, ClicksDuringAHostCallRunAfterItAndTicksAreSkipped) {
  FakePlatform p;
  ModeSwitcher s(p);
  // A click while the start's macros are under way.
  p.reenter = [&] {
    p.reenter = nullptr;
    s.OnButton(Button::kRtty);
  };
  ASSERT_EQ(s.Start(), std::nullopt);
  EXPECT_EQ(p.calls, (Calls{"attach", "semaphore", "find", "window", "<MODE:BPSK31>",
                            "<BAUDRATE:31>", "front", "<MODE:RTTY>", "<BAUDRATE:45.45>", "front"}));

  // While a macro call waits for the host, a tick and two clicks arrive.
  p.calls.clear();
  p.reenter = [&] {
    p.reenter = nullptr;
    EXPECT_EQ(s.OnTimer(), std::nullopt);
    s.OnButton(Button::kBpsk63);
    s.OnButton(Button::kRtty);
  };
  s.OnButton(Button::kRtty);
  EXPECT_EQ(p.calls, (Calls{"<MODE:RTTY>", "<BAUDRATE:45.45>", "front",          //
                            "mode?", "<MODE:BPSK31>", "<BAUDRATE:63>", "front",  //
                            "<MODE:RTTY>", "<BAUDRATE:45.45>", "front"}));

  // Afterwards ticks work again.
  p.calls.clear();
  EXPECT_EQ(s.OnTimer(), std::nullopt);
  EXPECT_EQ(p.calls, (Calls{"attach"}));
}

}  // namespace
}  // namespace zd::switcher

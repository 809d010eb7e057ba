// The contest module in the host stand-in's process, as the host logger runs it: the
// window thread, the control window, the mode switching and the band-change window,
// watched from this test program. Every wait has a deadline.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "control/module_host_win.h"

namespace zd {
namespace {

using wine_test::kControlTitle;
using wine_test::ModuleHost;
using wine_test::StartsWith;
using wine_test::WaitUntil;

std::wstring Text(HWND w) { return wine_test::TextOf(w); }

constexpr wchar_t kBandChangeTitle[] = L"Change of Band";
constexpr int kOptionBoxes[] = {1115, 1116, 1119, 1117, 1118, 1109, 1110};
constexpr int kModeButtonIds[] = {304, 305, 306};

bool Checked(HWND dialog, int id) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &state);
  return state == BST_CHECKED;
}

RECT WindowRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

class ControlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = std::make_unique<ModuleHost>();
    ASSERT_TRUE(host_->ok()) << "the stand-in did not load the module";
  }
  void TearDown() override { host_.reset(); }
  ModuleHost& host() { return *host_; }

  std::unique_ptr<ModuleHost> host_;
};

TEST_F(ControlWindow, FirstStartWithoutSettings) {
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  HWND w = host().WaitFor(kControlTitle);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Text(w), L"Setup ZORVAN-DIGI-") << "no contest year before the first reset";
  const RECT r = WindowRect(w);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  for (int id : kOptionBoxes) EXPECT_FALSE(Checked(w, id)) << id;
  for (int id : kModeButtonIds) EXPECT_FALSE(IsWindowVisible(GetDlgItem(w, id))) << id;
  EXPECT_EQ(Text(GetDlgItem(w, 1115)), L"Russian obl");
  EXPECT_EQ(Text(GetDlgItem(w, 1109)), L"Control of change Band");

  ASSERT_TRUE(WaitUntil([&] { return host().Macros().size() >= 2; }));
  const auto macros = host().Macros();
  EXPECT_EQ(macros[0], "<MODE:RTTY>");
  EXPECT_EQ(macros[1], "<BAUDRATE:45.45>");
  EXPECT_FALSE(host().SettingsFileExists()) << "the start itself writes nothing";
  EXPECT_EQ(host().Dialogs().size(), 1u) << "no status window without its option";
}

TEST_F(ControlWindow, ShowInfoTwiceLeavesExactlyOneControlWindow) {
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));  // the first window may not be up yet
  HWND first = host().WaitFor(kControlTitle);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));  // now it is: stopped, then started anew
  ASSERT_TRUE(WaitUntil([&] {
    const auto w = host().Titled(kControlTitle);
    return w.size() == 1 && w.front() != first;
  }));
  EXPECT_FALSE(IsWindow(first));
  // After a stop nothing is left: no second window thread was running.
  ASSERT_TRUE(host().Do("stats-command HIDEINFO"));
  EXPECT_TRUE(host().Titled(kControlTitle).empty());
  EXPECT_TRUE(host().Dialogs().empty());
}

TEST_F(ControlWindow, HideInfoWithoutAThreadReturnsAtOnce) {
  ASSERT_TRUE(host().Do("stats-command HIDEINFO"));
  const std::string line = host().Last("command HIDEINFO");
  ASSERT_FALSE(line.empty());
  const int ms = std::stoi(line.substr(std::string("command HIDEINFO returned in ").size()));
  EXPECT_LT(ms, 100) << line;
  EXPECT_TRUE(host().Dialogs().empty());
}

TEST_F(ControlWindow, EscapeEndsTheThreadAndShowInfoOpensEverythingAgain) {
  ASSERT_TRUE(host().Do("setting RusObl 1"));
  ASSERT_TRUE(host().Do("setting DXCC 1"));
  ASSERT_TRUE(host().Do("setting Timer 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_TRUE(host().WaitDialogs(4));
  ASSERT_NE(host().WaitFor(kBandChangeTitle), nullptr);

  // Enter does nothing: a refresh posted after it still finds the window.
  HWND control = host().WaitFor(kControlTitle);
  ASSERT_NE(control, nullptr);
  ASSERT_TRUE(host().WaitRefreshes(1));
  ASSERT_TRUE(host().Do("key \"Setup ZORVAN-DIGI\" 1115 enter"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_TRUE(host().WaitRefreshes(2));
  EXPECT_TRUE(IsWindowVisible(control));
  EXPECT_EQ(host().Dialogs().size(), 4u);
  // Escape ends the control window and every status window.
  ASSERT_TRUE(host().Do("key \"Setup ZORVAN-DIGI\" 1115 escape"));
  ASSERT_TRUE(host().WaitDialogs(0));
  EXPECT_TRUE(host().WaitSetting("RusObl", "1")) << host().Setting("RusObl");
  EXPECT_TRUE(host().WaitSetting("DXCC", "1")) << host().Setting("DXCC");
  EXPECT_TRUE(host().WaitSetting("Timer", "1")) << host().Setting("Timer");

  ASSERT_TRUE(host().Do("stats-command HIDEINFO"));
  EXPECT_LT(std::stoi(host().Last("command HIDEINFO").substr(28)), 100);
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_TRUE(host().WaitDialogs(4));
  EXPECT_NE(host().WaitFor(kBandChangeTitle), nullptr);
}

TEST_F(ControlWindow, CloseIsDisabledAndTheWindowStaysOnTop) {
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  HWND w = host().WaitFor(kControlTitle);
  ASSERT_NE(w, nullptr);
  const UINT state = GetMenuState(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND);
  EXPECT_TRUE(state & (MF_DISABLED | MF_GRAYED)) << state;
}

TEST_F(ControlWindow, EveryOptionWritesItsKeyAtOnce) {
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  HWND w = host().WaitFor(kControlTitle);
  ASSERT_NE(w, nullptr);
  const std::pair<int, const char*> options[] = {
      {1115, "RusObl"},
      {1116, "DXCC"},
      {1119, "setup_view_dxcc_extended"},
      {1109, "Timer"},
      {1117, "setup_switch_mode"},
      {1118, "setup_mast"},
      {1110, "setup_window_on_top"},
  };
  for (auto [id, key] : options) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" " + std::to_string(id)));
    EXPECT_TRUE(host().WaitSetting(key, "1")) << host().Setting(key);
    EXPECT_TRUE(Checked(w, id));
  }
  EXPECT_TRUE(host().WaitDialogs(5)) << "the four status windows opened";
  for (int id : kModeButtonIds) EXPECT_TRUE(IsWindowVisible(GetDlgItem(w, id))) << id;
  for (auto [id, key] : options) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" " + std::to_string(id)));
    EXPECT_TRUE(host().WaitSetting(key, "0")) << host().Setting(key);
    EXPECT_FALSE(Checked(w, id));
  }
  EXPECT_TRUE(host().WaitDialogs(1));
  for (int id : kModeButtonIds) EXPECT_FALSE(IsWindowVisible(GetDlgItem(w, id))) << id;
}

TEST_F(ControlWindow, WindowOnTopClosesAndReopensTheOpenStatusWindows) {
  ASSERT_TRUE(host().Do("setting RusObl 1"));
  ASSERT_TRUE(host().Do("setting DXCC 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  HWND control = host().WaitFor(kControlTitle);
  ASSERT_NE(control, nullptr);
  ASSERT_TRUE(host().WaitDialogs(3));
  std::vector<HWND> before;
  for (HWND w : host().Dialogs()) {
    if (w == control) continue;
    before.push_back(w);
    EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
  ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" 1110"));
  ASSERT_TRUE(WaitUntil([&] {
    const auto now = host().Dialogs();
    if (now.size() != 3) return false;
    for (HWND w : before) {
      if (IsWindow(w)) return false;
    }
    return true;
  }));
  for (HWND w : host().Dialogs()) {
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) << wine_test::Utf8(Text(w));
  }
  EXPECT_TRUE(host().WaitSetting("setup_window_on_top", "1"))
      << host().Setting("setup_window_on_top");
  EXPECT_TRUE(host().WaitSetting("RusObl", "1")) << host().Setting("RusObl");
  EXPECT_TRUE(host().WaitSetting("DXCC", "1")) << host().Setting("DXCC");
}

TEST(ModeReplay, TheSavedModeIsSentAgainAtStart) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"RTTY", {"<MODE:RTTY>", "<BAUDRATE:45.45>"}},
      {"BPSK63", {"<MODE:BPSK31>", "<BAUDRATE:63>"}},
      {"BPSK125", {}},
  };
  for (const auto& [saved, expected] : cases) {
    SCOPED_TRACE(saved);
    ModuleHost host;
    ASSERT_TRUE(host.ok());
    ASSERT_TRUE(host.Do(std::string("setting Mode ") + saved));
    ASSERT_TRUE(host.Do("setting setup_switch_mode 1"));
    ASSERT_TRUE(host.Do("stats-command SHOWINFO"));
    ASSERT_TRUE(host.WaitRefreshes(1));  // the refresh comes after the replay
    std::vector<std::string> macros = host.Macros();
    macros.erase(std::remove(macros.begin(), macros.end(), "<SP1>"), macros.end());
    EXPECT_EQ(macros, expected);
    // The buttons' colours: green for the mode sent; after BPSK125 both PSK buttons are
    // green and RTTY grey, as initialised.
    const bool rtty = std::string(saved) == "RTTY";
    EXPECT_EQ(host.Pixel("Setup ZORVAN-DIGI", 304, 4, 4), rtty ? "00FF00" : "F0F0F0");
    EXPECT_EQ(host.Pixel("Setup ZORVAN-DIGI", 305, 4, 4), rtty ? "F0F0F0" : "00FF00");
    EXPECT_TRUE(host.WaitSetting("Mode", saved))
        << host.Setting("Mode") << "the replay writes nothing";
  }
}

TEST_F(ControlWindow, ModeButtonsSwitchTheHost) {
  ASSERT_TRUE(host().Do("setting setup_switch_mode 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_NE(host().WaitFor(kControlTitle), nullptr);
  ASSERT_TRUE(host().WaitRefreshes(1));
  ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" 305"));
  ASSERT_TRUE(host().WaitSetting("Mode", "BPSK63"));
  ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" 305"));
  ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" 304"));
  ASSERT_TRUE(host().WaitSetting("Mode", "RTTY"));
  std::vector<std::string> macros = host().Macros();
  macros.erase(std::remove(macros.begin(), macros.end(), "<SP1>"), macros.end());
  EXPECT_EQ(macros, (std::vector<std::string>{"<MODE:RTTY>", "<BAUDRATE:45.45>", "<MODE:BPSK31>",
                                              "<BAUDRATE:63>", "<MODE:BPSK31>", "<BAUDRATE:63>",
                                              "<MODE:RTTY>", "<BAUDRATE:45.45>"}));
  EXPECT_EQ(host().Pixel("Setup ZORVAN-DIGI", 304, 4, 4), "00FF00");
  EXPECT_EQ(host().Pixel("Setup ZORVAN-DIGI", 305, 4, 4), "F0F0F0");
}

TEST_F(ControlWindow, Sp1FollowsTheDialOnlyBeyond300Hz) {
  ASSERT_TRUE(host().Do("set HostFrequency 14080000"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_TRUE(host().WaitRefreshes(1));
  const auto sp1 = [&] {
    const auto m = host().Macros();
    return std::count(m.begin(), m.end(), "<SP1>");
  };
  // The refresh sends it just after it read the frequency: wait for it.
  EXPECT_TRUE(WaitUntil([&] { return sp1() == 1; })) << "the first refresh sends it";
  ASSERT_TRUE(host().Do("set HostFrequency 14080250"));
  ASSERT_TRUE(host().Do("stats-result"));  // the result summary posts a refresh
  ASSERT_TRUE(host().WaitRefreshes(2));
  EXPECT_EQ(sp1(), 1) << "250 Hz";
  ASSERT_TRUE(host().Do("set HostFrequency 14080301"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_TRUE(host().WaitRefreshes(3));
  ASSERT_TRUE(WaitUntil([&] { return sp1() == 2; })) << "301 Hz";
  ASSERT_TRUE(host().Do("set HostFrequency 14080051"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_TRUE(host().WaitRefreshes(4));
  EXPECT_EQ(sp1(), 2) << "250 Hz back from the new reference";
  // The refresh asks for the typed call in entry field 5.
  EXPECT_FALSE(host().Last("call HostEntryText 5").empty());
}

TEST_F(ControlWindow, WithoutTheHostWindowsOpenAndNothingIsSent) {
  ASSERT_TRUE(host().Do("withdraw"));
  ASSERT_TRUE(host().Do("setting DXCC 1"));
  ASSERT_TRUE(host().Do("setting setup_switch_mode 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_TRUE(host().WaitDialogs(2));
  ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" 305"));
  ASSERT_TRUE(host().WaitSetting("Mode", "BPSK63")) << "colours, setting and refresh follow";
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_TRUE(host().Do("stats-command HIDEINFO"));
  EXPECT_TRUE(host().Dialogs().empty());
  for (const auto& line : host().Record()) {
    EXPECT_TRUE(line.rfind("call ", 0) != 0 && line.rfind("get ", 0) != 0) << line;
  }
  EXPECT_EQ(host().Pixel("Vevozi2", 0, 1, 1).size(), 6u) << "the host still runs";
}

TEST_F(ControlWindow, AHostGoneAfterTheStartFailsTheModeClickCleanly) {
  ASSERT_TRUE(host().Do("setting setup_switch_mode 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_NE(host().WaitFor(kControlTitle), nullptr);
  ASSERT_TRUE(host().WaitRefreshes(1));
  ASSERT_TRUE(host().Do("withdraw"));
  ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" 305"));
  // The next click is handled after the failed one.
  ASSERT_TRUE(host().Do("click \"Setup ZORVAN-DIGI\" 1118"));
  ASSERT_TRUE(host().WaitSetting("setup_mast", "1"));
  EXPECT_TRUE(host().WaitSetting("Mode", "<absent>"))
      << host().Setting("Mode") << "neither colours nor setting changed";
  EXPECT_EQ(host().Pixel("Setup ZORVAN-DIGI", 304, 4, 4), "00FF00");
  EXPECT_EQ(host().Pixel("Setup ZORVAN-DIGI", 305, 4, 4), "F0F0F0");
  // Refreshes fail at their first host call and the window goes on.
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_TRUE(host().Do("stats-command HIDEINFO"));
  EXPECT_TRUE(host().Dialogs().empty());
}

TEST_F(ControlWindow, RussianTextsOnAnySystem) {
  ASSERT_TRUE(host().Do("stats-reset UA3AAA UA EU"));  // opens the control window by itself
  HWND w = host().WaitFor(L"\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0438");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Text(w), L"\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0438 ZORVAN-DIGI-2026");
  EXPECT_EQ(Text(GetDlgItem(w, 1115)),
            L"\u041e\u0431\u043b\u0430\u0441\u0442\u0438 \u0420\u043e\u0441\u0441\u0438\u0438");
  EXPECT_EQ(Text(GetDlgItem(w, 1110)),
            L"\u041f\u043e\u0432\u0435\u0440\u0445 \u0432\u0441\u0435\u0445 "
            L"\u043e\u043a\u043e\u043d");
  ASSERT_TRUE(host().Do("click \"\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0438\" 1109"));
  HWND band = host().WaitFor(L"\u041f\u0435\u0440\u0435\u0445\u043e\u0434\u044b");
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(Text(GetDlgItem(band, 1144)),
            L"\u041c\u0438\u043d\u0443\u0442 \u0434\u043e \u043a\u043e\u043d\u0446\u0430 "
            L"\u0447\u0430\u0441\u0430");
}

TEST_F(ControlWindow, BandChangeWindowCountsTurnsRedAndResetsOnTheHour) {
  ASSERT_TRUE(host().Do("env ZD_TEST_CLOCK \"2026-12-08 10:17:00\""));
  ASSERT_TRUE(host().Do("setting Start 1"));  // the reset does not open the window itself
  ASSERT_TRUE(host().Do("stats-reset DL1XX DL EU"));
  ASSERT_TRUE(host().Do("setting Timer 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  HWND band = host().WaitFor(kBandChangeTitle);
  ASSERT_NE(band, nullptr);
  const RECT r = WindowRect(band);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  const auto shows = [&](const wchar_t* count, const wchar_t* minutes) {
    const bool ok = WaitUntil([&] {
      return Text(GetDlgItem(band, 300)) == count && Text(GetDlgItem(band, 1277)) == minutes;
    });
    if (!ok) {
      ADD_FAILURE() << "shows " << wine_test::Utf8(Text(GetDlgItem(band, 300))) << " and "
                    << wine_test::Utf8(Text(GetDlgItem(band, 1277)));
    }
    return ok;
  };
  ASSERT_TRUE(shows(L"0", L"43"));
  EXPECT_EQ(host().Pixel("Change of Band", 0, 190, 30), "00FF00");

  const char* bands[] = {"20m", "40m"};
  for (int i = 0; i < 10; ++i) {  // nine changes
    ASSERT_TRUE(host().Do("stats-add DL" + std::to_string(i) + "AA " + bands[i % 2] +
                          " RTTY DL 123 \"2026-12-08 10:0" + std::to_string(i) + "\""));
  }
  ASSERT_TRUE(shows(L"9", L"43"));
  EXPECT_EQ(host().Pixel("Change of Band", 0, 190, 30), "00FF00");
  ASSERT_TRUE(host().Do("stats-add DL10AA 20m RTTY DL 123 \"2026-12-08 10:10\""));
  ASSERT_TRUE(shows(L"10", L"43"));
  ASSERT_TRUE(WaitUntil([&] { return host().Pixel("Change of Band", 0, 190, 30) == "FF0000"; }))
      << "the tenth change turns it red";

  ASSERT_TRUE(host().Do("env ZD_TEST_CLOCK \"2026-12-08 10:59:00\""));
  ASSERT_TRUE(shows(L"10", L"1"));
  ASSERT_TRUE(host().Do("env ZD_TEST_CLOCK \"2026-12-08 11:00:20\""));
  ASSERT_TRUE(shows(L"0", L"0")) << "minute 0 resets the count";
  ASSERT_TRUE(WaitUntil([&] { return host().Pixel("Change of Band", 0, 190, 30) == "00FF00"; }));
  ASSERT_TRUE(host().Do("env ZD_TEST_CLOCK \"2026-12-08 11:01:00\""));
  ASSERT_TRUE(shows(L"0", L"59"));
}

// The region and DXCC windows through the host stand-in: a region worked twice is
// marked once, a band change clears and marks anew, outside the six bands nothing is
// marked, a removal clears the marks and the next refresh marks what remains, and a
// typed call turns the DXCC window to that call's table and back.
TEST_F(ControlWindow, RegionAndDxccWindowsFollowTheLogTheBandAndTheTypedCall) {
  constexpr int kMoCell = 1500 + 47;  // "MO" in the region window's cell order
  ASSERT_TRUE(host().Do("setting Start 1"));
  ASSERT_TRUE(host().Do("stats-reset DL1XX DL EU"));
  ASSERT_TRUE(host().Do("setting RusObl 1"));
  ASSERT_TRUE(host().Do("setting DXCC 1"));
  ASSERT_TRUE(host().Do("set HostMode RTTY"));
  ASSERT_TRUE(host().Do("set HostFrequency 14080000"));
  ASSERT_TRUE(host().Do("stats-add UA3AA 20m RTTY UA MO \"2026-12-08 10:01\""));
  ASSERT_TRUE(host().Do("stats-add UA3AB 20m RTTY UA MO \"2026-12-08 10:02\""));
  ASSERT_TRUE(host().Do("stats-add RA9AA 40m BPSK63 UA9 NS \"2026-12-08 10:03\""));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_NE(host().WaitFor(L"Obl worked"), nullptr);
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Obl worked RTTY on 20m 1 of 88"), nullptr)
      << "worked twice, counted once";
  EXPECT_EQ(host().Pixel("Obl worked", kMoCell, 8, 7), "FF00FF");

  ASSERT_TRUE(host().Do("set HostFrequency 7040000"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Obl worked RTTY on 40m 0 of 88"), nullptr);
  EXPECT_EQ(host().Pixel("Obl worked", kMoCell, 8, 7), "00FF00") << "the band change clears";
  ASSERT_TRUE(host().Do("set HostMode BPSK31"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Obl worked BPSK63 on 40m 1 of 88"), nullptr);

  ASSERT_TRUE(host().Do("set HostFrequency 5357000"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Obl worked BPSK63 on  0 of 88"), nullptr) << "outside the six bands";

  ASSERT_TRUE(host().Do("set HostMode RTTY"));
  ASSERT_TRUE(host().Do("set HostFrequency 14080000"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Obl worked RTTY on 20m 1 of 88"), nullptr);
  EXPECT_EQ(host().Pixel("Obl worked", kMoCell, 8, 7), "FF00FF");
  // Removing one of the two leaves MO worked; removing both clears its mark.
  ASSERT_TRUE(host().Do("stats-remove UA3AA 20m RTTY UA MO \"2026-12-08 10:01\""));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Obl worked RTTY on 20m 1 of 88"), nullptr);
  EXPECT_EQ(host().Pixel("Obl worked", kMoCell, 8, 7), "FF00FF");
  ASSERT_TRUE(host().Do("stats-remove UA3AB 20m RTTY UA MO \"2026-12-08 10:02\""));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Obl worked RTTY on 20m 0 of 88"), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return host().Pixel("Obl worked", kMoCell, 8, 7) == "00FF00"; }))
      << "the removal's stale marks are cleared";

  // A call worked in both modes on 20 m, typed in the host.
  ASSERT_TRUE(host().Do("stats-add DL5AA 20m RTTY DL 001 \"2026-12-08 10:05\""));
  ASSERT_TRUE(host().Do("stats-add DL5AA 20m BPSK63 DL 002 \"2026-12-08 10:09\""));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"DXCC worked RTTY on 20m 1 of 338"), nullptr);
  ASSERT_TRUE(host().Do("set HostEntryText 5 DL5AA"));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"Worked with DL5AA"), nullptr);
  ASSERT_TRUE(host().Do("set HostEntryText 5 \"\""));
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_NE(host().WaitFor(L"DXCC worked RTTY on 20m 1 of 338"), nullptr) << "back to the list";
}

TEST_F(ControlWindow, HiddenStatusWindowsTurnTheirOptionsOff) {
  ASSERT_TRUE(host().Do("setting RusObl 1"));
  ASSERT_TRUE(host().Do("setting Timer 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_TRUE(host().WaitDialogs(3));
  HWND control = host().WaitFor(kControlTitle);
  ASSERT_NE(control, nullptr);
  ASSERT_TRUE(host().WaitRefreshes(1));
  HWND region = nullptr;
  for (HWND w : host().Dialogs()) {
    if (w != control && !StartsWith(Text(w), kBandChangeTitle)) region = w;
  }
  ASSERT_NE(region, nullptr);
  // Escape in the region window: the band-change window's one-second check notices it,
  // with no refresh in between.
  HWND cell = GetWindow(region, GW_CHILD);
  ASSERT_NE(cell, nullptr);
  PostMessageW(cell, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(cell, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
  const int refreshes = host().Refreshes();
  ASSERT_TRUE(host().WaitSetting("RusObl", "0"));
  EXPECT_EQ(host().Refreshes(), refreshes);
  EXPECT_FALSE(Checked(control, 1115));
  // Escape in the band-change window: the next refresh turns its option off.
  ASSERT_TRUE(host().Do("key \"Change of Band\" 300 escape"));
  ASSERT_TRUE(WaitUntil([&] { return host().Titled(kBandChangeTitle).empty(); }));
  EXPECT_TRUE(host().WaitSetting("Timer", "1")) << host().Setting("Timer");
  ASSERT_TRUE(host().Do("stats-result"));
  ASSERT_TRUE(host().WaitSetting("Timer", "0"));
  EXPECT_FALSE(Checked(control, 1109));
}

TEST(AutomaticStart, TheResetOpensTheControlWindowExceptUnderOlderHosts) {
  {
    ModuleHost host;
    ASSERT_TRUE(host.ok());
    ASSERT_TRUE(host.Do("stats-reset DL1XX DL EU"));
    EXPECT_NE(host.WaitFor(kControlTitle), nullptr) << "no settings file: the window opens";
    EXPECT_TRUE(host.WaitSetting("Start", "1")) << host.Setting("Start");
    ASSERT_TRUE(host.Do("stats-reset DL1XX DL EU"));
    EXPECT_TRUE(host.WaitSetting("Start", "0"))
        << host.Setting("Start") << "the next reset only disarms";
    EXPECT_EQ(host.Titled(kControlTitle).size(), 1u);
  }
  {
    ModuleHost host;
    ASSERT_TRUE(host.ok());
    ASSERT_TRUE(host.Do("write-file Vevozi2.ini Vorlog=2.18"));
    ASSERT_TRUE(host.Do("stats-reset DL1XX DL EU"));
    EXPECT_TRUE(host.WaitSetting("Start", "1")) << host.Setting("Start");
    EXPECT_FALSE(WaitUntil([&] { return !host.Titled(kControlTitle).empty(); }, 1000))
        << "host 2.18: the window does not open by itself";
  }
}

// The operator types in the host while the status windows come up, however they come up:
// at the reset's automatic start, after "Window on top" (the refresh opens them again) and
// at "SHOWINFO". None of them, nor the control window, takes the keyboard from the host.
TEST(StatusWindowFocus, TheHostKeepsTheKeyboardWhileTheWindowsComeUp) {
  ModuleHost host;
  ASSERT_TRUE(host.ok());
  for (const char* key : {"RusObl", "DXCC", "setup_view_dxcc_extended", "Timer"}) {
    ASSERT_TRUE(host.Do(std::string("setting ") + key + " 1"));
  }
  ASSERT_TRUE(host.ActivateHost()) << host.KeyboardElsewhere();
  // Every window is up (the control window and four new status windows), and a refresh
  // asked for after they opened has been served: nothing more is on its way to them.
  const auto allUp = [&](const std::vector<HWND>& old) {
    std::string seen;
    const bool up = WaitUntil([&] {
      const auto now = host.Dialogs();
      seen = std::to_string(now.size()) + " windows:";
      bool fresh = now.size() == 5;
      for (HWND w : now) {
        const bool kept = std::find(old.begin(), old.end(), w) != old.end();
        seen += " \"" + wine_test::Utf8(Text(w)) + "\"" + (kept ? " (from before)" : "");
        if (kept && !StartsWith(Text(w), kControlTitle)) fresh = false;
      }
      return fresh;
    });
    if (!up) {
      ADD_FAILURE() << "the windows did not all come up anew within the deadline; " << seen;
      return false;
    }
    const int served = host.Refreshes();
    if (host.Do("stats-result") && host.WaitRefreshes(served + 1)) return true;
    ADD_FAILURE() << "no refresh served after the windows came up (" << served << " before)";
    return false;
  };

  ASSERT_TRUE(host.Do("stats-reset DL1XX DL EU"));  // no "Start" yet: the windows open
  ASSERT_TRUE(allUp({}));
  EXPECT_EQ(host.KeyboardElsewhere(), "") << "at the reset's automatic start";

  HWND control = host.WaitFor(kControlTitle);
  ASSERT_NE(control, nullptr);
  const std::vector<HWND> before = host.Dialogs();
  ASSERT_TRUE(PostMessageW(control, WM_COMMAND, MAKEWPARAM(1110, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(control, 1110))));
  ASSERT_TRUE(allUp(before));
  EXPECT_EQ(host.KeyboardElsewhere(), "") << "after \"Window on top\"";

  ASSERT_TRUE(host.Do("stats-command HIDEINFO"));
  ASSERT_TRUE(host.Do("stats-command SHOWINFO"));
  ASSERT_TRUE(allUp({}));
  EXPECT_EQ(host.KeyboardElsewhere(), "") << "at SHOWINFO";
}

// A new contest pass in the running host: the Cabrillo header dialog holds the host's
// thread while the stand-in goes on taking commands (its "later"); Cancel lets the reset
// return, and a new pass opens no control window.
TEST_F(ControlWindow, ANewPassShowsTheHeaderDialogUntilItIsAnswered) {
  ASSERT_TRUE(host().Do("setting Name \"Ivan Petrov\""));
  ASSERT_TRUE(host().Do("later stats-reset R3DZV UA EU 1"));
  HWND header = host().WaitFor(L"ZORVAN-DIGI");
  ASSERT_NE(header, nullptr) << "no header dialog";
  EXPECT_EQ(Text(GetDlgItem(header, 318)), L"Ivan Petrov");  // NAME
  EXPECT_EQ(Text(GetDlgItem(header, 1010)), L"R3DZV");       // CALLSIGN
  EXPECT_EQ(host().Last("reset "), "") << "the reset returned with its dialog open";
  ASSERT_TRUE(host().Do("click ZORVAN-DIGI 2"));
  ASSERT_TRUE(WaitUntil([&] { return host().Last("reset ") == "reset R3DZV"; }))
      << "the reset did not return after Cancel";
  EXPECT_TRUE(host().Titled(L"ZORVAN-DIGI").empty());
  EXPECT_TRUE(host().Titled(kControlTitle).empty());
}

TEST_F(ControlWindow, UnloadWithTheWindowsOpenStopsTheThreadFirst) {
  ASSERT_TRUE(host().Do("setting Timer 1"));
  ASSERT_TRUE(host().Do("setting DXCC 1"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_TRUE(host().WaitDialogs(3));
  ASSERT_TRUE(host().Do("stats-unload"));
  EXPECT_TRUE(host().Dialogs().empty());
  EXPECT_TRUE(host().Running());
  const std::string line = host().Last("stats unloaded");
  EXPECT_FALSE(line.empty());
  // Loaded again, the module starts afresh.
  ASSERT_TRUE(host().Do("stats-load"));
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  EXPECT_TRUE(host().WaitDialogs(3));
  EXPECT_TRUE(host().WaitSetting("DXCC", "1")) << host().Setting("DXCC");
}

// A host that frees the module while the window thread waits for it to serve a call it
// has already seen in its queue: the unload serves the call and the thread ends, quickly.
TEST_F(ControlWindow, UnloadServesACallTheHostHadAlreadySeen) {
  ASSERT_TRUE(host().Do("stats-command SHOWINFO"));
  ASSERT_NE(host().WaitFor(kControlTitle), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return host().Count("get HostFrequency") > 0; }))
      << "no first refresh";
  ASSERT_TRUE(host().Do("stats-unload mid-call"))
      << "the unload did not return within 5 s: " << host().Last("command failed");
  const std::string line = host().Last("stats unloaded in ");
  ASSERT_FALSE(line.empty()) << host().Last("command failed");
  EXPECT_LT(std::stoi(line.substr(18)), 5000) << line;
  EXPECT_TRUE(host().Dialogs().empty());
  EXPECT_TRUE(host().Running());
}

}  // namespace
}  // namespace zd

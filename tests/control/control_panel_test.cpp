#include "control/control_panel.h"

#include <gtest/gtest.h>

#include "control/window_fakes.h"
#include "support/files.h"

namespace zd {
namespace {

struct PanelFixture : testing::PanelFixture {
  // The region, DXCC and band-change options on and their windows opened by a refresh.
  void StartWithRegionDxccAndBandChangeOpen() {
    c.settings.Set({{"RusObl", "1"}, {"DXCC", "1"}, {"Timer", "1"}});
    Start();
    panel->RefreshStatus();
    windows.log.clear();
  }
  Colour Back(ModeButton b) const { return view.back[static_cast<int>(b)]; }
  bool Shown(ModeButton b) const { return view.buttonShown[static_cast<int>(b)]; }
};

TEST_F(PanelFixture, FirstStartWithoutSettingsFile) {
  view.host = &host;
  ControlPanel p(c.state, view, windows);
  p.Initialise();

  EXPECT_EQ(view.log, (std::vector<std::string>{"move 10,10", "layout 10", "attach", "post"}));
  EXPECT_EQ(c.state.lastWindowPos.x, 10);
  EXPECT_EQ(c.state.lastWindowPos.y, 10);
  const ControlOptions& o = view.shown;
  EXPECT_FALSE(o.showRegions || o.showDxcc || o.showExtendedDxcc || o.bandChangeControl ||
               o.windowsOnTop || o.switchMode || o.masterFile);
  for (ModeButton b : kModeButtons) EXPECT_FALSE(Shown(b));
  EXPECT_EQ(host.macros, (std::vector<std::string>{"<MODE:RTTY>", "<BAUDRATE:45.45>"}));
  EXPECT_EQ(Back(ModeButton::kRtty), kGreen);
  EXPECT_EQ(Back(ModeButton::kPsk63), kButtonGrey);
  EXPECT_EQ(Back(ModeButton::kPsk125), kButtonGrey);
  EXPECT_EQ(view.title, "Setup ZORVAN-DIGI-");
  // Starting writes nothing: the first option click creates the file.
  EXPECT_TRUE(c.settings.TakeWrites().empty());
  EXPECT_TRUE(windows.log.empty());
}

TEST_F(PanelFixture, StoredPositionsAndOptionsAreReadBack) {
  c.settings.Set("setup_x", "-5");
  c.settings.Set("setup_y", "0");
  c.settings.Set("RusObl", "1");
  c.settings.Set("DXCC", "1");
  c.settings.Set("setup_view_dxcc_extended", "7");
  c.settings.Set("Timer", "1");
  c.settings.Set("setup_mast", "1");
  c.settings.Set("setup_window_on_top", "1");
  Start();
  EXPECT_EQ(c.state.lastWindowPos.x, -5);
  EXPECT_EQ(c.state.lastWindowPos.y, 10);
  const ControlOptions& o = view.shown;
  EXPECT_TRUE(o.showRegions && o.showDxcc && o.showExtendedDxcc && o.bandChangeControl &&
              o.masterFile);
  EXPECT_FALSE(o.windowsOnTop) << "Window on top starts off in every control window";
  EXPECT_TRUE(c.contest.SetupMast());
}

TEST_F(PanelFixture, SwitchModeShowsTwoButtonsAtStartAndAllThreeWhenSwitchedOn) {
  c.settings.Set("setup_switch_mode", "1");
  Start();
  EXPECT_TRUE(Shown(ModeButton::kRtty));
  EXPECT_TRUE(Shown(ModeButton::kPsk63));
  EXPECT_FALSE(Shown(ModeButton::kPsk125));
  EXPECT_EQ(view.layoutX, kOptionsXWithButtons);

  panel->OnSwitchMode();
  for (ModeButton b : kModeButtons) EXPECT_FALSE(Shown(b));
  EXPECT_EQ(view.layoutX, kOptionsXPlain);
  EXPECT_EQ(c.settings.Get("setup_switch_mode"), "0");
  panel->OnSwitchMode();
  for (ModeButton b : kModeButtons) EXPECT_TRUE(Shown(b));
  EXPECT_EQ(view.layoutX, kOptionsXWithButtons);
  EXPECT_EQ(c.settings.Get("setup_switch_mode"), "1");
  EXPECT_TRUE(view.shown.switchMode);
  EXPECT_EQ(view.refreshPosts, 2);
}

TEST_F(PanelFixture, RussianTextsAndTitle) {
  {
    const test::TempFolder folder;  // the reset writes the module's files there
    ResetArgs a;
    a.ownCall = "UA1AAA";
    a.ownPrefix = "UA";
    a.start = OleDateTime{41994.0};  // 21 December 2014
    a.end = OleDateTime{41995.0};
    c.work.ResetStats(a);
  }

  Start();
  EXPECT_EQ(view.title, "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE8 ZORVAN-DIGI-2014");
  EXPECT_EQ(view.texts.size(), kOptionRows.size());
  EXPECT_EQ(view.texts[setup_ids::kViewLabel], "\xCE\xF2\xEE\xE1\xF0\xE0\xE6\xE0\xF2\xFC");
  EXPECT_EQ(view.texts[setup_ids::kExtendedDxcc],
            "DXCC \xEF\xEE \xEA\xEE\xED\xF2\xE8\xED\xE5\xF2\xE0\xEC");
  EXPECT_EQ(view.texts[setup_ids::kWindowOnTop],
            "\xCF\xEE\xE2\xE5\xF0\xF5 \xE2\xF1\xE5\xF5 \xEE\xEA\xEE\xED");
}

TEST(OptionLayout, RowsInOrderTwentyPixelsApart) {
  const int ids[] = {1123, 1115, 1116, 1119, 1124, 1117, 1118, 1109, 1110};
  for (std::size_t i = 0; i < kOptionRows.size(); ++i) {
    EXPECT_EQ(kOptionRows[i].id, ids[i]);
    EXPECT_EQ(kOptionRows[i].y, i == 0 ? 2 : static_cast<int>(i) * 20);
    EXPECT_FALSE(kOptionRows[i].russian.empty());
  }
}

TEST_F(PanelFixture, SavedModeReplay) {
  struct Case {
    const char* saved;
    std::vector<std::string> macros;
    Colour rtty, psk63, psk125;
  };
  const Case cases[] = {
      {"RTTY", {"<MODE:RTTY>", "<BAUDRATE:45.45>"}, kGreen, kButtonGrey, kButtonGrey},
      {"BPSK63", {"<MODE:BPSK31>", "<BAUDRATE:63>"}, kButtonGrey, kGreen, kButtonGrey},
      {"BPSK125", {}, kButtonGrey, kGreen, kGreen},
      {"rtty", {}, kButtonGrey, kGreen, kGreen},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.saved);
    c.settings.Set("Mode", k.saved);
    host.macros.clear();
    Start();
    EXPECT_EQ(host.macros, k.macros);
    EXPECT_EQ(Back(ModeButton::kRtty), k.rtty);
    EXPECT_EQ(Back(ModeButton::kPsk63), k.psk63);
    EXPECT_EQ(Back(ModeButton::kPsk125), k.psk125);
    EXPECT_TRUE(c.settings.TakeWrites().empty()) << "the replay writes no setting";
    panel.reset();
  }
}

TEST_F(PanelFixture, WithoutTheHostNothingIsSentButButtonsStillWork) {
  Start(false);
  EXPECT_EQ(Back(ModeButton::kRtty), kGreen);
  EXPECT_TRUE(panel->OnModeButton(ModeButton::kPsk125));
  EXPECT_TRUE(host.macros.empty());
  EXPECT_EQ(Back(ModeButton::kPsk125), kGreen);
  EXPECT_EQ(Back(ModeButton::kRtty), kButtonGrey);
  EXPECT_EQ(c.settings.Get("Mode"), "BPSK125");
  EXPECT_EQ(view.refreshPosts, 1);
  EXPECT_EQ(host.calls, 0);
}

TEST_F(PanelFixture, ModeButtonSendsItsMacrosEveryTime) {
  Start();
  host.macros.clear();
  EXPECT_TRUE(panel->OnModeButton(ModeButton::kPsk63));
  EXPECT_TRUE(panel->OnModeButton(ModeButton::kPsk63));
  EXPECT_EQ(host.macros, (std::vector<std::string>{"<MODE:BPSK31>", "<BAUDRATE:63>",
                                                   "<MODE:BPSK31>", "<BAUDRATE:63>"}));
  EXPECT_EQ(Back(ModeButton::kPsk63), kGreen);
  EXPECT_EQ(Back(ModeButton::kRtty), kButtonGrey);
  EXPECT_EQ(Back(ModeButton::kPsk125), kButtonGrey);
  EXPECT_EQ(view.fore[0], kLabelBlack);
  EXPECT_EQ(c.settings.Get("Mode"), "BPSK63");
  EXPECT_EQ(view.refreshPosts, 2);

  host.macros.clear();
  EXPECT_TRUE(panel->OnModeButton(ModeButton::kPsk125));
  EXPECT_EQ(host.macros, (std::vector<std::string>{"<MODE:BPSK31>", "<BAUDRATE:125>"}));
  EXPECT_EQ(c.settings.Get("Mode"), "BPSK125");
}

TEST_F(PanelFixture, FailedHostCallEndsTheClickThere) {
  Start();
  // The host is gone after the start: the first macro fails.
  host.failFrom = host.calls + 1;
  EXPECT_FALSE(panel->OnModeButton(ModeButton::kPsk63));
  EXPECT_EQ(Back(ModeButton::kRtty), kGreen);
  EXPECT_EQ(Back(ModeButton::kPsk63), kButtonGrey);
  EXPECT_FALSE(c.settings.Get("Mode").has_value());
  EXPECT_EQ(view.refreshPosts, 0);

  // The second macro fails: still nothing after it.
  host.failFrom = host.calls + 2;
  EXPECT_FALSE(panel->OnModeButton(ModeButton::kPsk63));
  EXPECT_EQ(host.macros.back(), "<MODE:BPSK31>");
  EXPECT_EQ(Back(ModeButton::kPsk63), kButtonGrey);
  EXPECT_FALSE(c.settings.Get("Mode").has_value());
}

TEST_F(PanelFixture, FailedReplayLeavesTheInitialColours) {
  host.failFrom = 1;
  view.host = &host;
  ControlPanel p(c.state, view, windows);
  p.Initialise();
  EXPECT_EQ(Back(ModeButton::kRtty), kButtonGrey);
  EXPECT_EQ(Back(ModeButton::kPsk63), kGreen);
  EXPECT_EQ(view.refreshPosts, 1) << "the initialisation still posts its refresh";
}

TEST_F(PanelFixture, StatusOptionOpensAndClosesItsWindow) {
  Start();
  panel->OnStatusOption(StatusKind::kDxcc);
  EXPECT_TRUE(windows.IsOpen(StatusKind::kDxcc));
  EXPECT_TRUE(view.shown.showDxcc);
  panel->OnStatusOption(StatusKind::kBandChange);
  panel->OnStatusOption(StatusKind::kDxcc);
  EXPECT_FALSE(view.shown.showDxcc);
  EXPECT_TRUE(view.shown.bandChangeControl);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"open dxcc", "open band", "close dxcc"}));
  EXPECT_EQ(c.settings.TakeWrites(), (std::vector<std::string>{"DXCC=1", "Timer=1", "DXCC=0"}));
  EXPECT_EQ(view.refreshPosts, 3);
}

TEST_F(PanelFixture, StatusOptionOfAWindowThatIsHiddenButKnownClosesIt) {
  Start();
  panel->OnStatusOption(StatusKind::kRegion);
  windows.visible[Index(StatusKind::kRegion)] = false;  // Escape in the region window
  panel->OnStatusOption(StatusKind::kRegion);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"open region", "close region"}));
  EXPECT_EQ(c.settings.Get("RusObl"), "0");
}

TEST_F(PanelFixture, AWindowThatCannotBeCreatedKeepsItsOptionSwitchable) {
  Start();
  windows.creatable[Index(StatusKind::kExtendedDxcc)] = false;
  panel->OnStatusOption(StatusKind::kExtendedDxcc);
  EXPECT_TRUE(view.shown.showExtendedDxcc);
  EXPECT_EQ(c.settings.Get("setup_view_dxcc_extended"), "1");
  panel->RefreshStatus();  // tries again, goes on without it
  panel->OnStatusOption(StatusKind::kExtendedDxcc);
  EXPECT_FALSE(view.shown.showExtendedDxcc);
  EXPECT_EQ(c.settings.Get("setup_view_dxcc_extended"), "0");
}

TEST_F(PanelFixture, MasterFileIsSharedWithTheCallCheck) {
  Start();
  panel->OnMasterFile();
  EXPECT_TRUE(c.contest.SetupMast());
  EXPECT_EQ(c.settings.Get("setup_mast"), "1");
  panel->OnMasterFile();
  EXPECT_FALSE(c.contest.SetupMast());
  EXPECT_EQ(c.settings.Get("setup_mast"), "0");
  EXPECT_FALSE(view.shown.masterFile);
}

TEST_F(PanelFixture, WindowOnTopClosesTheOpenWindowsAndTheRefreshReopensThem) {
  StartWithRegionDxccAndBandChangeOpen();
  panel->OnWindowOnTop();
  EXPECT_TRUE(c.state.statusWindowsOnTop.load());
  EXPECT_EQ(c.settings.Get("setup_window_on_top"), "1");
  EXPECT_EQ(windows.log, (std::vector<std::string>{"close region", "close dxcc", "close band"}));
  EXPECT_TRUE(view.shown.showRegions && view.shown.showDxcc && view.shown.bandChangeControl);
  EXPECT_TRUE(view.shown.windowsOnTop);
  windows.log.clear();
  panel->RefreshStatus();
  windows.log.resize(3);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"open region", "open dxcc", "open band"}));

  // A new control window starts with the option off, but the windows keep opening
  // top-most until the option is clicked again.
  panel.reset();
  Start();
  EXPECT_FALSE(panel->options().windowsOnTop);
  EXPECT_TRUE(c.state.statusWindowsOnTop.load());
  panel->OnWindowOnTop();
  EXPECT_TRUE(c.state.statusWindowsOnTop.load());
}

TEST_F(PanelFixture, RefreshOpensWindowsWhoseOptionsAreOn) {
  c.settings.Set("RusObl", "1");
  c.settings.Set("setup_view_dxcc_extended", "1");
  c.settings.Set("Timer", "1");
  Start();
  panel->RefreshStatus();
  EXPECT_EQ(windows.log[0], "open region");
  EXPECT_EQ(windows.log[1], "open extended");
  EXPECT_EQ(windows.log[2], "open band");
  EXPECT_EQ(c.settings.TakeWrites(),
            (std::vector<std::string>{"RusObl=1", "setup_view_dxcc_extended=1"}));
  // A second refresh opens nothing more.
  windows.log.clear();
  panel->RefreshStatus();
  for (const std::string& line : windows.log) EXPECT_EQ(line.rfind("open", 0), std::string::npos);
}

TEST_F(PanelFixture, HiddenWindowsAreForgottenByTheRefreshOrByTheBandChangeCheck) {
  StartWithRegionDxccAndBandChangeOpen();
  c.settings.TakeWrites();

  // With the band-change window open the refresh leaves the hidden region window alone.
  windows.visible[Index(StatusKind::kRegion)] = false;
  panel->RefreshStatus();
  EXPECT_TRUE(windows.IsOpen(StatusKind::kRegion));
  panel->ForgetHiddenStatusWindows();  // the band-change window's one-second check
  EXPECT_FALSE(windows.IsOpen(StatusKind::kRegion));
  EXPECT_FALSE(view.shown.showRegions);
  EXPECT_EQ(c.settings.TakeWrites(), (std::vector<std::string>{"RusObl=0"}));

  // The band-change window itself is always checked by the refresh; once it is gone the
  // refresh checks the others too.
  windows.visible[Index(StatusKind::kBandChange)] = false;
  windows.visible[Index(StatusKind::kDxcc)] = false;
  panel->RefreshStatus();
  EXPECT_FALSE(windows.IsOpen(StatusKind::kBandChange));
  EXPECT_TRUE(windows.IsOpen(StatusKind::kDxcc)) << "checked before the band-change window";
  EXPECT_EQ(c.settings.TakeWrites(), (std::vector<std::string>{"Timer=0"}));
  panel->RefreshStatus();
  EXPECT_FALSE(windows.IsOpen(StatusKind::kDxcc));
  EXPECT_EQ(c.settings.TakeWrites(), (std::vector<std::string>{"DXCC=0"}));
  EXPECT_FALSE(view.shown.showDxcc || view.shown.bandChangeControl);
}

TEST_F(PanelFixture, EndingClosesTheStatusWindowsBandChangeFirst) {
  for (StatusKind k : kStatusKinds) windows.open[Index(k)] = true;
  Start();
  panel->CloseStatusWindows();
  EXPECT_EQ(windows.log, (std::vector<std::string>{"close band", "close extended", "close dxcc",
                                                   "close region"}));
  EXPECT_TRUE(c.settings.TakeWrites().empty()) << "the options stay on";
}

TEST_F(PanelFixture, PositionSavingWritesOnlyWhatChanged) {
  Start();
  panel->OnSetCursor(10, 10);
  EXPECT_TRUE(c.settings.TakeWrites().empty());
  panel->OnSetCursor(250, 10);
  EXPECT_EQ(c.settings.TakeWrites(), (std::vector<std::string>{"setup_x=250"}));
  panel->OnSetCursor(250, -12345);
  EXPECT_EQ(c.settings.TakeWrites(), (std::vector<std::string>{"setup_y=-12345"}));
}

}  // namespace
}  // namespace zd

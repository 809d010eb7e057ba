#include <gtest/gtest.h>

#include "control/control_panel.h"
#include "control/window_fakes.h"
#include "platform/host_automation.h"

namespace zd {
namespace {

// The region, DXCC and extended DXCC windows open and shown from the start.
struct RefreshFixture : testing::PanelFixture {
  void Start(bool withHost = true) {
    for (StatusKind k : {StatusKind::kRegion, StatusKind::kDxcc, StatusKind::kExtendedDxcc}) {
      windows.open[Index(k)] = windows.visible[Index(k)] = true;
    }
    PanelFixture::Start(withHost);
    host.macros.clear();
  }
  // Runs one refresh and returns what the status windows were told.
  std::vector<std::string> Refresh() {
    windows.log.clear();
    c.contest.RefreshPending().store(0);
    panel->RefreshStatus();
    EXPECT_EQ(c.contest.RefreshPending().load(), 1) << "every way out re-arms the call check";
    return windows.log;
  }
};

TEST(BandAndModeMapping, FromTheHostsFrequencyAndMode) {
  const std::pair<long long, int> bands[] = {{1, 0},  {3, 1},  {7, 2},  {14, 3},  {21, 4},
                                             {28, 5}, {0, -1}, {5, -1}, {10, -1}, {50, -1}};
  for (auto [mhz, band] : bands) EXPECT_EQ(BandIndexFromMHz(mhz), band) << mhz;
  EXPECT_EQ(BandText(1), "80m");
  EXPECT_EQ(BandText(-1), "");
  EXPECT_EQ(BandText(6), "");

  EXPECT_EQ(DisplayModeText("BPSK31"), "BPSK63");
  EXPECT_EQ(DisplayModeText("SSB"), "SSB");
  EXPECT_EQ(ModeIndexFromText("RTTY"), 0);
  EXPECT_EQ(ModeIndexFromText("BPSK63"), 1);
  EXPECT_EQ(ModeIndexFromText("CW"), 2);
  for (const char* other : {"SSB", "FM", "rtty", "BPSK125", ""}) {
    EXPECT_EQ(ModeIndexFromText(other), -1) << other;
  }
}

TEST_F(RefreshFixture, WindowsAreToldTheHostsCallBandAndMode) {
  Start();
  host.call = "DL1ABC";
  host.mode = "BPSK31";
  host.frequency = 3573000.0;
  EXPECT_EQ(Refresh(), (std::vector<std::string>{"refresh region DL1ABC|1|1|BPSK63|80m",
                                                 "refresh extended DL1ABC|1|1|BPSK63|80m",
                                                 "refresh dxcc DL1ABC|1|1|BPSK63|80m"}));
  EXPECT_EQ(host.lastField, host::kHostFieldCall);
  EXPECT_EQ(c.state.current.call, "DL1ABC");
  EXPECT_EQ(c.state.current.band, 1);
  EXPECT_EQ(c.state.current.mode, 1);
}

TEST_F(RefreshFixture, OutsideTheBandsAndModesNothingHasAColumn) {
  Start();
  host.frequency = 5357000.0;
  host.mode = "SSB";
  EXPECT_EQ(Refresh()[0], "refresh region |-1|-1|SSB|");
  host.frequency = 14080000.0;
  EXPECT_EQ(Refresh()[0], "refresh region |3|-1|SSB|20m");
  EXPECT_EQ(WorkedListIndex(c.state.current.band, c.state.current.mode), -1);
  host.mode = "CW";
  EXPECT_EQ(Refresh()[0], "refresh region |3|2|CW|20m");
}

TEST_F(RefreshFixture, OneOrTwoCharactersChangeNothing) {
  Start();
  host.call = "DL1";
  Refresh();
  host.call = "D";
  host.frequency = 7040000.0;
  EXPECT_TRUE(Refresh().empty());
  host.call = "DL";
  EXPECT_TRUE(Refresh().empty());
  EXPECT_EQ(c.state.current.call, "DL");
  EXPECT_EQ(c.state.current.band, 3) << "band and mode stay as the last full refresh left them";
  host.call = "DL1";
  EXPECT_EQ(Refresh().size(), 3u);
  EXPECT_EQ(c.state.current.band, 2);
}

TEST_F(RefreshFixture, Sp1IsSentWhenTheDialMovedMoreThan300Hz) {
  Start();
  host.frequency = 14080000.0;
  Refresh();
  EXPECT_EQ(host.macros, (std::vector<std::string>{"<SP1>"})) << "the first refresh sends it";
  host.macros.clear();
  host.frequency += 250.0;
  Refresh();
  EXPECT_TRUE(host.macros.empty());
  host.frequency = 14080000.0 + 300.0;
  Refresh();
  EXPECT_TRUE(host.macros.empty()) << "300 Hz exactly is not more than 300";
  host.frequency = 14080000.0 + 301.0;
  Refresh();
  EXPECT_EQ(host.macros, (std::vector<std::string>{"<SP1>"}));
  EXPECT_EQ(c.state.lastFrequency, 14080301.0);
  host.macros.clear();
  host.frequency -= 250.0;
  Refresh();
  EXPECT_TRUE(host.macros.empty()) << "the new frequency became the reference";
}

TEST_F(RefreshFixture, WithoutTheHostOnlyTheOptionsAreApplied) {
  c.settings.Set("DXCC", "1");
  Start(false);
  windows.open[Index(StatusKind::kDxcc)] = false;
  EXPECT_EQ(Refresh(), (std::vector<std::string>{"open dxcc"}));
  EXPECT_EQ(host.calls, 0);
}

TEST_F(RefreshFixture, AFailingHostCallEndsTheRefreshThere) {
  Start();
  host.frequency = 14080000.0;
  host.call = "DL1ABC";
  Refresh();
  for (int failAt = 1; failAt <= 3; ++failAt) {
    SCOPED_TRACE(failAt);
    host.failFrom = host.calls + failAt;
    host.frequency += 1000.0;
    EXPECT_TRUE(Refresh().empty());
    host.failFrom = 0;
  }
  // The fourth call of a refresh is "<SP1>": its failure leaves the reference alone.
  const double before = c.state.lastFrequency;
  host.failFrom = host.calls + 4;
  host.frequency += 1000.0;
  EXPECT_TRUE(Refresh().empty());
  EXPECT_EQ(c.state.lastFrequency, before);
  host.failFrom = 0;
  EXPECT_EQ(Refresh().size(), 3u);
}

TEST_F(RefreshFixture, ARefreshDispatchedInsideAnotherRunsAfterIt) {
  Start();
  int nested = 0;
  windows.onRefresh = [&](StatusKind k, const RefreshView&) {
    if (k == StatusKind::kRegion && nested++ == 0) panel->RefreshStatus();
  };
  view.refreshPosts = 0;
  Refresh();
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(windows.log.size(), 3u) << "the inner request did not run inside the outer one";
  EXPECT_EQ(view.refreshPosts, 1) << "it was posted again";
}

TEST_F(RefreshFixture, ClosedWindowsAreNotRefreshed) {
  Start();
  windows.open[Index(StatusKind::kExtendedDxcc)] = false;
  windows.open[Index(StatusKind::kRegion)] = false;
  EXPECT_EQ(Refresh(), (std::vector<std::string>{"refresh dxcc |3|0|RTTY|20m"}));
}

}  // namespace
}  // namespace zd

// One thread plays the host: it logs, removes and scores tens of thousands of QSOs. Another
// plays the window thread: it runs the status refresh, the status windows' reads and the
// band-change tick as fast as it can. Run under ThreadSanitizer by `make test`.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

#include "control/control_panel.h"
#include "control/refresh_requests.h"
#include "control/window_fakes.h"
#include "module/export_work.h"
#include "platform/ole_date.h"
#include "status_windows/band_change.h"
#include "status_windows/info_panel.h"

namespace zd {
namespace {

// Status windows that read what the real ones read, through the contest's snapshots.
class ReadingWindows final : public StatusWindows {
 public:
  explicit ReadingWindows(WindowState& state) : contest_(state.contest), worked_(state.worked) {}
  bool IsOpen(StatusKind) const override { return true; }
  bool Open(StatusKind) override { return true; }
  void Close(StatusKind) override {}
  void Forget(StatusKind) override {}
  bool IsVisible(StatusKind) const override { return true; }
  void Refresh(StatusKind kind, const RefreshView& v) override {
    const int index = WorkedListIndex(v.band, v.mode);
    switch (kind) {
      case StatusKind::kRegion:
        seen += worked_.Regions(index).size();
        break;
      case StatusKind::kDxcc: {
        const BandRows rows = CallInfoRows(contest_.QsosOf(v.call));
        seen += rows[0].size() + worked_.Entities(index).size();
        break;
      }
      case StatusKind::kExtendedDxcc:
        for (int i = 0; i < kWorkedLists; ++i) seen += worked_.Entities(i).size();
        break;
      case StatusKind::kBandChange:
        break;
    }
    ++refreshes;
  }
  long refreshes = 0;
  std::size_t seen = 0;

 private:
  Contest& contest_;
  WorkedLists& worked_;
};

QsoArgs Qso(int i, const std::string& call, double date) {
  static const char* bands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
  static const char* modes[] = {"RTTY", "BPSK63"};
  static const char* regions[] = {"MA", "SP", "NO", "KK", "AD"};
  QsoArgs a;
  a.ownCall = "UA3AAA";
  a.call = call;
  a.time = OleDateTime{date};
  a.freqHz = 14080000;
  a.band = bands[(i / 3) % 6];
  a.mode = modes[(i / 7) % 2];
  a.rstSent = a.rstRcvd = "599";
  a.exchSent = "MA";
  const bool russian = i % 4 == 0;
  a.prefix = russian ? "UA" : (i % 4 == 1 ? "DL" : "JA");
  a.continent = i % 4 == 3 ? "AS" : "EU";
  a.exchRcvd = russian ? regions[i % 5] : "123";
  return a;
}

TEST(RefreshStress, HostLogsWhileTheWindowThreadRefreshes) {
  testing::MemorySettings settings;
  const double start = *DateFromCivil(2026, 12, 8, 10, 0, 0);
  ManualClock clock(start + 5.0 / 1440);
  // The control window is open: refresh requests are counted, never waited for.
  test::RecordingUi ui;
  ui.controlWindow = true;
  ExportWork work(settings, clock, ui);
  Contest& contest = work.contest();
  WindowState state(contest, work.worked(), settings, clock);
  settings.Set("RusObl", "1");
  settings.Set("DXCC", "1");
  settings.Set("setup_view_dxcc_extended", "1");
  settings.Set("Timer", "1");

  constexpr int kQsos = 20000;
  std::atomic<bool> done{false};
  std::atomic<int> logged{0};
  long windowRounds = 0;

  std::thread window([&] {
    testing::FakeHost host;
    testing::FakeView view;
    view.host = &host;
    ReadingWindows windows(state);
    ControlPanel panel(state, view, windows);
    panel.Initialise();
    BandChangeTicker ticker(contest, clock);
    long round = 0;
    while (!done.load() || round < 100) {
      host.call = (round % 3 == 0) ? "" : "UA" + std::to_string(round % 50) + "X";
      host.frequency = (round % 2 ? 14080000.0 : 7040000.0) + static_cast<double>(round % 700);
      host.mode = (round % 5 == 0) ? "SSB" : (round % 2 ? "BPSK31" : "RTTY");
      panel.RefreshStatus();
      ticker.Tick();
      if (round % 64 == 0) host.macros.clear();
      ++round;
    }
    windowRounds = round;
    EXPECT_GT(windows.refreshes, 0);
  });

  int removed = 0;
  for (int i = 0; i < kQsos; ++i) {
    const std::string call = "UA" + std::to_string(i % 977) + "X";
    const double date = start + (i % 3000) / 86400.0;
    ASSERT_EQ(work.AddData(Qso(i, call, date)), 1);
    logged.fetch_add(1);
    if (i % 10 == 9) {
      const int j = i - 5;
      if (work.RemoveData(
              Qso(j, "UA" + std::to_string(j % 977) + "X", start + (j % 3000) / 86400.0)) == 1) {
        ++removed;
      }
    }
    if (i % 400 == 0) {
      CheckArgs check;
      check.call = call;
      check.mode = "RTTY";
      check.prefix = "UA";
      check.band = "20m";
      work.CheckCall(check);
    }
    if (i % 1000 == 999) work.GetResult();
  }
  done.store(true);
  window.join();

  EXPECT_EQ(contest.LogSize(), static_cast<std::size_t>(kQsos - removed));
  EXPECT_EQ(removed, kQsos / 10);
  EXPECT_GE(windowRounds, 100);
  EXPECT_GT(ui.refreshPosts.load(), 0);
  EXPECT_EQ(contest.RefreshPending().load(), 1);
  EXPECT_NE(std::string(work.GetResult()), "");
}

// The host asks for a refresh after every change; the window thread's queue never holds
// more than one refresh message, and the last refresh always sees the last change.
TEST(RefreshRequests, OneMessageAtATimeAndNoChangeLeftUnshown) {
  RefreshRequests requests;
  std::mutex queueLock;
  std::deque<int> queue;  // the window thread's queue of refresh messages
  std::size_t longest = 0;
  std::atomic<int> version{0};
  std::atomic<bool> done{false};
  int taken = 0;  // window thread only, read after it ends
  constexpr int kChanges = 50000;

  const auto takeOne = [&](int& shown) {
    {
      std::lock_guard<std::mutex> lock(queueLock);
      if (queue.empty()) return false;
      queue.pop_front();
    }
    requests.Taken();  // before the refresh reads anything
    shown = version.load();
    ++taken;
    return true;
  };
  int shown = -1;
  std::thread window([&] {
    while (!done.load()) takeOne(shown);
  });
  for (int i = 1; i <= kChanges; ++i) {
    version.store(i);
    if (requests.Ask()) {
      std::lock_guard<std::mutex> lock(queueLock);
      queue.push_back(i);
      longest = std::max(longest, queue.size());
    }
    if (i % 64 == 0) std::this_thread::yield();  // lets the window thread take its turns
  }
  done.store(true);
  window.join();
  while (takeOne(shown)) {
  }
  EXPECT_EQ(longest, 1u);
  EXPECT_GT(taken, 1) << "the window thread never ran during the changes";
  EXPECT_EQ(shown, kChanges) << "the last change was never shown";
}

}  // namespace
}  // namespace zd

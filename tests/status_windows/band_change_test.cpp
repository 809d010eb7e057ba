#include "status_windows/band_change.h"

#include <gtest/gtest.h>

#include "control/window_fakes.h"
#include "platform/ole_date.h"
#include "support/contest_calls.h"

namespace zd {
namespace {

struct BandChangeFixture : ::testing::Test {
  testing::ContestFixture c;
  BandChangeTicker ticker{c.contest, c.clock};

  // Local time 8 December 2026 at 10:mm.
  void At(int minute, int second = 30) {
    c.clock.Set(*DateFromCivil(2026, 12, 8, 10, minute, second));
  }
  // Logs a QSO at 10:mm on a band; consecutive QSOs on different bands of one hour count.
  void Log(const char* call, const char* band, int minute) {
    test::Qso q;
    q.call = call;
    q.time = OleDateTime{*DateFromCivil(2026, 12, 8, 10, minute, 0)};
    q.band = band;
    ASSERT_EQ(c.work.AddData(q.Args()), 1);
  }
  void LogChanges(int changes) {
    At(5);  // the counter only counts QSOs of the current hour
    static const char* bands[] = {"20m", "40m"};
    for (int i = 0; i <= changes; ++i) {
      Log(("DL" + std::to_string(i) + "ZZ").c_str(), bands[i % 2], 5);
    }
  }
};

TEST_F(BandChangeFixture, MinutesLeftInTheHour) {
  At(1);
  EXPECT_EQ(ticker.Tick().minutesLeft, 59);
  At(59, 59);
  EXPECT_EQ(ticker.Tick().minutesLeft, 1);
  At(30, 0);
  const BandChangeTick t = ticker.Tick();
  EXPECT_EQ(t.minutesLeft, 30);
  EXPECT_FALSE(t.repaint);
  EXPECT_EQ(t.indicator, kGreen);
}

TEST_F(BandChangeFixture, CountsAndTurnsRedAtTheTenthChange) {
  LogChanges(9);
  At(20);
  BandChangeTick t = ticker.Tick();
  EXPECT_EQ(t.count, 9);
  EXPECT_EQ(t.indicator, kGreen);
  EXPECT_FALSE(t.repaint);
  Log("DL99ZZ", "20m", 6);  // the previous QSO was on 40m: the tenth change
  t = ticker.Tick();
  EXPECT_EQ(t.count, 10);
  EXPECT_EQ(t.indicator, kRed);
  EXPECT_TRUE(t.repaint);
}

TEST_F(BandChangeFixture, OnceRedItStaysRedUntilTheTopOfTheHour) {
  LogChanges(10);
  At(20);
  EXPECT_EQ(ticker.Tick().indicator, kRed);
  c.contest.ResetBandChangeCount();  // as a removal lowering the count would
  BandChangeTick t = ticker.Tick();
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(t.indicator, kRed);
  EXPECT_FALSE(t.repaint);

  At(0, 10);  // minute 0 of the next hour
  t = ticker.Tick();
  EXPECT_EQ(t.indicator, kGreen);
  EXPECT_TRUE(t.repaint);
  EXPECT_EQ(t.minutesLeft, 0);
}

TEST_F(BandChangeFixture, EveryTickOfMinuteZeroClearsTheCounter) {
  LogChanges(12);
  At(0, 5);
  BandChangeTick t = ticker.Tick();
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(t.minutesLeft, 0);
  EXPECT_EQ(c.contest.BandChangeCount(), 0);
  EXPECT_EQ(t.indicator, kGreen);
  At(0, 50);
  EXPECT_EQ(ticker.Tick().count, 0);
}

}  // namespace
}  // namespace zd

#include "platform/test_clock.h"

#include <gtest/gtest.h>

#include "platform/ole_date.h"

namespace zd {
namespace {

TEST(TestClock, ReadsOneMomentOrNothing) {
  EXPECT_EQ(ParseTestClock("2026-12-08 10:59:30"), DateFromCivil(2026, 12, 8, 10, 59, 30));
  EXPECT_EQ(ParseTestClock("2026-12-08T00:00:00"), DateFromCivil(2026, 12, 8, 0, 0, 0));
  for (const char* bad :
       {"", "2026-12-08 10:59", "2026-12-08 24:00:00", "2026-13-08 10:00:00", "2026-12-08 10:60:00",
        "2026/12/08 10:00:00", "2026-12-08 1a:00:00", "2026-02-30 10:00:00 "}) {
    EXPECT_FALSE(ParseTestClock(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace zd

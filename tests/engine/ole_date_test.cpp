#include "engine/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zd {
namespace {

TEST(OleDate, KnownDates) {
  auto c = CivilFromDate(0.0);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->year, 1899);
  EXPECT_EQ(c->month, 12);
  EXPECT_EQ(c->day, 30);
  // Negative dates keep a positive time of day: -1.25 is 29 December 1899, 06:00.
  c = CivilFromDate(-1.25);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->day, 29);
  EXPECT_EQ(c->hour, 6);
  const auto d = DateFromCivil(2014, 12, 21, 12, 5, 0);
  ASSERT_TRUE(d);
  EXPECT_EQ(FormatDate({*d, kDateValid}, "%Y-%m-%d %H%M"), "2014-12-21 1205");
  EXPECT_EQ(FormatDate({*d, kDateValid}, "%d_%m_%Y"), "21_12_2014");
  EXPECT_EQ(FormatDate({*d, kDateValid}, "%d.%m.%Y %H:%M"), "21.12.2014 12:05");
}

TEST(OleDate, RoundsToTheNearestSecond) {
  const double midnight = *DateFromCivil(2020, 2, 28, 0, 0, 0);
  const auto c = CivilFromDate(midnight - 0.4 / 86400.0);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->day, 28);
  EXPECT_EQ(c->hour, 0);
  EXPECT_EQ(c->second, 0);
}

TEST(OleDate, InvalidValuesAndStatuses) {
  EXPECT_FALSE(CivilFromDate(std::nan("")));
  EXPECT_FALSE(CivilFromDate(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(CivilFromDate(1e300));
  EXPECT_FALSE(CivilFromDate(-1e300));
  EXPECT_TRUE(CivilFromDate(kMinDate));
  EXPECT_TRUE(CivilFromDate(kMaxDate));
  EXPECT_EQ(QsoHour({0.5, kDateInvalid}), -1);
  EXPECT_EQ(QsoHour({0.5, kDateValid}), 12);
  EXPECT_EQ(QsoHour({0.5, 77}), -1);
  EXPECT_EQ(FormatDate({0.5, kDateNull}, "%H%M"), "");
  EXPECT_EQ(FormatDate({0.5, kDateInvalid}, "%H%M"), "Invalid DateTime");
}

TEST(OleDate, WholeMinutes) {
  const double t = *DateFromCivil(2022, 3, 19, 12, 0, 0);
  EXPECT_EQ(WholeMinutesBetween(t, t + 59.6 / 86400.0), 1);  // half a second rounds up
  EXPECT_EQ(WholeMinutesBetween(t, t + 59.4 / 86400.0), 0);
  EXPECT_EQ(WholeMinutesBetween(t + 120.0 / 86400.0, t), -2);
  EXPECT_FALSE(WholeMinutesBetween(t, std::nan("")));
  EXPECT_FALSE(WholeMinutesBetween(-1e300, 1e300));
  // Across the epoch, where DATE values stop being linear.
  EXPECT_EQ(WholeMinutesBetween(-1.25, 0.25), 1440);
  EXPECT_EQ(WholeMinutesBetween(-0.75, 0.25), -720);  // -0.75 is 18:00 on 30 December
}

}  // namespace
}  // namespace zd

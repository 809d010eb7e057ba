#include "platform/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <tuple>

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

TEST(OleDate, RoundingCarriesIntoTheNextDay) {
  constexpr double kSecond = 1.0 / 86400.0;
  // 31 December 1899, 23:59:59.6 is Monday 1 January 1900 00:00:00; every field, the day
  // of the week and of the year included, belongs to the rounded day.
  auto c = CivilFromDate(2.0 - 0.4 * kSecond);
  ASSERT_TRUE(c);
  EXPECT_EQ(FormatDate({2.0 - 0.4 * kSecond, kDateValid}, "%Y-%m-%d %H:%M:%S"),
            "1900-01-01 00:00:00");
  EXPECT_EQ(c->dayOfWeek, 1);
  EXPECT_EQ(c->dayOfYear, 1);
  c = CivilFromDate(2.0 - 0.6 * kSecond);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->day, 31);
  EXPECT_EQ(c->second, 59);
  EXPECT_EQ(c->dayOfWeek, 0);
  EXPECT_EQ(c->dayOfYear, 365);
  // Before the epoch the time of day counts away from zero: -1.99999... is 29 December
  // 23:59:59.6, which rounds to 30 December.
  c = CivilFromDate(-2.0 + 0.4 * kSecond);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->day, 30);
  EXPECT_EQ(c->hour, 0);
  EXPECT_EQ(c->dayOfWeek, 6);
  // 28 February of a leap year rolls into the 29th, and the last second of the range
  // into the year 10000.
  const double feb28 = *DateFromCivil(2024, 2, 28, 0, 0, 0);
  EXPECT_EQ(FormatDate({feb28 + 1.0 - 0.4 * kSecond, kDateValid}, "%d.%m.%Y"), "29.02.2024");
  EXPECT_EQ(FormatDate({kMaxDate + 1.0 - 0.4 * kSecond, kDateValid}, "%d.%m.%Y"), "01.01.10000");
  EXPECT_FALSE(CivilFromDate(kMaxDate + 1.0));
  EXPECT_FALSE(CivilFromDate(kMinDate - 1.0));
  EXPECT_TRUE(CivilFromDate(std::nextafter(kMinDate - 1.0, 0.0)));
}

TEST(OleDate, FieldsSurviveTheRoundTripOverTheWholeRange) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> year(100, 9999), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59);
  for (int i = 0; i < 5000; ++i) {
    const int y = year(rng), mo = month(rng), d = day(rng), h = hour(rng), mi = minute(rng),
              s = minute(rng);
    const auto date = DateFromCivil(y, mo, d, h, mi, s);
    ASSERT_TRUE(date);
    const auto c = CivilFromDate(*date);
    ASSERT_TRUE(c);
    ASSERT_EQ(std::tie(c->year, c->month, c->day, c->hour, c->minute, c->second),
              std::tie(y, mo, d, h, mi, s))
        << *date;
  }
  EXPECT_EQ(DateFromCivil(100, 1, 1, 0, 0, 0), kMinDate);
  EXPECT_EQ(DateFromCivil(9999, 12, 31, 0, 0, 0), kMaxDate);
}

TEST(OleDate, FieldsOutOfRangeAreRefused) {
  // The platform's own conversion rolls such fields over (29 February 1900 becomes
  // 1 March, year 25 becomes 2025); the module never builds a date from them.
  EXPECT_TRUE(DateFromCivil(2000, 2, 29, 0, 0, 0));
  const int refused[][6] = {{1900, 2, 29, 0, 0, 0}, {2023, 4, 31, 0, 0, 0}, {99, 12, 31, 0, 0, 0},
                            {25, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0}, {2000, 0, 1, 0, 0, 0},
                            {2000, 13, 1, 0, 0, 0}, {2000, 1, 0, 0, 0, 0},  {2000, 1, 1, 24, 0, 0},
                            {2000, 1, 1, 0, 60, 0}, {2000, 1, 1, 0, 0, 60}, {2000, 1, 1, -1, 0, 0}};
  for (const auto& f : refused) {
    EXPECT_FALSE(DateFromCivil(f[0], f[1], f[2], f[3], f[4], f[5]))
        << f[0] << "-" << f[1] << "-" << f[2] << " " << f[3] << ":" << f[4] << ":" << f[5];
  }
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

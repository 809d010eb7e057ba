// The portable DATE arithmetic against the platform's own conversions: every value is
// converted both ways and the results must agree on validity and on every field.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/ole_date.h"

namespace zd {
namespace {

constexpr double kSecond = 1.0 / 86400.0;

std::string Show(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string Show(int y, int mo, int d, int h, int mi, int s, int wd, int yd) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d wd%d yd%d", y, mo, d, h, mi, s, wd,
                yd);
  return buf;
}

// Compares one DATE; returns an empty text on agreement, else what differed.
std::string CompareOne(double v) {
  SYSTEMTIME st{};
  const bool platformOk = VariantTimeToSystemTime(v, &st) != 0;
  UDATE ud{};
  const bool udateOk = SUCCEEDED(VarUdateFromDate(v, 0, &ud));
  const auto ours = CivilFromDate(v);
  if (platformOk != udateOk) return Show(v) + ": the platform's two conversions disagree";
  if (platformOk != ours.has_value()) {
    return Show(v) + (platformOk ? ": valid for the platform, not for us"
                                 : ": valid for us, not for the platform");
  }
  if (!platformOk) return {};
  // The platform takes the day of the week and of the year before it rounds to the
  // nearest second; when that rounding carries into the next day, both still belong to
  // the day before. The module's fields all describe the rounded day.
  int weekDay = ours->dayOfWeek, yearDay = ours->dayOfYear;
  const auto unrounded = CivilFromDate(std::trunc(v));
  if (unrounded && unrounded->day != ours->day) {
    weekDay = unrounded->dayOfWeek;
    yearDay = unrounded->dayOfYear;
  }
  const std::string theirs = Show(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                                  st.wDayOfWeek, ud.wDayOfYear);
  const std::string mine = Show(ours->year, ours->month, ours->day, ours->hour, ours->minute,
                                ours->second, weekDay, yearDay);
  if (theirs != mine) return Show(v) + ": platform " + theirs + ", ours " + mine;
  return {};
}

void ExpectAllAgree(const std::vector<double>& values) {
  int failures = 0;
  for (double v : values) {
    const std::string diff = CompareOne(v);
    if (diff.empty()) continue;
    if (++failures <= 25) ADD_FAILURE() << diff;
  }
  EXPECT_EQ(failures, 0) << "of " << values.size() << " values";
}

TEST(OleDatePlatform, RandomValuesOverTheWholeRange) {
  std::mt19937_64 rng(20240301);
  std::uniform_real_distribution<double> any(kMinDate - 3.0, kMaxDate + 3.0);
  std::uniform_real_distribution<double> modern(-3.0, 80000.0);
  std::uniform_real_distribution<double> negative(kMinDate - 1.0, 0.0);
  std::vector<double> values;
  for (int i = 0; i < 1500; ++i) values.push_back(any(rng));
  for (int i = 0; i < 1000; ++i) values.push_back(modern(rng));
  for (int i = 0; i < 1000; ++i) values.push_back(negative(rng));
  ExpectAllAgree(values);
}

TEST(OleDatePlatform, FractionsOfASecondAroundMidnight) {
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> day(static_cast<int>(kMinDate), static_cast<int>(kMaxDate));
  std::vector<int> days = {0,       1,       -1,     2,      -2,     59,     60,      61,
                           -365,    36524,   36525,  36526,  73048,  73049,  2958464, -657433,
                           -657434, 2958465, -36159, -36160, 109574, -109574};
  for (int i = 0; i < 300; ++i) days.push_back(day(rng));
  std::vector<double> values;
  for (int k : days) {
    const double d = k;
    // The last second of the day, seen from both sides of the half-second rounding.
    for (double s : {0.4, 0.5, 0.6, 0.49999, 0.50001, 1.4, 1.6}) {
      values.push_back(d + 1.0 - s * kSecond);
      values.push_back(d - 1.0 + s * kSecond);
      values.push_back(d + s * kSecond);
      values.push_back(d - s * kSecond);
    }
    values.push_back(std::nextafter(d + 1.0, d));
    values.push_back(std::nextafter(d, d - 1.0));
    values.push_back(std::nextafter(d, d + 1.0));
    values.push_back(d + 0.5);
    values.push_back(d - 0.5);
  }
  ExpectAllAgree(values);
}

TEST(OleDatePlatform, RangeEndsAndValuesThatAreNoDate) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> values = {
      kMinDate,
      kMaxDate,
      kMinDate - 1.0,
      kMaxDate + 1.0,
      std::nextafter(kMinDate - 1.0, 0.0),
      std::nextafter(kMaxDate + 1.0, 0.0),
      std::nextafter(kMinDate - 1.0, -inf),
      std::nextafter(kMaxDate + 1.0, inf),
      kMinDate - 0.5,
      kMaxDate + 0.5,
      kMinDate - 1.0 + 0.4 * kSecond,
      kMaxDate + 1.0 - 0.4 * kSecond,
      kMaxDate + 1.0 - 0.6 * kSecond,
      kMinDate - 2.0,
      kMaxDate + 2.0,
      0.0,
      -0.0,
      std::numeric_limits<double>::denorm_min(),
      -std::numeric_limits<double>::denorm_min(),
      1e300,
      -1e300,
      std::numeric_limits<double>::max(),
      std::numeric_limits<double>::lowest(),
      inf,
      -inf,
      // Not a number is left out: the platform's range test lets it through to its
      // integer conversion, which makes up 30 December 1899. For the module it is no
      // date at all.
  };
  ExpectAllAgree(values);
}

TEST(OleDatePlatform, DatesFromFieldsAreTheSameDoubles) {
  std::mt19937_64 rng(99);
  std::uniform_int_distribution<int> year(100, 9999), month(1, 12), hour(0, 23), minute(0, 59);
  static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  struct Fields {
    int y, mo, d, h, mi, s;
  };
  std::vector<Fields> cases = {
      {100, 1, 1, 0, 0, 0},       {100, 1, 1, 23, 59, 59}, {9999, 12, 31, 23, 59, 59},
      {9999, 12, 31, 0, 0, 0},    {1899, 12, 30, 0, 0, 0}, {1899, 12, 30, 12, 0, 0},
      {1899, 12, 29, 23, 59, 59}, {1899, 12, 31, 0, 0, 1}, {2000, 2, 29, 6, 30, 0},
      {1600, 2, 29, 18, 0, 0},    {2024, 3, 19, 12, 0, 0}, {1970, 1, 1, 0, 0, 0}};
  for (int i = 0; i < 3000; ++i) {
    const int y = year(rng), mo = month(rng);
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    std::uniform_int_distribution<int> day(1, kMonthDays[mo - 1] + (mo == 2 && leap ? 1 : 0));
    cases.push_back({y, mo, day(rng), hour(rng), minute(rng), minute(rng)});
  }
  int failures = 0;
  for (const Fields& f : cases) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(f.y);
    st.wMonth = static_cast<WORD>(f.mo);
    st.wDay = static_cast<WORD>(f.d);
    st.wHour = static_cast<WORD>(f.h);
    st.wMinute = static_cast<WORD>(f.mi);
    st.wSecond = static_cast<WORD>(f.s);
    double theirs = 0.0;
    const bool platformOk = SystemTimeToVariantTime(&st, &theirs) != 0;
    const auto ours = DateFromCivil(f.y, f.mo, f.d, f.h, f.mi, f.s);
    const std::string what = Show(f.y, f.mo, f.d, f.h, f.mi, f.s, 0, 0);
    if (!platformOk || !ours) {
      if (++failures <= 25)
        ADD_FAILURE() << what << ": refused by " << (ours ? "the platform" : "us");
      continue;
    }
    if (std::memcmp(&theirs, &*ours, sizeof theirs) != 0) {
      if (++failures <= 25)
        ADD_FAILURE() << what << ": platform " << Show(theirs) << ", ours " << Show(*ours);
      continue;
    }
    // And back: the fields come out as they went in.
    if (!CompareOne(*ours).empty()) {
      if (++failures <= 25) ADD_FAILURE() << CompareOne(*ours);
    }
  }
  EXPECT_EQ(failures, 0) << "of " << cases.size() << " cases";
}

}  // namespace
}  // namespace zd

// The host's date-time record and the calendar arithmetic on its DATE value
// (days since midnight 30 December 1899; the fraction is the time of day, and for
// negative values the time of day is the fraction's absolute value).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zd {

enum DateStatus : int32_t { kDateValid = 0, kDateInvalid = 1, kDateNull = 2 };

// Layout of the record the host passes by pointer: DATE, then a 32-bit status.
struct OleDateTime {
  double date = 0.0;
  int32_t status = kDateValid;
};

struct CivilTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
  int dayOfWeek = 0;  // 0 = Sunday
  int dayOfYear = 0;  // 1..366
};

// Smallest and largest DATE whose day lies in the years 100 to 9999.
inline constexpr double kMinDate = -657434.0;  // 1 January 100
inline constexpr double kMaxDate = 2958465.0;  // 31 December 9999

// Calendar fields of a DATE, rounded to the nearest second the way the platform's
// conversion rounds. Empty for a non-finite value or a day outside the years 100..9999.
std::optional<CivilTime> CivilFromDate(double date);
// DATE of calendar fields; empty when they are out of range.
std::optional<double> DateFromCivil(int year, int month, int day, int hour, int minute, int second);

// Calendar fields of a record, or empty when its status is not valid or the value
// cannot be converted.
std::optional<CivilTime> CivilFromRecord(const OleDateTime& t);

// Hour 0..23 of a QSO time, or -1 when the time is not valid.
int QsoHour(const OleDateTime& t);

// strftime-like formatting with the directives %Y %m %d %H %M %S %%. A null record
// formats as the empty text and an invalid one as "Invalid DateTime".
std::string FormatDate(const OleDateTime& t, std::string_view format);

// A DATE as a point on a linear day axis (negative DATEs are not linear).
double LinearDays(double date);

// Whole minutes from `from` to `to`: the difference in days plus half a second away
// from zero, times 1440, truncated toward zero. Empty when it is not a finite number
// that fits 64 bits.
std::optional<int64_t> WholeMinutesBetween(double from, double to);

}  // namespace zd

#include "platform/ole_date.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace zd {
namespace {

// Days from 1 March of year 0 (proleptic Gregorian) based algorithms.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

// 30 December 1899 in days since 1 January 1970.
constexpr int64_t kOleEpoch = -25569;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

void AppendNumber(std::string& out, int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  out += buf;
}

}  // namespace

std::optional<CivilTime> CivilFromDate(double date) {
  if (!std::isfinite(date) || date <= kMinDate - 1.0 || date >= kMaxDate + 1.0) {
    return std::nullopt;
  }
  // The day is the integer part toward zero; the time of day the fraction's size.
  const double dayPart = std::trunc(date);
  double timePart = std::fabs(date - dayPart) + 0.00000000001;
  if (timePart >= 1.0) timePart -= 0.00000000001;
  int64_t days = static_cast<int64_t>(dayPart) + kOleEpoch;

  timePart *= 24.0;
  int hour = static_cast<int>(timePart);
  timePart -= hour;
  timePart *= 60.0;
  int minute = static_cast<int>(timePart);
  timePart -= minute;
  timePart *= 60.0;
  int second = static_cast<int>(timePart);
  timePart -= second;
  if (timePart > 0.5) {
    if (++second == 60) {
      second = 0;
      if (++minute == 60) {
        minute = 0;
        if (++hour == 24) {
          hour = 0;
          ++days;
        }
      }
    }
  }
  CivilTime c;
  CivilFromDays(days, c.year, c.month, c.day);
  c.hour = hour;
  c.minute = minute;
  c.second = second;
  c.dayOfWeek = static_cast<int>(((days % 7) + 7 + 4) % 7);  // 1 January 1970 was a Thursday
  c.dayOfYear = static_cast<int>(days - DaysFromCivil(c.year, 1, 1)) + 1;
  return c;
}

std::optional<double> DateFromCivil(int year, int month, int day, int hour, int minute,
                                    int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
  static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int maxDay = kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
  if (day > maxDay || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
      second > 59) {
    return std::nullopt;
  }
  const double days = static_cast<double>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kOleEpoch);
  const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  // Before the epoch the time of day is added to the size of the (negative) day.
  return days < 0.0 ? days - time : days + time;
}

std::optional<CivilTime> CivilFromRecord(const OleDateTime& t) {
  if (t.status != kDateValid) return std::nullopt;
  return CivilFromDate(t.date);
}

int QsoHour(const OleDateTime& t) {
  const auto c = CivilFromRecord(t);
  return c ? c->hour : -1;
}

std::string FormatDate(const OleDateTime& t, std::string_view format) {
  if (t.status == kDateNull) return {};
  const auto c = CivilFromRecord(t);
  if (!c) return "Invalid DateTime";
  std::string out;
  out.reserve(format.size() + 8);
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      out += format[i];
      continue;
    }
    // The directives: a field and its width in digits.
    struct Directive {
      char letter;
      int CivilTime::*field;
      int width;
    };
    static constexpr Directive kDirectives[] = {
        {'Y', &CivilTime::year, 4}, {'m', &CivilTime::month, 2},  {'d', &CivilTime::day, 2},
        {'H', &CivilTime::hour, 2}, {'M', &CivilTime::minute, 2}, {'S', &CivilTime::second, 2}};
    const char letter = format[++i];
    const auto d = std::find_if(std::begin(kDirectives), std::end(kDirectives),
                                [letter](const Directive& x) { return x.letter == letter; });
    if (d != std::end(kDirectives)) {
      AppendNumber(out, (*c).*(d->field), d->width);
    } else {
      out += '%';
      if (letter != '%') out += letter;
    }
  }
  return out;
}

double LinearDays(double date) {
  if (date >= 0.0) return date;
  const double day = std::ceil(date);
  return day - (date - day);
}

std::optional<int64_t> WholeMinutesBetween(double from, double to) {
  constexpr double kHalfSecond = 1.0 / (2.0 * 60.0 * 60.0 * 24.0);
  const double span = LinearDays(to) - LinearDays(from);
  const double minutes = (span + (span < 0.0 ? -kHalfSecond : kHalfSecond)) * 1440.0;
  if (!std::isfinite(minutes) || std::fabs(minutes) >= 9.0e18) return std::nullopt;
  return static_cast<int64_t>(minutes);
}

}  // namespace zd

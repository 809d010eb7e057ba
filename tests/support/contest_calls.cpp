#include "support/contest_calls.h"

#include <stdexcept>

namespace zd::test {

double Utc(int year, int month, int day, int hour, int minute, int second) {
  const auto date = DateFromCivil(year, month, day, hour, minute, second);
  if (!date) throw std::invalid_argument("no such calendar time");
  return *date;
}

OleDateTime At(int hour, int minute, int second) {
  return OleDateTime{Utc(2022, 3, 19, hour, minute, second), kDateValid};
}

}  // namespace zd::test

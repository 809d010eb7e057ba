#include "platform/test_clock.h"

#include "platform/ole_date.h"

namespace zd {

std::optional<double> ParseTestClock(std::string_view text) {
  // YYYY-MM-DD HH:MM:SS
  if (text.size() != 19) return std::nullopt;
  const auto number = [&](std::size_t at, std::size_t n) -> std::optional<int> {
    int v = 0;
    for (std::size_t i = at; i < at + n; ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      v = v * 10 + (text[i] - '0');
    }
    return v;
  };
  if (text[4] != '-' || text[7] != '-' || (text[10] != ' ' && text[10] != 'T') || text[13] != ':' ||
      text[16] != ':') {
    return std::nullopt;
  }
  const auto y = number(0, 4), mo = number(5, 2), d = number(8, 2);
  const auto h = number(11, 2), mi = number(14, 2), s = number(17, 2);
  if (!y || !mo || !d || !h || !mi || !s) return std::nullopt;
  if (*mo < 1 || *mo > 12 || *d < 1 || *d > 31 || *h > 23 || *mi > 59 || *s > 59) {
    return std::nullopt;
  }
  return DateFromCivil(*y, *mo, *d, *h, *mi, *s);
}

}  // namespace zd

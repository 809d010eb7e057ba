#include "zorvan_check/near_call.h"

namespace zd::check {

char ShiftCounterpart(char c) {
  static constexpr std::string_view kDigits = "1234567890";
  static constexpr std::string_view kLetters = "QWERTYUIOP";
  if (const auto d = kDigits.find(c); d != std::string_view::npos) return kLetters[d];
  if (const auto l = kLetters.find(c); l != std::string_view::npos) return kDigits[l];
  return 0;
}

bool IsOneEdit(std::string_view a, std::string_view b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1) return false;
  std::size_t i = 0;
  while (i < a.size() && a[i] == b[i]) ++i;
  if (a.size() == b.size()) {
    // One change: everything after the first difference is equal.
    return i < a.size() && a.substr(i + 1) == b.substr(i + 1);
  }
  // One character added to the shorter call.
  return a.substr(i) == b.substr(i + 1);
}

bool IsShiftMiscopy(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t first = a.size(), last = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    if (ShiftCounterpart(a[i]) != b[i]) return false;
    if (first == a.size()) first = i;
    last = i;
  }
  if (first == a.size()) return false;
  // The shifted characters form one run: between the first and the last difference
  // every character that could shift did.
  for (std::size_t i = first; i <= last; ++i) {
    if (a[i] == b[i] && ShiftCounterpart(a[i]) != 0) return false;
  }
  return true;
}

bool IsNearCall(std::string_view a, std::string_view b, bool rtty) {
  if (a == b) return false;
  return IsOneEdit(a, b) || (rtty && IsShiftMiscopy(a, b));
}

}  // namespace zd::check

// When two calls are near enough that one is a miscopy of the other: one character
// changed, added or dropped, or (in RTTY) a letters/figures shift that turned digits
// into the letters of the top row (1 is Q ... 0 is P) or those letters into digits.
#pragma once

#include <string_view>

namespace zd::check {

// One character changed, added or dropped.
bool IsOneEdit(std::string_view a, std::string_view b);
// Same length; every differing position holds a digit in one call and its top-row
// letter in the other, and they form one run.
bool IsShiftMiscopy(std::string_view a, std::string_view b);
// Different calls near enough to be a miscopy; the shift only counts in RTTY.
bool IsNearCall(std::string_view a, std::string_view b, bool rtty);

// The top-row letter of a digit and the digit of a top-row letter; 0 for others.
char ShiftCounterpart(char c);

}  // namespace zd::check

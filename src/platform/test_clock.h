// The module's clock can be set through the environment of the host's process:
// ZD_TEST_CLOCK="YYYY-MM-DD HH:MM:SS" makes both the UTC and the local time read that
// moment (the library has no export for it). It is read at every reading of the clock,
// so the caller can move it while the module runs. The Windows tests set it, and the
// replay's analysis sets it to each QSO's time, so that the call check it makes before
// the QSO is logged answers as it did while the operator typed it. Unset, or not in that
// form: the real clock. Natively and on Windows alike.
#pragma once

#include <optional>
#include <string_view>

namespace zd {

inline constexpr char kTestClockVariable[] = "ZD_TEST_CLOCK";

// The DATE of a "YYYY-MM-DD HH:MM:SS" text, or nothing.
std::optional<double> ParseTestClock(std::string_view text);

}  // namespace zd

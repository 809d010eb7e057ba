// The Windows tests set the module's clock through the environment of the host's process:
// ZD_TEST_CLOCK="YYYY-MM-DD HH:MM:SS" makes both the UTC and the local time read that
// moment (the library has no export for it). It is read at every reading of the clock,
// so a test can move it while the module runs. Unset, or not in that form: the real clock.
#pragma once

#include <optional>
#include <string_view>

namespace zd {

inline constexpr char kTestClockVariable[] = "ZD_TEST_CLOCK";

// The DATE of a "YYYY-MM-DD HH:MM:SS" text, or nothing.
std::optional<double> ParseTestClock(std::string_view text);

}  // namespace zd

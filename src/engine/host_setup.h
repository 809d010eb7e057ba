// What a contest reset learns of the host: its version, from the host's ini file in the
// working folder, and the special-call list beside the module; and what the module does
// differently for the host versions it knows.
#pragma once

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd {

// The version of the running host. When no file matches `pathPrefix` + "*.ini" whose name
// holds "Vevozi2.ini": "Vorlog" (unknown). Otherwise the rest of the first line of
// "Vevozi2.ini" that holds "Vorlog=", or nothing when there is no such line or file (the
// version then stays what it was).
std::optional<std::string> ReadHostVersion(std::string_view pathPrefix);

// Every line of ".\Plugins\call_special.dat", empty ones too; none when it is missing.
std::vector<std::string> ReadSpecialCalls();

// Hosts 2.14 to 2.18 do not get the control window opened by a reset.
constexpr bool IsOlderHost(std::string_view version) {
  constexpr std::string_view kOlderHosts[] = {"2.18", "2.17", "2.16", "2.15", "2.14", "2.14R"};
  return std::find(std::begin(kOlderHosts), std::end(kOlderHosts), version) !=
         std::end(kOlderHosts);
}

// What the call check answers for a band or mode it refuses: 1 to hosts 2.19 and 2.20,
// 4 to every other.
constexpr int RefusedCallCheckCode(std::string_view version) {
  return (version == "2.19" || version == "2.20") ? 1 : 4;
}

}  // namespace zd

// Russian region codes (oblasts) and the region a Russian call sign implies.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zd {

// The 92 region codes a Russian station may send, in their table order.
extern const std::array<std::string_view, 92> kRegionCodes;

inline constexpr std::string_view kRegionSpecialEvent = "SPEC";
inline constexpr std::string_view kRegionUnknown = "STO";

bool IsRegionCode(std::string_view code);
// True for the host's DXCC prefixes of Russia: "UA", "UA2", "UA2/f", "UA9", "CE9/KC4".
bool IsRussianPrefix(std::string_view prefix);
// True for "UA", "UA2", "UA2/f" and "UA9": the prefixes whose calls imply a region.
bool IsRegionPrefix(std::string_view prefix);
// True when an operator of this own DXCC prefix gets the module's messages in Russian:
// the Russian prefixes and "UR", "UN" and "EU". The module and the tools that speak to the
// same operator decide it here.
bool RussianTextFor(std::string_view ownPrefix);

// The region a call implies: a region code, "SPEC" for a special-event call or "STO"
// when none can be derived. `specialCalls` holds the lines of the special-call file:
// a call, a space, any text, and the region code as the last two characters.
std::string RegionFromCall(std::string_view call, const std::vector<std::string>& specialCalls);

}  // namespace zd

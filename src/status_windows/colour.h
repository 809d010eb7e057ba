// Colours of the module's windows: 0x00BBGGRR, the platform's layout.
#pragma once

#include <cstdint>

namespace zd {

using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
         (static_cast<Colour>(b & 0xFF) << 16);
}

// Background of every window of the module.
inline constexpr Colour kWindowBackground = Rgb(255, 250, 198);
inline constexpr Colour kGreen = Rgb(0, 255, 0);
inline constexpr Colour kRed = Rgb(255, 0, 0);
inline constexpr Colour kButtonGrey = Rgb(240, 240, 240);
inline constexpr Colour kLabelBlack = Rgb(1, 1, 1);
inline constexpr Colour kLabelDisabled = Rgb(128, 128, 128);

}  // namespace zd

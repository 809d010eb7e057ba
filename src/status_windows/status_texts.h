// The titles of the status windows, in English or in Russian (code page 1251).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zd {

// "Obl worked RTTY on 20m 12 of 88".
std::string RegionTitle(bool russian, std::string_view modeText, std::string_view bandText,
                        std::size_t count);
// "DXCC worked RTTY on 20m 12 of 338": the DXCC and the extended DXCC windows.
std::string DxccTitle(bool russian, std::string_view modeText, std::string_view bandText,
                      std::size_t count);
// "Worked with UA3ABC": the DXCC window while a call is typed.
std::string WorkedWithTitle(bool russian, std::string_view call);

}  // namespace zd

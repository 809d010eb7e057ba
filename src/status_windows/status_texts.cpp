#include "status_windows/status_texts.h"

#include <initializer_list>

#include "platform/cp1251.h"

namespace zd {
namespace {

constexpr auto kRegionRu = ToCp1251("Отработано обл. %s на %s %s из 88");
constexpr auto kDxccRu = ToCp1251("Отработано стран DXCC %s на %s %s из 338");
constexpr auto kWorkedWithRu = ToCp1251("Работал с %s");

// Puts the values in place of the %s of one of the patterns above, in order. The values
// are never read as patterns themselves.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string out;
  auto value = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
        value != values.end()) {
      out += *value++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace

std::string RegionTitle(bool russian, std::string_view modeText, std::string_view bandText,
                        std::size_t count) {
  const std::string n = std::to_string(count);
  return Fill(russian ? kRegionRu.view() : "Obl worked %s on %s %s of 88", {modeText, bandText, n});
}

std::string DxccTitle(bool russian, std::string_view modeText, std::string_view bandText,
                      std::size_t count) {
  const std::string n = std::to_string(count);
  return Fill(russian ? kDxccRu.view() : "DXCC worked %s on %s %s of 338", {modeText, bandText, n});
}

std::string WorkedWithTitle(bool russian, std::string_view call) {
  return Fill(russian ? kWorkedWithRu.view() : "Worked with %s", {call});
}

}  // namespace zd

#include "callsign/region.h"

#include <algorithm>

namespace zd {

const std::array<std::string_view, 92> kRegionCodes = {
    "SP", "LO", "KL", "AR", "NO", "VO", "NV", "PS", "MU", "KA", "KO", "MA", "MO", "OR", "LP", "TV",
    "SM", "JA", "YR", "KS", "TL", "VR", "TB", "RA", "IV", "VL", "KU", "KG", "BR", "BO", "VG", "KR",
    "KM", "RO", "AO", "AD", "KC", "ST", "SO", "CN", "IN", "DA", "KB", "NN", "SA", "PE", "SR", "UL",
    "KI", "TA", "MR", "MD", "UD", "CU", "PM", "OB", "BA", "CB", "SV", "HM", "YN", "JN", "TN", "KN",
    "TO", "OM", "NS", "KE", "AL", "GA", "KK", "BU", "IR", "ZK", "HA", "TU", "HK", "EA", "SL", "MG",
    "AM", "CK", "PK", "YA", "SH", "KJ", "KT", "AN", "FJ", "MV", "RK", "SE"};

namespace {

struct PatternRow {
  std::string_view patterns;  // two-character patterns, separated by blanks
  std::string_view region;
};

// Tried row by row, and within a row from left to right: the first pattern present
// decides, so the order of the rows matters.
constexpr PatternRow kPatternRows[] = {
    {"1A 1B 1F 1L 1M", "SP"},
    {"1C 1D 1E", "LO"},
    {"1O", "AR"},
    {"1Q 1R 1S", "VO"},
    {"1Y 1Z", "MU"},
    {"1T", "NV"},
    {"1W 1X", "PS"},
    {"1K 1N", "KL"},
    {"1P", "NO"},
    {"2F 2K", "KA"},
    {"1I 8X 9X", "KO"},
    {"2Z 3Z 5Z", "BO"},
    {"2Y 3Y 5Y", "BR"},
    {"2V 3V 5V", "VL"},
    {"2Q 3Q 5Q 2O 3O 5O 3K 5K", "VR"},
    {"2U 3U 5U", "IV"},
    {"2X 3X 5X", "KG"},
    {"2N 3N 5N", "KS"},
    {"2W 3W 5W", "KU"},
    {"2G 3G 5G", "LP"},
    {"2A 3A 5A 2B 3B 5B 2C 3C 5C", "MA"},
    {"2D 3D 5D 2H 3H 5H 3F 5F", "MO"},
    {"2E 3E 5E", "OR"},
    {"2S 3S 5S", "RA"},
    {"2L 3L 5L", "SM"},
    {"2R 3R 5R", "TB"},
    {"2I 3I 5I", "TV"},
    {"2P 3P 5P", "TL"},
    {"2M 3M 5M", "YR"},
    {"6Y 7Y", "AD"},
    {"6W 7W", "DA"},
    {"6P 7P", "CN"},
    {"6A 7A 6B 7B 6C 7C 6D 7D", "KR"},
    {"6K 7K", "RK"},
    {"6R 7R", "SE"},
    {"6Q 7Q", "IN"},
    {"6X 7X", "KB"},
    {"6I 7I", "KM"},
    {"6E 7E", "KC"},
    {"6J 7J", "SO"},
    {"6U 7U", "AO"},
    {"6H 7H 6F 7F 7G 6G 7T 6T", "ST"},
    {"6L 7L 6M 7M 6N 7N", "RO"},
    {"4A 4B", "VG"},
    {"2T 3T 5T", "NN"},
    {"8W 9W", "BA"},
    {"8S 8T 9S 9T", "OB"},
    {"4S", "MR"},
    {"4U", "MD"},
    {"4F 4G", "PE"},
    {"4P 4Q 4R", "TA"},
    {"8F 8G 9F 9G", "PM"},
    {"4W", "UD"},
    {"4H 4I 4K", "SR"},
    {"4Y 4Z", "CU"},
    {"4C 4D", "SA"},
    {"4L 4M", "UL"},
    {"4N 4O", "KI"},
    {"8Q 8R 9Q 9R", "KN"},
    {"8A 8B 9A 9B", "CB"},
    {"8C 8D 9C 9D", "SV"},
    {"8J 9J", "HM"},
    {"8L 9L", "TN"},
    {"8K 9K", "JN"},
    {"8Z 9Z", "GA"},
    {"8U 9U 8V 9V", "KE"},
    {"8O 9O 8P 9P", "NS"},
    {"8Y 9Y", "AL"},
    {"8M 8N 9M 9N", "OM"},
    {"8H 8I 9H 9I", "TO"},
    {"0O", "BU"},
    {"0Y", "TU"},
    {"0W", "HA"},
    {"0U 0V", "ZK"},
    {"0A 0B 0H", "KK"},
    {"0R 0S 0T", "IR"},
    {"0Q", "YA"},
    {"0L 0M 0N", "PK"},
    {"0C", "HK"},
    {"0J", "AM"},
    {"0Z", "KT"},
    {"0I", "MG"},
    {"0D", "EA"},
    {"0X", "KJ"},
    {"0K", "CK"},
    {"0F 0E", "SL"},
};

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool LetterAt(std::string_view s, std::size_t i) { return i < s.size() && IsAsciiLetter(s[i]); }
bool DigitAt(std::string_view s, std::size_t i) { return i < s.size() && IsAsciiDigit(s[i]); }

bool IsSpecialEvent(std::string_view call) {
  if (LetterAt(call, 0) && DigitAt(call, 1) && DigitAt(call, 2)) return true;
  if (LetterAt(call, 0) && LetterAt(call, 1) && DigitAt(call, 2) && DigitAt(call, 3)) return true;
  return call.substr(0, 2) == "UE";
}

// A pattern counts when its first occurrence begins at position 1 or later.
bool PatternPresent(std::string_view call, std::string_view pattern) {
  const auto at = call.find(pattern);
  return at != std::string_view::npos && at >= 1;
}

}  // namespace

bool IsRegionCode(std::string_view code) {
  return std::find(kRegionCodes.begin(), kRegionCodes.end(), code) != kRegionCodes.end();
}

bool IsRussianPrefix(std::string_view prefix) {
  return IsRegionPrefix(prefix) || prefix == "CE9/KC4";
}

bool IsRegionPrefix(std::string_view prefix) {
  return prefix == "UA" || prefix == "UA2" || prefix == "UA2/f" || prefix == "UA9";
}

bool RussianTextFor(std::string_view ownPrefix) {
  return IsRussianPrefix(ownPrefix) || ownPrefix == "UR" || ownPrefix == "UN" || ownPrefix == "EU";
}

std::string RegionFromCall(std::string_view call, const std::vector<std::string>& specialCalls) {
  if (call.size() >= 4) {
    if (call.substr(0, 4) == "RI1A") return "AN";
    if (call.substr(0, 4) == "RI1F") return "FJ";
  }
  for (const std::string& line : specialCalls) {
    const std::string_view l = line;
    const auto space = l.find(' ');
    const std::string_view key =
        (space != std::string_view::npos && space >= 1) ? l.substr(0, space) : l;
    if (key == call) return std::string(l.size() < 2 ? l : l.substr(l.size() - 2));
  }
  if (IsSpecialEvent(call)) return std::string(kRegionSpecialEvent);
  // A compound call: any "/" after the first character, also behind one at the start.
  if (call.size() > 1 && call.find('/', 1) != std::string_view::npos) {
    return std::string(kRegionUnknown);
  }
  for (const PatternRow& row : kPatternRows) {
    for (std::size_t i = 0; i + 1 < row.patterns.size(); i += 3) {
      if (PatternPresent(call, row.patterns.substr(i, 2))) return std::string(row.region);
    }
  }
  return std::string(kRegionUnknown);
}

}  // namespace zd

// The contest's rules as data: its six bands, its modes, the points of a QSO and the
// low-band factor. Every part of the module, the tools and the tests that names a band or
// a mode, maps a frequency to a band or scores a QSO reads them here; nothing else spells
// them out. Texts are the host's own, byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zd {

struct BandRule {
  std::string_view text;  // as the host names the band
  uint32_t lowHz;         // the band's edges, both included
  uint32_t highHz;
  bool lowBand;  // a QSO's points count kLowBandFactor times
  // Where this contest's digital modes are worked on the band: the frequency the tools
  // and the host stand-in log when they make up a QSO on it.
  uint32_t workingHz;
};

// Band index 0 to 5, in this order everywhere: the summary's rows, the worked lists, the
// call-info table, the status windows.
inline constexpr std::array<BandRule, 6> kBands = {{
    {"160m", 1800000, 2000000, true, 1838000},
    {"80m", 3500000, 4000000, true, 3580000},
    {"40m", 7000000, 7300000, true, 7040000},
    {"20m", 14000000, 14350000, false, 14080000},
    {"15m", 21000000, 21450000, false, 21080000},
    {"10m", 28000000, 29700000, false, 28080000},
}};
inline constexpr int kBandCount = static_cast<int>(kBands.size());
inline constexpr int kLowBandFactor = 2;

// A mode's place in what the module keeps and shows.
inline constexpr int kNoColumn = -1;
struct ModeRule {
  std::string_view text;  // the host's mode text
  // Slot of the worked lists of each band (list index band × kModeSlots + slot).
  int slot;
  // Column of the summary's RTTY and BPSK63 counts and of the call-info table's times;
  // kNoColumn for a mode that has none.
  int column;
  // Mode code of a Cabrillo QSO line; empty for a mode without one.
  std::string_view cabrilloCode;
};

enum ModeIndex : int { kRtty = 0, kBpsk63 = 1, kBpsk125 = 2 };
inline constexpr std::array<ModeRule, 3> kModes = {{
    {"RTTY", 0, 0, "RY"},
    {"BPSK63", 1, 1, "PM"},
    {"BPSK125", 2, kNoColumn, ""},
}};
inline constexpr int kModeSlots = static_cast<int>(kModes.size());
inline constexpr int kWorkedLists = kBandCount * kModeSlots;
// The Cabrillo code of a mode without one of its own.
inline constexpr std::string_view kNoCabrilloCode = "??";

// The three point classes of a QSO, by where the worked station is.
enum PointClass : int { kOwnPrefix = 0, kOwnContinent = 1, kOtherContinent = 2 };
inline constexpr std::array<int, 3> kClassPoints = {1, 3, 5};

// The mode whose text equals `text` exactly (the scoring and the Cabrillo lines compare
// case-sensitively), or null.
constexpr const ModeRule* FindMode(std::string_view text) {
  for (const ModeRule& m : kModes) {
    if (m.text == text) return &m;
  }
  return nullptr;
}

// The band whose text equals `text` exactly, as an index, or -1.
constexpr int BandIndexOf(std::string_view text) {
  for (int i = 0; i < kBandCount; ++i) {
    if (kBands[static_cast<std::size_t>(i)].text == text) return i;
  }
  return -1;
}

// The index of the band a frequency lies in, or -1 outside the six bands.
constexpr int BandIndexOfFrequency(uint32_t hz) {
  for (int i = 0; i < kBandCount; ++i) {
    const BandRule& b = kBands[static_cast<std::size_t>(i)];
    if (hz >= b.lowHz && hz <= b.highHz) return i;
  }
  return -1;
}

// The points of a QSO of a class on a band (the band's index, or -1 for a band outside
// the six: no low-band factor).
constexpr int QsoPoints(PointClass c, int band) {
  const bool low = band >= 0 && band < kBandCount && kBands[static_cast<std::size_t>(band)].lowBand;
  return kClassPoints[static_cast<std::size_t>(c)] * (low ? kLowBandFactor : 1);
}

// The texts of a table, in its order (for the case-insensitive vocabularies).
template <typename Rule, std::size_t N>
constexpr std::array<std::string_view, N> TextsOf(const std::array<Rule, N>& rules) {
  std::array<std::string_view, N> texts{};
  for (std::size_t i = 0; i < N; ++i) texts[i] = rules[i].text;
  return texts;
}
inline constexpr auto kBandTexts = TextsOf(kBands);
inline constexpr auto kModeTexts = TextsOf(kModes);

// Texts equal but for the case of ASCII letters.
constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Membership test of a vocabulary, ignoring the case of ASCII letters: how the host's band
// and mode texts are accepted.
class ContestRules {
 public:
  constexpr ContestRules(const std::string_view* items, std::size_t count)
      : items_(items), count_(count) {}
  // Index of the first element equal to `text` ignoring case, or -1.
  constexpr int IndexOf(std::string_view text) const {
    for (std::size_t i = 0; i < count_; ++i) {
      if (EqualNoCase(items_[i], text)) return static_cast<int>(i);
    }
    return -1;
  }
  constexpr bool Contains(std::string_view text) const { return IndexOf(text) >= 0; }
  constexpr std::string_view operator[](std::size_t i) const { return items_[i]; }
  constexpr std::size_t size() const { return count_; }

 private:
  const std::string_view* items_;
  std::size_t count_;
};

inline constexpr ContestRules kValidBands(kBandTexts.data(), kBandTexts.size());  // band 0 to 5
inline constexpr ContestRules kValidModes(kModeTexts.data(), kModeTexts.size());  // slot 0 to 2

// Index of a worked list, or -1 when the band or the mode has no column.
constexpr int WorkedListIndex(int band, int mode) {
  if (band < 0 || band >= kBandCount || mode < 0 || mode >= kModeSlots) return -1;
  return band * kModeSlots + mode;
}

}  // namespace zd

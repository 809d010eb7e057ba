// What the organisers' cross-check works with: every submitted log reduced to compact
// QSO records (texts interned once), what the module said about each QSO, what the
// cross-check found, and the settings that turn findings into removals and penalties.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zd::check {

// Every text of the contest (calls, bands, modes, reports, exchanges) is kept once.
class StringPool {
 public:
  StringPool() { Intern(""); }  // id 0 is the empty text
  uint32_t Intern(std::string_view text);
  // The id of a text already interned, or kNone.
  uint32_t Find(std::string_view text) const;
  const std::string& operator[](uint32_t id) const { return texts_[id]; }
  std::size_t size() const { return texts_.size(); }
  static constexpr uint32_t kNone = 0xFFFFFFFFu;

 private:
  std::vector<std::string> texts_;
  std::unordered_map<std::string, uint32_t> ids_;
};

// What the module did with a QSO when the log was scored as claimed.
enum class ModuleVerdict : uint8_t {
  kCounted,    // stored and scoring
  kDupe,       // stored as a duplicate
  kBadRegion,  // stored, the region refused (does not score)
  kRefused,    // not stored: wrong band, wrong mode or no exchange
};

// One QSO line of a submitted log. Texts are ids into the contest's StringPool.
struct Qso {
  uint32_t call = 0;  // the worked call as logged
  uint32_t band = 0, mode = 0;
  uint32_t rstSent = 0, rstRcvd = 0, exchSent = 0, exchRcvd = 0;
  uint32_t freqHz = 0;
  int64_t seconds = 0;  // logged UTC time, seconds since 30 December 1899
  int32_t line = 0;     // where it stands in its file
  ModuleVerdict verdict = ModuleVerdict::kCounted;
  bool badRegion = false;  // the module refused the region (a dupe may be one too)
  std::string refusal;     // the module's reason when refused
};

// The finding classes, in the order they are reported.
enum class Finding : uint8_t {
  kConfirmed,
  kNotInLog,        // the other station sent a log without this QSO
  kBustedCall,      // the other station logged a near call at that time
  kBustedExchange,  // the copied exchange differs from what the other station sent
  kUnique,          // a call in no other log and only once in this one
  kNotCheckable,    // the other station sent no log
  kDupe,            // the module's duplicate
  kOwnCall,         // the station logged its own call
  kRefused,         // the module refused the QSO (wrong band, mode, no exchange)
};
inline constexpr int kFindingCount = 9;
inline constexpr int Index(Finding f) { return static_cast<int>(f); }

// How a finding class enters the checked score: the QSO is removed (or kept), and a
// removed QSO may cost the points of `extraQsos` more QSOs like it.
struct Penalty {
  bool removed = false;
  int extraQsos = 0;
};

struct CheckSettings {
  int windowSeconds = 3 * 60;   // matching window after the clock offsets are allowed for
  int searchSeconds = 15 * 60;  // widest search, used to find the clock offsets
  std::array<Penalty, kFindingCount> penalties = DefaultPenalties();

  static std::array<Penalty, kFindingCount> DefaultPenalties();
};

// One submitted log as the cross-check holds it.
struct StationLog {
  std::string path;      // as found in the logs folder
  std::string fileName;  // its name alone
  uint32_t ownCall = 0;
  std::string prefix, continent;  // the own station, from the country file
  std::string category;           // from the Cabrillo header ("" for ADIF)
  std::string format;             // "Cabrillo" or "ADIF"
  bool russianTexts = false;      // the module would talk Russian to this station
  std::vector<Qso> qsos;
  double firstDate = 0.0, lastDate = 0.0;  // the contest span the host would pass
};

// What the cross-check decided for one QSO.
struct Outcome {
  Finding finding = Finding::kConfirmed;
  int32_t otherLog = -1;  // the log of the counterpart line, when one was found
  int32_t otherQso = -1;
  int32_t meantLog = -1;  // for a busted call: the station that was meant
};

}  // namespace zd::check

// The contest log: every QSO the host logged, in log order, with the indexes that let the
// duplicate test, the call check and the removal find a call without walking the log, and
// the rules that set a QSO's flags as it is logged and removed. A plain value: no file, no
// settings, no user interface and no lock (Contest holds the lock around it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ole_date.h"

namespace zd {

// One QSO of the log.
struct QsoRecord {
  std::string call;
  std::string prefix;  // the host's DXCC prefix; "IT9" and "IG9" are stored as "I"
  std::string continent;
  std::string band;
  std::string mode;
  std::string rstRcvd;
  std::string rstSent;
  std::string exchRcvd;
  std::string exchSent;
  std::string region;  // the received region code of a Russian station, else empty
  int32_t freqKHz = 0;
  int32_t notCounted = 0;
  int32_t badRegion = 0;
  int32_t dupe = 0;
  int32_t reserved = 0;
  OleDateTime qsoTime;
};

struct QsoArgs {  // what AddData0 and RemoveData0 read of their 33 arguments
  std::string_view ownCall, call;
  OleDateTime time;
  uint32_t freqHz = 0;
  std::string_view mode, rstSent, rstRcvd, exchSent, exchRcvd, prefix, continent, band;
};

// What the log made of a QSO it was handed: refused, or appended with its flags.
enum class Refusal { kNone, kWrongBand, kWrongMode, kNoExchange };
struct Acceptance {
  Refusal refusal = Refusal::kNone;
  bool badRegion = false;  // a Russian station sent no region code
  std::string readRegion;  // its exchange as read (upper case, trimmed)
  bool dupe = false;       // call, band and mode were logged before
};

// What the call check learns of a call on a band.
struct CallOnBand {
  bool dupe = false;  // logged in the same mode
  // The time of the last QSO of the call on the band in another mode, if any.
  std::optional<double> otherModeTime;
};

class QsoLog {
 public:
  // Refuses a QSO outside the bands or modes or without both exchanges; otherwise appends
  // it, marking a region that is no code and a duplicate, and counts it for the band
  // changes of the hour (`nowUtc`: the counter starts again when the hour is not now's).
  Acceptance Add(const QsoArgs& a, double nowUtc);
  // Removes the QSO of the call on the band and mode at the time (a refused region's QSO
  // too); the first repeat of a removed original scores from then on. False when there
  // is no such QSO.
  bool Remove(std::string_view call, std::string_view band, std::string_view mode,
              const OleDateTime& time);
  // Empties the log and the bands used; the band-change counter stays.
  void Clear();

  CallOnBand Lookup(std::string_view call, std::string_view band, std::string_view mode) const;
  // Whether a QSO of the band and mode has this prefix, or this region.
  bool HasPrefix(std::string_view band, std::string_view mode, std::string_view prefix) const;
  bool HasRegion(std::string_view band, std::string_view mode, std::string_view region) const;
  // The QSOs of a call, in log order.
  std::vector<QsoRecord> QsosOf(std::string_view call) const;

  const std::vector<QsoRecord>& Records() const { return records_; }
  // The band texts logged, first use first until the summary sorts them.
  std::vector<std::string>& BandsUsed() { return bandsUsed_; }
  const std::vector<std::string>& BandsUsed() const { return bandsUsed_; }
  // Band changes in the hour of the last QSO.
  int BandChangeCount() const { return bandChangeCount_; }
  void ResetBandChangeCount() { bandChangeCount_ = 0; }

 private:
  struct Key3 {
    std::string a, b, c;
    bool operator==(const Key3&) const = default;
  };
  struct Key3Hash {
    std::size_t operator()(const Key3& k) const;
  };

  void IndexAdd(const QsoRecord& r, uint32_t position);
  void IndexRemove(uint32_t position);
  const std::vector<uint32_t>* PositionsOf(std::string_view call) const;

  std::vector<QsoRecord> records_;
  // Positions of the QSOs of each call, in log order; counts of (band, mode, prefix) and
  // (band, mode, region): the call check and the duplicate test never walk the log.
  std::unordered_map<std::string, std::vector<uint32_t>> byCall_;
  std::unordered_map<Key3, int, Key3Hash> prefixCount_;
  std::unordered_map<Key3, int, Key3Hash> regionCount_;
  std::vector<std::string> bandsUsed_;
  int bandChangeCount_ = 0;
};

// The DXCC prefix a QSO is stored and scored with: the host's, except that "IT9" and
// "IG9" count as "I".
std::string StoredPrefix(std::string_view hostPrefix);
// ASCII upper case, then blanks trimmed on both sides: how a received region is read.
std::string NormalizeExchange(std::string_view exch);

}  // namespace zd

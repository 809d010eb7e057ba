#include "engine/qso_log.h"

#include <algorithm>

#include "callsign/region.h"
#include "engine/contest_rules.h"

namespace zd {
namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool SameTime(const OleDateTime& a, const OleDateTime& b) {
  if (a.status == kDateValid && b.status == kDateValid) return a.date == b.date;
  return a.status == kDateNull && b.status == kDateNull;
}

}  // namespace

std::string NormalizeExchange(std::string_view exch) {
  std::string s(exch);
  for (char& c : s) c = UpperAscii(c);
  std::size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string StoredPrefix(std::string_view hostPrefix) {
  return hostPrefix == "IT9" || hostPrefix == "IG9" ? std::string("I") : std::string(hostPrefix);
}

std::size_t QsoLog::Key3Hash::operator()(const Key3& k) const {
  const std::hash<std::string> h;
  std::size_t seed = h(k.a);
  seed ^= h(k.b) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
  seed ^= h(k.c) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
  return seed;
}

void QsoLog::IndexAdd(const QsoRecord& r, uint32_t position) {
  byCall_[r.call].push_back(position);
  ++prefixCount_[Key3{r.band, r.mode, r.prefix}];
  ++regionCount_[Key3{r.band, r.mode, r.region}];
}

void QsoLog::IndexRemove(uint32_t position) {
  const QsoRecord& r = records_[position];
  auto decrement = [](auto& map, const Key3& key) {
    auto it = map.find(key);
    if (it != map.end() && --it->second == 0) map.erase(it);
  };
  decrement(prefixCount_, Key3{r.band, r.mode, r.prefix});
  decrement(regionCount_, Key3{r.band, r.mode, r.region});
  auto it = byCall_.find(r.call);
  if (it != byCall_.end()) {
    auto& v = it->second;
    v.erase(std::remove(v.begin(), v.end(), position), v.end());
    if (v.empty()) byCall_.erase(it);
  }
  // The QSOs behind the removed one move down by one.
  for (auto& [call, positions] : byCall_) {
    for (uint32_t& p : positions) {
      if (p > position) --p;
    }
  }
}

const std::vector<uint32_t>* QsoLog::PositionsOf(std::string_view call) const {
  const auto it = byCall_.find(std::string(call));
  return it == byCall_.end() ? nullptr : &it->second;
}

Acceptance QsoLog::Add(const QsoArgs& a, double nowUtc) {
  Acceptance result;
  if (!kValidBands.Contains(a.band)) {
    result.refusal = Refusal::kWrongBand;
  } else if (!kValidModes.Contains(a.mode)) {
    result.refusal = Refusal::kWrongMode;
  } else if (a.exchRcvd.empty() || a.exchSent.empty()) {
    result.refusal = Refusal::kNoExchange;
  }
  if (result.refusal != Refusal::kNone) return result;

  if (std::find(bandsUsed_.begin(), bandsUsed_.end(), a.band) == bandsUsed_.end()) {
    bandsUsed_.emplace_back(a.band);
  }

  QsoRecord r{.call = std::string(a.call),
              .prefix = StoredPrefix(a.prefix),
              .continent = std::string(a.continent),
              .band = std::string(a.band),
              .mode = std::string(a.mode),
              .rstRcvd = std::string(a.rstRcvd),
              .rstSent = std::string(a.rstSent),
              .exchRcvd = std::string(a.exchRcvd),
              .exchSent = std::string(a.exchSent),
              .region = {},
              .freqKHz = static_cast<int32_t>(a.freqHz / 1000),
              .qsoTime = a.time};

  // Band changes count within the hour of the last QSO, and only while that hour is now.
  const int newHour = QsoHour(r.qsoTime);
  if (records_.empty() || QsoHour(records_.back().qsoTime) != newHour) {
    bandChangeCount_ = 0;
  } else if (records_.back().band != r.band) {
    ++bandChangeCount_;
  }
  if (QsoHour(OleDateTime{nowUtc, kDateValid}) != newHour) bandChangeCount_ = 0;

  if (IsRussianPrefix(a.prefix)) {
    std::string read = NormalizeExchange(a.exchRcvd);
    if (IsRegionCode(read)) {
      r.region = std::move(read);
    } else {
      r.notCounted = 1;
      r.badRegion = 1;
      result.badRegion = true;
      result.readRegion = std::move(read);
    }
  }

  if (const auto* positions = PositionsOf(r.call)) {
    for (uint32_t p : *positions) {
      if (records_[p].band == r.band && records_[p].mode == r.mode) {
        r.dupe = 1;
        r.notCounted = 1;
        result.dupe = true;
        break;
      }
    }
  }

  records_.push_back(std::move(r));
  IndexAdd(records_.back(), static_cast<uint32_t>(records_.size() - 1));
  return result;
}

bool QsoLog::Remove(std::string_view call, std::string_view band, std::string_view mode,
                    const OleDateTime& time) {
  std::optional<uint32_t> found;
  if (const auto* positions = PositionsOf(call)) {
    for (uint32_t p : *positions) {
      const QsoRecord& r = records_[p];
      if (r.mode == mode && r.band == band && SameTime(r.qsoTime, time)) {
        found = p;
        break;
      }
    }
  }
  if (!found) return false;
  const uint32_t i = *found;
  if (i > 0 && records_[i - 1].band != records_[i].band && bandChangeCount_ > 0) {
    --bandChangeCount_;
  }
  const bool wasOriginal = records_[i].dupe == 0;
  IndexRemove(i);
  records_.erase(records_.begin() + i);
  // The first repeat of a removed original is a duplicate no more: it scores now.
  if (wasOriginal) {
    if (const auto* positions = PositionsOf(call)) {
      for (uint32_t p : *positions) {
        QsoRecord& r = records_[p];
        if (r.band != band || r.mode != mode) continue;
        if (r.dupe) {
          r.dupe = 0;
          r.notCounted = r.badRegion;
        }
        break;
      }
    }
  }
  if (records_.empty()) bandsUsed_.clear();
  return true;
}

void QsoLog::Clear() {
  records_.clear();
  byCall_.clear();
  prefixCount_.clear();
  regionCount_.clear();
  bandsUsed_.clear();
}

CallOnBand QsoLog::Lookup(std::string_view call, std::string_view band,
                          std::string_view mode) const {
  CallOnBand result;
  if (const auto* positions = PositionsOf(call)) {
    for (uint32_t p : *positions) {
      const QsoRecord& r = records_[p];
      if (r.band != band) continue;
      if (r.mode == mode) {
        result.dupe = true;
        return result;
      }
      result.otherModeTime = r.qsoTime.date;
    }
  }
  return result;
}

bool QsoLog::HasPrefix(std::string_view band, std::string_view mode,
                       std::string_view prefix) const {
  return prefixCount_.count(Key3{std::string(band), std::string(mode), std::string(prefix)}) != 0;
}

bool QsoLog::HasRegion(std::string_view band, std::string_view mode,
                       std::string_view region) const {
  return regionCount_.count(Key3{std::string(band), std::string(mode), std::string(region)}) != 0;
}

std::vector<QsoRecord> QsoLog::QsosOf(std::string_view call) const {
  std::vector<QsoRecord> qsos;
  if (const auto* positions = PositionsOf(call)) {
    for (uint32_t p : *positions) qsos.push_back(records_[p]);
  }
  return qsos;
}

}  // namespace zd

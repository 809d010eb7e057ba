#include "engine/contest.h"

#include "callsign/region.h"
#include "engine/host_setup.h"
#include "platform/cp1251.h"

namespace zd {

// ---------------------------------------------------------------- contest reset

void Contest::Reset(const ResetArgs& a, ResetReadings readings) {
  std::lock_guard<std::mutex> lock(mutex_);
  run_.startDayMonth = FormatDate(a.start, "%d.%m");
  run_.startYear = FormatDate(a.start, "%Y");
  run_.endDate = FormatDate(a.end, "%d.%m.%Y");
  if (readings.hostVersion) run_.hostVersion = std::move(*readings.hostVersion);
  setupMast_.store(readings.setupMast);
  log_.Clear();
  resetSeen_ = true;
  // Russian texts once the own station is Russian or a neighbour; nothing turns them off.
  if (RussianTextFor(a.ownPrefix)) russianText_.store(true);
  run_.ownContinent = a.ownContinent;
  run_.ownPrefix = a.ownPrefix;
  run_.ownCall = a.ownCall;
  specialCalls_ = std::move(readings.specialCalls);
}

// ---------------------------------------------------------------- the log

Acceptance Contest::Add(const QsoArgs& a, double nowUtc) {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_.Add(a, nowUtc);
}

Contest::Removal Contest::Remove(const QsoArgs& a) {
  std::lock_guard<std::mutex> lock(mutex_);
  Removal r;
  r.found = log_.Remove(a.call, a.band, a.mode, a.time);
  r.logEmpty = log_.Records().empty();
  return r;
}

// ---------------------------------------------------------------- call check

CheckResult Contest::CheckCall(const CheckArgs& a, double nowUtc) const {
  CheckResult result;
  if (a.call.size() < 3) return result;
  std::lock_guard<std::mutex> lock(mutex_);
  if ((a.secondBand && !EqualNoCase(a.band, *a.secondBand)) || !kValidBands.Contains(a.band) ||
      !kValidModes.Contains(a.mode)) {
    result.code = RefusedCallCheckCode(run_.hostVersion);
    return result;
  }

  const CallOnBand seen = log_.Lookup(a.call, a.band, a.mode);
  if (seen.dupe) {
    result.code = 0;
    return result;
  }
  std::optional<int64_t> minutes;
  if (seen.otherModeTime) {
    minutes = WholeMinutesBetween(*seen.otherModeTime, nowUtc);
    if (!minutes) minutes = -1;  // not a number: no message
  }

  // A call without a prefix belongs to no DXCC entity and is never a multiplier (the
  // scoring's rule, in ScoreLog).
  result.code = a.prefix.empty() || log_.HasPrefix(a.band, a.mode, a.prefix) ? 1 : 2;
  const bool regionPrefix = IsRegionPrefix(a.prefix);
  if (regionPrefix) result.code = log_.HasRegion(a.band, a.mode, a.region) ? 1 : 2;

  if (minutes && *minutes >= 0 && *minutes < 3) {
    const std::string w = std::to_string(3 - *minutes);
    std::string text;
    if (!russianText_.load()) {
      text = "QSO WITH " + std::string(a.call) + " WHILE IT IS IMPOSSIBLE !!! WAIT " + w +
             " MINTUTES !!!";
    } else {
      static constexpr auto kHead = ToCp1251("QSO c ");
      static constexpr auto kMiddle = ToCp1251(" ПОКА НЕЛЬЗЯ ПРОВОДИТЬ !!! ЕЩЕ ");
      static constexpr auto kTailFew = ToCp1251(" МИНУТЫ  !!!");
      static constexpr auto kTailOne = ToCp1251(" МИНУТУ  !!!");
      text = std::string(kHead.view()) + std::string(a.call) + std::string(kMiddle.view()) + w +
             std::string(w == "1" ? kTailOne.view() : kTailFew.view());
    }
    result.message = std::move(text);
  }

  std::string expected = regionPrefix ? RegionFromCall(a.call, specialCalls_) : std::string();
  if (expected != kRegionUnknown && expected != kRegionSpecialEvent && setupMast_.load() != 0) {
    result.exchange = std::move(expected);
  }
  return result;
}

int Contest::IsValidExchange(std::string_view exch, std::string_view call,
                             std::string_view prefix) const {
  if (exch == "599") return 0;
  if (prefix == "UA" || prefix == "UA2" || prefix == "UA9") {
    if (exch.size() != 2) return 0;
    if (!IsRegionCode(exch)) {
      const auto digit = [](char c) { return c >= '0' && c <= '9'; };
      return digit(exch[0]) && digit(exch[1]) ? 1 : 0;
    }
    // A compound call: any "/" after the first character.
    if (call.size() > 1 && call.find('/', 1) != std::string_view::npos) return 1;
    std::string e;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      e = RegionFromCall(call, specialCalls_);
    }
    if (e == kRegionUnknown) return 0;
    if (e == kRegionSpecialEvent) return 1;
    return exch == e ? 1 : 0;
  }
  if (exch.empty() || exch.size() > 4) return 0;
  for (char c : exch) {
    if (c < '0' || c > '9') return 0;
  }
  return 1;
}

// ---------------------------------------------------------------- snapshots

CallQsos Contest::QsosOf(std::string_view call) const {
  std::lock_guard<std::mutex> lock(mutex_);
  CallQsos result;
  result.bandsNamed = resetSeen_;
  if (!call.empty()) result.qsos = log_.QsosOf(call);
  return result;
}

int Contest::BandChangeCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_.BandChangeCount();
}

void Contest::ResetBandChangeCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  log_.ResetBandChangeCount();
}

std::vector<QsoRecord> Contest::LogSnapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_.Records();
}

std::size_t Contest::LogSize() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_.Records().size();
}

std::string Contest::StartYear() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return run_.startYear;
}

std::string Contest::HostVersion() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return run_.hostVersion;
}

std::vector<std::string> Contest::BandsUsed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_.BandsUsed();
}

std::vector<std::string> Contest::SpecialCalls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return specialCalls_;
}

}  // namespace zd

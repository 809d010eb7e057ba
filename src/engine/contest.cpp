#include "engine/contest.h"

#include <algorithm>

#include "callsign/region.h"
#include "engine/bad_qso_report.h"
#include "platform/cp1251.h"
#include "platform/files.h"

namespace zd {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

const ContestRules kValidBands(kBandTexts.data(), kBandTexts.size());
const ContestRules kValidModes(kModeTexts.data(), kModeTexts.size());

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

int ContestRules::IndexOf(std::string_view text) const {
  for (std::size_t i = 0; i < count_; ++i) {
    if (EqualNoCase(items_[i], text)) return static_cast<int>(i);
  }
  return -1;
}

bool ContestRules::Contains(std::string_view text) const { return IndexOf(text) >= 0; }

int WorkedListIndex(int band, int mode) {
  if (band < 0 || band >= kBandCount || mode < 0 || mode >= kModeSlots) return -1;
  return band * kModeSlots + mode;
}

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

std::size_t Contest::Key3Hash::operator()(const Key3& k) const {
  const std::hash<std::string> h;
  std::size_t seed = h(k.a);
  seed ^= h(k.b) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
  seed ^= h(k.c) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
  return seed;
}

Contest::Contest(SettingsStore& settings, const Clock& clock, UiBridge& ui)
    : settings_(settings), clock_(clock), ui_(ui) {}

void Contest::IndexAdd(const QsoRecord& r, uint32_t position) {
  byCall_[r.call].push_back(position);
  ++entityCount_[Key3{r.band, r.mode, r.prefix}];
  ++regionCount_[Key3{r.band, r.mode, r.region}];
}

void Contest::IndexRemove(uint32_t position) {
  const QsoRecord& r = log_[position];
  auto decrement = [](auto& map, const Key3& key) {
    auto it = map.find(key);
    if (it != map.end() && --it->second == 0) map.erase(it);
  };
  decrement(entityCount_, Key3{r.band, r.mode, r.prefix});
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

void Contest::RebuildIndex() {
  byCall_.clear();
  entityCount_.clear();
  regionCount_.clear();
  for (uint32_t i = 0; i < log_.size(); ++i) IndexAdd(log_[i], i);
}

void Contest::PostRefreshIfWindow() {
  if (ui_.ControlWindowExists()) {
    refreshPending_.store(1);
    ui_.PostRefresh();
  }
}

// ---------------------------------------------------------------- QSO acceptance

int Contest::AddData(const QsoArgs& a) {
  std::lock_guard<std::mutex> lock(mutex_);
  TouchReport(badQsoFileName_);
  const uint32_t freqKHz = a.freqHz / 1000;
  const std::string timeText = FormatDate(a.time, "%Y-%m-%d %H%M");
  const ReportQso rq{freqKHz,    a.mode, timeText,  a.ownCall, a.rstSent,
                     a.exchSent, a.call, a.rstRcvd, a.exchRcvd};
  auto refuse = [&](std::string_view message) {
    AppendReportLine(badQsoFileName_, FormatReportLine(rq, message));
    return 0;
  };
  if (!kValidBands.Contains(a.band)) return refuse(kMsgWrongBand);
  if (!kValidModes.Contains(a.mode)) return refuse(kMsgWrongMode);
  if (a.exchRcvd.empty() || a.exchSent.empty()) return refuse(kMsgNoRxNumber);

  if (std::find(bandsUsed_.begin(), bandsUsed_.end(), a.band) == bandsUsed_.end()) {
    bandsUsed_.emplace_back(a.band);
  }

  QsoRecord r;
  r.call = a.call;
  r.band = a.band;
  r.mode = a.mode;
  r.continent = a.continent;
  r.rstRcvd = a.rstRcvd;
  r.rstSent = a.rstSent;
  r.exchRcvd = a.exchRcvd;
  r.exchSent = a.exchSent;
  r.prefix = StoredPrefix(a.prefix);
  r.freqKHz = static_cast<int32_t>(freqKHz);
  r.qsoTime = a.time;

  const int newHour = QsoHour(r.qsoTime);
  if (log_.empty()) {
    bandChangeCount_ = 0;
  } else if (QsoHour(log_.back().qsoTime) != newHour) {
    bandChangeCount_ = 0;
  } else if (log_.back().band != r.band) {
    ++bandChangeCount_;
  }
  if (QsoHour(OleDateTime{clock_.NowUtc(), kDateValid}) != newHour) bandChangeCount_ = 0;

  if (IsRussianPrefix(a.prefix)) {
    const std::string normalized = NormalizeExchange(a.exchRcvd);
    if (IsRegionCode(normalized)) {
      r.region = normalized;
    } else {
      r.notCounted = 1;
      r.badRegion = 1;
      AppendReportLine(badQsoFileName_, FormatReportLine(rq, kMsgBadRegion, &normalized));
    }
  }

  if (auto it = byCall_.find(r.call); it != byCall_.end()) {
    for (uint32_t p : it->second) {
      if (log_[p].band == r.band && log_[p].mode == r.mode) {
        r.dupe = 1;
        r.notCounted = 1;
        AppendReportLine(badQsoFileName_, FormatReportLine(rq, kMsgDupe));
        break;
      }
    }
  }

  log_.push_back(std::move(r));
  IndexAdd(log_.back(), static_cast<uint32_t>(log_.size() - 1));
  return 1;
}

// ---------------------------------------------------------------- QSO removal

int Contest::RemoveData(const QsoArgs& a) {
  if (a.exchRcvd.empty() || a.exchSent.empty()) return 0;
  const bool russian = IsRussianPrefix(a.prefix);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A QSO whose region was refused is found and removed like any other, so that a
    // corrected exchange (removed and added again by the host) is not a duplicate.
    std::optional<uint32_t> found;
    if (auto it = byCall_.find(std::string(a.call)); it != byCall_.end()) {
      for (uint32_t p : it->second) {
        const QsoRecord& r = log_[p];
        if (r.mode != a.mode || r.band != a.band) continue;
        const bool sameTime = (r.qsoTime.status == kDateValid && a.time.status == kDateValid)
                                  ? r.qsoTime.date == a.time.date
                                  : (r.qsoTime.status == kDateNull && a.time.status == kDateNull);
        if (sameTime) {
          found = p;
          break;
        }
      }
    }
    if (found) {
      const uint32_t i = *found;
      if (i > 0 && log_[i - 1].band != log_[i].band && bandChangeCount_ > 0) --bandChangeCount_;
      const bool wasOriginal = log_[i].dupe == 0;
      const std::string call = log_[i].call, band = log_[i].band, mode = log_[i].mode;
      IndexRemove(i);
      log_.erase(log_.begin() + i);
      // The first repeat of a removed original is a duplicate no more: it scores now.
      if (wasOriginal) {
        if (auto it = byCall_.find(call); it != byCall_.end()) {
          for (uint32_t p : it->second) {
            QsoRecord& r = log_[p];
            if (r.band != band || r.mode != mode) continue;
            if (r.dupe) {
              r.dupe = 0;
              r.notCounted = r.badRegion;
            }
            break;
          }
        }
      }
    }
    DropQsoLines(badQsoFileName_, a.call, a.time);
    if (log_.empty()) {
      bandsUsed_.clear();
      const ModeRule& m =
          (found && russian && a.mode == kModes[kBpsk63].text) ? kModes[kBpsk63] : kModes[kRtty];
      const int c = m.slot;
      for (int b = 0; b < kBandCount; ++b) {
        workedEntities_[static_cast<std::size_t>(b * kModeSlots + c)].clear();
        workedRegions_[static_cast<std::size_t>(b * kModeSlots + c)].clear();
      }
    }
  }
  PostRefreshIfWindow();
  return 1;
}

// ---------------------------------------------------------------- contest reset

int Contest::ResetStats(const ResetArgs& a) {
  bool newContest = false;
  std::string ownCall;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    startDayMonth_ = FormatDate(a.start, "%d.%m");
    startYear_ = FormatDate(a.start, "%Y");
    endDate_ = FormatDate(a.end, "%d.%m.%Y");

    bool hostIniFound = false;
    for (const std::string& name : FindFileNames(std::string(a.pathPrefix) + "*.ini")) {
      if (name.find("Vevozi2.ini") != std::string::npos) {
        hostIniFound = true;
        break;
      }
    }
    if (!hostIniFound) {
      hostVersion_ = "Vorlog";
    } else if (const auto lines = ReadTextLines("Vevozi2.ini")) {
      constexpr std::string_view kKey = "Vorlog=";
      for (const std::string& line : *lines) {
        if (line.find(kKey) != std::string::npos) {
          hostVersion_ = line.size() > kKey.size() ? line.substr(kKey.size()) : std::string();
          break;
        }
      }
    }

    setupMast_.store(ReadSettingInt(settings_, "setup_mast"));

    log_.clear();
    RebuildIndex();
    bandsUsed_.clear();
    for (int b = 0; b < kBandCount; ++b) {
      bandRows_[static_cast<std::size_t>(b)] = {
          std::string(kBands[static_cast<std::size_t>(b)].text), "-", "-", "-"};
    }

    if (RussianTextFor(a.ownPrefix)) russianText_.store(true);
    ownContinent_ = a.ownContinent;
    ownPrefix_ = a.ownPrefix;
    ownCall_ = a.ownCall;

    specialCalls_.clear();
    if (auto lines = ReadTextLines(NativePath(".\\Plugins\\call_special.dat"))) {
      specialCalls_ = std::move(*lines);
    }

    // The export pass is armed only once the operator has confirmed the header: the
    // header dialog's message loop may run the host's timers, and a result asked for
    // meanwhile must not write a file from the previous pass's header and lines.
    newContest_ = false;
    newContest = a.newContest != 0;
    ownCall = ownCall_;
  }

  if (newContest) {
    // The header dialog is modal: the host's thread waits in it, without the lock.
    CabrilloLog header;
    header.LoadFromSettings(settings_, ownCall);
    CabrilloHeaderFields fields = header.Fields();
    const bool confirmed = ui_.EditCabrilloHeader(fields);
    std::lock_guard<std::mutex> lock(mutex_);
    if (confirmed) {
      header.Confirm(settings_, fields);
      cabrillo_ = std::move(header);
      newContest_ = true;
    }
  }
  if (newContest) WriteSetting(settings_, "Start", "1");

  const int startFlag = ReadSettingInt(settings_, "Start");
  {
    std::lock_guard<std::mutex> lock(mutex_);
    startFlag_ = startFlag;
  }
  if (startFlag != 0) {
    WriteSetting(settings_, "Start", "0");
  } else if (!ui_.ControlWindowExists()) {
    static constexpr std::string_view kOlderHosts[] = {"2.18", "2.17", "2.16",
                                                       "2.15", "2.14", "2.14R"};
    if (std::find(std::begin(kOlderHosts), std::end(kOlderHosts), HostVersion()) ==
        std::end(kOlderHosts)) {
      ui_.StartWindowThread();
    }
    WriteSetting(settings_, "Start", "1");
  }

  std::lock_guard<std::mutex> lock(mutex_);
  badQsoFileName_ = ReportFileName(a.end);
  CreateReport(badQsoFileName_);
  return 1;
}

// ---------------------------------------------------------------- call check

CheckResult Contest::CheckCall(const CheckArgs& a) {
  CheckResult result;
  if (a.call.size() < 3) return result;
  const double now = clock_.NowUtc();
  if (ui_.ControlWindowExists() && refreshPending_.load() != 0) {
    refreshPending_.store(0);
    ui_.PostRefresh();
  }
  std::lock_guard<std::mutex> lock(mutex_);
  const int refusal = (hostVersion_ == "2.19" || hostVersion_ == "2.20") ? 1 : 4;
  if ((a.secondBand && !EqualNoCase(a.band, *a.secondBand)) || !kValidBands.Contains(a.band) ||
      !kValidModes.Contains(a.mode)) {
    result.code = refusal;
    return result;
  }

  std::optional<int64_t> minutes;
  if (auto it = byCall_.find(std::string(a.call)); it != byCall_.end()) {
    for (uint32_t p : it->second) {
      const QsoRecord& r = log_[p];
      if (r.band != a.band) continue;
      if (r.mode == a.mode) {
        result.code = 0;
        return result;
      }
      minutes = WholeMinutesBetween(r.qsoTime.date, now);
      if (!minutes) minutes = -1;  // not a number: no message
    }
  }

  const auto count = [](const auto& map, std::string_view b, std::string_view m,
                        std::string_view k) {
    return map.find(Key3{std::string(b), std::string(m), std::string(k)}) != map.end();
  };
  // A call without a prefix belongs to no DXCC entity and is never a multiplier (the
  // scoring's rule, in ScoreLog).
  result.code = a.prefix.empty() || count(entityCount_, a.band, a.mode, a.prefix) ? 1 : 2;
  const bool regionPrefix = IsRegionPrefix(a.prefix);
  if (regionPrefix) result.code = count(regionCount_, a.band, a.mode, a.region) ? 1 : 2;

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
                             std::string_view prefix) {
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

// ---------------------------------------------------------------- window-thread views

std::vector<std::string> Contest::WorkedEntities(int index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index < 0 || index >= kWorkedLists) return {};
  return workedEntities_[static_cast<std::size_t>(index)];
}

std::vector<std::string> Contest::WorkedRegions(int index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index < 0 || index >= kWorkedLists) return {};
  return workedRegions_[static_cast<std::size_t>(index)];
}

BandRows Contest::RefreshBandRows(std::string_view call) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (BandRow& row : bandRows_) row[1] = row[2] = row[3] = "   -";
  if (!call.empty()) {
    if (auto it = byCall_.find(std::string(call)); it != byCall_.end()) {
      for (uint32_t p : it->second) {
        const QsoRecord& r = log_[p];
        for (BandRow& row : bandRows_) {
          if (r.band != row[0]) continue;
          // Column 1 holds the RTTY time, column 2 the BPSK63 time.
          if (const ModeRule* m = FindMode(r.mode); m && m->column != kNoColumn) {
            row[static_cast<std::size_t>(1 + m->column)] = FormatDate(r.qsoTime, "%H:%M");
          }
          row[3] = r.exchRcvd;
        }
      }
    }
  }
  return bandRows_;
}

BandRows Contest::GetBandRows() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return bandRows_;
}

int Contest::BandChangeCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return bandChangeCount_;
}

void Contest::ResetBandChangeCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  bandChangeCount_ = 0;
}

std::vector<QsoRecord> Contest::LogSnapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_;
}

std::size_t Contest::LogSize() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_.size();
}

std::string Contest::StartYear() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return startYear_;
}

std::string Contest::HostVersion() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return hostVersion_;
}

std::string Contest::BadQsoFileName() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return badQsoFileName_;
}

std::vector<std::string> Contest::BandsUsed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return bandsUsed_;
}

std::vector<std::string> Contest::SpecialCalls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return specialCalls_;
}

long long Contest::ClaimedScore() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return claimedScore_;
}

int Contest::BadQsoCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return badQsoCount_;
}

bool Contest::NewContest() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return newContest_;
}

}  // namespace zd

#include "zorvan_replay/analysis.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <unordered_map>

#include "callsign/region.h"
#include "engine/contest.h"
#include "platform/ole_date.h"

namespace zd::replay {
namespace {

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The running figures of the log, as the summary counts them.
struct Running {
  long long qsos = 0, points = 0, dxcc = 0, regions = 0;
};

// The figures before the first QSO of each new clock hour, in log order: where the
// replay asks the module for its summary.
using Boundaries = std::vector<std::pair<int64_t, Running>>;

// Marks what each QSO is by the module's verdict and scores the counted ones in log
// order by the summary's rules: points by class and band; a DXCC multiplier for the first
// counted QSO of a prefix on a band text and mode slot, a region multiplier likewise.
Running ScoreQsos(const AnalysisInput& in, Analysis& a, Boundaries& boundaries) {
  std::unordered_map<std::string, bool> worked;  // band text, slot, kind and value
  std::optional<int64_t> hourSeen;
  Running running;
  BandTotals other;  // bands without a summary row count in the total only
  for (std::size_t i = 0; i < in.qsos.size(); ++i) {
    const HostQso& h = in.qsos[i];
    const LogQso& q = *h.qso;
    const QsoVerdict v = i < in.verdicts.size() ? in.verdicts[i] : QsoVerdict{};
    QsoResult& r = a.qsos[i];
    r.band = BandIndexOf(q.band);
    const ModeRule* m = FindMode(q.mode);
    r.slot = m ? m->slot : kModes[kBpsk125].slot;
    r.prefix = StoredPrefix(h.prefix);
    r.second = DateSeconds(q.date);
    r.hour = ClockHour(q.date);
    if (hourSeen && r.hour > *hourSeen) boundaries.emplace_back(r.hour, running);
    if (!hourSeen || r.hour > *hourSeen) hourSeen = r.hour;
    if (h.prefix.empty()) r.flags |= kFlagNoCountry;
    if (!v.stored) {
      r.flags |= kFlagRefused;
      ++a.refused;
      continue;
    }
    for (const std::string& line : v.reportLines) {
      const ReasonKind reason = ReasonOfLine(line);
      if (reason == ReasonKind::kDupe) r.flags |= kFlagDupe;
      if (reason == ReasonKind::kBadRegion) r.flags |= kFlagBadRegion;
    }
    if (r.flags & kFlagBadRegion) ++a.badRegions;
    const std::string norm = NormalizeExchange(q.exchRcvd);
    if (IsRussianPrefix(h.prefix) && IsRegionCode(norm)) r.region = norm;
    if (q.call.empty()) continue;

    BandTotals& band = r.band >= 0 ? a.bands[static_cast<std::size_t>(r.band)] : other;
    if (r.flags & kFlagDupe) {
      ++band.dupes;
      ++a.total.dupes;
    }
    if (r.flags & (kFlagDupe | kFlagBadRegion)) continue;
    r.counted = true;
    const PointClass c = r.prefix == in.ownPrefix         ? kOwnPrefix
                         : h.continent == in.ownContinent ? kOwnContinent
                                                          : kOtherContinent;
    r.points = QsoPoints(c, r.band);
    const std::string slotKey = q.band + '\0' + std::to_string(r.slot) + '\0';
    r.newDxcc = worked.emplace(slotKey + "D" + r.prefix, true).second;
    r.newRegion = !r.region.empty() && worked.emplace(slotKey + "R" + r.region, true).second;
    for (BandTotals* t : {&band, &a.total}) {
      ++t->qsos;
      t->points += r.points;
      t->dxcc += r.newDxcc;
      t->regions += r.newRegion;
      if (m && m->column == kModes[kRtty].column) ++t->rtty;
      if (m && m->column == kModes[kBpsk63].column) ++t->bpsk63;
    }
    a.modeSplit[static_cast<std::size_t>(r.band >= 0 ? r.band : kBandCount)]
               [static_cast<std::size_t>(r.slot)]++;
    if (r.band >= 0) {
      const std::size_t list = static_cast<std::size_t>(r.band * kModeSlots + r.slot);
      if (r.newDxcc) a.dxcc[list].push_back(r.prefix);
      if (r.newRegion) a.regions[list].push_back(r.region);
    }
    ++running.qsos;
    running.points += r.points;
    running.dxcc += r.newDxcc;
    running.regions += r.newRegion;
  }
  a.score = a.total.points * (a.total.dxcc + a.total.regions);
  return running;
}

// The hours of the contest with their QSOs, points, band changes and running totals.
void FillHours(const AnalysisInput& in, Analysis& a, const Boundaries& boundaries,
               const Running& final) {
  if (a.qsos.empty()) return;
  int64_t firstHour = a.qsos.front().hour, lastHour = firstHour;
  for (const QsoResult& r : a.qsos) {
    firstHour = std::min(firstHour, r.hour);
    lastHour = std::max(lastHour, r.hour);
  }
  constexpr int64_t kWeek = 7 * 24;
  a.hoursSparse = lastHour - firstHour > kWeek;
  std::map<int64_t, HourRow> hours;
  if (!a.hoursSparse) {
    for (int64_t h = firstHour; h <= lastHour; ++h) hours[h].hour = h;
  }
  const QsoResult* previous = nullptr;  // the QSO logged before, as the module counts
  const LogQso* previousQso = nullptr;
  for (std::size_t i = 0; i < a.qsos.size(); ++i) {
    QsoResult& r = a.qsos[i];
    HourRow& row = hours[r.hour];
    row.hour = r.hour;
    ++row.logged;
    if (r.flags & kFlagRefused) continue;
    const LogQso& q = *in.qsos[i].qso;
    if (previous && previous->hour == r.hour && previousQso->band != q.band) {
      r.bandChange = ++row.bandChanges;
      if (r.bandChange >= kBandChangeLimit) r.flags |= kFlagBandChanges;
    }
    previous = &r;
    previousQso = &q;
    if (!r.counted) continue;
    if (r.band >= 0) {
      ++row.qsos[static_cast<std::size_t>(r.band)];
      row.points[static_cast<std::size_t>(r.band)] += r.points;
    } else {
      ++row.otherQsos;
      row.otherPoints += r.points;
    }
  }
  // The totals at the end of an hour are those before the first QSO of a later hour: the
  // module's own summary there when the replay asked for it at every such hour.
  const bool fromModule =
      in.summary && in.hourly.size() == boundaries.size() &&
      std::equal(in.hourly.begin(), in.hourly.end(), boundaries.begin(),
                 [](const HourSummary& s, const auto& b) { return s.hour == b.first; });
  std::size_t next = 0;
  for (auto& [hour, row] : hours) {
    while (next < boundaries.size() && boundaries[next].first <= hour) ++next;
    if (fromModule) {
      const ModuleSummary& s = next < in.hourly.size() ? in.hourly[next].summary : *in.summary;
      row.totalQsos = s.total.qsos;
      row.totalPoints = s.total.points;
      row.dxcc = s.total.dxcc;
      row.regions = s.total.regions;
      row.score = s.score;
    } else {
      const Running& f = next < boundaries.size() ? boundaries[next].second : final;
      row.totalQsos = f.qsos;
      row.totalPoints = f.points;
      row.dxcc = f.dxcc;
      row.regions = f.regions;
      row.score = f.points * (f.dxcc + f.regions);
    }
    row.fromModule = fromModule;
    if (row.bandChanges >= kBandChangeLimit) {
      BandChangeHour b{hour, row.bandChanges, {}};
      for (std::size_t i = 0; i < a.qsos.size(); ++i) {
        if (a.qsos[i].hour == hour && a.qsos[i].bandChange > 0)
          b.qsos.push_back(static_cast<int>(i));
      }
      a.bandChangeHours.push_back(std::move(b));
    }
    a.hours.push_back(row);
  }
}

// The best window of `length` seconds by counted QSOs: the earliest of the best.
RateWindow BestWindow(const std::vector<const QsoResult*>& counted, int64_t length) {
  RateWindow best;
  long long points = 0;
  std::size_t end = 0;
  for (std::size_t begin = 0; begin < counted.size(); ++begin) {
    while (end < counted.size() && counted[end]->second < counted[begin]->second + length) {
      points += counted[end]->points;
      ++end;
    }
    const int n = static_cast<int>(end - begin);
    if (n > best.qsos) best = {counted[begin]->second, n, points};
    points -= counted[begin]->points;
  }
  return best;
}

void FillRates(Analysis& a) {
  std::vector<const QsoResult*> counted, all;
  for (const QsoResult& r : a.qsos) {
    all.push_back(&r);
    if (r.counted) counted.push_back(&r);
  }
  const auto bySecond = [](const QsoResult* x, const QsoResult* y) {
    return x->second < y->second;
  };
  std::stable_sort(counted.begin(), counted.end(), bySecond);
  std::stable_sort(all.begin(), all.end(), bySecond);
  a.best60 = BestWindow(counted, 3600);
  a.best10 = BestWindow(counted, 600);
  if (all.empty()) return;
  a.first = all.front()->second;
  a.last = all.back()->second;
  a.operating = a.last - a.first;
  for (std::size_t i = 1; i < all.size(); ++i) {
    if (all[i]->second - all[i - 1]->second >= kBreakSeconds) {
      a.breaks.push_back({all[i - 1]->second, all[i]->second});
      a.operating -= all[i]->second - all[i - 1]->second;
    }
  }
}

void FillContinents(const AnalysisInput& in, Analysis& a) {
  std::map<std::string, ContinentRow> rows;
  for (std::size_t i = 0; i < a.qsos.size(); ++i) {
    if (!a.qsos[i].counted) continue;
    ContinentRow& row = rows[in.qsos[i].continent];
    row.continent = in.qsos[i].continent;
    ++row.qsos;
    row.points += a.qsos[i].points;
  }
  for (auto& [name, row] : rows) a.continents.push_back(row);
  std::stable_sort(a.continents.begin(), a.continents.end(),
                   [](const ContinentRow& x, const ContinentRow& y) { return x.qsos > y.qsos; });
}

// The checks of the QSOs themselves: the waiting rule, dupes, what does not count, the
// region a call implies, the station's exchanges and the calls of the check file.
void CheckQsos(const AnalysisInput& in, Analysis& a) {
  std::unordered_map<std::string, std::vector<int>> byCall;  // logged QSOs, log order
  for (std::size_t i = 0; i < a.qsos.size(); ++i) {
    QsoResult& r = a.qsos[i];
    const LogQso& q = *in.qsos[i].qso;
    const int index = static_cast<int>(i);
    if (!(r.flags & kFlagRefused)) {
      std::vector<int>& earlier = byCall[q.call];
      if (r.flags & kFlagDupe) {
        for (int e : earlier) {
          const LogQso& o = *in.qsos[static_cast<std::size_t>(e)].qso;
          if (o.band == q.band && o.mode == q.mode) {
            r.partner = e;
            break;
          }
        }
        a.dupes.push_back(index);
      }
      const QsoVerdict* v = i < in.verdicts.size() ? &in.verdicts[i] : nullptr;
      if (v && !v->waitMessage.empty()) {
        // The module measures from the last QSO of the station in the other mode here.
        for (auto e = earlier.rbegin(); e != earlier.rend(); ++e) {
          const LogQso& o = *in.qsos[static_cast<std::size_t>(*e)].qso;
          if (o.band == q.band && o.mode != q.mode) {
            r.partner = *e;
            break;
          }
        }
        r.flags |= kFlagModeTooSoon;
        a.modeTooSoon.push_back(index);
      }
      earlier.push_back(index);
      if (IsRegionPrefix(in.qsos[i].prefix) && !r.region.empty()) {
        const std::string implied = RegionFromCall(q.call, in.specialCalls);
        if (IsRegionCode(implied) && implied != r.region) {
          r.impliedRegion = implied;
          r.flags |= kFlagRegionNotCalls;
          a.regionNotCalls.push_back(index);
        }
      }
    }
    if (r.flags & (kFlagRefused | kFlagDupe | kFlagBadRegion)) a.notCounted.push_back(index);
  }

  // A Russian station sends one region all contest; the others' numbers grow with time.
  std::vector<std::string> calls;
  for (const auto& [call, list] : byCall) calls.push_back(call);
  std::sort(calls.begin(), calls.end());
  for (const std::string& call : calls) {
    std::vector<int> list = byCall[call];
    if (list.size() < 2) continue;
    const auto exch = [&](int i) {
      return NormalizeExchange(in.qsos[static_cast<std::size_t>(i)].qso->exchRcvd);
    };
    const bool russian = IsRussianPrefix(in.qsos[static_cast<std::size_t>(list[0])].prefix);
    bool numbers = !russian;
    for (int i : list) numbers = numbers && AllDigits(exch(i)) && exch(i).size() <= 9;
    std::vector<int> concerned;
    if (numbers) {
      std::stable_sort(list.begin(), list.end(), [&](int x, int y) {
        return a.qsos[static_cast<std::size_t>(x)].second <
               a.qsos[static_cast<std::size_t>(y)].second;
      });
      for (std::size_t k = 1; k < list.size(); ++k) {
        if (std::stoll(exch(list[k])) <= std::stoll(exch(list[k - 1]))) {
          for (int i : {list[k - 1], list[k]}) {
            if (std::find(concerned.begin(), concerned.end(), i) == concerned.end()) {
              concerned.push_back(i);
            }
          }
        }
      }
    } else {
      for (int i : list) {
        if (exch(i) != exch(list[0])) concerned = list;
      }
    }
    if (concerned.empty()) continue;
    std::sort(concerned.begin(), concerned.end());
    for (int i : concerned) a.qsos[static_cast<std::size_t>(i)].flags |= kFlagExchangeChanged;
    a.exchangeChanges.push_back({call, concerned, russian});
  }

  if (!in.knownCalls) return;
  a.scpChecked = true;
  std::map<std::string, std::vector<int>> unknown;
  for (std::size_t i = 0; i < a.qsos.size(); ++i) {
    const std::string& call = in.qsos[i].qso->call;
    bool known = in.knownCalls->count(call) > 0;
    // A portable call is known by its home call ("DL/R3DZV/P" by R3DZV).
    for (std::size_t b = 0; !known && b < call.size();) {
      std::size_t e = call.find('/', b);
      if (e == std::string::npos) e = call.size();
      known = e - b >= 3 && in.knownCalls->count(call.substr(b, e - b)) > 0;
      b = e + 1;
    }
    if (known) continue;
    a.qsos[i].flags |= kFlagNotInScp;
    unknown[call].push_back(static_cast<int>(i));
  }
  for (auto& [call, list] : unknown) a.unknownCalls.push_back({call, std::move(list)});
}

}  // namespace

Analysis Analyse(const AnalysisInput& in) {
  Analysis a;
  a.qsos.resize(in.qsos.size());
  Boundaries boundaries;
  const Running final = ScoreQsos(in, a, boundaries);
  FillHours(in, a, boundaries, final);
  FillRates(a);
  FillContinents(in, a);
  CheckQsos(in, a);
  return a;
}

std::unordered_set<std::string> LoadKnownCalls(const std::string& path) {
  std::ifstream file(PathFromUtf8(path), std::ios::binary);
  if (!file) throw LogError(path, 0, std::string("cannot open: ") + std::strerror(errno));
  std::unordered_set<std::string> calls;
  std::string line;
  while (std::getline(file, line)) {
    std::size_t b = 0, e = line.size();
    while (b < e && (line[b] == ' ' || line[b] == '\t')) ++b;
    while (e > b && (line[e - 1] == ' ' || line[e - 1] == '\t' || line[e - 1] == '\r')) --e;
    if (b == e || line[b] == '#') continue;
    std::string call = line.substr(b, e - b);
    for (char& c : call) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    calls.insert(std::move(call));
  }
  if (file.bad()) throw LogError(path, 0, "read error");
  if (calls.empty()) throw LogError(path, 0, "no call in the file (is it a MASTER.SCP file?)");
  return calls;
}

std::string SecondsText(int64_t seconds) {
  // Back from the linear axis to a DATE (before 1900 the time of day counts backwards).
  const int64_t day = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  const double fraction = static_cast<double>(seconds - day * 86400) / 86400.0;
  const double date =
      day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
  return FormatDate(OleDateTime{date, kDateValid}, "%Y-%m-%d %H:%M:%S");
}

}  // namespace zd::replay

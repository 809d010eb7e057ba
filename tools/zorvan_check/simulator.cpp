#include "zorvan_check/simulator.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

#include "callsign/region.h"
#include "engine/contest_rules.h"
#include "platform/ole_date.h"
#include "zorvan_check/near_call.h"

namespace zd::check {
namespace {

namespace fs = std::filesystem;

constexpr int kBandWeight[] = {5, 12, 20, 30, 20, 13};  // per cent, 160 m to 10 m
static_assert(std::size(kBandWeight) == zd::kBands.size());
constexpr const char* kRussianHeads[] = {"R", "RA", "RN", "RV", "RW", "RZ", "UA", "RU", "RK"};
constexpr char kRussianDigits[] = {'1', '3', '4', '6', '9', '0'};
constexpr const char* kOtherHeads[] = {"DL", "OK", "SP", "UT", "UR", "G",  "IK", "EA", "F",
                                       "K",  "W",  "N",  "JA", "LY", "YO", "HA", "VK", "OH",
                                       "UN", "PY", "ZS", "S5", "9A", "OM", "YL", "ES", "LZ",
                                       "VE", "ZL", "LU", "EW", "4X", "ON", "PA", "SM", "OZ"};
constexpr const char* kCategories[] = {"SINGLE-OP ALL HIGH", "SINGLE-OP ALL LOW",
                                       "SINGLE-OP ALL QRP", "MULTI-OP ALL HIGH"};
constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr int64_t kContestStart = 45367LL * 86400 + 12 * 3600;  // 16 March 2024, 12:00 UTC
constexpr int64_t kContestLength = 24 * 3600;

struct Station {
  std::string call;
  bool russian = false;
  std::string region;  // what a Russian station sends
  bool sendsLog = true;
  int64_t clock = 0;  // seconds its clock is off
  bool adif = false;
  std::string category;
};

struct Side {
  int station = -1;    // -1: a one-off station that sends no log
  bool logged = true;  // the line is in the station's log
  std::string callLogged, exchLogged;
  std::string exchSent;
  BustKind bust = BustKind::kNone;
  bool exchangeBusted = false;
  int64_t seconds = 0;  // logged time
};

struct Contact {
  int band = 0;
  bool rtty = true;
  int64_t seconds = 0;  // true time
  bool repeat = false;  // a repeat of an earlier contact on the same band and mode
  bool clean = false;   // no error may go in (repeats and their originals)
  Side side[2];
};

class Simulation {
 public:
  explicit Simulation(const SimSettings& s) : s_(s), rng_(s.seed) {}

  SimContest Run(const std::string& folder) {
    MakeStations();
    MakeContacts();
    InjectErrors();
    AssignTimesAndExchanges();
    return Write(folder);
  }

 private:
  double Uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(double p) { return Uniform() < p; }

  std::string Suffix(int letters) {
    std::string s;
    for (int i = 0; i < letters; ++i) s += static_cast<char>('A' + Below(26));
    return s;
  }

  std::string NewCall(bool russian, std::string& region) {
    while (true) {
      std::string call;
      if (russian) {
        call = std::string(kRussianHeads[Below(static_cast<int>(std::size(kRussianHeads)))]) +
               kRussianDigits[Below(static_cast<int>(std::size(kRussianDigits)))] +
               Suffix(2 + Below(2));
        region = RegionFromCall(call, {});
        if (region.size() != 2 || !IsRegionCode(region)) continue;
      } else {
        call = std::string(kOtherHeads[Below(static_cast<int>(std::size(kOtherHeads)))]) +
               static_cast<char>('0' + Below(10)) + Suffix(1 + Below(3));
      }
      if (used_.insert(call).second) return call;
    }
  }

  void MakeStations() {
    stations_.resize(static_cast<std::size_t>(s_.stations));
    for (Station& st : stations_) {
      st.russian = Chance(s_.russianShare);
      st.call = NewCall(st.russian, st.region);
      st.sendsLog = !Chance(s_.noLogShare);
      if (Chance(s_.clockShare)) {
        st.clock = (3 + Below(10)) * 60 * (Chance(0.5) ? 1 : -1);
        ++clockStations_;
      }
      st.adif = Chance(s_.adifShare);
      st.category = kCategories[Below(static_cast<int>(std::size(kCategories)))];
    }
  }

  int RandomBand() {
    int r = Below(100);
    for (int b = 0; b < kBandCount; ++b) {
      if (r < kBandWeight[b]) return b;
      r -= kBandWeight[b];
    }
    return 3;
  }

  void MakeContacts() {
    const int64_t count = static_cast<int64_t>(s_.stations) * s_.linesPerStation / 2;
    std::unordered_set<uint64_t> worked;  // station pair, band and mode
    auto key = [](int a, int b, int band, bool rtty) {
      if (a > b) std::swap(a, b);
      return (static_cast<uint64_t>(a) << 36) | (static_cast<uint64_t>(b) << 8) |
             static_cast<uint64_t>(band * 2 + (rtty ? 1 : 0));
    };
    contacts_.reserve(static_cast<std::size_t>(count));
    while (static_cast<int64_t>(contacts_.size()) < count) {
      Contact c;
      c.side[0].station = Below(s_.stations);
      c.side[1].station = Below(s_.stations);
      if (c.side[0].station == c.side[1].station) continue;
      c.band = RandomBand();
      c.rtty = Chance(0.5);
      if (!worked.insert(key(c.side[0].station, c.side[1].station, c.band, c.rtty)).second)
        continue;
      c.seconds = kContestStart + 300 + static_cast<int64_t>(Uniform() * (kContestLength - 600));
      contacts_.push_back(c);
      if (Chance(s_.dupeRate)) {
        // Worked again later on the same band and mode: both log the repeat.
        Contact again = c;
        again.seconds = c.seconds + 600 + Below(7200);
        if (again.seconds >= kContestStart + kContestLength - 300) continue;
        again.repeat = true;
        again.clean = contacts_.back().clean = true;
        contacts_.push_back(again);
      }
    }
    // One-off stations that send no log, worked once.
    const int64_t uniques = static_cast<int64_t>(static_cast<double>(count) * 2 * s_.uniqueRate);
    for (int64_t i = 0; i < uniques; ++i) {
      Contact c;
      c.side[0].station = Below(s_.stations);
      std::string region;
      const bool russian = Chance(s_.russianShare);
      oneOffs_.push_back({NewCall(russian, region), russian, region, false, 0, false, ""});
      c.side[1].station = -2 - static_cast<int>(oneOffs_.size() - 1);
      c.side[1].logged = false;
      c.band = RandomBand();
      c.rtty = Chance(0.5);
      c.seconds = kContestStart + 300 + static_cast<int64_t>(Uniform() * (kContestLength - 600));
      c.clean = true;
      contacts_.push_back(c);
    }
  }

  const Station& StationOf(int index) const {
    return index >= 0 ? stations_[static_cast<std::size_t>(index)]
                      : oneOffs_[static_cast<std::size_t>(-2 - index)];
  }

  void InjectErrors() {
    for (Contact& c : contacts_) {
      for (int k = 0; k < 2; ++k) c.side[k].callLogged = StationOf(c.side[1 - k].station).call;
      if (c.clean) continue;
      const bool bothLog =
          StationOf(c.side[0].station).sendsLog && StationOf(c.side[1].station).sendsLog;
      int survivor = -1;
      if (bothLog && Chance(s_.nilRate)) {
        const int missing = Below(2);
        c.side[missing].logged = false;
        survivor = 1 - missing;
      }
      for (int k = 0; k < 2; ++k) {
        Side& side = c.side[k];
        if (!side.logged) continue;
        if (k != survivor && Chance(s_.bustedCallRate)) {
          static constexpr BustKind kKinds[] = {BustKind::kChanged, BustKind::kAdded,
                                                BustKind::kDropped, BustKind::kShift};
          const BustKind kind = kKinds[Below(c.rtty ? 4 : 3)];
          const std::string bust = MakeBust(side.callLogged, kind, rng_());
          if (!bust.empty() && bust != StationOf(side.station).call) {
            side.callLogged = bust;
            side.bust = kind;
          }
        }
        side.exchangeBusted = Chance(s_.bustedExchangeRate);
      }
    }
  }

  void AssignTimesAndExchanges() {
    // Serial numbers follow each station's own order of its contacts.
    std::vector<std::size_t> order(contacts_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
      return contacts_[x].seconds < contacts_[y].seconds;
    });
    std::vector<int> serial(stations_.size(), 0);
    for (std::size_t i : order) {
      Contact& c = contacts_[i];
      for (Side& side : c.side) {
        const Station& st = StationOf(side.station);
        side.exchSent = st.russian
                            ? st.region
                            : std::to_string(side.station >= 0
                                                 ? ++serial[static_cast<std::size_t>(side.station)]
                                                 : 1 + Below(300));
        side.seconds = c.seconds + st.clock + Below(31);
      }
      for (int k = 0; k < 2; ++k) {
        Side& side = c.side[k];
        const Station& other = StationOf(c.side[1 - k].station);
        side.exchLogged = c.side[1 - k].exchSent;
        if (side.exchangeBusted) side.exchLogged = BustExchange(side.exchLogged, other.russian);
      }
    }
  }

  std::string BustExchange(const std::string& sent, bool region) {
    if (region) {
      while (true) {
        const std::string_view code = kRegionCodes[static_cast<std::size_t>(Below(92))];
        if (code != sent) return std::string(code);
      }
    }
    std::string out = sent;
    const auto pos = static_cast<std::size_t>(Below(static_cast<int>(out.size())));
    char digit;
    do {
      digit = static_cast<char>('0' + Below(10));
    } while (digit == out[pos] || (pos == 0 && digit == '0'));
    out[pos] = digit;
    return out;
  }

  struct LineRef {
    std::size_t contact;
    int side;
  };

  Finding Expected(const Contact& c, int k, const std::unordered_map<std::string, int64_t>& counts,
                   const std::unordered_map<std::string, int>& submitted) const {
    const Side& me = c.side[k];
    const Side& them = c.side[1 - k];
    if (c.repeat) return Finding::kDupe;
    const Station& partner = StationOf(them.station);
    if (partner.sendsLog) {
      if (!them.logged) return Finding::kNotInLog;
      if (me.callLogged != partner.call) return Finding::kBustedCall;
      return me.exchangeBusted ? Finding::kBustedExchange : Finding::kConfirmed;
    }
    if (submitted.count(me.callLogged)) return Finding::kNotInLog;
    return counts.at(me.callLogged) == 1 ? Finding::kUnique : Finding::kNotCheckable;
  }

  SimContest Write(const std::string& folder) {
    fs::create_directories(folder);
    std::vector<std::vector<LineRef>> lines(stations_.size());
    std::unordered_map<std::string, int64_t> counts;
    for (std::size_t i = 0; i < contacts_.size(); ++i) {
      for (int k = 0; k < 2; ++k) {
        const Side& side = contacts_[i].side[k];
        if (side.station < 0 || !side.logged ||
            !stations_[static_cast<std::size_t>(side.station)].sendsLog)
          continue;
        lines[static_cast<std::size_t>(side.station)].push_back({i, k});
        ++counts[side.callLogged];
      }
    }
    std::unordered_map<std::string, int> submitted;
    for (std::size_t a = 0; a < stations_.size(); ++a) {
      if (stations_[a].sendsLog) submitted[stations_[a].call] = static_cast<int>(a);
    }
    SimContest out;
    out.clockOffsetStations = clockStations_;
    for (std::size_t a = 0; a < stations_.size(); ++a) {
      const Station& st = stations_[a];
      if (!st.sendsLog) continue;
      auto& mine = lines[a];
      std::stable_sort(mine.begin(), mine.end(), [&](const LineRef& x, const LineRef& y) {
        return contacts_[x.contact].side[x.side].seconds <
               contacts_[y.contact].side[y.side].seconds;
      });
      std::vector<SimLine>& truth = out.truth[st.call];
      for (const LineRef& r : mine) {
        const Contact& c = contacts_[r.contact];
        truth.push_back({Expected(c, r.side, counts, submitted), c.side[r.side].bust});
      }
      out.lines += static_cast<int64_t>(mine.size());
      const std::string name = st.call + (st.adif ? ".adi" : ".cbr");
      const fs::path path = fs::path(folder) / name;
      std::ofstream file(path, std::ios::binary);
      file << (st.adif ? Adif(st, mine) : Cabrillo(st, mine));
      if (!file) throw std::runtime_error(path.string() + ": cannot write");
      out.files.push_back(path.string());
    }
    return out;
  }

  static std::string TimeText(int64_t seconds, const char* format) {
    return FormatDate(OleDateTime{static_cast<double>(seconds) / 86400.0, kDateValid}, format);
  }

  int FreqKHz(const Contact& c, std::size_t contact) const {
    return static_cast<int>(zd::kBands[static_cast<std::size_t>(c.band)].workingHz / 1000) +
           static_cast<int>(contact % 20) + (c.rtty ? 0 : -8);
  }

  std::string Cabrillo(const Station& st, const std::vector<LineRef>& mine) const {
    std::string t = "START-OF-LOG: 3.0\r\nCONTEST: REVUZU-DUV\r\nCALLSIGN: " + st.call + "\r\n";
    std::size_t from = 0;
    std::string category = st.category;
    for (const char* tag : {"CATEGORY-OPERATOR: ", "CATEGORY-BAND: ", "CATEGORY-POWER: "}) {
      const std::size_t blank = category.find(' ', from);
      t += std::string(tag) + category.substr(from, blank - from) + "\r\n";
      from = blank == std::string::npos ? category.size() : blank + 1;
    }
    t += "CREATED-BY: zorvan-contest-sim\r\n";
    char line[200];
    for (const LineRef& r : mine) {
      const Contact& c = contacts_[r.contact];
      const Side& side = c.side[r.side];
      std::snprintf(line, sizeof line, "QSO: %5d %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n",
                    FreqKHz(c, r.contact), c.rtty ? "RY" : "PM",
                    TimeText(side.seconds, "%Y-%m-%d %H%M").c_str(), st.call.c_str(), "599",
                    side.exchSent.c_str(), side.callLogged.c_str(), "599", side.exchLogged.c_str());
      t += line;
    }
    return t + "END-OF-LOG:\r\n";
  }

  std::string Adif(const Station& st, const std::vector<LineRef>& mine) const {
    auto field = [](const char* name, const std::string& value) {
      return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
    };
    std::string t =
        "ZORVAN DIGITAL simulated log of " + st.call + "\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n";
    for (const LineRef& r : mine) {
      const Contact& c = contacts_[r.contact];
      const Side& side = c.side[r.side];
      char freq[32];
      std::snprintf(freq, sizeof freq, "%.3f", FreqKHz(c, r.contact) / 1000.0);
      t += field("CALL", side.callLogged) + field("QSO_DATE", TimeText(side.seconds, "%Y%m%d")) +
           field("TIME_ON", TimeText(side.seconds, "%H%M")) +
           field("BAND", std::string(zd::kBands[static_cast<std::size_t>(c.band)].text)) +
           field("FREQ", freq) +
           (c.rtty ? field("MODE", "RTTY") : field("MODE", "PSK") + field("SUBMODE", "PSK63")) +
           field("RST_SENT", "599") + field("RST_RCVD", "599") +
           field("STX_STRING", side.exchSent) + field("SRX_STRING", side.exchLogged) +
           field("STATION_CALLSIGN", st.call) + "<EOR>\r\n";
    }
    return t;
  }

  const SimSettings& s_;
  std::mt19937_64 rng_;
  std::vector<Station> stations_, oneOffs_;
  std::vector<Contact> contacts_;
  std::unordered_set<std::string> used_;
  int clockStations_ = 0;
};

}  // namespace

std::string MakeBust(const std::string& call, BustKind kind, uint64_t pick) {
  if (call.empty()) return {};
  const std::size_t n = call.size();
  const std::string_view alphabet(kAlphabet);
  switch (kind) {
    case BustKind::kChanged: {
      const std::size_t pos = pick % n;
      char c = alphabet[(pick / n) % alphabet.size()];
      if (c == call[pos]) c = alphabet[(alphabet.find(c) + 1) % alphabet.size()];
      std::string out = call;
      out[pos] = c;
      return out;
    }
    case BustKind::kAdded: {
      const std::size_t pos = pick % (n + 1);
      std::string out = call;
      out.insert(pos, 1, alphabet[(pick / (n + 1)) % 26]);
      return out;
    }
    case BustKind::kDropped: {
      if (n < 4) return {};
      std::string out = call;
      out.erase(pick % n, 1);
      return out;
    }
    case BustKind::kShift: {
      // A lost or a stray shift: from a character that can shift on, every one that can.
      std::vector<std::size_t> shiftable;
      for (std::size_t i = 0; i < n; ++i) {
        if (ShiftCounterpart(call[i]) != 0) shiftable.push_back(i);
      }
      if (shiftable.empty()) return {};
      std::string out = call;
      std::size_t i = shiftable[pick % shiftable.size()];
      for (; i < n && ShiftCounterpart(out[i]) != 0; ++i) out[i] = ShiftCounterpart(out[i]);
      return out;
    }
    case BustKind::kNone:
      break;
  }
  return {};
}

SimContest SimulateContest(const SimSettings& settings, const std::string& folder) {
  return Simulation(settings).Run(folder);
}

}  // namespace zd::check

// Drives the module's exports with random sequences of calls and checks, after every
// step, what a host relies on: the score and the counts of GetResult0 equal a plain
// recomputation from a model of the log, duplicates never count, the report file keeps
// its shape, and no out-buffer is written past its 100 bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/contest_rules.h"
#include "host_boundary/host_calls.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

struct ModelQso {
  std::string call, band, mode, prefix, continent, region, exchRcvd, exchSent;
  zd::host::HostDateTime time;
  bool notCounted = false, dupe = false, badRegion = false;
};

struct Model {
  std::vector<ModelQso> log;
  std::vector<std::string> bandsUsed;
  std::string ownPrefix, ownContinent;
};

bool EqNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool ValidBand(const std::string& b) {
  for (const std::string_view v : zd::kBandTexts) {
    if (EqNoCase(b, std::string(v))) return true;
  }
  return false;
}
bool ValidMode(const std::string& m) {
  for (const std::string_view v : zd::kModeTexts) {
    if (EqNoCase(m, std::string(v))) return true;
  }
  return false;
}
bool Russian(const std::string& p) {
  return p == "UA" || p == "UA2" || p == "UA2/f" || p == "UA9" || p == "CE9/KC4";
}
const std::set<std::string>& Codes() {
  static const std::set<std::string> codes = {
      "SP", "LO", "KL", "AR", "NO", "VO", "NV", "PS", "MU", "KA", "KO", "MA", "MO", "OR",
      "LP", "TV", "SM", "JA", "YR", "KS", "TL", "VR", "TB", "RA", "IV", "VL", "KU", "KG",
      "BR", "BO", "VG", "KR", "KM", "RO", "AO", "AD", "KC", "ST", "SO", "CN", "IN", "DA",
      "KB", "NN", "SA", "PE", "SR", "UL", "KI", "TA", "MR", "MD", "UD", "CU", "PM", "OB",
      "BA", "CB", "SV", "HM", "YN", "JN", "TN", "KN", "TO", "OM", "NS", "KE", "AL", "GA",
      "KK", "BU", "IR", "ZK", "HA", "TU", "HK", "EA", "SL", "MG", "AM", "CK", "PK", "YA",
      "SH", "KJ", "KT", "AN", "FJ", "MV", "RK", "SE"};
  return codes;
}
std::string Normalize(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  auto sp = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  size_t b = 0, e = s.size();
  while (b < e && sp(s[b])) ++b;
  while (e > b && sp(s[e - 1])) --e;
  return s.substr(b, e - b);
}
bool SameTime(const zd::host::HostDateTime& a, const zd::host::HostDateTime& b) {
  if (a.status == 0 && b.status == 0) return a.date == b.date;
  return a.status == 2 && b.status == 2;
}

struct Totals {
  long long qsos = 0, points = 0, dxcc = 0, regions = 0, rtty = 0, bpsk = 0, dupes = 0, score = 0;
};

Totals Recompute(const Model& m) {
  Totals t;
  std::set<std::tuple<std::string, int, std::string>> prefixes, regions;
  for (const ModelQso& q : m.log) {
    if (q.call.empty()) continue;
    t.dupes += q.dupe;
    if (q.notCounted) continue;
    ++t.qsos;
    const zd::ModeRule* mode = zd::FindMode(q.mode);  // exact spelling
    const int slot = mode ? mode->slot : zd::kModes[zd::kBpsk125].slot;
    t.rtty += slot == zd::kModes[zd::kRtty].slot;
    t.bpsk += slot == zd::kModes[zd::kBpsk63].slot;
    // A station without a prefix belongs to no entity: never the own country, never a
    // DXCC multiplier; an empty continent is never the own one.
    const zd::PointClass c = !q.prefix.empty() && q.prefix == m.ownPrefix ? zd::kOwnPrefix
                             : !q.continent.empty() && q.continent == m.ownContinent
                                 ? zd::kOwnContinent
                                 : zd::kOtherContinent;
    t.points += zd::QsoPoints(c, zd::BandIndexOf(q.band));
    if (!q.prefix.empty()) prefixes.insert({q.band, slot, q.prefix});
    if (!q.region.empty()) regions.insert({q.band, slot, q.region});
  }
  t.dxcc = static_cast<long long>(prefixes.size());
  t.regions = static_cast<long long>(regions.size());
  t.score = t.points * (t.dxcc + t.regions);
  return t;
}

Totals Parse(const std::string& text) {
  Totals t;
  if (text.rfind("<html>", 0) == 0) {
    const char* p = std::strstr(text.c_str(), "<tr><th><center>Total</center></th>");
    Check(p != nullptr, "html total row");
    Check(
        std::sscanf(p,
                    "<tr><th><center>Total</center></th><td><center>%lld</center></td><td><center>"
                    "%lld</center></td><td><center>%lld</center></td><td><center>%lld</center></"
                    "td><td><center>%lld</center></td><td><center>%lld</center>",
                    &t.qsos, &t.points, &t.dxcc, &t.regions, &t.rtty, &t.bpsk) == 6,
        "html totals");
    p = std::strstr(text.c_str(), "<th><center>Dupe</center></th><td><center>");
    Check(p && std::sscanf(p, "<th><center>Dupe</center></th><td><center>%lld", &t.dupes) == 1,
          "html dupes");
    long long a, b, c;
    p = std::strstr(text.c_str(), "<tr><th>Score:</th><td colspan=7><center>");
    Check(
        p && std::sscanf(p, "<tr><th>Score:</th><td colspan=7><center>%lld * (%lld + %lld) = %lld",
                         &a, &b, &c, &t.score) == 4,
        "html score");
    return t;
  }
  const char* p = std::strstr(text.c_str(), "\r\nTotal\t ");
  Check(p != nullptr, "text total line");
  Check(std::sscanf(p, "\r\nTotal\t %lld\t %lld\t %lld\t %lld\t %lld\t %lld\r\nDupe\t %lld",
                    &t.qsos, &t.points, &t.dxcc, &t.regions, &t.rtty, &t.bpsk, &t.dupes) == 7,
        "text totals");
  long long a, b, c;
  p = std::strstr(text.c_str(), "\r\nScore: ");
  Check(p && std::sscanf(p, "\r\nScore: %lld*(%lld+%lld) = %lld", &a, &b, &c, &t.score) == 4,
        "text score");
  return t;
}

std::string Pick(FuzzedDataProvider& in, std::initializer_list<const char*> pool,
                 size_t randomMax) {
  const size_t n = pool.size();
  const size_t i = in.ConsumeIntegralInRange<size_t>(0, n);
  if (i < n) return *(pool.begin() + i);
  // The host's texts end at their first NUL.
  return std::string(in.ConsumeRandomLengthString(randomMax).c_str());
}

zd::host::HostDateTime PickTime(FuzzedDataProvider& in) {
  static const double kDates[] = {45000.5,
                                  45000.5 + 1.0 / 1440,
                                  45000.51,
                                  45000.99999,
                                  -1.25,
                                  0.0,
                                  -657434.0,
                                  2958465.99,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  -1e300,
                                  1e300};
  zd::host::HostDateTime t;
  t.date = in.ConsumeBool() ? kDates[in.ConsumeIntegralInRange<size_t>(0, std::size(kDates) - 1)]
                            : in.ConsumeFloatingPoint<double>();
  static const int32_t kStatus[] = {0, 0, 0, 1, 2, 77};
  t.status = kStatus[in.ConsumeIntegralInRange<size_t>(0, std::size(kStatus) - 1)];
  return t;
}

// The QSO as the host passes it, with the prefix as the host spelt it.
zd::host::Qso HostQso(const ModelQso& m, const std::string& prefix, unsigned freqHz) {
  zd::host::Qso q;
  q.ownCall = "UA3AAA";
  q.call = m.call;
  q.time = m.time;
  q.freqHz = freqHz;
  q.mode = m.mode;
  q.exchSent = m.exchSent;
  q.exchRcvd = m.exchRcvd;
  q.prefix = prefix;
  q.continent = m.continent;
  q.band = m.band;
  return q;
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

// The module writes its files into the current folder: run it in a folder of its own
// (scripts/fuzz.sh does).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::filesystem::create_directories("Plugins");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const zd::host::Exports stats = zd::host::LinkedExports();
  static Model model;
  static bool lineBreaks = false;  // a text with a line break makes report lines unparsable
  FuzzedDataProvider in(data, size);
  const auto reset = [&](int newContest, const std::string& ownPrefix, const std::string& cont) {
    zd::host::Reset r;
    r.newContest = newContest;
    r.ownCall = "UA3AAA";
    r.start = zd::host::ValidTime(45000.0);
    r.end = zd::host::ValidTime(45001.0);
    r.ownPrefix = ownPrefix;
    r.ownContinent = cont;
    Check(zd::host::ResetContest(stats, r) == 1, "reset returns 1");
    model.log.clear();
    model.bandsUsed.clear();
    model.ownPrefix = ownPrefix;
    model.ownContinent = cont;
    lineBreaks = false;
  };
  // Every input starts a contest run of its own, so a failing input replays alone.
  reset(0, in.ConsumeBool() ? "UA" : "DL", "EU");

  int steps = 0;
  while (in.remaining_bytes() > 0 && steps++ < 64) {
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
      case 0:
      case 1: {  // log a QSO
        ModelQso q;
        q.call = Pick(in, {"DL1ABC", "UA3DX", "RA9AA", "W1AW", "", "UA1ABC"}, 20);
        q.band = Pick(in, {"160m", "80m", "40m", "20m", "15m", "10m", "10M", "12m", ""}, 6);
        q.mode = Pick(in, {"RTTY", "BPSK63", "BPSK125", "rtty", "CW", ""}, 8);
        q.exchRcvd = Pick(in, {"001", "MO", " mo ", "XX", "599", "", "sp"}, 6);
        q.exchSent = Pick(in, {"MO", "001", ""}, 6);
        const std::string prefix =
            Pick(in, {"UA", "UA9", "UA2", "UA2/f", "CE9/KC4", "DL", "W", "IT9", ""}, 8);
        q.continent = Pick(in, {"EU", "AS", "NA", ""}, 3);
        q.time = PickTime(in);
        const unsigned freq = in.ConsumeIntegral<unsigned>();
        lineBreaks = lineBreaks || HasLineBreak(q.call) || HasLineBreak(q.band) ||
                     HasLineBreak(q.mode) || HasLineBreak(q.exchRcvd) || HasLineBreak(q.exchSent);
        const int r = zd::host::AddQso(stats, HostQso(q, prefix, freq));
        const bool accepted =
            ValidBand(q.band) && ValidMode(q.mode) && !q.exchRcvd.empty() && !q.exchSent.empty();
        Check(r == (accepted ? 1 : 0), "AddData0 result");
        if (!accepted) break;
        q.prefix = (prefix == "IT9" || prefix == "IG9") ? "I" : prefix;
        if (Russian(prefix)) {
          const std::string n = Normalize(q.exchRcvd);
          if (Codes().count(n)) {
            q.region = n;
          } else {
            q.notCounted = q.badRegion = true;
          }
        }
        for (const ModelQso& e : model.log) {
          if (e.call == q.call && e.band == q.band && e.mode == q.mode) {
            q.dupe = q.notCounted = true;
            break;
          }
        }
        bool known = false;
        for (const auto& b : model.bandsUsed) known = known || b == q.band;
        if (!known) model.bandsUsed.push_back(q.band);
        model.log.push_back(q);
        break;
      }
      case 2: {  // remove a logged QSO (or a random one)
        if (model.log.empty() || in.ConsumeBool()) break;
        const size_t i = in.ConsumeIntegralInRange<size_t>(0, model.log.size() - 1);
        ModelQso q = model.log[i];
        const int r = zd::host::RemoveQso(stats, HostQso(q, q.prefix, 0));
        Check(r == 1, "RemoveData0 of a logged QSO returns 1");
        for (size_t j = 0; j < model.log.size(); ++j) {
          const ModelQso& e = model.log[j];
          if (e.call == q.call && e.mode == q.mode && e.band == q.band &&
              SameTime(e.time, q.time)) {
            const bool original = !e.dupe;
            model.log.erase(model.log.begin() + static_cast<long>(j));
            // The first repeat of a removed original scores from now on.
            for (size_t k = j; original && k < model.log.size(); ++k) {
              ModelQso& later = model.log[k];
              if (later.call == q.call && later.band == q.band && later.mode == q.mode) {
                later.notCounted = later.badRegion;
                later.dupe = false;
                break;
              }
            }
            break;
          }
        }
        if (model.log.empty()) model.bandsUsed.clear();
        break;
      }
      case 3: {  // call check with guarded 100-byte buffers
        char exch[120], msg[120];
        std::memset(exch, 0x5A, sizeof exch);
        std::memset(msg, 0x5A, sizeof msg);
        const std::string call = Pick(in, {"DL1ABC", "UA3DX", "RA9AA", "ab"}, 300);
        const std::string band = Pick(in, {"20m", "40m", "12m"}, 5);
        const std::string mode = Pick(in, {"RTTY", "BPSK63"}, 5);
        const std::string prefix = Pick(in, {"UA", "UA9", "DL"}, 5);
        const bool second = in.ConsumeBool();
        zd::host::RawCheck c;
        c.call = call.c_str();
        c.mode = mode.c_str();
        c.prefix = prefix.c_str();
        c.continent = "EU";
        c.region = "MO";
        c.band = band.c_str();
        c.secondBand = second ? band.c_str() : nullptr;
        c.exchangeOut = exch;
        c.messageOut = msg;
        const int r = zd::host::CheckCallRaw(stats, c);
        Check(r == 0 || r == 1 || r == 2 || r == 4, "CheckCall0 result");
        for (size_t k = 100; k < sizeof exch; ++k)
          Check(exch[k] == 0x5A && msg[k] == 0x5A, "buffer overrun");
        break;
      }
      case 4: {
        const std::string exch = Pick(in, {}, 8);
        const int r = zd::host::ValidExchange(stats, exch, "UA3DX", "UA");
        Check(r == 0 || r == 1, "IsValidExchg0 result");
        break;
      }
      case 5: {
        int status = 0;
        const char* text = stats.GetResult0(&status);
        Check(status == -1 && text != nullptr, "GetResult0 status");
        const Totals got = Parse(text);
        const Totals want = Recompute(model);
        if (got.score != want.score || got.qsos != want.qsos || got.dupes != want.dupes) {
          std::fprintf(stderr,
                       "got q%lld p%lld d%lld r%lld dup%lld s%lld / want q%lld p%lld d%lld r%lld "
                       "dup%lld s%lld\n%s\n",
                       got.qsos, got.points, got.dxcc, got.regions, got.dupes, got.score, want.qsos,
                       want.points, want.dxcc, want.regions, want.dupes, want.score, text);
          for (const ModelQso& q : model.log)
            std::fprintf(stderr, "  [%s|%s|%s|%s|%s|%s] nc%d d%d\n", q.call.c_str(), q.band.c_str(),
                         q.mode.c_str(), q.prefix.c_str(), q.continent.c_str(), q.region.c_str(),
                         q.notCounted, q.dupe);
        }
        Check(got.qsos == want.qsos && got.points == want.points && got.dxcc == want.dxcc &&
                  got.regions == want.regions && got.rtty == want.rtty && got.bpsk == want.bpsk &&
                  got.dupes == want.dupes && got.score == want.score,
              "summary equals the recomputation");
        break;
      }
      case 6:
        reset(in.ConsumeIntegralInRange<int>(0, 4) == 0 ? 1 : 0,
              Pick(in, {"UA", "DL", "W", "UN"}, 4), Pick(in, {"EU", "NA", "AS"}, 3));
        break;
      case 7:
        if (in.ConsumeIntegralInRange<int>(0, 9) == 0) stats.setVersion("2.20");
        break;
    }
  }
  // The report keeps its shape: the header, then QSO lines that end in a known message.
  if (!lineBreaks) {
    std::ifstream report("BadQSO_ZedevIzuverUzaz_" + std::string("16_03_2023") + ".txt",
                         std::ios::binary);
    std::string line;
    bool first = true;
    while (std::getline(report, line)) {
      Check(!line.empty() && line.back() == '\r', "report lines end in CR LF");
      line.pop_back();
      if (first) {
        Check(line == "ZORVAN-DIGI UBN file ", "report header");
        first = false;
        continue;
      }
      const bool known =
          line.rfind("QSO:  ", 0) == 0 &&
          (line.ends_with("   WRONG BAND !!!") || line.ends_with("   WRONG MODE !!!") ||
           line.ends_with("   NO RX NUMBER !!!") || line.ends_with("   DUPE !!!") ||
           line.ends_with("  Russland Code Area is not acceptable !!!"));
      Check(known, "report line shape");
    }
  }
  return 0;
}

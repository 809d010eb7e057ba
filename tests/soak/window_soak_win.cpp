// A whole contest played through the host stand-in, with the real Stats.dll in its process
// and every status window open: QSOs in RTTY and BPSK63 on the six bands (a fixed seed),
// the typed call checked before each one and the result asked after it, edits (a removal,
// then the corrected QSO, region corrections of Russian stations among them), deletions,
// dupes, the host tuned to other bands and modes, and the control window's options
// switched off and on. At moments chosen with the same seed, and at the end, what every
// window shows (titles, region cells, the DXCC panel's text, the continent pages' ticks,
// the band-change count, the option boxes) is read back and compared with what the log
// implies, computed here from the QSOs played: a model of its own, not the engine's lists.
//
// Size: ZD_WINDOW_SOAK_QSOS steps (default 500) and ZD_WINDOW_SOAK_MOMENTS moments
// (default 50); `make soak-windows` plays the full contest.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "callsign/region.h"
#include "control/module_host_win.h"

namespace zd {
namespace {

using namespace wine_test;

constexpr const char* kBands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
constexpr double kBandHz[] = {1838000, 3580000, 7040000, 14080000, 21080000, 28080000};
constexpr const char* kModes[] = {"RTTY", "BPSK63"};
constexpr int kRegionFirstCell = 1500;
constexpr int kRegionCells = 88;

int Setting(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && std::atoi(v) > 0 ? std::atoi(v) : fallback;
}

// ---------------------------------------------------------------- the contest played

// Every run plays the same contest: the generator is fully specified by the language.
class Random {
 public:
  explicit Random(std::uint32_t seed) : g_(seed) {}
  int Below(int n) { return static_cast<int>(g_() % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T>
  const T& Pick(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(Below(static_cast<int>(v.size())))];
  }

 private:
  std::mt19937 g_;
};

struct Station {
  std::string call, prefix;
};

bool Russian(const std::string& prefix) {
  return prefix == "UA" || prefix == "UA2" || prefix == "UA2/f" || prefix == "UA9" ||
         prefix == "CE9/KC4";
}

std::vector<Station> MakeStations(Random& r) {
  // Prefixes as the host spells them: many with a box on a continent page, some without,
  // the ones a page ticks under another label; and the Russian ones, nearly half of the
  // stations of a Russian contest.
  const std::vector<std::string> russian = {"UA",  "UA",  "UA",    "UA9",
                                            "UA9", "UA2", "UA2/f", "CE9/KC4"};
  const std::vector<std::string> prefixes = {
      "DL",  "F",  "G",  "I",  "IT9", "SP", "OK", "OM", "HA",  "YO", "LZ", "9A", "S5",  "UR",
      "EU",  "LY", "YL", "ES", "OH",  "SM", "LA", "OZ", "PA",  "ON", "EA", "CT", "HB",  "OE",
      "SV",  "4X", "JA", "BY", "HL",  "VU", "UN", "EX", "K",   "VE", "XE", "PY", "LU",  "ZS",
      "EA8", "5B", "SU", "E4", "3Y",  "TZ", "ZL", "VK", "9M2", "A9", "HS", "CN", "KH6", "V5"};
  std::vector<Station> out;
  std::set<std::string> calls;
  while (out.size() < 1500) {
    const std::string& prefix = r.Chance(45) ? r.Pick(russian) : r.Pick(prefixes);
    std::string stem = prefix.substr(0, prefix.find('/'));
    if (prefix == "UA") stem = "RA";
    if (prefix == "UA9") stem = "RA9";
    if (prefix == "CE9/KC4") stem = "RI1AN";
    std::string call = stem + std::to_string(r.Below(10));
    for (int i = 0, n = 2 + r.Below(2); i < n; ++i) call += static_cast<char>('A' + r.Below(26));
    if (calls.insert(call).second) out.push_back({call, prefix});
  }
  return out;
}

// The region a Russian station sends (its own, as the call implies it, or a wrong one).
std::string RegionOf(Random& r, const std::string& prefix) {
  if (prefix == "UA2" || prefix == "UA2/f") return "KA";
  if (prefix == "CE9/KC4") return "AN";
  return std::string(kRegionCodes[static_cast<std::size_t>(r.Below(92))]);
}

// One QSO as the host passes it.
struct Qso {
  std::string call, band, mode, prefix, exch;
  int minute = 0;  // since the contest began, 8 December 2026 00:00 UTC
};

std::string DateText(int minute, bool withSeconds = false) {
  const int day = 8 + minute / 1440, hour = minute / 60 % 24, min = minute % 60;
  char text[32];
  if (withSeconds) {
    std::snprintf(text, sizeof text, "2026-12-%02d %02d:30:00", day, hour);
  } else {
    std::snprintf(text, sizeof text, "2026-12-%02d %02d:%02d", day, hour, min);
  }
  return text;
}

std::string Quoted(const std::string& word) { return "\"" + word + "\""; }

// ---------------------------------------------------------------- what the log implies

std::string Normalized(const std::string& exch) {
  std::string s = exch;
  for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  const auto b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool ValidRegion(const std::string& code) {
  return std::find(kRegionCodes.begin(), kRegionCodes.end(), code) != kRegionCodes.end();
}

// What the host shows and has typed.
struct HostState {
  double hz = 14080000;
  std::string mode = "RTTY";  // as the host names it
  std::string entry;
  int Band() const {
    for (int b = 0; b < 6; ++b) {
      if (static_cast<long long>(hz / 1e6) == static_cast<long long>(kBandHz[b] / 1e6)) return b;
    }
    return -1;
  }
  std::string ModeText() const { return mode == "BPSK31" ? "BPSK63" : mode; }
  int Mode() const {
    const std::string m = ModeText();
    return m == "RTTY" ? 0 : m == "BPSK63" ? 1 : m == "CW" ? 2 : -1;
  }
  std::string BandText() const { return Band() < 0 ? "" : kBands[Band()]; }
};

class ContestModel {
 public:
  // AddData0 of a QSO the engine stores.
  void Add(const Qso& q, int clockHour) {
    if (log_.empty() || HourOfDay(log_.back().minute) != HourOfDay(q.minute)) {
      bandChanges_ = 0;
    } else if (log_.back().band != q.band) {
      ++bandChanges_;
    }
    if (clockHour != HourOfDay(q.minute)) bandChanges_ = 0;
    log_.push_back(q);
  }
  // RemoveData0: the first QSO of that call, band, mode and time goes.
  void Remove(const Qso& q) {
    for (std::size_t i = 0; i < log_.size(); ++i) {
      const Qso& r = log_[i];
      if (r.call != q.call || r.band != q.band || r.mode != q.mode || r.minute != q.minute)
        continue;
      if (i > 0 && log_[i - 1].band != r.band && bandChanges_ > 0) --bandChanges_;
      log_.erase(log_.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
  // GetResult0: the multipliers of every band and mode, from the counted QSOs (the first of
  // each call, band and mode in log order, unless its region was refused).
  void Result() {
    entities_.clear();
    regions_.clear();
    std::set<std::string> seen;
    for (const Qso& q : log_) {
      if (!seen.insert(q.call + "|" + q.band + "|" + q.mode).second) continue;
      const bool russian = Russian(q.prefix);
      const std::string region = russian ? Normalized(q.exch) : std::string();
      if (russian && !ValidRegion(region)) continue;
      const auto key = std::make_pair(BandIndex(q.band), q.mode == "RTTY" ? 0 : 1);
      entities_[key].insert(q.prefix == "IT9" || q.prefix == "IG9" ? "I" : q.prefix);
      if (!region.empty()) regions_[key].insert(region);
    }
  }

  std::set<std::string> Entities(int band, int mode) const { return Lookup(entities_, band, mode); }
  std::set<std::string> Regions(int band, int mode) const { return Lookup(regions_, band, mode); }
  int BandChanges() const { return bandChanges_; }
  const std::vector<Qso>& log() const { return log_; }

  static int HourOfDay(int minute) { return minute / 60 % 24; }
  static int BandIndex(const std::string& band) {
    for (int b = 0; b < 6; ++b) {
      if (band == kBands[b]) return b;
    }
    return -1;
  }

 private:
  using Lists = std::map<std::pair<int, int>, std::set<std::string>>;
  static std::set<std::string> Lookup(const Lists& lists, int band, int mode) {
    const auto it = lists.find({band, mode});
    return it == lists.end() ? std::set<std::string>() : it->second;
  }

  std::vector<Qso> log_;
  Lists entities_, regions_;  // as the last result rebuilt them
  int bandChanges_ = 0;
};

struct Options {
  bool region = true, dxcc = true, extended = true, bandChange = true, onTop = false;
};

// A continent page's box is ticked by the key equal to its label; the Kaliningrad box also
// by "UA2/f", the African 3Y/b box by "3Y"; the hidden African 3W box by nothing.
bool Ticked(const std::set<std::string>& keys, std::string label, bool visible) {
  if (!visible) return false;
  label = label.substr(label.find_first_not_of(' '));
  label = label.substr(0, label.find_last_not_of(' ') + 1);
  if (label == "UA2" && keys.count("UA2/f")) return true;
  if (label == "3Y/b") return keys.count("3Y") > 0;
  return keys.count(label) > 0;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// The DXCC panel: the sorted keys, or the typed call's row of each band.
std::vector<std::string> PanelWords(const ContestModel& m, const HostState& host) {
  std::vector<std::string> out;
  if (host.entry.empty()) {
    if (host.Band() < 0) return out;
    for (const auto& k : m.Entities(host.Band(), host.Mode())) out.push_back(k);  // sorted
    return out;
  }
  out = {host.entry, "RTTY", "BPSK63", "NR/OBL"};
  for (const char* band : kBands) {
    std::string rtty = "-", psk = "-", exch = "-";
    for (const Qso& q : m.log()) {
      if (q.band != band || q.call != host.entry) continue;
      const std::string time = DateText(q.minute).substr(11);
      if (q.mode == "RTTY") rtty = time;
      if (q.mode == "BPSK63") psk = time;
      exch = q.exch;
    }
    for (const std::string& w : {std::string(band), rtty, psk}) out.push_back(w);
    for (const std::string& w : Words(exch)) out.push_back(w);
  }
  return out;
}

// ---------------------------------------------------------------- what the windows show

struct Box {
  std::string label;
  bool visible, checked;
};

struct Shown {
  std::vector<std::string> problems;  // windows missing twice over, unreadable, ...
  std::map<int, bool> optionBoxes;
  std::map<std::string, HWND> windows;  // "region", "dxcc", "extended", "band", "control"
  std::map<std::string, std::string> titles;
  std::map<std::string, bool> onTop;
  std::map<std::string, std::string> cells;  // label -> RRGGBB
  std::vector<std::string> panel;
  std::vector<Box> boxes;
  std::string bandChanges;
};

std::string TitleOf(HWND w) {
  wchar_t text[256] = {};
  InternalGetWindowText(w, text, 256);
  return Utf8(text);
}

bool ClassIs(HWND w, const wchar_t* name) { return w && ClassOf(w) == name; }

LRESULT Ask(HWND w, UINT msg) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(w, msg, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
  return static_cast<LRESULT>(result);
}

class Soak {
 public:
  Soak() : random_(20261208) {}

  void Run(int steps, int moments) {
    ASSERT_TRUE(host_.ok()) << "the stand-in did not load the module";
    Prepare();
    if (::testing::Test::HasFatalFailure()) return;
    const std::set<int> at = ChooseMoments(steps, moments);
    stations_ = MakeStations(random_);
    const auto start = std::chrono::steady_clock::now();
    for (int step = 0; step < steps && !::testing::Test::HasFailure(); ++step) {
      Play(step, at.count(step) > 0);
    }
    if (!::testing::Test::HasFailure()) Moment("the end");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int adds = 0, refused = 0;
    tail_.Update();
    for (const std::string& line : tail_.lines) {
      if (line.rfind("add ", 0) == 0 || line.rfind("remove ", 0) == 0) {
        ++adds;
        refused += line.size() > 5 && line.substr(line.size() - 5) == " -> 0" ? 1 : 0;
      }
      EXPECT_TRUE(line.rfind("command failed", 0) != 0 ||
                  line.find("cell-colours") != std::string::npos)
          << line;
    }
    EXPECT_EQ(refused, 0) << "every QSO played is one the module takes";
    std::printf(
        "window soak: %d steps, %d QSOs logged, %d edits, %d deletions, %d dupes, "
        "%d option switches, %d moments compared, %.1f s\n",
        steps, qsos_, edits_, deletions_, dupes_, switches_, compared_, seconds);
    ::testing::Test::RecordProperty("moments_compared", compared_);
  }

 private:
  // The record of the stand-in, read as it grows.
  struct Tail {
    explicit Tail(ModuleHost& h) : host(h) {}
    void Update() {
      auto more = host.stub().RecordFrom(offset);
      for (auto& l : more) lines.push_back(std::move(l));
    }
    // The index of the last line that starts with `prefix`.
    std::size_t Last(const std::string& prefix) const {
      for (std::size_t i = lines.size(); i > 0; --i) {
        if (lines[i - 1].rfind(prefix, 0) == 0) return i - 1;
      }
      return 0;
    }
    ModuleHost& host;
    std::size_t offset = 0;
    std::vector<std::string> lines;
  };

  void Do(const std::string& command) { ASSERT_TRUE(host_.Do(command)) << command; }

  void Prepare() {
    for (const char* key : {"RusObl", "DXCC", "setup_view_dxcc_extended", "Timer"}) {
      Do(std::string("setting ") + key + " 1");
    }
    Do("setting Start 1");  // the reset does not open the windows by itself
    Do("env ZD_TEST_CLOCK " + Quoted(DateText(0, true)));
    Do("stats-reset DL1XX DL EU");
    Do("set HostMode RTTY");
    Do("set HostFrequency 14080000");
    Do("stats-command SHOWINFO");
  }

  std::set<int> ChooseMoments(int steps, int moments) {
    std::set<int> at;
    while (static_cast<int>(at.size()) < std::min(moments, steps - 1))
      at.insert(1 + random_.Below(steps - 1));
    return at;
  }

  // The host tuned to a band and mode, as far as it differs.
  void Tune(double hz, const std::string& mode) {
    if (mode != hostState_.mode) Do("set HostMode " + mode);
    if (hz != hostState_.hz) Do("set HostFrequency " + std::to_string(static_cast<long long>(hz)));
    hostState_.hz = hz;
    hostState_.mode = mode;
  }
  void Type(const std::string& entry) {
    Do("set HostEntryText 5 " + Quoted(entry));
    hostState_.entry = entry;
  }
  // The result, and a refresh that starts after it: the refresh before it has shown what
  // it read, as an operator, slower than the windows, would have seen it.
  void Result() {
    Type("");
    Do("stats-result");
    model_.Result();
    WaitForRefreshAfter("result", "get HostMode");
  }
  void Log(bool add, const Qso& q) {
    const int hour = ContestModel::HourOfDay(q.minute);
    if (add && hour != clockHour_) {
      Do("env ZD_TEST_CLOCK " + Quoted(DateText(q.minute, true)));
      clockHour_ = hour;
    }
    Do(std::string(add ? "stats-add " : "stats-remove ") + q.call + " " + q.band + " " + q.mode +
       " " + q.prefix + " " + Quoted(q.exch) + " " + Quoted(DateText(q.minute)));
    if (add) {
      model_.Add(q, clockHour_);
    } else {
      model_.Remove(q);
    }
  }

  std::string ExchangeFor(const Station& s) {
    if (!Russian(s.prefix)) return std::to_string(1 + model_.log().size());
    if (random_.Chance(2)) return "599";  // a wrong exchange: the region is refused
    std::string region = RegionOf(random_, s.prefix);
    if (random_.Chance(5)) {  // typed in lower case with a blank
      for (char& c : region) c = static_cast<char>(c - 'A' + 'a');
      region = " " + region;
    }
    return region;
  }

  void Play(int step, bool moment) {
    minute_ += random_.Below(3);
    if (random_.Chance(3)) band_ = random_.Below(6);
    if (random_.Chance(2)) {
      mode_ = 1 - mode_;
      pskName_ = random_.Chance(50) ? "BPSK31" : "BPSK63";
    }
    const int action = random_.Below(100);
    if (action < 5 && model_.log().size() > 10) return Edit(moment);
    if (action < 7 && model_.log().size() > 10) return Delete(moment);
    if (action < 10) return TuneAway(moment);
    if (switchBack_ && step >= switchBackAt_) return Switch(moment, switchBack_);
    if (action < 11 && !switchBack_ && step - lastSwitch_ > 30) {
      // Switched off and on again a few QSOs later, or "Window on top" both ways.
      lastSwitch_ = step;
      switchBackAt_ = step + 3 + random_.Below(20);
      return Switch(moment, 0);
    }
    NewQso(moment);
  }

  void NewQso(bool moment) {
    const std::string band = kBands[band_], mode = kModes[mode_];
    Station s = random_.Pick(stations_);
    if (random_.Chance(3)) {  // a station worked on this band and mode before: a dupe
      bool found = false;
      for (const Qso& q : model_.log()) {
        if (q.band == band && q.mode == mode && random_.Chance(30)) {
          s = {q.call, q.prefix};
          found = true;
        }
      }
      dupes_ += found ? 1 : 0;
    }
    const double hz = kBandHz[band_];
    const std::string hostMode = mode_ == 0 ? "RTTY" : pskName_;
    // A moment while the call is typed, when the host stays on its band and mode (the
    // extended window's title then names them, as the last refresh without a call left it).
    const bool typing =
        moment && hz == hostState_.hz && hostMode == hostState_.mode && random_.Chance(50);
    if (typing) Moment("before QSO " + std::to_string(qsos_ + 1));
    Tune(hz, hostMode);
    if (!typing && random_.Chance(20)) {  // the first three characters checked first
      Type(s.call.substr(0, 3));
      Do("stats-check " + s.call.substr(0, 3) + " " + band + " " + mode + " " + s.prefix);
    }
    Type(s.call);
    Do("stats-check " + s.call + " " + band + " " + mode + " " + s.prefix);
    if (typing) Moment("while " + s.call + " is typed");
    Log(true, Qso{s.call, band, mode, s.prefix, ExchangeFor(s), minute_});
    ++qsos_;
    Result();
    if (moment && !typing) Moment("after QSO " + std::to_string(qsos_));
  }

  // A QSO of the log that the windows have shown, most often a recent one, and most often
  // one of a Russian station (a region typed wrong is the usual correction).
  Qso Logged() {
    const auto& log = model_.log();
    const int n = static_cast<int>(log.size()) - 2;
    const bool russian = random_.Chance(70);
    Qso q;
    for (int tries = 0; tries < 20; ++tries) {
      const int i = random_.Chance(80) ? n - 1 - random_.Below(std::min(n, 30)) : random_.Below(n);
      q = log[static_cast<std::size_t>(i)];
      if (Russian(q.prefix) == russian) break;
    }
    return q;
  }

  void Edit(bool moment) {
    const Qso old = Logged();
    Qso fixed = old;
    if (Russian(old.prefix)) {  // the region corrected
      while (fixed.exch == old.exch) fixed.exch = std::string(kRegionCodes[random_.Below(92)]);
    } else if (random_.Chance(50)) {
      fixed.exch = std::to_string(random_.Below(2000) + 1);
    } else {  // the call corrected: another station of that country
      for (int tries = 0; tries < 50 && fixed.call == old.call; ++tries) {
        const Station& s = random_.Pick(stations_);
        if (s.prefix == old.prefix) fixed.call = s.call;
      }
    }
    Log(false, old);
    Log(true, fixed);
    ++edits_;
    Result();
    if (moment) Moment("after an edit of " + old.call);
  }

  void Delete(bool moment) {
    const Qso old = Logged();
    Log(false, old);
    ++deletions_;
    Result();
    if (moment) Moment("after deleting " + old.call);
  }

  // The operator looks at another band or mode, or out of the contest, and comes back
  // with the next QSO.
  void TuneAway(bool moment) {
    const int kind = random_.Below(4);
    if (kind == 0) Tune(5357000, hostState_.mode);
    if (kind == 1) Tune(hostState_.hz, random_.Chance(50) ? "SSB" : "CW");
    if (kind >= 2) Tune(kBandHz[random_.Below(6)], random_.Chance(50) ? "RTTY" : "BPSK31");
    Result();
    if (moment) Moment("tuned away");
  }

  // An option of the control window switched by the operator: a new one, or (`box` not
  // 0) the one switched before, back.
  void Switch(bool moment, int box) {
    static const std::pair<int, bool Options::*> boxes[] = {
        {1115, &Options::region},     {1116, &Options::dxcc},  {1119, &Options::extended},
        {1109, &Options::bandChange}, {1110, &Options::onTop},
    };
    const auto* chosen = &boxes[random_.Below(5)];
    for (const auto& b : boxes) {
      if (b.first == box) chosen = &b;
    }
    const auto& [id, flag] = *chosen;
    Do("click \"Setup ZORVAN-DIGI\" " + std::to_string(id));
    options_.*flag = !(options_.*flag);
    switchBack_ = box ? 0 : id;
    ++switches_;
    Result();
    if (moment) Moment("after switching option " + std::to_string(id));
  }

  // ------------------------------------------------------------ reading and comparing

  // Waits until a refresh has read the host after the last line starting with `after`, up
  // to the line starting with `until` (by default, all it reads): every refresh that
  // starts then sees the host and the lists as they are now.
  void WaitForRefreshAfter(const std::string& after,
                           const std::string& until = "get HostFrequency") {
    tail_.Update();
    const std::size_t from = tail_.Last(after);
    const bool ok = WaitUntil(
        [&] {
          tail_.Update();
          bool mode = false;
          for (std::size_t i = from + 1; i < tail_.lines.size(); ++i) {
            if (tail_.lines[i].rfind("get HostMode", 0) == 0) mode = true;
            if (mode && tail_.lines[i].rfind(until, 0) == 0) return true;
          }
          return false;
        },
        20000);
    ASSERT_TRUE(ok) << "no refresh read the host within 20 s of \"" << tail_.lines[from] << "\"";
  }

  Shown Read() {
    Shown s;
    for (HWND w : host_.Dialogs()) {
      std::string kind;
      if (StartsWith(TextOf(w), kControlTitle)) {
        kind = "control";
      } else if (GetDlgItem(w, kRegionFirstCell)) {
        kind = "region";
      } else if (GetDlgItem(w, 307)) {
        kind = "dxcc";
      } else if (ClassIs(GetDlgItem(w, 1123), L"SysTabControl32")) {
        kind = "extended";
      } else if (GetDlgItem(w, 300)) {
        kind = "band";
      } else {
        s.problems.push_back("a window titled \"" + TitleOf(w) + "\"");
        continue;
      }
      if (s.windows.count(kind)) s.problems.push_back("two " + kind + " windows");
      s.windows[kind] = w;
      s.titles[kind] = TitleOf(w);
      s.onTop[kind] = (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }
    if (HWND c = s.windows.count("control") ? s.windows["control"] : nullptr) {
      for (int id : {1115, 1116, 1119, 1109, 1110}) {
        s.optionBoxes[id] = Ask(GetDlgItem(c, id), BM_GETCHECK) == BST_CHECKED;
      }
    }
    // The window may be closing or not yet refreshed: then the cells are read next time.
    if (s.windows.count("region") && StartsWith(Widen(s.titles["region"]), L"Obl worked") &&
        host_.Do("cell-colours \"Obl worked\" " + std::to_string(kRegionFirstCell) + " " +
                 std::to_string(kRegionCells))) {
      tail_.Update();
      for (const std::string& w : Words(tail_.lines[tail_.Last("cell-colours")])) {
        const auto colon = w.find(':');
        if (colon != std::string::npos) s.cells[w.substr(0, colon)] = w.substr(colon + 1);
      }
    }
    if (s.windows.count("dxcc")) s.panel = Words(Utf8(TextOf(GetDlgItem(s.windows["dxcc"], 307))));
    if (s.windows.count("extended")) {
      for (HWND page = GetWindow(GetWindow(s.windows["extended"], GW_CHILD), GW_HWNDFIRST); page;
           page = GetWindow(page, GW_HWNDNEXT)) {
        if (ClassOf(page) != L"#32770") continue;
        for (HWND b = GetWindow(page, GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT)) {
          s.boxes.push_back({TitleOf(b), (GetWindowLongW(b, GWL_STYLE) & WS_VISIBLE) != 0,
                             Ask(b, BM_GETCHECK) == BST_CHECKED});
        }
      }
    }
    if (s.windows.count("band")) s.bandChanges = Utf8(TextOf(GetDlgItem(s.windows["band"], 300)));
    return s;
  }

  static std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

  // What differs between the windows and the model.
  std::vector<std::string> Differences(Shown& s) {
    std::vector<std::string> d = s.problems;
    const HostState& h = hostState_;
    const auto expect = [&](bool ok, const std::string& what) {
      if (!ok) d.push_back(what);
    };
    const std::pair<const char*, bool> open[] = {{"region", options_.region},
                                                 {"dxcc", options_.dxcc},
                                                 {"extended", options_.extended},
                                                 {"band", options_.bandChange},
                                                 {"control", true}};
    for (const auto& [kind, on] : open) {
      expect(s.windows.count(kind) == (on ? 1u : 0u),
             std::string(kind) + (on ? " window missing" : " window open"));
      if (s.windows.count(kind) && std::string(kind) != "control") {
        expect(s.onTop[kind] == options_.onTop, std::string(kind) + " window top-most is wrong");
      }
    }
    const std::pair<int, bool> boxes[] = {{1115, options_.region},
                                          {1116, options_.dxcc},
                                          {1119, options_.extended},
                                          {1109, options_.bandChange},
                                          {1110, options_.onTop}};
    for (const auto& [id, on] : boxes) {
      expect(s.optionBoxes.count(id) && s.optionBoxes[id] == on,
             "option box " + std::to_string(id) + " shows " + (s.optionBoxes[id] ? "on" : "off"));
    }
    const std::string band = h.BandText(), mode = h.ModeText();
    if (s.windows.count("region")) {
      const std::set<std::string> regions =
          h.Band() < 0 ? std::set<std::string>() : model_.Regions(h.Band(), h.Mode());
      const std::string title =
          "Obl worked " + mode + " on " + band + " " + std::to_string(regions.size()) + " of 88";
      expect(s.titles["region"] == title,
             "region title \"" + s.titles["region"] + "\", not \"" + title + "\"");
      expect(s.cells.size() == kRegionCells, std::to_string(s.cells.size()) + " region cells read");
      for (const auto& [label, colour] : s.cells) {
        const std::string want = regions.count(label) ? "FF00FF" : "00FF00";
        expect(colour == want, "region cell " + label + " is " + colour + ", not " + want);
      }
    }
    const std::set<std::string> entities =
        h.Band() < 0 ? std::set<std::string>() : model_.Entities(h.Band(), h.Mode());
    if (s.windows.count("dxcc")) {
      const std::string title = h.entry.empty() ? "DXCC worked " + mode + " on " + band + " " +
                                                      std::to_string(entities.size()) + " of 338"
                                                : "Worked with " + h.entry;
      expect(s.titles["dxcc"] == title,
             "DXCC title \"" + s.titles["dxcc"] + "\", not \"" + title + "\"");
      const std::vector<std::string> panel = PanelWords(model_, h);
      if (s.panel != panel) {
        std::string shown, want;
        for (const auto& w : s.panel) shown += w + " ";
        for (const auto& w : panel) want += w + " ";
        d.push_back("DXCC panel shows [" + shown + "], not [" + want + "]");
      }
    }
    if (s.windows.count("extended")) {
      const HostState& t = h.entry.empty() ? h : extendedView_;
      const std::set<std::string> named =
          t.Band() < 0 ? std::set<std::string>() : model_.Entities(t.Band(), t.Mode());
      const std::string title = "DXCC worked " + t.ModeText() + " on " + t.BandText() + " " +
                                std::to_string(named.size()) + " of 338";
      expect(s.titles["extended"] == title,
             "extended title \"" + s.titles["extended"] + "\", not \"" + title + "\"");
      expect(s.boxes.size() == 334, std::to_string(s.boxes.size()) + " boxes on the pages");
      for (const Box& b : s.boxes) {
        const bool want = Ticked(entities, b.label, b.visible);
        expect(b.checked == want, "box " + b.label + (b.checked ? " ticked" : " not ticked"));
      }
    }
    if (s.windows.count("band")) {
      const std::string count = std::to_string(model_.BandChanges());
      expect(s.bandChanges == count, "band changes " + s.bandChanges + ", not " + count);
    }
    return d;
  }

  // Reads every window back until it shows what the log implies (a refresh and the
  // band-change window's one-second tick may still be on their way), or fails with what
  // differs.
  void Moment(const std::string& when) {
    if (::testing::Test::HasFailure()) return;
    WaitForRefreshAfter(hostState_.entry.empty() ? "result" : "check " + hostState_.entry);
    if (::testing::Test::HasFailure()) return;
    if (hostState_.entry.empty()) extendedView_ = hostState_;
    std::vector<std::string> last;
    tail_.Update();
    const std::size_t linesBefore = tail_.lines.size();
    const bool same = WaitUntil(
        [&] {
          Shown s = Read();
          last = Differences(s);
          return last.empty();
        },
        10000);
    ++compared_;
    if (same) return;
    std::string text;
    tail_.Update();
    // What the host served meanwhile: a window thread still busy with refreshes shows here.
    text += "\n  the host served " + std::to_string(tail_.lines.size() - linesBefore) +
            " calls of the module while the test waited; the last:";
    for (std::size_t i = tail_.lines.size() > 6 ? tail_.lines.size() - 6 : 0;
         i < tail_.lines.size(); ++i) {
      text += "\n    | " + tail_.lines[i];
    }
    for (std::size_t i = 0; i < last.size() && i < 12; ++i) text += "\n  " + last[i];
    ADD_FAILURE() << "moment " << compared_ << " (" << when << "): the windows differ from the log"
                  << text;
  }

  ModuleHost host_;
  Tail tail_{host_};
  Random random_;
  std::vector<Station> stations_;
  ContestModel model_;
  HostState hostState_;
  HostState extendedView_;  // the host when the extended window's title was last set
  Options options_;
  int clockHour_ = 0;
  int minute_ = 0;
  int band_ = 3, mode_ = 0;
  std::string pskName_ = "BPSK31";
  int lastSwitch_ = 0;
  int switchBack_ = 0, switchBackAt_ = 0;  // the option to switch back, and when
  int qsos_ = 0, edits_ = 0, deletions_ = 0, dupes_ = 0, switches_ = 0, compared_ = 0;
};

TEST(WindowSoak, EveryWindowShowsWhatTheLogImpliesThroughAWholeContest) {
  Soak soak;
  soak.Run(Setting("ZD_WINDOW_SOAK_QSOS", 500), Setting("ZD_WINDOW_SOAK_MOMENTS", 50));
}

}  // namespace
}  // namespace zd

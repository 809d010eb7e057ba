#include "zorvan_replay/replay_log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>

#include "engine/contest_rules.h"
#include "engine/ole_date.h"

namespace zd::replay {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string UpperText(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), Upper);
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit);
}

int Number(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

std::string_view SkipBom(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text;
}

// The time of a QSO from its date and time fields, or an error for the line.
UtcTime MakeTime(int year, int month, int day, int hour, int minute, int second,
                 const std::string& file, int line, double& date) {
  const auto d = DateFromCivil(year, month, day, hour, minute, second);
  if (!d) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    throw LogError(file, line, std::string("no such date or time: ") + text);
  }
  date = *d;
  return UtcTime{year, month, day, hour, minute, second};
}

// ---------------------------------------------------------------- ADIF

class AdifReader {
 public:
  AdifReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  ReplayLog Read() {
    ReplayLog log;
    std::map<std::string, std::string> fields;
    int recordLine = 0;
    // Text before the first tag is a header only when the file does not start with '<'.
    if (!text_.empty() && text_.front() != '<') {
      if (!SkipHeader()) {
        throw LogError(file_, 1, "the header is not closed by <EOH> (is this an ADIF log?)");
      }
    }
    while (true) {
      const std::size_t open = text_.find('<', pos_);
      if (open == std::string_view::npos) break;
      const int tagLine = LineAt(open);
      const std::size_t close = text_.find('>', open);
      if (close == std::string_view::npos) throw LogError(file_, tagLine, "unterminated tag");
      const std::string_view tag = text_.substr(open + 1, close - open - 1);
      pos_ = close + 1;
      const std::size_t colon = tag.find(':');
      const std::string name = UpperText(Trim(tag.substr(0, colon)));
      if (colon == std::string_view::npos) {
        if (name == "EOR") {
          if (fields.empty()) throw LogError(file_, tagLine, "<EOR> closes an empty record");
          log.qsos.push_back(MakeQso(fields, recordLine));
          fields.clear();
          continue;
        }
        if (name == "EOH") {
          // An empty header: the file starts with its end.
          if (log.qsos.empty() && fields.empty()) continue;
          throw LogError(file_, tagLine, "<EOH> inside the QSO records");
        }
        throw LogError(file_, tagLine, "tag <" + std::string(tag) + "> has no length");
      }
      if (name.empty()) throw LogError(file_, tagLine, "tag without a field name");
      std::string_view lengthText = tag.substr(colon + 1);
      lengthText = lengthText.substr(0, lengthText.find(':'));  // a data type may follow
      lengthText = Trim(lengthText);
      if (!AllDigits(lengthText) || lengthText.size() > 7) {
        throw LogError(file_, tagLine,
                       "field " + name + ": bad length \"" + std::string(lengthText) + "\"");
      }
      const std::size_t length = static_cast<std::size_t>(Number(lengthText));
      if (length > text_.size() - pos_) {
        throw LogError(file_, tagLine,
                       "field " + name + ": its length runs past the end of the file");
      }
      if (fields.empty()) recordLine = tagLine;
      fields[name] = std::string(text_.substr(pos_, length));
      pos_ += length;
    }
    if (!fields.empty()) {
      throw LogError(file_, recordLine, "the last record is not closed by <EOR>");
    }
    for (const LogQso& q : log.qsos) {
      if (!q.stationCall.empty()) {
        log.ownCall = q.stationCall;
        break;
      }
    }
    return log;
  }

 private:
  bool SkipHeader() {
    while (true) {
      const std::size_t open = text_.find('<', pos_);
      if (open == std::string_view::npos) return false;
      const std::size_t close = text_.find('>', open);
      if (close == std::string_view::npos) return false;
      const std::string_view tag = text_.substr(open + 1, close - open - 1);
      pos_ = close + 1;
      const std::size_t colon = tag.find(':');
      if (colon == std::string_view::npos) {
        if (UpperText(Trim(tag)) == "EOH") return true;
        continue;
      }
      // A header field: skip its data so that a '<' inside it is not read as a tag.
      std::string_view lengthText = tag.substr(colon + 1);
      lengthText = Trim(lengthText.substr(0, lengthText.find(':')));
      if (AllDigits(lengthText) && lengthText.size() <= 7) {
        pos_ = std::min(text_.size(), pos_ + static_cast<std::size_t>(Number(lengthText)));
      }
    }
  }

  int LineAt(std::size_t offset) {
    // Lines are counted incrementally: offsets only grow.
    for (; lineScan_ < offset && lineScan_ < text_.size(); ++lineScan_) {
      if (text_[lineScan_] == '\n') ++line_;
    }
    return line_;
  }

  LogQso MakeQso(const std::map<std::string, std::string>& f, int line) {
    auto get = [&](const char* key) -> std::string {
      auto it = f.find(key);
      return it == f.end() ? std::string() : std::string(Trim(it->second));
    };
    LogQso q;
    q.line = line;
    q.call = UpperText(get("CALL"));
    if (q.call.empty()) throw LogError(file_, line, "QSO without CALL");
    const std::string date = get("QSO_DATE");
    const std::string time = get("TIME_ON");
    if (date.size() != 8 || !AllDigits(date)) {
      throw LogError(file_, line, q.call + ": QSO_DATE \"" + date + "\" is not YYYYMMDD");
    }
    if ((time.size() != 4 && time.size() != 6) || !AllDigits(time)) {
      throw LogError(file_, line, q.call + ": TIME_ON \"" + time + "\" is not HHMM or HHMMSS");
    }
    const std::string_view d(date), t(time);
    q.time = MakeTime(Number(d.substr(0, 4)), Number(d.substr(4, 2)), Number(d.substr(6, 2)),
                      Number(t.substr(0, 2)), Number(t.substr(2, 2)),
                      t.size() == 6 ? Number(t.substr(4, 2)) : 0, file_, line, q.date);
    const std::string freq = get("FREQ");
    if (!freq.empty() && !ParseMhz(freq, q.freqHz)) {
      throw LogError(file_, line, q.call + ": FREQ \"" + freq + "\" is not a frequency in MHz");
    }
    std::string band = get("BAND");
    std::transform(band.begin(), band.end(), band.begin(), Lower);
    if (band.empty() && freq.empty()) {
      throw LogError(file_, line, q.call + ": QSO with neither BAND nor FREQ");
    }
    q.band = band.empty() ? BandOfFrequency(q.freqHz) : band;
    const std::string mode = get("MODE");
    if (mode.empty()) throw LogError(file_, line, q.call + ": QSO without MODE");
    q.mode = HostModeFromAdif(mode, get("SUBMODE"));
    q.rstSent = get("RST_SENT");
    q.rstRcvd = get("RST_RCVD");
    q.exchSent = get("STX_STRING");
    if (q.exchSent.empty()) q.exchSent = get("STX");
    q.exchRcvd = get("SRX_STRING");
    if (q.exchRcvd.empty()) q.exchRcvd = get("SRX");
    q.stationCall = UpperText(get("STATION_CALLSIGN"));
    if (q.stationCall.empty()) q.stationCall = UpperText(get("OPERATOR"));
    return q;
  }

  std::string_view text_;
  const std::string& file_;
  std::size_t pos_ = 0;
  std::size_t lineScan_ = 0;
  int line_ = 1;
};

// ---------------------------------------------------------------- Cabrillo

std::vector<std::string_view> Tokens(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    const std::size_t b = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > b) out.push_back(s.substr(b, i - b));
  }
  return out;
}

LogQso CabrilloQso(std::string_view rest, const std::string& file, int line) {
  const auto t = Tokens(rest);
  if (t.size() != 10) {
    throw LogError(file, line,
                   "a QSO line has 10 fields (frequency, mode, date, time, own call, report and "
                   "exchange sent, call, report and exchange received); this one has " +
                       std::to_string(t.size()));
  }
  LogQso q;
  q.line = line;
  if (!AllDigits(t[0]) || t[0].size() > 7 || Number(t[0]) > 4294967) {
    throw LogError(file, line, "frequency \"" + std::string(t[0]) + "\" is not a number of kHz");
  }
  q.freqHz = static_cast<uint32_t>(Number(t[0])) * 1000u;
  q.band = BandOfFrequency(q.freqHz);
  q.mode = HostModeFromCabrillo(t[1]);
  const std::string_view d = t[2], h = t[3];
  if (d.size() != 10 || d[4] != '-' || d[7] != '-' || !AllDigits(d.substr(0, 4)) ||
      !AllDigits(d.substr(5, 2)) || !AllDigits(d.substr(8, 2))) {
    throw LogError(file, line, "date \"" + std::string(d) + "\" is not YYYY-MM-DD");
  }
  if (h.size() != 4 || !AllDigits(h)) {
    throw LogError(file, line, "time \"" + std::string(h) + "\" is not HHMM");
  }
  q.time = MakeTime(Number(d.substr(0, 4)), Number(d.substr(5, 2)), Number(d.substr(8, 2)),
                    Number(h.substr(0, 2)), Number(h.substr(2, 2)), 0, file, line, q.date);
  q.stationCall = UpperText(t[4]);
  q.rstSent = t[5];
  q.exchSent = t[6];
  q.call = UpperText(t[7]);
  q.rstRcvd = t[8];
  q.exchRcvd = t[9];
  return q;
}

}  // namespace

LogError::LogError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                         message),
      file_(file),
      line_(line),
      message_(message) {}

LogFormat DetectFormat(std::string_view text) {
  text = Trim(SkipBom(text));
  return UpperText(text.substr(0, 13)) == "START-OF-LOG:" ? LogFormat::kCabrillo : LogFormat::kAdif;
}

ReplayLog ParseAdif(std::string_view text, const std::string& file) {
  return AdifReader(SkipBom(text), file).Read();
}

ReplayLog ParseCabrillo(std::string_view text, const std::string& file) {
  text = SkipBom(text);
  ReplayLog log;
  bool started = false, ended = false;
  int line = 0;
  std::size_t pos = 0;
  while (pos < text.size() && !ended) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view raw = text.substr(pos, eol - pos);
    pos = eol + 1;
    ++line;
    const std::string_view l = Trim(raw);
    if (l.empty()) continue;
    const std::size_t colon = l.find(':');
    const std::string tag =
        colon == std::string_view::npos ? std::string() : UpperText(l.substr(0, colon));
    if (tag.empty() || tag.find(' ') != std::string::npos) {
      throw LogError(file, line, "not a Cabrillo line (TAG: value expected)");
    }
    const std::string_view value = Trim(l.substr(colon + 1));
    if (!started) {
      if (tag != "START-OF-LOG")
        throw LogError(file, line, "the log does not start with START-OF-LOG:");
      started = true;
    } else if (tag == "START-OF-LOG") {
      throw LogError(file, line, "a second START-OF-LOG:");
    } else if (tag == "CALLSIGN") {
      log.ownCall = UpperText(value);
    } else if (tag == "QSO") {
      log.qsos.push_back(CabrilloQso(value, file, line));
    } else if (tag == "END-OF-LOG") {
      ended = true;
    }
    // Other header lines and X-QSO: lines (QSOs the operator excluded) are not replayed.
  }
  if (!started) throw LogError(file, 0, "empty log");
  if (!ended) throw LogError(file, line, "the log ends without END-OF-LOG: (is it cut short?)");
  if (log.ownCall.empty()) {
    for (const LogQso& q : log.qsos) {
      if (!q.stationCall.empty()) {
        log.ownCall = q.stationCall;
        break;
      }
    }
  }
  return log;
}

ReplayLog ReadLogFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LogError(path, 0, std::string("cannot open: ") + std::strerror(errno));
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw LogError(path, 0, "read error");
  ReplayLog log = DetectFormat(text) == LogFormat::kCabrillo ? ParseCabrillo(text, path)
                                                             : ParseAdif(text, path);
  if (log.qsos.empty()) throw LogError(path, 0, "no QSO in the log");
  return log;
}

std::string BandOfFrequency(uint32_t hz) {
  if (const int contest = BandIndexOfFrequency(hz); contest >= 0) {
    return std::string(kBands[static_cast<std::size_t>(contest)].text);
  }
  // The other amateur bands, which the module refuses as the host would pass them.
  struct Band {
    uint32_t low, high;
    const char* name;
  };
  static constexpr Band kOtherBands[] = {
      {135700, 137800, "2190m"},        {472000, 479000, "630m"},
      {5060000, 5450000, "60m"},        {10100000, 10150000, "30m"},
      {18068000, 18168000, "17m"},      {24890000, 24990000, "12m"},
      {50000000, 54000000, "6m"},       {70000000, 71000000, "4m"},
      {144000000, 148000000, "2m"},     {222000000, 225000000, "1.25m"},
      {420000000, 450000000, "70cm"},   {902000000, 928000000, "33cm"},
      {1240000000, 1300000000, "23cm"},
  };
  for (const Band& b : kOtherBands) {
    if (hz >= b.low && hz <= b.high) return b.name;
  }
  return {};
}

std::string HostModeFromAdif(std::string_view mode, std::string_view submode) {
  const std::string m = UpperText(Trim(mode));
  const std::string s = UpperText(Trim(submode));
  // ADIF spells the PSK modes with or without the B.
  auto psk = [](const std::string& x) -> std::optional<std::string> {
    for (const ModeIndex i : {kBpsk63, kBpsk125}) {
      const std::string_view text = kModes[i].text;
      if (x == text || x == text.substr(1)) return std::string(text);
    }
    return std::nullopt;
  };
  if (m == kModes[kRtty].text) return m;
  if (auto p = psk(m)) return *p;
  if (m == "PSK" && psk(s)) return *psk(s);
  return s.empty() ? m : s;
}

std::string HostModeFromCabrillo(std::string_view code) {
  for (const ModeRule& m : kModes) {
    if (!m.cabrilloCode.empty() && m.cabrilloCode == code) return std::string(m.text);
  }
  return std::string(code);
}

bool ParseMhz(std::string_view text, uint32_t& hz) {
  text = Trim(text);
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view frac =
      dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  if (whole.empty() && frac.empty()) return false;
  if ((!whole.empty() && !AllDigits(whole)) || (!frac.empty() && !AllDigits(frac))) return false;
  if (whole.size() > 4) return false;
  uint64_t value = static_cast<uint64_t>(whole.empty() ? 0 : Number(whole)) * 1000000u;
  uint64_t scale = 100000;
  for (std::size_t i = 0; i < frac.size() && i < 6; ++i, scale /= 10) {
    value += static_cast<uint64_t>(frac[i] - '0') * scale;
  }
  if (frac.size() > 6 && frac[6] >= '5') ++value;
  if (value > 0xFFFFFFFFu) return false;
  hz = static_cast<uint32_t>(value);
  return true;
}

}  // namespace zd::replay

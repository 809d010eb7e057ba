#include "zorvan_replay/replay_log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <system_error>

#include "callsign/region.h"
#include "engine/contest_rules.h"
#include "platform/ole_date.h"

namespace zd::replay {
namespace {

namespace fs = std::filesystem;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
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

std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    const std::size_t b = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > b) out.emplace_back(s.substr(b, i - b));
  }
  return out;
}

// The report and the rest of a list of exchange fields: the first field is the report
// when it looks like one and something follows it.
std::pair<std::string, std::vector<std::string>> SplitReport(const std::vector<std::string>& f) {
  if (f.size() >= 2 && LooksLikeReport(f.front())) {
    return {f.front(), std::vector<std::string>(f.begin() + 1, f.end())};
  }
  return {std::string(), f};
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

std::string FirstStationCall(const std::vector<LogQso>& qsos) {
  for (const LogQso& q : qsos) {
    if (!q.stationCall.empty()) return q.stationCall;
  }
  return {};
}

// ---------------------------------------------------------------- ADIF and ADX records

using Fields = std::map<std::string, std::string>;  // field name in upper case -> data

// One QSO from the fields of an ADIF or ADX record.
LogQso QsoFromFields(const Fields& f, const std::string& file, int line) {
  auto get = [&](const char* key) -> std::string {
    auto it = f.find(key);
    return it == f.end() ? std::string() : std::string(Trim(it->second));
  };
  LogQso q;
  q.line = line;
  q.call = UpperText(get("CALL"));
  if (q.call.empty()) throw LogError(file, line, "QSO without CALL");
  const std::string date = get("QSO_DATE");
  const std::string time = get("TIME_ON");
  if (date.size() != 8 || !AllDigits(date)) {
    throw LogError(file, line, q.call + ": QSO_DATE \"" + date + "\" is not YYYYMMDD");
  }
  if ((time.size() != 4 && time.size() != 6) || !AllDigits(time)) {
    throw LogError(file, line, q.call + ": TIME_ON \"" + time + "\" is not HHMM or HHMMSS");
  }
  const std::string_view d(date), t(time);
  q.time = MakeTime(Number(d.substr(0, 4)), Number(d.substr(4, 2)), Number(d.substr(6, 2)),
                    Number(t.substr(0, 2)), Number(t.substr(2, 2)),
                    t.size() == 6 ? Number(t.substr(4, 2)) : 0, file, line, q.date);
  const std::string freq = get("FREQ");
  if (!freq.empty() && !ParseMhz(freq, q.freqHz)) {
    throw LogError(file, line, q.call + ": FREQ \"" + freq + "\" is not a frequency in MHz");
  }
  std::string band = get("BAND");
  std::transform(band.begin(), band.end(), band.begin(), Lower);
  if (band.empty() && freq.empty()) {
    throw LogError(file, line, q.call + ": QSO with neither BAND nor FREQ");
  }
  q.band = band.empty() ? BandOfFrequency(q.freqHz) : band;
  const std::string mode = get("MODE");
  if (mode.empty()) throw LogError(file, line, q.call + ": QSO without MODE");
  q.mode = HostModeFromAdif(mode, get("SUBMODE"));
  q.rstSent = get("RST_SENT");
  q.rstRcvd = get("RST_RCVD");
  // The contest exchange: the string field, else the serial number. A logger that puts
  // the report into the string too ("599 MO") has it taken off.
  auto exchange = [&](const char* text, const char* serial, const std::string& rst,
                      std::vector<std::string>& fields) {
    std::string value = get(text);
    if (value.empty()) value = get(serial);
    auto [report, rest] = SplitReport(Words(value));
    if (!rst.empty()) fields.push_back(rst);
    if (!report.empty() && report != rst) fields.push_back(report);
    fields.insert(fields.end(), rest.begin(), rest.end());
    return ContestExchange(rest);
  };
  q.exchSent = exchange("STX_STRING", "STX", q.rstSent, q.sentFields);
  q.exchRcvd = exchange("SRX_STRING", "SRX", q.rstRcvd, q.rcvdFields);
  q.stationCall = UpperText(get("STATION_CALLSIGN"));
  if (q.stationCall.empty()) q.stationCall = UpperText(get("OPERATOR"));
  return q;
}

void FinishRecords(ReplayLog& log, const std::vector<std::string>& contestIds) {
  log.ownCall = FirstStationCall(log.qsos);
  for (const std::string& id : contestIds) {
    if (!id.empty()) {
      log.contest = id;
      break;
    }
  }
}

// The line of an offset in a text, counted incrementally: offsets only grow.
class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  int At(std::size_t offset) {
    for (; scanned_ < offset && scanned_ < text_.size(); ++scanned_) {
      if (text_[scanned_] == '\n') ++line_;
    }
    return line_;
  }

 private:
  std::string_view text_;
  std::size_t scanned_ = 0;
  int line_ = 1;
};

// ---------------------------------------------------------------- ADIF

class AdifReader {
 public:
  AdifReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  ReplayLog Read() {
    ReplayLog log;
    log.format = LogFormat::kAdif;
    std::vector<std::string> contestIds;
    Fields fields;
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
          log.qsos.push_back(QsoFromFields(fields, file_, recordLine));
          contestIds.push_back(fields["CONTEST_ID"]);
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
    FinishRecords(log, contestIds);
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

  int LineAt(std::size_t offset) { return lines_.At(offset); }

  std::string_view text_;
  const std::string& file_;
  std::size_t pos_ = 0;
  LineCounter lines_{text_};
};

// ---------------------------------------------------------------- ADX

// The XML form of ADIF: <ADX><HEADER>...</HEADER><RECORDS><RECORD><CALL>DL1ABC</CALL>
// ...</RECORD>...</RECORDS></ADX>. Enough XML for it: elements, attributes, the five
// named entities and character references, comments, CDATA, processing instructions.
class AdxReader {
 public:
  AdxReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  ReplayLog Read() {
    ReplayLog log;
    log.format = LogFormat::kAdx;
    std::vector<std::string> contestIds;
    SkipMisc();
    const Tag root = ReadTag();
    if (root.closing || UpperText(root.name) != "ADX") {
      throw LogError(file_, root.line, "not an ADX log: it starts with <" + root.name + ">");
    }
    if (root.empty) return log;
    while (true) {
      SkipText();
      const Tag tag = ReadTag();
      if (tag.closing) {
        if (UpperText(tag.name) != "ADX") Unexpected(tag, "ADX");
        break;
      }
      if (UpperText(tag.name) != "RECORDS") {
        SkipElement(tag);  // the HEADER, or anything a newer version adds
        continue;
      }
      if (tag.empty) continue;
      while (true) {
        SkipText();
        const Tag record = ReadTag();
        if (record.closing) {
          if (UpperText(record.name) != "RECORDS") Unexpected(record, "RECORDS");
          break;
        }
        if (UpperText(record.name) != "RECORD") {
          SkipElement(record);
          continue;
        }
        Fields fields = ReadRecord(record);
        log.qsos.push_back(QsoFromFields(fields, file_, record.line));
        contestIds.push_back(fields["CONTEST_ID"]);
      }
    }
    SkipMisc();
    if (pos_ < text_.size()) throw LogError(file_, Line(), "text after </ADX>");
    FinishRecords(log, contestIds);
    return log;
  }

 private:
  struct Tag {
    std::string name;
    bool closing = false, empty = false;
    int line = 0;
  };

  [[noreturn]] void Unexpected(const Tag& tag, const char* open) {
    throw LogError(file_, tag.line, "</" + tag.name + "> where </" + open + "> belongs");
  }

  int Line() { return lines_.At(pos_); }

  bool At(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

  void SkipPast(std::string_view end, const char* what) {
    const int line = Line();
    const std::size_t e = text_.find(end, pos_);
    if (e == std::string_view::npos) throw LogError(file_, line, std::string(what) + " not closed");
    pos_ = e + end.size();
  }

  // Blanks, comments, processing instructions and the document type.
  void SkipMisc() {
    while (true) {
      while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
      if (At("<?")) {
        SkipPast("?>", "<?...?>");
      } else if (At("<!--")) {
        SkipPast("-->", "comment");
      } else if (At("<!") && !At("<![CDATA[")) {
        SkipPast(">", "<!...>");
      } else {
        return;
      }
    }
  }

  // Character data between elements (blanks, normally) up to the next tag.
  void SkipText() {
    while (true) {
      SkipMisc();
      if (pos_ >= text_.size()) throw LogError(file_, Line(), "the log ends inside an element");
      if (text_[pos_] == '<' && !At("<![CDATA[")) return;
      ReadData(nullptr);
    }
  }

  Tag ReadTag() {
    Tag tag;
    tag.line = Line();
    if (pos_ >= text_.size() || text_[pos_] != '<') {
      throw LogError(file_, tag.line, "an element was expected");
    }
    const std::size_t close = text_.find('>', pos_);
    if (close == std::string_view::npos) throw LogError(file_, tag.line, "unterminated tag");
    std::string_view body = text_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    if (!body.empty() && body.front() == '/') {
      tag.closing = true;
      body.remove_prefix(1);
    } else if (!body.empty() && body.back() == '/') {
      tag.empty = true;
      body.remove_suffix(1);
    }
    std::size_t n = 0;
    while (n < body.size() && !IsBlank(body[n])) ++n;
    tag.name = std::string(body.substr(0, n));
    if (tag.name.empty()) throw LogError(file_, tag.line, "tag without a name");
    return tag;
  }

  // Character data up to the next tag, with its references decoded; appended to `out`
  // when given. A CDATA section is taken as it stands.
  void ReadData(std::string* out) {
    while (pos_ < text_.size()) {
      if (At("<![CDATA[")) {
        const int line = Line();
        const std::size_t e = text_.find("]]>", pos_ + 9);
        if (e == std::string_view::npos) throw LogError(file_, line, "CDATA not closed");
        if (out) out->append(text_.substr(pos_ + 9, e - pos_ - 9));
        pos_ = e + 3;
        continue;
      }
      if (At("<!--")) {
        SkipPast("-->", "comment");
        continue;
      }
      const char c = text_[pos_];
      if (c == '<') return;
      if (c != '&') {
        if (out) out->push_back(c);
        ++pos_;
        continue;
      }
      const int line = Line();
      const std::size_t semi = text_.find(';', pos_);
      if (semi == std::string_view::npos || semi - pos_ > 10) {
        throw LogError(file_, line, "a '&' that starts no reference");
      }
      const std::string_view ref = text_.substr(pos_ + 1, semi - pos_ - 1);
      pos_ = semi + 1;
      if (out) out->append(Reference(ref, line));
    }
  }

  std::string Reference(std::string_view ref, int line) {
    if (ref == "amp") return "&";
    if (ref == "lt") return "<";
    if (ref == "gt") return ">";
    if (ref == "quot") return "\"";
    if (ref == "apos") return "'";
    unsigned long code = 0;
    bool ok = ref.size() >= 2 && ref[0] == '#';
    if (ok) {
      const bool hex = ref[1] == 'x' || ref[1] == 'X';
      const std::string digits(ref.substr(hex ? 2 : 1));
      char* end = nullptr;
      code = digits.empty() ? 0 : std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
      ok = !digits.empty() && end && *end == '\0' && code > 0 && code <= 0x10FFFF;
    }
    if (!ok) throw LogError(file_, line, "unknown reference &" + std::string(ref) + ";");
    // UTF-8, as the rest of the file.
    std::string s;
    if (code < 0x80) {
      s += static_cast<char>(code);
    } else if (code < 0x800) {
      s += static_cast<char>(0xC0 | (code >> 6));
      s += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      s += static_cast<char>(0xE0 | (code >> 12));
      s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      s += static_cast<char>(0xF0 | (code >> 18));
      s += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (code & 0x3F));
    }
    return s;
  }

  // The text of an element whose start tag was read, through its end tag; elements
  // inside it are skipped.
  std::string ElementText(const Tag& open) {
    std::string value;
    if (open.empty) return value;
    while (true) {
      ReadData(&value);
      if (pos_ >= text_.size()) {
        throw LogError(file_, open.line, "<" + open.name + "> is not closed");
      }
      const Tag tag = ReadTag();
      if (tag.closing) {
        if (tag.name != open.name) Unexpected(tag, open.name.c_str());
        return value;
      }
      SkipElement(tag);
    }
  }

  void SkipElement(const Tag& open) { ElementText(open); }

  Fields ReadRecord(const Tag& record) {
    Fields fields;
    if (record.empty) return fields;
    while (true) {
      SkipText();
      const Tag tag = ReadTag();
      if (tag.closing) {
        if (tag.name != record.name) Unexpected(tag, record.name.c_str());
        return fields;
      }
      const std::string name = UpperText(tag.name);
      std::string value = ElementText(tag);
      // Application and user-defined fields carry their names in attributes.
      if (name != "APP" && name != "USERDEF") fields[name] = std::move(value);
    }
  }

  std::string_view text_;
  const std::string& file_;
  std::size_t pos_ = 0;
  LineCounter lines_{text_};
};

// ---------------------------------------------------------------- Cabrillo

// One QSO line: frequency, mode, date, time, the own call and what was sent, the worked
// call and what was received, and perhaps a transmitter id. The layouts of the contests
// differ only in the number of exchange fields; sent and received have the same number,
// so the worked call stands in the middle of the rest, whatever was copied there. A line
// that is not symmetric has its worked call found as the first call sign after the own
// call.
LogQso CabrilloQso(std::string_view lineText, std::string_view rest, const std::string& file,
                   int line, const ReadOptions& options) {
  const std::vector<std::string> t = Words(rest);
  if (t.size() < 6) {
    throw LogError(file, line,
                   "a QSO line has at least 6 fields (frequency, mode, date, time, own call, "
                   "worked call); this one has " +
                       std::to_string(t.size()));
  }
  LogQso q;
  q.line = line;
  q.text = std::string(lineText);
  if (!AllDigits(t[0]) || t[0].size() > 7 || Number(t[0]) > 4294967 || Number(t[0]) == 0) {
    throw LogError(file, line, "frequency \"" + t[0] + "\" is not a number of kHz");
  }
  q.freqHz = static_cast<uint32_t>(Number(t[0])) * 1000u;
  q.band = BandOfFrequency(q.freqHz);
  q.mode = HostModeFromCabrillo(UpperText(t[1]), options.dgMode);
  const std::string_view d = t[2], h = t[3];
  if (d.size() != 10 || d[4] != '-' || d[7] != '-' || !AllDigits(d.substr(0, 4)) ||
      !AllDigits(d.substr(5, 2)) || !AllDigits(d.substr(8, 2))) {
    throw LogError(file, line, "date \"" + t[2] + "\" is not YYYY-MM-DD");
  }
  if (h.size() != 4 || !AllDigits(h)) {
    throw LogError(file, line, "time \"" + t[3] + "\" is not HHMM");
  }
  q.time = MakeTime(Number(d.substr(0, 4)), Number(d.substr(5, 2)), Number(d.substr(8, 2)),
                    Number(h.substr(0, 2)), Number(h.substr(2, 2)), 0, file, line, q.date);

  // Own call at 4, then the sent fields, the worked call, the received fields.
  const std::size_t n = t.size() - 4;
  std::size_t worked = 0;
  bool transmitter = false;
  const std::size_t half = (n - 2) / 2;
  // There a busted call counts too, one without a digit ("RUPNHS": the figures shift of
  // an RTTY print): any word of call-sign characters with a letter, longer than a region.
  const std::string& middle = t[4 + 1 + half];
  const bool callCharacters =
      middle.size() >= 3 && std::any_of(middle.begin(), middle.end(), IsLetter) &&
      std::all_of(middle.begin(), middle.end(),
                  [](char c) { return IsLetter(c) || IsDigit(c) || c == '/'; });
  if (callCharacters) {
    worked = 1 + half;
    const std::string& last = t.back();
    transmitter = (n - 2) % 2 == 1 && (last == "0" || last == "1");
  }
  if (worked == 0) {
    for (std::size_t k = 1; k < n; ++k) {
      if (LooksLikeCall(t[4 + k]) && !AllDigits(t[4 + k])) {
        worked = k;
        break;
      }
    }
  }
  if (worked == 0) {
    throw LogError(file, line, "no worked call sign after the own call " + t[4]);
  }
  q.stationCall = UpperText(t[4]);
  q.call = UpperText(t[4 + worked]);
  q.sentFields.assign(t.begin() + 5, t.begin() + static_cast<long>(4 + worked));
  q.rcvdFields.assign(t.begin() + static_cast<long>(5 + worked), t.end());
  if (!transmitter && q.rcvdFields.size() == q.sentFields.size() + 1 &&
      (q.rcvdFields.back() == "0" || q.rcvdFields.back() == "1")) {
    transmitter = true;
  }
  if (transmitter) {
    q.transmitter = q.rcvdFields.back();
    q.rcvdFields.pop_back();
  }
  auto [rstSent, sent] = SplitReport(q.sentFields);
  auto [rstRcvd, rcvd] = SplitReport(q.rcvdFields);
  q.rstSent = rstSent;
  q.rstRcvd = rstRcvd;
  q.exchSent = ContestExchange(sent);
  q.exchRcvd = ContestExchange(rcvd);
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
  if (UpperText(text.substr(0, 13)) == "START-OF-LOG:") return LogFormat::kCabrillo;
  const std::string head = UpperText(text.substr(0, 5));
  if (head == "<?XML" || head.substr(0, 4) == "<ADX") return LogFormat::kAdx;
  return LogFormat::kAdif;
}

ReplayLog ParseAdif(std::string_view text, const std::string& file) {
  return AdifReader(SkipBom(text), file).Read();
}

ReplayLog ParseAdx(std::string_view text, const std::string& file) {
  return AdxReader(SkipBom(text), file).Read();
}

ReplayLog ParseCabrillo(std::string_view text, const std::string& file,
                        const ReadOptions& options) {
  text = SkipBom(text);
  ReplayLog log;
  log.format = LogFormat::kCabrillo;
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
    } else if (tag == "QSO") {
      log.qsos.push_back(CabrilloQso(l, value, file, line, options));
    } else if (tag == "END-OF-LOG") {
      ended = true;
    } else if (tag != "X-QSO") {
      // X-QSO: lines (QSOs the operator excluded) are not replayed.
      log.header.emplace_back(tag, std::string(value));
      if (tag == "CALLSIGN") log.ownCall = UpperText(value);
      if (tag == "CONTEST") log.contest = std::string(value);
    }
  }
  if (!started) throw LogError(file, 0, "empty log");
  if (!ended) throw LogError(file, line, "the log ends without END-OF-LOG: (is it cut short?)");
  if (log.ownCall.empty()) log.ownCall = FirstStationCall(log.qsos);
  return log;
}

fs::path PathFromUtf8(std::string_view text) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string Utf8FromPath(const fs::path& path) {
  const std::u8string u = path.u8string();
  return std::string(reinterpret_cast<const char*>(u.data()), u.size());
}

std::string ReadWholeFile(const std::string& path) {
  const fs::path p = PathFromUtf8(path);
  std::error_code ec;
  const fs::file_status st = fs::status(p, ec);
  if (st.type() == fs::file_type::not_found) throw LogError(path, 0, "no such file");
  if (st.type() == fs::file_type::directory) {
    throw LogError(path, 0, "is a folder, not a file: name the file itself");
  }
  if (!ec && st.type() != fs::file_type::regular) throw LogError(path, 0, "not a regular file");
  errno = 0;
  std::ifstream in(p, std::ios::binary);
  if (!in) {
    throw LogError(path, 0,
                   std::string("cannot open: ") +
                       (errno != 0 ? std::strerror(errno) : "access denied or locked"));
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw LogError(path, 0, "read error");
  return text;
}

ReplayLog ReadLogFile(const std::string& path, const ReadOptions& options) {
  const std::string text = ReadWholeFile(path);
  ReplayLog log;
  switch (DetectFormat(text)) {
    case LogFormat::kCabrillo:
      log = ParseCabrillo(text, path, options);
      break;
    case LogFormat::kAdx:
      log = ParseAdx(text, path);
      break;
    case LogFormat::kAdif:
      log = ParseAdif(text, path);
      break;
  }
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
  if (const std::string p = ContestModeName(m); !p.empty()) return p;
  if (m == "PSK") {
    if (const std::string p = ContestModeName(s); !p.empty() && p != kModes[kRtty].text) return p;
  }
  return s.empty() ? m : s;
}

std::string HostModeFromCabrillo(std::string_view code, std::string_view dgMode) {
  for (const ModeRule& m : kModes) {
    if (!m.cabrilloCode.empty() && m.cabrilloCode == code) return std::string(m.text);
  }
  // Other loggers' codes: PS for PSK, DG for any digital mode.
  if (code == "PS") return std::string(kModes[kBpsk63].text);
  if (code == "DG") return std::string(dgMode);
  return std::string(code);
}

std::string ContestModeName(std::string_view text) {
  const std::string m = UpperText(Trim(text));
  for (const ModeRule& rule : kModes) {
    // The PSK modes are spelt with or without the B.
    if (m == rule.text || (rule.text.front() == 'B' && m == rule.text.substr(1))) {
      return std::string(rule.text);
    }
  }
  return {};
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

bool LooksLikeReport(std::string_view f) {
  if (f.size() < 2 || f.size() > 3 || f[0] < '1' || f[0] > '5') return false;
  return std::all_of(f.begin() + 1, f.end(),
                     [](char c) { return IsDigit(c) || c == 'N' || c == 'n'; });
}

bool LooksLikeCall(std::string_view f) {
  bool letter = false, digit = false;
  for (char c : f) {
    if (IsLetter(c)) {
      letter = true;
    } else if (IsDigit(c)) {
      digit = true;
    } else if (c != '/') {
      return false;
    }
  }
  return letter && digit && f.size() >= 3;
}

std::string ContestExchange(const std::vector<std::string>& fields) {
  for (const std::string& f : fields) {
    if (IsRegionCode(UpperText(f))) return f;
  }
  for (const std::string& f : fields) {
    if (f.size() <= 4 && AllDigits(f)) return f;
  }
  return fields.empty() ? std::string() : fields.front();
}

}  // namespace zd::replay

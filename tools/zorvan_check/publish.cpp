#include "zorvan_check/publish.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "engine/contest_rules.h"
#include "platform/ole_date.h"
#include "svg_chart/svg_chart.h"

namespace zd::check {
namespace {

namespace fs = std::filesystem;
using svg::Escape;

constexpr const char* kBandColours[] = {"#4e79a7", "#f28e2b", "#e15759",
                                        "#76b7b2", "#59a14f", "#edc948"};
constexpr const char* kFindingColours[] = {"#59a14f", "#e15759", "#f28e2b", "#edc948", "#b07aa1",
                                           "#9c9c9c", "#76b7b2", "#ff9da7", "#bab0ac"};
// The order of a UBN report: what costs most first.
constexpr Finding kReportOrder[] = {
    Finding::kNotInLog, Finding::kBustedCall, Finding::kBustedExchange, Finding::kOwnCall,
    Finding::kUnique,   Finding::kDupe,       Finding::kRefused};

std::string Fmt(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Thousands(int64_t v) {
  std::string digits = std::to_string(v < 0 ? -v : v), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return (v < 0 ? "-" : "") + out;
}

std::string TimeText(int64_t seconds, const char* format) {
  return FormatDate(OleDateTime{DateOfSeconds(seconds), kDateValid}, format);
}

// A Cabrillo line's mode code, or the mode's text for a mode without one.
std::string ModeCode(const std::string& mode) {
  const ModeRule* m = FindMode(mode);
  return m && !m->cabrilloCode.empty() ? std::string(m->cabrilloCode) : mode;
}

const StationLog& LogAt(const CheckOutcome& o, std::size_t i) { return o.contest.logs[i]; }
const std::string& CallOf(const CheckOutcome& o, std::size_t i) {
  return o.contest.pool[LogAt(o, i).ownCall];
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error(path.string() + ": cannot write");
}

// ---------------------------------------------------------------- the two languages

std::string FindingName(Finding f, bool ru) {
  static constexpr const char* kEn[] = {
      "Confirmed",     "Not in log", "Busted call", "Busted exchange",      "Unique",
      "Not checkable", "Dupe",       "Own call",    "Refused by the module"};
  static constexpr const char* kRu[] = {"Подтверждено",
                                        "Нет в журнале корреспондента",
                                        "Ошибка в позывном",
                                        "Ошибка в контрольном номере",
                                        "Уникальный позывной",
                                        "Не проверяется",
                                        "Повтор",
                                        "Свой позывной",
                                        "Не принято модулем"};
  return (ru ? kRu : kEn)[Index(f)];
}

std::string PenaltyText(const Penalty& p, bool ru) {
  if (!p.removed) return ru ? "засчитывается" : "kept";
  if (p.extraQsos == 0) return ru ? "снимается" : "removed";
  if (ru) return "снимается, и ещё очки " + std::to_string(p.extraQsos) + " QSO";
  return p.extraQsos == 1 ? "removed, plus one QSO's points"
                          : "removed, plus " + std::to_string(p.extraQsos) + " QSOs' points";
}

// The columns a UTF-8 text takes on a terminal.
std::size_t Columns(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char ch : s) n += (ch & 0xC0) != 0x80;
  return n;
}

// What a class costs, as a section of a UBN report says it.
std::string SectionTitle(Finding f, const CheckSettings& s, bool ru) {
  if (f == Finding::kDupe || f == Finding::kRefused) {
    return FindingName(f, ru) +
           (ru ? " (не засчитывается модулем)" : " (not counted by the module)");
  }
  return FindingName(f, ru) + " (" +
         PenaltyText(s.penalties[static_cast<std::size_t>(Index(f))], ru) + ")";
}

std::string MinutesText(double minutes, bool ru) {
  const std::string n = Fmt("%+.0f", minutes);
  return n + (ru ? " мин" : " min");
}

// ---------------------------------------------------------------- a station's findings

struct Entry {
  Finding finding;
  std::size_t qso;
  std::string mine, theirs, theirLabel, reason;
};

std::string Reason(const CheckOutcome& o, std::size_t a, std::size_t i, bool ru) {
  const ContestLogs& c = o.contest;
  const Qso& q = LogAt(o, a).qsos[i];
  const Outcome& out = o.cross.outcomes[a][i];
  const std::string& call = c.pool[q.call];
  const std::string bandMode = c.pool[q.band] + " " + c.pool[q.mode];
  const std::string window = std::to_string(o.settings.windowSeconds / 60);
  switch (out.finding) {
    case Finding::kNotInLog:
      return ru ? "В журнале " + call + " нет QSO с вами на " + bandMode + " в пределах " + window +
                      " мин от этого времени."
                : call + "'s log has no QSO with you on " + bandMode + " within " + window +
                      " minutes of this time.";
    case Finding::kBustedCall: {
      const std::string& meant = CallOf(o, static_cast<std::size_t>(out.meantLog));
      return ru ? "Вы записали " + call + "; " + meant + " записал вас в это время."
                : "You logged " + call + "; " + meant + " logged you at this time.";
    }
    case Finding::kBustedExchange: {
      const Qso& r = LogAt(o, static_cast<std::size_t>(out.otherLog))
                         .qsos[static_cast<std::size_t>(out.otherQso)];
      return ru ? "Вы приняли " + c.pool[q.exchRcvd] + "; " + call + " передал " +
                      c.pool[r.exchSent] + "."
                : "You copied " + c.pool[q.exchRcvd] + "; " + call + " sent " + c.pool[r.exchSent] +
                      ".";
    }
    case Finding::kOwnCall:
      return ru ? "QSO записано с вашим собственным позывным."
                : "The QSO is logged with your own call.";
    case Finding::kUnique:
      return ru ? call + " нет ни в одном другом журнале и лишь однажды в вашем."
                : call + " is in no other log and only once in yours.";
    case Finding::kNotCheckable:
      return ru ? call + " не прислал журнал." : call + " sent no log.";
    case Finding::kDupe:
      return ru ? "Повтор позывного, диапазона и вида излучения: модуль его не засчитывает."
                : "A repeat of call, band and mode: the module does not count it.";
    case Finding::kRefused:
      return ru ? "Модуль не принял QSO: " + q.refusal + "."
                : "The module refused it: " + q.refusal + ".";
    case Finding::kConfirmed:
      break;
  }
  return {};
}

std::vector<Entry> Entries(const CheckOutcome& o, std::size_t a, bool ru) {
  std::vector<Entry> entries;
  const auto& outcomes = o.cross.outcomes[a];
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const Outcome& out = outcomes[i];
    if (out.finding == Finding::kConfirmed || out.finding == Finding::kNotCheckable) continue;
    Entry e{out.finding, i, QsoLineText(o.contest, a, i), {}, {}, Reason(o, a, i, ru)};
    if (out.otherLog >= 0) {
      const auto b = static_cast<std::size_t>(out.otherLog);
      const auto j = static_cast<std::size_t>(out.otherQso);
      e.theirs = QsoLineText(o.contest, b, j);
      e.theirLabel =
          CallOf(o, b) + (ru ? ", строка " : " line ") + std::to_string(LogAt(o, b).qsos[j].line);
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

// QSOs that stand although the other station miscopied this station's call.
std::vector<Entry> MiscopiedByOthers(const CheckOutcome& o, std::size_t a, bool ru) {
  std::vector<Entry> entries;
  const auto& outcomes = o.cross.outcomes[a];
  const uint32_t own = LogAt(o, a).ownCall;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const Outcome& out = outcomes[i];
    if (out.otherLog < 0 ||
        (out.finding != Finding::kConfirmed && out.finding != Finding::kBustedExchange)) {
      continue;
    }
    const auto b = static_cast<std::size_t>(out.otherLog);
    const auto j = static_cast<std::size_t>(out.otherQso);
    const Qso& r = LogAt(o, b).qsos[j];
    if (r.call == own) continue;
    const std::string& logged = o.contest.pool[r.call];
    entries.push_back({out.finding, i, QsoLineText(o.contest, a, i), QsoLineText(o.contest, b, j),
                       CallOf(o, b) + (ru ? ", строка " : " line ") + std::to_string(r.line),
                       ru ? CallOf(o, b) + " записал вас как " + logged + "; ваше QSO засчитано."
                          : CallOf(o, b) + " logged you as " + logged + "; your QSO stands."});
  }
  return entries;
}

// A report's sections in their order: each finding class with its lines, then the QSOs
// whose other station miscopied this station's call.
std::vector<std::pair<std::string, std::vector<Entry>>> Sections(const CheckOutcome& o,
                                                                 std::size_t a, bool ru) {
  std::vector<std::pair<std::string, std::vector<Entry>>> sections;
  const auto entries = Entries(o, a, ru);
  for (Finding f : kReportOrder) {
    std::vector<Entry> of;
    for (const Entry& e : entries) {
      if (e.finding == f) of.push_back(e);
    }
    sections.emplace_back(SectionTitle(f, o.settings, ru), std::move(of));
  }
  sections.emplace_back(ru ? "Ваш позывной принят с ошибкой (QSO засчитаны)"
                           : "Your call miscopied by the other station (your QSOs stand)",
                        MiscopiedByOthers(o, a, ru));
  return sections;
}

// Calls of stations that sent no log, with how often this log has them.
std::vector<std::pair<std::string, int>> NotCheckable(const CheckOutcome& o, std::size_t a) {
  std::map<std::string, int> calls;
  const auto& outcomes = o.cross.outcomes[a];
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    if (outcomes[i].finding == Finding::kNotCheckable) {
      ++calls[o.contest.pool[LogAt(o, a).qsos[i].call]];
    }
  }
  return {calls.begin(), calls.end()};
}

struct Heading {
  std::string title, logLine, claimed, checked, removed, clock, findings, rules, matching;
};

Heading MakeHeading(const CheckOutcome& o, std::size_t a, bool ru) {
  const StationLog& log = LogAt(o, a);
  const StationResult& r = o.stations[a];
  const std::string& call = CallOf(o, a);
  Heading h;
  h.title =
      ru ? "ZORVAN DIGITAL — отчёт UBN для " + call : "ZORVAN DIGITAL — UBN report for " + call;
  const std::string category =
      log.category.empty() ? (ru ? "не указана" : "not given") : log.category;
  h.logLine = ru ? "Журнал " + log.fileName + " (" + log.format + "), категория " + category
                 : "Log " + log.fileName + " (" + log.format + "), category " + category;
  auto totals = [&](const ModuleTotals& t) {
    return ru ? Fmt("QSO %lld, очки %lld, множители %lld", static_cast<long long>(t.qsos),
                    static_cast<long long>(t.points), static_cast<long long>(t.Multipliers()))
              : Fmt("%lld QSOs, %lld points, %lld multipliers", static_cast<long long>(t.qsos),
                    static_cast<long long>(t.points), static_cast<long long>(t.Multipliers()));
  };
  h.claimed = (ru ? "Заявлено:     " : "Claimed:  ") + totals(r.claimed) +
              (ru ? ", результат " : ", score ") + Thousands(r.claimed.score);
  h.checked = (ru ? "После сверки: " : "Checked:  ") + totals(r.checked) +
              (ru ? ", штрафные очки " + std::to_string(r.penaltyPoints) + ", результат "
                  : ", " + std::to_string(r.penaltyPoints) + " penalty points, score ") +
              Thousands(r.finalScore);
  h.removed = ru ? "Снято QSO:    " + std::to_string(r.removed)
                 : "Removed:  " + std::to_string(r.removed) + " QSOs";
  const double minutes = static_cast<double>(o.cross.offsetSeconds[a]) / 60.0;
  if (std::fabs(minutes) >= 1.0 && o.cross.offsetSamples[a] >= 3) {
    const std::string n = std::to_string(o.cross.offsetSamples[a]);
    h.clock = ru ? "Часы: время в вашем журнале отличается от журналов корреспондентов на " +
                       MinutesText(minutes, true) + " (по " + n + " QSO); при сверке это учтено."
                 : "Clock: your log's times differ from the other logs by " +
                       MinutesText(minutes, false) + " (from " + n +
                       " QSOs); the matching allowed for it.";
  }
  std::string counts;
  for (int f = 0; f < kFindingCount; ++f) {
    const int n = r.counts[static_cast<std::size_t>(f)];
    if (n == 0) continue;
    counts += (counts.empty() ? "" : ", ") + FindingName(static_cast<Finding>(f), ru) + " " +
              std::to_string(n);
  }
  h.findings = (ru ? "Итоги сверки: " : "Findings: ") + counts;
  h.rules = PenaltyRules(o.settings, ru);
  const std::string window = std::to_string(o.settings.windowSeconds / 60);
  h.matching = ru ? "Сверка: оба позывных, диапазон и вид излучения, время в пределах " + window +
                        " мин с поправкой на часы каждого журнала."
                  : "Matching: both calls, band and mode, times within " + window +
                        " minutes after allowing for each log's clock.";
  return h;
}

// A chart of the overview, 300 pixels high unless it sets its own height by its rows.
svg::Frame ChartFrame(const std::string& title, int width) {
  svg::Frame f;
  f.title = title;
  f.width = width;
  f.height = 300;
  return f;
}

// A chart under its title.
std::string Figure(const svg::Frame& frame, const std::string& chart) {
  return "<figure><figcaption>" + Escape(frame.title) + "</figcaption>" + chart + "</figure>";
}

std::string Page(const std::string& title, const std::string& lang, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"" + lang + "\"><head><meta charset=\"utf-8\"><title>" +
         Escape(title) +
         "</title><style>"
         "body{font-family:sans-serif;margin:24px;color:#222}"
         "h1{font-size:22px}h2{font-size:17px;margin-top:28px;border-bottom:1px solid #ccc}"
         "table{border-collapse:collapse;margin:8px 0}"
         "th,td{border:1px solid #bbb;padding:3px 7px;font-size:13px}"
         "th{background:#fffac6}td.n{text-align:right;white-space:nowrap}td.why{min-width:260px}"
         "td.line{font-family:monospace;white-space:pre;font-size:11px}"
         "tr:nth-child(even) td{background:#f7f7f7}"
         ".box{background:#f4f4f4;border:1px solid #ddd;padding:8px 12px;margin:8px 0}"
         ".charts{display:flex;flex-wrap:wrap;gap:18px}.bad{color:#b00}"
         "figure{margin:8px 0}figcaption{font-weight:bold;font-size:14px;margin-bottom:4px}"
         "</style></head><body>\n" +
         body + "\n</body></html>\n";
}

}  // namespace

std::string StationFileBase(std::string call) {
  std::replace(call.begin(), call.end(), '/', '_');
  std::replace(call.begin(), call.end(), '\\', '_');
  return call.empty() ? "UNKNOWN" : call;
}

std::string QsoLineText(const ContestLogs& c, std::size_t log, std::size_t qso) {
  const StationLog& l = c.logs[log];
  const Qso& q = l.qsos[qso];
  return Fmt("%5u %-2s %s %-13s %-3s %-6s %-13s %-3s %s", q.freqHz / 1000,
             ModeCode(c.pool[q.mode]).c_str(), TimeText(q.seconds, "%Y-%m-%d %H%M").c_str(),
             c.pool[l.ownCall].c_str(), c.pool[q.rstSent].c_str(), c.pool[q.exchSent].c_str(),
             c.pool[q.call].c_str(), c.pool[q.rstRcvd].c_str(), c.pool[q.exchRcvd].c_str());
}

std::string PenaltyRules(const CheckSettings& s, bool ru) {
  std::string out = ru ? "Штрафы: " : "Penalties: ";
  bool first = true;
  for (Finding f : {Finding::kNotInLog, Finding::kBustedCall, Finding::kBustedExchange,
                    Finding::kOwnCall, Finding::kUnique, Finding::kNotCheckable}) {
    out += (first ? "" : "; ") + FindingName(f, ru) + " — " +
           PenaltyText(s.penalties[static_cast<std::size_t>(Index(f))], ru);
    first = false;
  }
  return out + ".";
}

std::string UbnText(const CheckOutcome& o, std::size_t a) {
  const bool ru = LogAt(o, a).russianTexts;
  const Heading h = MakeHeading(o, a, ru);
  std::string t =
      h.title + "\n" + h.logLine + "\n\n" + h.claimed + "\n" + h.checked + "\n" + h.removed + "\n";
  if (!h.clock.empty()) t += "\n" + h.clock + "\n";
  t += "\n" + h.findings + "\n" + h.rules + "\n" + h.matching + "\n";
  const std::string yours = ru ? "ваша строка " : "your line ";
  auto section = [&](const std::string& title, const std::vector<Entry>& entries) {
    if (entries.empty()) return;
    t += "\n=== " + title + " ===\n";
    for (const Entry& e : entries) {
      t += "\n";
      const std::string mineLabel = yours + std::to_string(LogAt(o, a).qsos[e.qso].line);
      // Cyrillic letters take two bytes in UTF-8 but one column.
      const std::string mine = mineLabel + ":", theirs = e.theirLabel + ":";
      const std::size_t width = std::max(Columns(mine), Columns(theirs));
      auto pad = [&](const std::string& s) { return s + std::string(width - Columns(s), ' '); };
      t += "  " + pad(mine) + " " + e.mine + "\n";
      if (!e.theirs.empty()) t += "  " + pad(theirs) + " " + e.theirs + "\n";
      t += "  " + e.reason + "\n";
    }
  };
  for (const auto& [title, entries] : Sections(o, a, ru)) section(title, entries);
  const auto nc = NotCheckable(o, a);
  if (!nc.empty()) {
    t += "\n=== " + FindingName(Finding::kNotCheckable, ru) +
         (ru ? " (журнал не прислан; засчитываются) ===\n" : " (no log sent; kept) ===\n");
    std::string line = " ";
    for (const auto& [call, n] : nc) {
      const std::string item = " " + call + (n > 1 ? " x" + std::to_string(n) : "");
      if (line.size() + item.size() > 78) {
        t += line + "\n";
        line = " ";
      }
      line += item;
    }
    t += line + "\n";
  }
  return t;
}

std::string UbnHtml(const CheckOutcome& o, std::size_t a) {
  const bool ru = LogAt(o, a).russianTexts;
  const Heading h = MakeHeading(o, a, ru);
  std::string b = "<h1>" + Escape(h.title) + "</h1><p>" + Escape(h.logLine) + "</p>";
  b += "<div class=\"box\">" + Escape(h.claimed) + "<br>" + Escape(h.checked) + "<br>" +
       Escape(h.removed) + "</div>";
  if (!h.clock.empty()) b += "<p>" + Escape(h.clock) + "</p>";
  b += "<p>" + Escape(h.findings) + "</p><p>" + Escape(h.rules) + "<br>" + Escape(h.matching) +
       "</p>";
  const std::string yours = ru ? "Ваша строка" : "Your line";
  const std::string theirs = ru ? "Строка корреспондента" : "The other station's line";
  const std::string why = ru ? "Причина" : "Reason";
  auto section = [&](const std::string& title, const std::vector<Entry>& entries) {
    if (entries.empty()) return;
    b += "<h2>" + Escape(title) + " — " + std::to_string(entries.size()) + "</h2>";
    b += "<table><tr><th>" + yours + "</th><th>" + theirs + "</th><th>" + why + "</th></tr>";
    for (const Entry& e : entries) {
      b += "<tr><td class=\"line\">" + std::to_string(LogAt(o, a).qsos[e.qso].line) + ": " +
           Escape(e.mine) + "</td><td class=\"line\">" +
           (e.theirs.empty() ? std::string() : Escape(e.theirLabel + ": " + e.theirs)) +
           "</td><td class=\"why\">" + Escape(e.reason) + "</td></tr>";
    }
    b += "</table>";
  };
  for (const auto& [title, entries] : Sections(o, a, ru)) section(title, entries);
  const auto nc = NotCheckable(o, a);
  if (!nc.empty()) {
    b += "<h2>" + Escape(FindingName(Finding::kNotCheckable, ru)) +
         (ru ? " (журнал не прислан; засчитываются)" : " (no log sent; kept)") + "</h2><p>";
    for (const auto& [call, n] : nc) {
      b += Escape(call) + (n > 1 ? " &times;" + std::to_string(n) : std::string()) + " &nbsp; ";
    }
    b += "</p>";
  }
  return Page(h.title, ru ? "ru" : "en", b);
}

// ---------------------------------------------------------------- results

namespace {

struct Row {
  std::size_t log;
  std::string category;
};

std::vector<Row> RankedRows(const CheckOutcome& o) {
  std::vector<Row> rows;
  for (std::size_t a = 0; a < o.contest.logs.size(); ++a) rows.push_back({a, LogAt(o, a).category});
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& x, const Row& y) {
    if (x.category != y.category) return x.category < y.category;
    if (o.stations[x.log].finalScore != o.stations[y.log].finalScore) {
      return o.stations[x.log].finalScore > o.stations[y.log].finalScore;
    }
    return CallOf(o, x.log) < CallOf(o, y.log);
  });
  return rows;
}

constexpr Finding kTableFindings[] = {
    Finding::kNotInLog,     Finding::kBustedCall, Finding::kBustedExchange, Finding::kUnique,
    Finding::kNotCheckable, Finding::kDupe,       Finding::kOwnCall};

std::string CsvField(const std::string& s) {
  if (s.find_first_of(",\"\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string ChangePercent(const StationResult& r) {
  if (r.claimed.score <= 0) return "";
  return Fmt("%.1f", 100.0 * static_cast<double>(r.finalScore - r.claimed.score) /
                         static_cast<double>(r.claimed.score));
}

}  // namespace

std::string ResultsCsv(const CheckOutcome& o) {
  std::string csv =
      "category,place,call,file,claimed_qsos,claimed_points,claimed_dxcc,claimed_regions,"
      "claimed_score,checked_qsos,checked_points,checked_dxcc,checked_regions,penalty_points,"
      "checked_score,change_percent,confirmed,not_in_log,busted_call,busted_exchange,unique,"
      "not_checkable,dupe,own_call,refused,clock_offset_minutes\n";
  std::string category;
  int place = 0;
  for (const Row& row : RankedRows(o)) {
    if (row.category != category || place == 0) {
      category = row.category;
      place = 0;
    }
    ++place;
    const StationResult& r = o.stations[row.log];
    csv += CsvField(row.category) + "," + std::to_string(place) + "," +
           CsvField(CallOf(o, row.log)) + "," + CsvField(LogAt(o, row.log).fileName);
    for (const ModuleTotals* t : {&r.claimed}) {
      csv += Fmt(",%lld,%lld,%lld,%lld,%lld", static_cast<long long>(t->qsos),
                 static_cast<long long>(t->points), static_cast<long long>(t->dxcc),
                 static_cast<long long>(t->regions), static_cast<long long>(t->score));
    }
    csv += Fmt(",%lld,%lld,%lld,%lld,%lld,%lld", static_cast<long long>(r.checked.qsos),
               static_cast<long long>(r.checked.points), static_cast<long long>(r.checked.dxcc),
               static_cast<long long>(r.checked.regions), static_cast<long long>(r.penaltyPoints),
               static_cast<long long>(r.finalScore));
    csv += "," + ChangePercent(r);
    for (int f = 0; f < kFindingCount; ++f)
      csv += "," + std::to_string(r.counts[static_cast<std::size_t>(f)]);
    csv += Fmt(",%.1f\n", static_cast<double>(o.cross.offsetSeconds[row.log]) / 60.0);
  }
  return csv;
}

std::string ResultsHtml(const CheckOutcome& o) {
  std::string b = "<h1>ZORVAN DIGITAL — results after the log check</h1>";
  b += "<p>" + std::to_string(o.contest.logs.size()) +
       " logs checked. Claimed: the module's score of the log as sent. Checked: the module's "
       "score without the removed QSOs, less the penalty points. <a href=\"overview.html\">"
       "Overview of the contest</a> &middot; <a href=\"results.csv\">CSV</a></p>";
  b += "<div class=\"box\">" + Escape(PenaltyRules(o.settings, false)) +
       "<br>Matching: both "
       "calls, band and mode, within " +
       std::to_string(o.settings.windowSeconds / 60) +
       " minutes after each log's clock offset (estimated within " +
       std::to_string(o.settings.searchSeconds / 60) + " minutes).</div>";
  std::string category = "\x01";
  int place = 0;
  auto head = [&](const std::string& c) {
    b += "<h2>" + Escape(c.empty() ? "No category given (ADIF logs)" : "Category " + c) + "</h2>";
    b += "<table><tr><th>#</th><th>Call</th><th>Claimed QSOs</th><th>Claimed score</th>"
         "<th>Checked QSOs</th><th>Points</th><th>DXCC</th><th>Regions</th><th>Penalty</th>"
         "<th>Checked score</th><th>Change %</th>";
    for (Finding f : kTableFindings) b += "<th>" + Escape(FindingName(f, false)) + "</th>";
    b += "<th>Clock</th></tr>";
  };
  for (const Row& row : RankedRows(o)) {
    if (row.category != category) {
      if (category != "\x01") b += "</table>";
      category = row.category;
      place = 0;
      head(category);
    }
    ++place;
    const StationResult& r = o.stations[row.log];
    const std::string& call = CallOf(o, row.log);
    b += "<tr><td class=\"n\">" + std::to_string(place) + "</td><td><a href=\"ubn/" +
         Escape(StationFileBase(call)) + ".html\">" + Escape(call) + "</a></td>";
    for (int64_t v : {r.claimed.qsos, r.claimed.score, r.checked.qsos, r.checked.points,
                      r.checked.dxcc, r.checked.regions, r.penaltyPoints, r.finalScore}) {
      b += "<td class=\"n\">" + Thousands(v) + "</td>";
    }
    b += "<td class=\"n\">" + ChangePercent(r) + "</td>";
    for (Finding f : kTableFindings) {
      const int n = r.counts[static_cast<std::size_t>(Index(f))];
      b += "<td class=\"n\">" + (n ? std::to_string(n) : std::string()) + "</td>";
    }
    const double minutes = static_cast<double>(o.cross.offsetSeconds[row.log]) / 60.0;
    b += "<td class=\"n\">" +
         (std::fabs(minutes) >= 1.0 ? MinutesText(minutes, false) : std::string()) + "</td></tr>";
  }
  if (category != "\x01") b += "</table>";
  if (!o.contest.notes.empty()) {
    b += "<h2>Notes on the logs</h2><ul>";
    for (const Note& n : o.contest.notes) {
      b += "<li><b>" + Escape(n.file) + "</b>: " + Escape(n.message) + "</li>";
    }
    b += "</ul>";
  }
  return Page("ZORVAN DIGITAL results", "en", b);
}

std::string OverviewHtml(const CheckOutcome& o) {
  const ContestLogs& c = o.contest;
  std::array<int64_t, kFindingCount> totals{};
  int64_t lines = 0, claimed = 0, checked = 0;
  int64_t first = 0, last = 0;
  bool any = false;
  std::map<std::string, int> continents;
  for (std::size_t a = 0; a < c.logs.size(); ++a) {
    const StationResult& r = o.stations[a];
    for (int f = 0; f < kFindingCount; ++f)
      totals[static_cast<std::size_t>(f)] += r.counts[static_cast<std::size_t>(f)];
    lines += static_cast<int64_t>(c.logs[a].qsos.size());
    claimed += r.claimed.score;
    checked += r.finalScore;
    ++continents[c.logs[a].continent.empty() ? "?" : c.logs[a].continent];
    for (const Qso& q : c.logs[a].qsos) {
      if (!any || q.seconds < first) first = q.seconds;
      if (!any || q.seconds > last) last = q.seconds;
      any = true;
    }
  }
  std::string b = "<h1>ZORVAN DIGITAL — the contest after the log check</h1>";
  b += "<div class=\"box\">" + Thousands(static_cast<int64_t>(c.logs.size())) + " logs checked, " +
       Thousands(lines) + " QSO lines; " + std::to_string(c.notes.size()) +
       " notes on the logs. Claimed scores in total " + Thousands(claimed) + ", checked " +
       Thousands(checked) + ". <a href=\"results.html\">Results</a></div>";
  // Findings by class.
  {
    svg::Frame frame = ChartFrame("QSO lines by finding", 720);
    std::vector<std::string> colours;
    std::vector<double> values;
    for (int f = 0; f < kFindingCount; ++f) {
      frame.labels.push_back(FindingName(static_cast<Finding>(f), false));
      values.push_back(static_cast<double>(totals[static_cast<std::size_t>(f)]));
      colours.push_back(kFindingColours[f]);
    }
    b += "<h2>What the check found</h2>" +
         Figure(frame, svg::HorizontalBars(frame, values, colours));
  }
  b += "<div class=\"charts\">";
  // QSO lines per clock hour, by band; the day under the first hour of each day.
  if (any) {
    const int64_t hour0 = first / 3600;
    const auto hours =
        static_cast<std::size_t>(std::min<int64_t>(last / 3600 - hour0 + 1, 24 * 14));
    svg::Frame frame = ChartFrame("QSO lines per clock hour (UTC), by band", 720);
    frame.yTitle = "QSO lines";
    std::vector<svg::Series> series;
    for (std::size_t k = 0; k < 6; ++k) {
      series.push_back(
          {std::string(zd::kBands[k].text), kBandColours[k], std::vector<double>(hours, 0.0)});
    }
    for (std::size_t h = 0; h < hours; ++h) {
      const int64_t start = (hour0 + static_cast<int64_t>(h)) * 3600;
      frame.labels.push_back(TimeText(start, "%H"));
      frame.subLabels.push_back(h == 0 || start % 86400 == 0 ? TimeText(start, "%d.%m")
                                                             : std::string());
    }
    for (const StationLog& log : c.logs) {
      for (const Qso& q : log.qsos) {
        const auto h = static_cast<std::size_t>(q.seconds / 3600 - hour0);
        if (h >= hours) continue;
        for (std::size_t k = 0; k < 6; ++k) {
          if (c.pool[q.band] == zd::kBands[k].text) series[k].values[h] += 1;
        }
      }
    }
    b += Figure(frame, svg::StackedBars(frame, series));
  }
  // Score change per log.
  {
    svg::Frame frame = ChartFrame("Logs by score lost in the check", 460);
    frame.labels = {"none", "< 1 %", "1-2 %", "2-5 %", "5-10 %", "10-20 %", "> 20 %"};
    frame.totals = true;
    svg::Series logs{"logs", "#e15759", std::vector<double>(frame.labels.size(), 0.0)};
    for (const StationResult& r : o.stations) {
      if (r.claimed.score <= 0) continue;
      const double lost = 100.0 * static_cast<double>(r.claimed.score - r.finalScore) /
                          static_cast<double>(r.claimed.score);
      const std::size_t k = lost <= 0   ? 0
                            : lost < 1  ? 1
                            : lost < 2  ? 2
                            : lost < 5  ? 3
                            : lost < 10 ? 4
                            : lost < 20 ? 5
                                        : 6;
      logs.values[k] += 1;
    }
    b += Figure(frame, svg::StackedBars(frame, {logs}));
  }
  // Clock offsets, in whole minutes; the ends take everything beyond them.
  {
    svg::Frame frame = ChartFrame("Logs by clock offset (minutes)", 720);
    frame.labelEvery = 5;
    for (int m = -15; m <= 15; ++m) frame.labels.push_back(std::to_string(m));
    svg::Series logs{"logs", "#4e79a7", std::vector<double>(frame.labels.size(), 0.0)};
    for (std::size_t a = 0; a < c.logs.size(); ++a) {
      if (o.cross.offsetSamples[a] < 3) continue;
      const auto m =
          static_cast<int>(std::lround(static_cast<double>(o.cross.offsetSeconds[a]) / 60.0));
      logs.values[static_cast<std::size_t>(std::clamp(m, -15, 15) + 15)] += 1;
    }
    b += Figure(frame, svg::StackedBars(frame, {logs}));
  }
  // Logs by continent.
  {
    svg::Frame frame = ChartFrame("Logs by continent", 460);
    std::vector<double> values;
    for (const auto& [cont, n] : continents) {
      frame.labels.push_back(cont);
      values.push_back(n);
    }
    b += Figure(frame, svg::HorizontalBars(frame, values,
                                           std::vector<std::string>(values.size(), "#76b7b2")));
  }
  b += "</div>";
  // The leaders.
  b += "<h2>Top ten checked scores</h2><table><tr><th>#</th><th>Call</th><th>Category</th>"
       "<th>Claimed</th><th>Checked</th></tr>";
  std::vector<std::size_t> order(c.logs.size());
  for (std::size_t a = 0; a < order.size(); ++a) order[a] = a;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    return o.stations[x].finalScore > o.stations[y].finalScore;
  });
  for (std::size_t k = 0; k < order.size() && k < 10; ++k) {
    const std::size_t a = order[k];
    b += "<tr><td class=\"n\">" + std::to_string(k + 1) + "</td><td>" + Escape(CallOf(o, a)) +
         "</td><td>" + Escape(c.logs[a].category) + "</td><td class=\"n\">" +
         Thousands(o.stations[a].claimed.score) + "</td><td class=\"n\">" +
         Thousands(o.stations[a].finalScore) + "</td></tr>";
  }
  b += "</table>";
  return Page("ZORVAN DIGITAL overview", "en", b);
}

std::string FindingsCsv(const CheckOutcome& o) {
  std::string csv = "call,qso,line,finding,other_call,other_line\n";
  for (std::size_t a = 0; a < o.contest.logs.size(); ++a) {
    const auto& outcomes = o.cross.outcomes[a];
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
      const Outcome& out = outcomes[i];
      csv += CsvField(CallOf(o, a)) + "," + std::to_string(i + 1) + "," +
             std::to_string(LogAt(o, a).qsos[i].line) + "," +
             std::string(FindingOption(out.finding));
      if (out.otherLog >= 0) {
        const auto b = static_cast<std::size_t>(out.otherLog);
        csv += "," + CsvField(CallOf(o, b)) + "," +
               std::to_string(LogAt(o, b).qsos[static_cast<std::size_t>(out.otherQso)].line);
      } else {
        csv += ",,";
      }
      csv += "\n";
    }
  }
  return csv;
}

void Publish(const CheckOutcome& o, const std::string& outFolder) {
  const fs::path out(outFolder);
  fs::create_directories(out / "ubn");
  WriteFile(out / "results.csv", ResultsCsv(o));
  WriteFile(out / "results.html", ResultsHtml(o));
  WriteFile(out / "overview.html", OverviewHtml(o));
  WriteFile(out / "findings.csv", FindingsCsv(o));
  std::string notes;
  for (const Note& n : o.contest.notes) notes += n.file + ": " + n.message + "\n";
  WriteFile(out / "notes.txt", notes);
  for (std::size_t a = 0; a < o.contest.logs.size(); ++a) {
    const std::string base = StationFileBase(CallOf(o, a));
    WriteFile(out / "ubn" / (base + ".txt"), UbnText(o, a));
    WriteFile(out / "ubn" / (base + ".html"), UbnHtml(o, a));
  }
}

}  // namespace zd::check

#include "zorvan_replay/report_html.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <set>

#include "engine/contest_rules.h"
#include "status_windows/region_board.h"
#include "svg_chart/svg_chart.h"
#include "zorvan_replay/replay.h"
#include "zorvan_replay/report_texts.h"

namespace zd::replay {
namespace {

using svg::Escape;

constexpr const char* kBandColours[kBandCount] = {"#4e79a7", "#f28e2b", "#e15759",
                                                  "#76b7b2", "#59a14f", "#b07aa1"};
constexpr const char* kOtherColour = "#9c9c9c";
constexpr const char* kModeColours[kModeSlots] = {"#4e79a7", "#f28e2b", "#59a14f"};
constexpr const char* kRed = "#d62728";
// The region window's colours: green not worked, magenta with yellow letters worked.
constexpr const char* kCellOpen = "#00ff00";
constexpr const char* kCellOpenInk = "#010101";
constexpr const char* kCellWorked = "#ff00ff";
constexpr const char* kCellWorkedInk = "#ffff00";

constexpr const char* kStyle = R"(
body { font-family: Verdana, Arial, sans-serif; font-size: 14px; color: #111; margin: 1.2em auto;
       max-width: 1000px; padding: 0 1em; background: #fff; }
h1 { font-size: 1.6em; border-bottom: 3px solid #1e3a6e; padding-bottom: .2em; margin-bottom: .3em; }
h2 { font-size: 1.3em; color: #1e3a6e; margin-top: 1.8em; border-bottom: 1px solid #ccd; }
h3 { font-size: 1.05em; margin: 1.3em 0 .4em; }
p.meta { color: #444; margin: .2em 0; }
nav a { margin-right: 1.2em; }
table { border-collapse: collapse; margin: .5em 0 1em; }
th, td { border: 1px solid #c6cad6; padding: .2em .5em; text-align: right; white-space: nowrap; }
th { background: #e8ecf5; white-space: normal; }
td.t, th.t { text-align: left; }
td.w { text-align: left; white-space: normal; min-width: 10em; }
div.wide { overflow-x: auto; }
tr.sum td { font-weight: bold; background: #f4f5f8; }
pre { background: #fffac6; border: 1px solid #d8d2a0; padding: .5em .8em; font-size: 13px;
      overflow-x: auto; }
.cards { display: flex; flex-wrap: wrap; gap: .6em; margin: .8em 0; }
.card { border: 1px solid #c6cad6; border-radius: 6px; padding: .4em .9em; min-width: 6.5em;
        background: #f7f8fb; }
.card span { display: block; color: #555; font-size: .85em; }
.card b { font-size: 1.35em; }
.card.score { background: #1e3a6e; color: #fff; border-color: #1e3a6e; }
.card.score span { color: #dde; }
.ok { background: #eef6ee; border-left: 4px solid #3a3; padding: .4em .8em; }
.warn { background: #fdecea; border-left: 4px solid #d62728; padding: .4em .8em; }
.note { color: #555; font-size: .9em; }
.over, td.over { color: #d62728; font-weight: bold; }
svg { display: block; max-width: 100%; height: auto; margin: .3em 0 1em; }
.boards { display: flex; flex-wrap: wrap; gap: 0 16px; }
.boards figure { margin: 0 0 .8em; }
figcaption { font-size: .9em; color: #333; }
.flag { display: inline-block; border-radius: 3px; padding: 0 .3em; margin-right: .2em;
        font-size: .85em; background: #fdecea; color: #a01010; }
.flag.f1, .flag.f2 { background: #eee; color: #555; }
table.qsos td, table.qsos th { font-size: 12.5px; padding: .1em .4em; }
table.qsos th { position: sticky; top: 0; }
tr.nc td { color: #777; }
)";

std::string Fill(std::string_view pattern, std::initializer_list<std::string> values) {
  std::string out;
  auto v = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.substr(i, 2) == "{}" && v != values.end()) {
      out += *v++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

struct Report {
  const AnalysisInput& in;
  const Analysis& a;
  const ReportTexts& t;
  const ReportMeta& meta;
  std::string out;

  // ---------------------------------------------------------------- small parts

  std::string Number(long long n) const {
    const std::string digits = std::to_string(n < 0 ? -n : n);
    std::string s;
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) s += t.lang[0] == 'r' ? "\u00a0" : ",";
      s += digits[i];
    }
    return n < 0 ? "-" + s : s;
  }
  std::string Duration(int64_t seconds) const {
    const int64_t minutes = (seconds + 30) / 60;
    return Fill(t.hoursMinutes, {std::to_string(minutes / 60), std::to_string(minutes % 60)});
  }
  static std::string Apart(int64_t seconds) {
    const int64_t s = seconds < 0 ? -seconds : seconds;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld:%02lld", seconds < 0 ? "-" : "",
                  static_cast<long long>(s / 60), static_cast<long long>(s % 60));
    return text;
  }
  static std::string HourText(int64_t hour) {
    const std::string s = SecondsText(hour * 3600);
    return s.substr(0, 16);  // YYYY-MM-DD HH:00
  }
  static std::string Td(std::string_view text, bool left = false) {
    return std::string(left ? "<td class=\"t\">" : "<td>") + Escape(text) + "</td>";
  }
  static std::string Th(std::string_view text, bool left = false) {
    return std::string(left ? "<th class=\"t\">" : "<th>") + Escape(text) + "</th>";
  }
  const LogQso& Qso(int i) const { return *in.qsos[static_cast<std::size_t>(i)].qso; }

  std::string QsoHead() const {
    return Th(t.line) + Th(t.time, true) + Th(t.band, true) + Th(t.mode, true) + Th(t.call, true) +
           Th(t.rcvd, true);
  }
  std::string QsoCells(int i) const {
    const LogQso& q = Qso(i);
    return Td(std::to_string(q.line)) +
           Td(SecondsText(a.qsos[static_cast<std::size_t>(i)].second), true) + Td(q.band, true) +
           Td(q.mode, true) + Td(q.call, true) + Td(q.rstRcvd + " " + q.exchRcvd, true);
  }
  std::string Flags(uint32_t flags) const {
    std::string s;
    for (int f = 0; f < kFlagCount; ++f) {
      if (flags & (1u << f)) {
        s += "<span class=\"flag f" + std::to_string(f) + "\" title=\"" + Escape(t.flagLegend[f]) +
             "\">" + Escape(t.flagNames[f]) + "</span>";
      }
    }
    return s;
  }
  std::string SlotName(int band, int slot) const {
    return std::string(kBands[static_cast<std::size_t>(band)].text) + " " +
           std::string(kModes[static_cast<std::size_t>(slot)].text);
  }
  // The mode slots that hold a counted QSO anywhere (RTTY and BPSK63 always).
  std::vector<int> UsedSlots() const {
    std::vector<int> slots;
    for (int s = 0; s < kModeSlots; ++s) {
      bool used = s < 2;
      for (const auto& band : a.modeSplit) used = used || band[static_cast<std::size_t>(s)] > 0;
      if (used) slots.push_back(s);
    }
    return slots;
  }
  std::vector<int> UsedBands() const {
    std::vector<int> bands;
    for (int b = 0; b < kBandCount; ++b) {
      if (a.bands[static_cast<std::size_t>(b)].qsos > 0) bands.push_back(b);
    }
    return bands;
  }

  // ---------------------------------------------------------------- the page

  void Head() {
    out += "<!DOCTYPE html>\n<html lang=\"" + std::string(t.lang) +
           "\">\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"viewport\" "
           "content=\"width=device-width, initial-scale=1\">\n<title>" +
           Escape(std::string(t.title) + " — " + in.ownCall) + "</title>\n<style>" + kStyle +
           "</style>\n</head>\n<body>\n";
    out += "<h1>ZORVAN DIGITAL — " + Escape(in.ownCall) + ": " + Escape(t.title) + "</h1>\n";
    if (!a.qsos.empty()) {
      out += "<p class=\"meta\">" +
             Escape(Fill(t.logLine, {meta.logName, Number(static_cast<long long>(a.qsos.size())),
                                     SecondsText(a.first), SecondsText(a.last)})) +
             "</p>\n";
    }
    out += "<p class=\"meta\">" + Escape(Fill(t.madeBy, {meta.version})) + "</p>\n";
    out += "<nav>";
    for (const auto& [id, name] : {std::pair{"summary", t.summary},
                                   {"charts", t.charts},
                                   {"rates", t.rates},
                                   {"multipliers", t.multipliers},
                                   {"checks", t.checks},
                                   {"qsos", t.qsoTable}}) {
      out += std::string("<a href=\"#") + id + "\">" + Escape(name) + "</a>";
    }
    out += "</nav>\n";
  }

  void Card(std::string_view name, long long value, bool score = false) {
    out += std::string("<div class=\"card") + (score ? " score" : "") + "\"><span>" + Escape(name) +
           "</span><b>" + Number(value) + "</b></div>";
  }

  // What the report's own count of the log says against the module's summary.
  std::vector<std::string> Disagreements(const ModuleSummary& s) const {
    std::vector<std::string> differ;
    const auto row = [&](const std::string& name, const SummaryRow& m, const BandTotals& b) {
      if (m.qsos != b.qsos || m.points != b.points || m.dxcc != b.dxcc || m.regions != b.regions ||
          m.rtty != b.rtty || m.bpsk63 != b.bpsk63) {
        differ.push_back(name);
      }
    };
    for (int b = 0; b < kBandCount; ++b) {
      const std::string_view name = kBands[static_cast<std::size_t>(b)].text;
      const auto it = std::find_if(s.bands.begin(), s.bands.end(),
                                   [&](const SummaryRow& r) { return r.band == name; });
      const BandTotals& mine = a.bands[static_cast<std::size_t>(b)];
      if (it != s.bands.end()) {
        row(std::string(name), *it, mine);
      } else if (mine.qsos > 0) {
        differ.emplace_back(name);
      }
    }
    row(t.total, s.total, a.total);
    if (s.dupes != a.total.dupes) differ.push_back(t.dupes);
    if (s.score != a.score) differ.push_back(t.score);
    return differ;
  }

  void Summary() {
    out += "<h2 id=\"summary\">1. " + Escape(t.summary) + "</h2>\n";
    const ModuleSummary* s = in.summary ? &*in.summary : nullptr;
    out += "<div class=\"cards\">";
    Card(t.claimedScore, s ? s->score : a.score, true);
    Card(t.qsos, s ? s->total.qsos : a.total.qsos);
    Card(t.points, s ? s->total.points : a.total.points);
    Card(t.dxcc, s ? s->total.dxcc : a.total.dxcc);
    Card(t.regions, s ? s->total.regions : a.total.regions);
    Card(t.dupes, s ? s->dupes : a.total.dupes);
    if (s) Card(t.badQsos, s->badQsos);
    out += "</div>\n";
    // The settings file holds what the module stored; it can only differ from the summary
    // when the module could not write it.
    if (!meta.claimed.empty()) {
      const bool same = s && meta.claimed == std::to_string(s->score);
      out += std::string(same ? "<p>" : "<p class=\"warn\">") +
             Escape(Fill(t.claimed, {meta.claimed})) + "</p>\n";
    }
    if (!s) {
      out += "<p class=\"warn\">" + Escape(t.noSummary) + "</p>\n";
      return;
    }
    const std::vector<std::string> differ = Disagreements(*s);
    if (differ.empty()) {
      out += "<p class=\"ok\">" + Escape(t.agrees) + "</p>\n";
    } else {
      std::string list;
      for (const std::string& d : differ) list += (list.empty() ? "" : ", ") + d;
      out += "<p class=\"warn\">" + Escape(Fill(t.mismatch, {list})) + "</p>\n";
    }
    out += "<h3>" + Escape(t.asReturned) + "</h3>\n";
    if (meta.summaryText.substr(0, 6) != "<html>") {
      out += "<pre>" + Escape(meta.summaryText) + "</pre>\n";
      return;
    }
    // A host that announced its version gets the table form: its figures, as a table here.
    out += "<table><tr>" + Th(t.band, true) + Th(t.qsos) + Th(t.points) + Th(t.dxcc) + Th("Obl") +
           Th("RTTY") + Th("BPSK63") + "</tr>";
    const auto row = [&](const SummaryRow& r, bool sum) {
      out += std::string(sum ? "<tr class=\"sum\">" : "<tr>") + Td(r.band, true);
      for (long long v : {r.qsos, r.points, r.dxcc, r.regions, r.rtty, r.bpsk63}) {
        out += Td(Number(v));
      }
      out += "</tr>";
    };
    for (const SummaryRow& r : s->bands) row(r, false);
    row(s->total, true);
    out += "</table>\n<p>Dupe " + Number(s->dupes) + ", Bad QSO " + Number(s->badQsos) +
           ", Score " + Number(s->score) + "</p>\n";
  }

  svg::Frame HourFrame(const std::string& title, const std::string& yTitle) const {
    svg::Frame f;
    f.title = title;
    f.yTitle = yTitle;
    for (std::size_t i = 0; i < a.hours.size(); ++i) {
      const std::string text = HourText(a.hours[i].hour);
      f.labels.push_back(text.substr(11, 2));
      const bool newDay =
          i == 0 || text.substr(11, 2) == "00" || a.hours[i].hour != a.hours[i - 1].hour + 1;
      f.subLabels.push_back(newDay ? text.substr(8, 2) + "." + text.substr(5, 2) : "");
    }
    return f;
  }

  void Charts() {
    out += "<h2 id=\"charts\">2. " + Escape(t.charts) + "</h2>\n";
    if (a.hours.empty()) return;
    std::vector<svg::Series> bands;
    for (int b = 0; b < kBandCount; ++b) {
      svg::Series s{std::string(kBands[static_cast<std::size_t>(b)].text), kBandColours[b], {}};
      for (const HourRow& h : a.hours) s.values.push_back(h.qsos[static_cast<std::size_t>(b)]);
      bands.push_back(std::move(s));
    }
    svg::Series other{"?", kOtherColour, {}};
    for (const HourRow& h : a.hours) other.values.push_back(h.otherQsos);
    if (std::any_of(other.values.begin(), other.values.end(), [](double v) { return v > 0; })) {
      bands.push_back(std::move(other));
    }
    out += "<h3>" + Escape(t.chartQsos) + "</h3>\n" +
           svg::StackedBars(HourFrame(t.chartQsos, t.qsos), bands) + "\n";

    svg::Series score{t.score, "#1e3a6e", {}}, dxcc{t.dxcc, "#4e79a7", {}},
        regions{t.regions, "#e15759", {}};
    for (const HourRow& h : a.hours) {
      score.values.push_back(static_cast<double>(h.score));
      dxcc.values.push_back(static_cast<double>(h.dxcc));
      regions.values.push_back(static_cast<double>(h.regions));
    }
    out += "<h3>" + Escape(t.chartScore) + "</h3>\n" +
           svg::Lines(HourFrame(t.chartScore, t.score), {score}) + "\n";
    out += "<h3>" + Escape(t.chartMults) + "</h3>\n" +
           svg::Lines(HourFrame(t.chartMults, t.multipliers), {dxcc, regions}) + "\n";
    out +=
        "<p class=\"note\">" +
        Escape(!a.hours.empty() && a.hours.front().fromModule ? t.cumulativeNote : t.exportPass) +
        "</p>\n";

    std::vector<double> changes;
    for (const HourRow& h : a.hours) changes.push_back(h.bandChanges);
    out +=
        "<h3>" + Escape(t.chartBandChanges) + "</h3>\n" +
        svg::BarsWithLimit(HourFrame(t.chartBandChanges, t.bandChanges), changes, kBandChangeLimit,
                           "#76b7b2", kRed, std::to_string(kBandChangeLimit) + ": " + t.limit) +
        "\n";

    svg::Frame modes;
    modes.title = t.chartModes;
    std::vector<svg::Series> slots;
    for (int s : UsedSlots()) {
      slots.push_back({std::string(kModes[static_cast<std::size_t>(s)].text), kModeColours[s], {}});
    }
    for (int b : UsedBands()) {
      modes.labels.emplace_back(kBands[static_cast<std::size_t>(b)].text);
      for (svg::Series& s : slots) {
        const int slot = FindMode(s.name)->slot;
        s.values.push_back(static_cast<double>(
            a.modeSplit[static_cast<std::size_t>(b)][static_cast<std::size_t>(slot)]));
      }
    }
    out += "<h3>" + Escape(t.chartModes) + "</h3>\n" + svg::HorizontalStacks(modes, slots) + "\n";
  }

  void Rates() {
    out += "<h2 id=\"rates\">3. " + Escape(t.rates) + "</h2>\n<table>";
    const auto line = [&](std::string_view name, const std::string& value) {
      out += "<tr>" + Th(name, true) + Td(value, true) + "</tr>";
    };
    const auto best = [&](const RateWindow& w, int minutes) {
      return w.qsos == 0
                 ? std::string("—")
                 : Fill(t.bestLine, {Number(w.qsos), Number(w.points), SecondsText(w.start)}) +
                       " (" + Number(static_cast<long long>(w.qsos) * 60 / minutes) + " QSO/h)";
    };
    line(t.best60, best(a.best60, 60));
    line(t.best10, best(a.best10, 10));
    line(t.firstLast, SecondsText(a.first) + " — " + SecondsText(a.last));
    line(t.operating, Duration(a.operating));
    line(t.offTime, Duration(a.last - a.first - a.operating));
    out += "</table>\n<h3>" + Escape(t.breaks) + "</h3>\n";
    if (a.breaks.empty()) {
      out += "<p>" + Escape(t.noBreaks) + "</p>\n";
    } else {
      out += "<ul>";
      for (const Break& b : a.breaks) {
        out += "<li>" +
               Escape(Fill(t.breakRow,
                           {SecondsText(b.from), SecondsText(b.to), Duration(b.to - b.from)})) +
               "</li>";
      }
      out += "</ul>\n";
    }
    out += "<h3>" + Escape(t.hourTable) + "</h3>\n";
    if (a.hoursSparse) out += "<p class=\"note\">" + Escape(t.sparseHours) + "</p>\n";
    const std::vector<int> used = UsedBands();
    out += "<div class=\"wide\"><table><tr>" + Th(t.hour, true);
    for (int b : used) {
      out += "<th>" + Escape(kBands[static_cast<std::size_t>(b)].text) + "<br><small>QSO / " +
             Escape(t.pts) + "</small></th>";
    }
    out += Th(t.qsos) + Th(t.points) + "<th>" + Escape(t.bandChanges) + "</th><th>" +
           Escape(t.total) + "<br><small>QSO</small></th><th>" + Escape(t.total) + "<br><small>" +
           Escape(t.score) + "</small></th></tr>";
    std::array<long long, kBandCount> sumQsos{}, sumPoints{};
    long long allQsos = 0, allPoints = 0;
    for (const HourRow& h : a.hours) {
      const std::string hour = HourText(h.hour);  // YYYY-MM-DD HH:00
      out += "<tr>" + Td(hour.substr(8, 2) + "." + hour.substr(5, 2) + " " + hour.substr(11), true);
      long long q = h.otherQsos, p = h.otherPoints;
      for (int b : used) {
        const auto i = static_cast<std::size_t>(b);
        out += Td(h.qsos[i] ? Number(h.qsos[i]) + " / " + Number(h.points[i]) : "");
        sumQsos[i] += h.qsos[i];
        sumPoints[i] += h.points[i];
      }
      for (int b = 0; b < kBandCount; ++b) {
        q += h.qsos[static_cast<std::size_t>(b)];
        p += h.points[static_cast<std::size_t>(b)];
      }
      allQsos += q;
      allPoints += p;
      out += Td(Number(q)) + Td(Number(p));
      out += h.bandChanges >= kBandChangeLimit
                 ? "<td class=\"over\">" + Number(h.bandChanges) + "</td>"
                 : Td(Number(h.bandChanges));
      out += Td(Number(h.totalQsos)) + Td(Number(h.score)) + "</tr>";
    }
    out += "<tr class=\"sum\">" + Td(t.total, true);
    for (int b : used) {
      const auto i = static_cast<std::size_t>(b);
      out += Td(Number(sumQsos[i]) + " / " + Number(sumPoints[i]));
    }
    out += Td(Number(allQsos)) + Td(Number(allPoints)) + Td("") + Td("") + Td("") +
           "</tr></table></div>\n";
  }

  // A board of the 88 region cells as the region window places them.
  std::string RegionBoardSvg(const std::map<std::string, std::vector<std::string>>& worked,
                             double unit, double font, bool counts,
                             const std::string& title) const {
    std::vector<svg::Cell> cells;
    for (int i = 0; i < kRegionCells; ++i) {
      const std::string code(kRegionCellCodes[static_cast<std::size_t>(i)]);
      const DialogRect r = RegionCellRect(i);
      const auto it = worked.find(code);
      const bool done = it != worked.end();
      svg::Cell c;
      c.x = r.x;
      c.y = r.y;
      c.width = r.width;
      c.height = r.height;
      c.label = code + (done && counts ? " " + std::to_string(it->second.size()) : "");
      c.fill = done ? kCellWorked : kCellOpen;
      c.ink = done ? kCellWorkedInk : kCellOpenInk;
      c.tip = code + ": " + (done ? t.worked : t.notWorked);
      if (done) {
        std::string list;
        for (const std::string& s : it->second) list += (list.empty() ? " — " : ", ") + s;
        c.tip += list;
      }
      cells.push_back(std::move(c));
    }
    // The window's client area: 253 × 159 dialog units, less its frame.
    return svg::Board(248, 152, unit, title, cells, font);
  }

  void Multipliers() {
    out += "<h2 id=\"multipliers\">4. " + Escape(t.multipliers) + "</h2>\n";
    const std::vector<int> slots = UsedSlots();
    out += "<h3>" + Escape(t.perBandMode) + "</h3>\n<table><tr>" + Th(t.band, true);
    for (const char* kind : {t.dxcc, t.regions}) {
      for (int s : slots)
        out += Th(std::string(kind) + " " + std::string(kModes[static_cast<std::size_t>(s)].text));
    }
    out += "</tr>";
    std::array<std::size_t, 2 * kModeSlots> sums{};
    for (int b = 0; b < kBandCount; ++b) {
      out += "<tr>" + Td(kBands[static_cast<std::size_t>(b)].text, true);
      std::size_t k = 0;
      for (const auto* lists : {&a.dxcc, &a.regions}) {
        for (int s : slots) {
          const std::size_t n = (*lists)[static_cast<std::size_t>(b * kModeSlots + s)].size();
          sums[k++] += n;
          out += Td(Number(static_cast<long long>(n)));
        }
      }
      out += "</tr>";
    }
    out += "<tr class=\"sum\">" + Td(t.total, true);
    for (std::size_t k = 0; k < 2 * slots.size(); ++k)
      out += Td(Number(static_cast<long long>(sums[k])));
    out += "</tr></table>\n";

    // The whole contest on one board, then one board per band and mode.
    std::map<std::string, std::vector<std::string>> all;
    for (int b = 0; b < kBandCount; ++b) {
      for (int s = 0; s < kModeSlots; ++s) {
        for (const std::string& code : a.regions[static_cast<std::size_t>(b * kModeSlots + s)]) {
          all[code].push_back(SlotName(b, s));
        }
      }
    }
    out += "<h3>" + Escape(t.regionMap) + "</h3>\n<p class=\"note\">" + Escape(t.regionMapNote) +
           "</p>\n" + RegionBoardSvg(all, 3.6, 11, true, t.regionMap) + "\n";
    std::string missing;
    int missingCount = 0;
    for (std::string_view code : kRegionCellCodes) {
      if (all.count(std::string(code))) continue;
      missing += (missing.empty() ? "" : ", ") + std::string(code);
      ++missingCount;
    }
    out += "<p>" +
           Escape(missingCount == 0 ? std::string(t.noneMissing)
                                    : Fill(t.missing, {std::to_string(missingCount), missing})) +
           "</p>\n";

    out += "<h3>" + Escape(t.regionsSmall) + "</h3>\n<div class=\"boards\">";
    for (int b : UsedBands()) {
      for (int s : slots) {
        const auto& list = a.regions[static_cast<std::size_t>(b * kModeSlots + s)];
        std::map<std::string, std::vector<std::string>> worked;
        for (const std::string& code : list) worked[code].push_back(SlotName(b, s));
        int onBoard = 0;
        for (std::string_view code : kRegionCellCodes)
          onBoard += worked.count(std::string(code)) ? 1 : 0;
        const std::string caption = SlotName(b, s) + ": " + std::to_string(onBoard) + " / 88";
        out += "<figure>" + RegionBoardSvg(worked, 1.9, 7.5, false, caption) + "<figcaption>" +
               Escape(caption) + "</figcaption></figure>";
      }
    }
    out += "</div>\n";

    // DXCC prefixes: one row a prefix, one column a band and mode that has QSOs.
    std::vector<std::pair<int, int>> columns;
    for (int b : UsedBands()) {
      for (int s : slots) {
        if (a.modeSplit[static_cast<std::size_t>(b)][static_cast<std::size_t>(s)] > 0) {
          columns.emplace_back(b, s);
        }
      }
    }
    std::map<std::string, std::set<std::pair<int, int>>> prefixes;
    for (const auto& [b, s] : columns) {
      for (const std::string& p : a.dxcc[static_cast<std::size_t>(b * kModeSlots + s)]) {
        prefixes[p].insert({b, s});
      }
    }
    out += "<h3>" + Escape(t.dxccTable) + " (" + Number(static_cast<long long>(prefixes.size())) +
           ")</h3>\n<table><tr>" + Th(t.prefix, true);
    for (const auto& [b, s] : columns) {
      out += "<th>" + Escape(kBands[static_cast<std::size_t>(b)].text) + "<br>" +
             Escape(kModes[static_cast<std::size_t>(s)].text) + "</th>";
    }
    out += Th(t.total) + "</tr>";
    for (const auto& [p, worked] : prefixes) {
      out += "<tr>" + Td(p.empty() ? "?" : p, true);
      for (const auto& col : columns) out += Td(worked.count(col) ? "✓" : "");
      out += Td(Number(static_cast<long long>(worked.size()))) + "</tr>";
    }
    out += "<tr class=\"sum\">" + Td(t.total, true);
    for (const auto& [b, s] : columns) {
      out += Td(Number(
          static_cast<long long>(a.dxcc[static_cast<std::size_t>(b * kModeSlots + s)].size())));
    }
    out += Td(Number(a.total.dxcc)) + "</tr></table>\n";

    out += "<h3>" + Escape(t.continents) + "</h3>\n<table><tr>" + Th(t.continent, true) +
           Th(t.qsos) + Th(t.points) + "</tr>";
    for (const ContinentRow& c : a.continents) {
      out += "<tr>" + Td(c.continent.empty() ? t.unknown : c.continent, true) + Td(Number(c.qsos)) +
             Td(Number(c.points)) + "</tr>";
    }
    out += "</table>\n";
  }

  void CheckHead(std::string_view title, std::string_view why, std::size_t found) {
    out += "<h3>" + Escape(title) + "</h3>\n<p class=\"note\">" + Escape(why) + "</p>\n";
    out += found == 0
               ? "<p class=\"ok\">" + Escape(t.none) + "</p>\n"
               : "<p class=\"warn\">" +
                     Escape(Fill(t.found, {Number(static_cast<long long>(found))})) + "</p>\n";
  }

  std::string ReasonText(const std::string& line) const {
    switch (ReasonOfLine(line)) {
      case ReasonKind::kWrongBand:
        return t.reasonWrongBand;
      case ReasonKind::kWrongMode:
        return t.reasonWrongMode;
      case ReasonKind::kNoRxNumber:
        return t.reasonNoRx;
      case ReasonKind::kBadRegion:
        return t.reasonBadRegion;
      case ReasonKind::kDupe:
        return t.reasonDupe;
      case ReasonKind::kOther:
        break;
    }
    return {};
  }

  void Checks() {
    out += "<h2 id=\"checks\">5. " + Escape(t.checks) + "</h2>\n";
    CheckHead(t.modeTooSoon, t.modeTooSoonWhy, a.modeTooSoon.size());
    if (!a.modeTooSoon.empty()) {
      out += "<div class=\"wide\"><table><tr>" + QsoHead() + Th(t.earlier, true) + Th(t.apart) +
             Th(t.message, true) + "</tr>";
      for (int i : a.modeTooSoon) {
        const QsoResult& r = a.qsos[static_cast<std::size_t>(i)];
        out += "<tr>" + QsoCells(i);
        if (r.partner >= 0) {
          const QsoResult& p = a.qsos[static_cast<std::size_t>(r.partner)];
          out += Td(std::to_string(Qso(r.partner).line) + ": " + SecondsText(p.second).substr(11) +
                        " " + Qso(r.partner).mode,
                    true) +
                 Td(Apart(r.second - p.second));
        } else {
          out += Td("", true) + Td("");
        }
        const QsoVerdict& v = in.verdicts[static_cast<std::size_t>(i)];
        out += "<td class=\"w\">" + Escape(Utf8FromCp1251(v.waitMessage)) + "</td></tr>";
      }
      out += "</table></div>\n";
    }

    CheckHead(t.bandChangeHours, t.bandChangeWhy, a.bandChangeHours.size());
    for (const BandChangeHour& h : a.bandChangeHours) {
      out += "<p><b>" +
             Escape(Fill(t.bandChangeHour, {HourText(h.hour), std::to_string(h.changes)})) +
             "</b></p>\n<div class=\"wide\"><table><tr>" + Th(t.changeNo) + QsoHead() + "</tr>";
      for (int i : h.qsos) {
        const int n = a.qsos[static_cast<std::size_t>(i)].bandChange;
        out += std::string("<tr>") +
               (n >= kBandChangeLimit ? "<td class=\"over\">" + std::to_string(n) + "</td>"
                                      : Td(std::to_string(n))) +
               QsoCells(i) + "</tr>";
      }
      out += "</table></div>\n";
    }

    CheckHead(t.dupeList, t.dupeWhy, a.dupes.size());
    if (!a.dupes.empty()) {
      out += "<div class=\"wide\"><table><tr>" + QsoHead() + Th(t.original, true) + "</tr>";
      for (int i : a.dupes) {
        const int p = a.qsos[static_cast<std::size_t>(i)].partner;
        out += "<tr>" + QsoCells(i) +
               Td(p >= 0 ? std::to_string(Qso(p).line) + ": " +
                               SecondsText(a.qsos[static_cast<std::size_t>(p)].second)
                         : std::string(),
                  true) +
               "</tr>";
      }
      out += "</table></div>\n";
    }

    CheckHead(t.notCounted, t.notCountedWhy, a.notCounted.size());
    if (!a.notCounted.empty()) {
      out += "<div class=\"wide\"><table><tr>" + QsoHead() + Th(t.reason, true) + "</tr>";
      for (int i : a.notCounted) {
        const QsoVerdict* v = static_cast<std::size_t>(i) < in.verdicts.size()
                                  ? &in.verdicts[static_cast<std::size_t>(i)]
                                  : nullptr;
        std::string reasons;
        if (v) {
          for (const std::string& l : v->reportLines) {
            const std::string why = ReasonText(l);
            reasons +=
                (reasons.empty() ? "" : "; ") + ReportReason(l) + (why.empty() ? "" : " — " + why);
          }
        }
        if (reasons.empty()) reasons = t.refusedWord;
        out += "<tr>" + QsoCells(i) + "<td class=\"w\">" + Escape(reasons) + "</td></tr>";
      }
      out += "</table></div>\n";
    }

    CheckHead(t.regionNotCalls, t.regionNotCallsWhy, a.regionNotCalls.size());
    if (!a.regionNotCalls.empty()) {
      out += "<div class=\"wide\"><table><tr>" + QsoHead() + Th(t.sent) + Th(t.implied) + "</tr>";
      for (int i : a.regionNotCalls) {
        const QsoResult& r = a.qsos[static_cast<std::size_t>(i)];
        out += "<tr>" + QsoCells(i) + Td(r.region) + Td(r.impliedRegion) + "</tr>";
      }
      out += "</table></div>\n";
    }

    CheckHead(t.exchangeChanges, t.exchangeWhy, a.exchangeChanges.size());
    for (const ExchangeChange& c : a.exchangeChanges) {
      out += "<p><b>" + Escape(c.call) +
             "</b>: " + Escape(c.regions ? t.exchangeRegions : t.exchangeNumbers) +
             "</p>\n<div class=\"wide\"><table><tr>" + QsoHead() + "</tr>";
      for (int i : c.qsos) out += "<tr>" + QsoCells(i) + "</tr>";
      out += "</table></div>\n";
    }

    if (!a.scpChecked) {
      out += "<h3>" + Escape(t.unknownCalls) + "</h3>\n<p class=\"note\">" +
             Escape(t.scpNotChecked) + "</p>\n";
    } else {
      CheckHead(t.unknownCalls, Fill(t.unknownWhy, {meta.scpName}), a.unknownCalls.size());
      if (!a.unknownCalls.empty()) {
        out += "<div class=\"wide\"><table><tr>" + QsoHead() + "</tr>";
        for (const UnknownCall& c : a.unknownCalls) {
          for (int i : c.qsos) out += "<tr>" + QsoCells(i) + "</tr>";
        }
        out += "</table></div>\n";
      }
    }
  }

  std::string CheckWord(const QsoVerdict& v) const {
    switch (v.checkCode) {
      case 0:
        return t.checkDupe;
      case 1:
        return t.checkKnown;
      case 2:
        return t.checkNew;
      case QsoVerdict::kNotChecked:
        return "";
      default:
        return t.checkRefused;
    }
  }

  void QsoTable() {
    out += "<h2 id=\"qsos\">6. " + Escape(t.qsoTable) + "</h2>\n<p class=\"note\">" +
           Escape(t.tableNote) + "</p>\n<p class=\"note\">";
    for (int f = 0; f < kFlagCount; ++f) out += Flags(1u << f) + Escape(t.flagLegend[f]) + ". ";
    out += "</p>\n<table class=\"qsos\"><tr>" + Th("#") + QsoHead() + Th(t.dxcc, true) +
           Th(t.continent, true) + Th(t.pts) + Th(t.mult, true) + Th(t.adds, true) +
           Th(t.flags, true) + "</tr>\n";
    for (std::size_t i = 0; i < a.qsos.size(); ++i) {
      const QsoResult& r = a.qsos[i];
      const QsoVerdict v = i < in.verdicts.size() ? in.verdicts[i] : QsoVerdict{};
      std::string adds;
      if (r.newDxcc) adds = t.dxcc;
      if (r.newRegion) adds += (adds.empty() ? "" : " + ") + r.region;
      out += std::string(r.counted ? "<tr>" : "<tr class=\"nc\">") + Td(std::to_string(i + 1)) +
             QsoCells(static_cast<int>(i)) + Td(r.prefix, true) + Td(in.qsos[i].continent, true) +
             Td(r.counted ? std::to_string(r.points) : "") + Td(CheckWord(v), true) +
             Td(adds, true) + "<td class=\"t\">" + Flags(r.flags) + "</td></tr>\n";
    }
    out += "</table>\n";
  }
};

}  // namespace

std::string Utf8FromCp1251(std::string_view text) {
  std::string out;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    unsigned cp = c;
    if (c >= 0xC0) {
      cp = 0x410 + (c - 0xC0u);
    } else if (c == 0xA8) {
      cp = 0x401;
    } else if (c == 0xB8) {
      cp = 0x451;
    } else if (c >= 0x80) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::string RenderHtmlReport(const AnalysisInput& input, const Analysis& analysis,
                             Language language, const ReportMeta& meta) {
  Report r{
      input, analysis, language == Language::kRussian ? kRussianTexts : kEnglishTexts, meta, {}};
  r.out.reserve(4096 + analysis.qsos.size() * 420);
  r.Head();
  r.Summary();
  r.Charts();
  r.Rates();
  r.Multipliers();
  r.Checks();
  r.QsoTable();
  r.out += "</body>\n</html>\n";
  return std::move(r.out);
}

namespace {

// A CSV field: quoted when it holds a separator, a quote or a line end; a text that a
// spreadsheet would take for a formula gets a leading apostrophe.
std::string CsvField(std::string_view s) {
  std::string v(s);
  if (!v.empty() && (v[0] == '=' || v[0] == '+' || v[0] == '@' || v[0] == '\t' || v[0] == '\r')) {
    v.insert(0, 1, '\'');
  }
  if (v.find_first_of(",\"\r\n") == std::string::npos) return v;
  std::string q = "\"";
  for (char c : v) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

constexpr const char* kCsvFlags[kFlagCount] = {
    "refused",          "dupe",         "bad-region",
    "mode-too-soon",    "band-changes", "region-not-calls",
    "exchange-changed", "not-in-scp",   "no-country"};

}  // namespace

std::string RenderCsv(const AnalysisInput& in, const Analysis& a) {
  std::string out =
      "n,line,time,band,mode,call,rst_sent,exch_sent,rst_rcvd,exch_rcvd,dxcc,continent,points,"
      "check_call,new_dxcc,new_region,flags,reasons\r\n";
  for (std::size_t i = 0; i < a.qsos.size(); ++i) {
    const LogQso& q = *in.qsos[i].qso;
    const QsoResult& r = a.qsos[i];
    const QsoVerdict v = i < in.verdicts.size() ? in.verdicts[i] : QsoVerdict{};
    std::string flags, reasons;
    for (int f = 0; f < kFlagCount; ++f) {
      if (r.flags & (1u << f)) flags += (flags.empty() ? "" : ";") + std::string(kCsvFlags[f]);
    }
    for (const std::string& l : v.reportLines)
      reasons += (reasons.empty() ? "" : "; ") + ReportReason(l);
    const std::string fields[] = {
        std::to_string(i + 1),
        std::to_string(q.line),
        SecondsText(r.second),
        q.band,
        q.mode,
        q.call,
        q.rstSent,
        q.exchSent,
        q.rstRcvd,
        q.exchRcvd,
        r.prefix,
        in.qsos[i].continent,
        std::to_string(r.points),
        v.checkCode == QsoVerdict::kNotChecked ? std::string() : std::to_string(v.checkCode),
        r.newDxcc ? "1" : "0",
        r.newRegion ? r.region : std::string(),
        flags,
        reasons};
    for (std::size_t f = 0; f < std::size(fields); ++f) {
      out += (f ? "," : "") + CsvField(fields[f]);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace zd::replay

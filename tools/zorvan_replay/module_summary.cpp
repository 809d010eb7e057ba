#include "zorvan_replay/module_summary.h"

#include <cstdint>

#include "engine/contest_rules.h"

namespace zd::replay {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

using Row = std::vector<std::string>;

void AddCell(Row& row, std::string_view cell) {
  cell = Trim(cell);
  if (!cell.empty()) row.emplace_back(cell);
}

// The text form: a row per line, its cells between tabs.
std::vector<Row> TextRows(std::string_view text) {
  std::vector<Row> rows;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view line = text.substr(pos, eol - pos);
    Row row;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos;
         start = tab + 1) {
      AddCell(row, line.substr(start, tab - start));
    }
    AddCell(row, line.substr(start));
    if (!row.empty()) rows.push_back(std::move(row));
    pos = eol + 1;
  }
  return rows;
}

// The HTML form: a row up to each "</tr>", its cells the texts between tags.
std::vector<Row> HtmlRows(std::string_view html) {
  std::vector<Row> rows;
  Row row;
  std::size_t pos = 0;
  while (pos < html.size()) {
    const std::size_t open = html.find('<', pos);
    AddCell(row, html.substr(pos, open == std::string_view::npos ? open : open - pos));
    if (open == std::string_view::npos) break;
    std::size_t close = html.find('>', open);
    if (close == std::string_view::npos) break;
    const std::string_view tag = html.substr(open, close - open + 1);
    if (tag == "</tr>" && !row.empty()) {
      rows.push_back(std::move(row));
      row.clear();
    } else if (tag == "<style>") {
      close = html.find("</style>", close);  // the page's style is no cell
      if (close == std::string_view::npos) break;
      close += 7;
    }
    pos = close + 1;
  }
  if (!row.empty()) rows.push_back(std::move(row));
  return rows;
}

// The whole numbers of a text, in order ("7568*(376+339) = 5411120" has four).
std::vector<long long> Numbers(std::string_view text) {
  std::vector<long long> out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] < '0' || text[i] > '9') {
      ++i;
      continue;
    }
    long long n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      if (n > (INT64_MAX - 9) / 10) return {};
      n = n * 10 + (text[i] - '0');
    }
    out.push_back(n);
  }
  return out;
}

std::string Joined(const Row& row) {
  std::string s;
  for (const std::string& cell : row) s += (s.empty() ? "" : " ") + cell;
  return s;
}

bool StartsWith(std::string_view s, std::string_view head) {
  return s.substr(0, head.size()) == head;
}

// The numbers after the first colon of a row.
std::vector<long long> AfterColon(const std::string& line) {
  const std::size_t colon = line.find(':');
  return colon == std::string::npos ? std::vector<long long>{}
                                    : Numbers(std::string_view(line).substr(colon + 1));
}

bool IsBandName(std::string_view s) {
  for (const BandRule& b : kBands) {
    if (b.text == s) return true;
  }
  return false;
}

}  // namespace

std::optional<ModuleSummary> ParseModuleSummary(std::string_view text) {
  const std::string_view start = Trim(text);
  const std::vector<Row> rows = StartsWith(start, "<html>") ? HtmlRows(text) : TextRows(text);
  ModuleSummary s;
  bool title = false, total = false, dupes = false, bad = false, score = false;
  for (const Row& row : rows) {
    const std::string line = Joined(row);
    if (!title && StartsWith(line, "ZORVAN DIGITAL")) {
      title = true;
      s.title = row[0];
      const std::size_t at = line.find("Contestant:");
      if (at != std::string::npos) {
        s.contestant = std::string(Trim(std::string_view(line).substr(at + 11)));
        if (const std::size_t blank = s.contestant.find(' '); blank != std::string::npos) {
          s.contestant.resize(blank);
        }
      }
      continue;
    }
    if (StartsWith(line, "Contestant:")) {
      s.contestant = std::string(Trim(std::string_view(line).substr(11)));
      continue;
    }
    if (IsBandName(row[0]) || row[0] == "Total") {
      const std::vector<long long> n = Numbers(line.substr(row[0].size()));
      if (row.size() != 7 || n.size() != 6) return std::nullopt;
      SummaryRow r{row[0], n[0], n[1], n[2], n[3], n[4], n[5]};
      if (r.band == "Total") {
        s.total = r;
        total = true;
      } else {
        s.bands.push_back(std::move(r));
      }
      continue;
    }
    const std::vector<long long> n = AfterColon(line);
    if (row[0] == "Dupe" || row[0] == "Bad QSO") {
      const std::vector<long long> v = Numbers(line);
      if (v.size() != 1) return std::nullopt;
      (row[0] == "Dupe" ? s.dupes : s.badQsos) = v[0];
      (row[0] == "Dupe" ? dupes : bad) = true;
    } else if (StartsWith(line, "Last QSO") && n.size() == 1) {
      s.lastQsoPoints = n[0];
    } else if (StartsWith(line, "Score:")) {
      if (n.size() != 4) return std::nullopt;
      s.score = n[3];
      score = true;
    } else if (StartsWith(line, "Hourly") && n.size() == 2) {
      if (line.find("QSO rate") != std::string::npos) {
        s.hourQsos = n[0];
        s.tenMinuteQsoRate = n[1];
      } else if (line.find("pts rate") != std::string::npos) {
        s.hourPoints = n[0];
        s.tenMinutePointRate = n[1];
      }
    }
  }
  if (!title || !total || !dupes || !bad || !score) return std::nullopt;
  return s;
}

}  // namespace zd::replay

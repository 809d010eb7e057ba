#include "zorvan_replay/country_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "zorvan_replay/replay_log.h"

namespace zd::replay {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string UpperText(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), Upper);
  return out;
}

int LinesIn(std::string_view s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

bool IsContinent(std::string_view c) {
  static constexpr std::string_view kContinents[] = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
  return std::find(std::begin(kContinents), std::end(kContinents), c) != std::end(kContinents);
}

// Suffixes that say how a station operates, not where.
bool IsOperatingSuffix(std::string_view s) {
  static constexpr std::string_view kSuffixes[] = {"P",  "M", "QRP", "QRPP", "A",
                                                   "LH", "J", "R",   "B"};
  return std::find(std::begin(kSuffixes), std::end(kSuffixes), s) != std::end(kSuffixes);
}

}  // namespace

std::string HostPrefix(std::string_view entityName, std::string_view primaryPrefix) {
  if (entityName == "European Russia") return "UA";
  if (entityName == "Asiatic Russia") return "UA9";
  if (entityName == "Kaliningrad") return "UA2";
  if (!primaryPrefix.empty() && primaryPrefix.front() == '*') primaryPrefix.remove_prefix(1);
  return std::string(primaryPrefix);
}

CountryFile CountryFile::Parse(std::string_view text, const std::string& file) {
  CountryFile cty;
  int line = 1;
  std::size_t pos = 0;
  while (true) {
    // Skip the blanks between records, counting lines.
    while (pos < text.size() && IsBlank(text[pos])) {
      if (text[pos] == '\n') ++line;
      ++pos;
    }
    if (pos >= text.size()) break;
    const std::size_t end = text.find(';', pos);
    if (end == std::string_view::npos) {
      throw LogError(file, line, "country file: entity not closed by ';'");
    }
    const std::string_view record = text.substr(pos, end - pos);
    const int recordLine = line;
    line += LinesIn(record);
    pos = end + 1;

    std::string_view fields[8];
    std::size_t at = 0;
    for (int i = 0; i < 8; ++i) {
      const std::size_t colon = record.find(':', at);
      if (colon == std::string_view::npos) {
        throw LogError(file, recordLine,
                       "country file: an entity has 8 fields separated by ':' before its "
                       "prefixes");
      }
      fields[i] = Trim(record.substr(at, colon - at));
      at = colon + 1;
    }
    Country entity;
    entity.name = std::string(fields[0]);
    entity.continent = UpperText(fields[3]);
    if (!IsContinent(entity.continent)) {
      throw LogError(file, recordLine,
                     "country file: \"" + std::string(fields[3]) + "\" is not a continent");
    }
    if (fields[7].empty() || fields[7] == "*") {
      throw LogError(file, recordLine, "country file: entity without a primary prefix");
    }
    entity.prefix = HostPrefix(fields[0], fields[7]);
    const auto index = static_cast<uint32_t>(cty.entities_.size());
    cty.entities_.push_back(std::move(entity));

    std::string_view aliases = record.substr(at);
    while (!aliases.empty()) {
      const std::size_t comma = aliases.find(',');
      std::string_view alias = Trim(aliases.substr(0, comma));
      aliases = comma == std::string_view::npos ? std::string_view() : aliases.substr(comma + 1);
      if (alias.empty()) continue;
      const bool exact = alias.front() == '=';
      if (exact) alias.remove_prefix(1);
      // The override markers: (CQ zone) [ITU zone] <lat/long> {continent} ~UTC offset~.
      const std::size_t mark = alias.find_first_of("([<{~");
      const std::string key = UpperText(Trim(alias.substr(0, mark)));
      Hit hit{index, {}};
      if (mark != std::string_view::npos) {
        const std::size_t open = alias.find('{', mark);
        if (open != std::string_view::npos) {
          const std::size_t close = alias.find('}', open);
          const std::string cont = close == std::string_view::npos
                                       ? std::string()
                                       : UpperText(alias.substr(open + 1, close - open - 1));
          if (!IsContinent(cont)) {
            throw LogError(
                file, recordLine,
                "country file: bad continent override in \"" + std::string(alias) + "\"");
          }
          hit.continent = cont;
        }
      }
      if (key.empty() || key.find_first_of(" \t") != std::string::npos) {
        throw LogError(file, recordLine, "country file: bad prefix \"" + std::string(alias) + "\"");
      }
      if (exact) {
        cty.exactCalls_[key] = hit;
      } else {
        cty.longestPrefix_ = std::max(cty.longestPrefix_, key.size());
        cty.prefixes_[key] = hit;
      }
    }
  }
  if (cty.entities_.empty()) throw LogError(file, 0, "country file: no entity");
  return cty;
}

CountryFile CountryFile::Load(const std::string& path) { return Parse(ReadWholeFile(path), path); }

std::optional<Country> CountryFile::Make(const Hit& hit) const {
  Country c = entities_[hit.entity];
  if (!hit.continent.empty()) c.continent = hit.continent;
  return c;
}

std::optional<Country> CountryFile::LongestPrefix(std::string_view call) const {
  for (std::size_t n = std::min(call.size(), longestPrefix_); n > 0; --n) {
    if (auto it = prefixes_.find(std::string(call.substr(0, n))); it != prefixes_.end()) {
      return Make(it->second);
    }
  }
  return std::nullopt;
}

std::optional<Country> CountryFile::Resolve(std::string_view rawCall) const {
  const std::string call = UpperText(Trim(rawCall));
  if (call.empty()) return std::nullopt;
  if (auto it = exactCalls_.find(call); it != exactCalls_.end()) return Make(it->second);
  if (call.find('/') == std::string::npos) return LongestPrefix(call);

  std::vector<std::string> parts;
  for (std::size_t b = 0; b <= call.size();) {
    std::size_t e = call.find('/', b);
    if (e == std::string::npos) e = call.size();
    if (e > b) parts.push_back(call.substr(b, e - b));
    b = e + 1;
  }
  char areaDigit = 0;
  while (parts.size() > 1) {
    const std::string& last = parts.back();
    if (last == "MM" || last == "AM") return std::nullopt;
    if (last.size() == 1 && IsDigit(last[0])) {
      areaDigit = last[0];
    } else if (!IsOperatingSuffix(last)) {
      break;
    }
    parts.pop_back();
  }
  if (parts.empty()) return std::nullopt;
  if (parts.size() == 1) {
    std::string base = parts[0];
    if (auto it = exactCalls_.find(base); it != exactCalls_.end() && !areaDigit) {
      return Make(it->second);
    }
    if (areaDigit) {
      const std::size_t d = base.find_first_of("0123456789");
      if (d != std::string::npos) base[d] = areaDigit;
    }
    return LongestPrefix(base);
  }
  // Of a prefix and a call, the prefix is the shorter part; at equal length the first.
  const std::string& chosen = parts[1].size() < parts[0].size() ? parts[1] : parts[0];
  return LongestPrefix(chosen);
}

}  // namespace zd::replay

#include "zorvan_check/log_store.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "callsign/region.h"

namespace zd::check {
namespace {

namespace fs = std::filesystem;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// The first lines of a file, up to its first QSO: enough for the header.
std::string ReadHeader(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string header, line;
  for (int n = 0; n < 400 && std::getline(in, line); ++n) {
    std::string upper(Trim(line).substr(0, 4));
    std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
    if (upper == "QSO:") break;
    header += line;
    header += '\n';
  }
  return header;
}

}  // namespace

uint32_t StringPool::Intern(std::string_view text) {
  std::string key(text);
  if (const auto it = ids_.find(key); it != ids_.end()) return it->second;
  const auto id = static_cast<uint32_t>(texts_.size());
  texts_.push_back(key);
  ids_.emplace(std::move(key), id);
  return id;
}

uint32_t StringPool::Find(std::string_view text) const {
  const auto it = ids_.find(std::string(text));
  return it == ids_.end() ? kNone : it->second;
}

std::array<Penalty, kFindingCount> CheckSettings::DefaultPenalties() {
  std::array<Penalty, kFindingCount> p{};
  p[Index(Finding::kNotInLog)] = {true, 1};
  p[Index(Finding::kBustedCall)] = {true, 1};
  p[Index(Finding::kBustedExchange)] = {true, 0};
  p[Index(Finding::kOwnCall)] = {true, 0};
  return p;
}

const CallCountry& CountryCache::Of(const StringPool& pool, uint32_t call) {
  auto [it, fresh] = cache_.try_emplace(call);
  if (fresh) {
    if (const auto c = cty_.Resolve(pool[call])) {
      it->second = {c->prefix, c->continent, true};
    }
  }
  return it->second;
}

std::string CabrilloCategory(std::string_view headerText) {
  std::string category;
  std::size_t pos = 0;
  while (pos < headerText.size()) {
    std::size_t eol = headerText.find('\n', pos);
    if (eol == std::string_view::npos) eol = headerText.size();
    const std::string_view line = Trim(headerText.substr(pos, eol - pos));
    pos = eol + 1;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    std::string tag(line.substr(0, colon));
    std::transform(tag.begin(), tag.end(), tag.begin(), Upper);
    if (tag.rfind("CATEGORY-", 0) != 0) continue;
    std::string value(Trim(line.substr(colon + 1)));
    std::transform(value.begin(), value.end(), value.begin(), Upper);
    if (value.empty()) continue;
    category += (category.empty() ? "" : " ") + value;
  }
  return category;
}

bool ModuleTalksRussian(std::string_view ownPrefix) { return RussianTextFor(ownPrefix); }

int64_t SecondsOfDate(double date) { return std::llround(date * 86400.0); }
double DateOfSeconds(int64_t seconds) { return static_cast<double>(seconds) / 86400.0; }

bool AddLog(ContestLogs& contest, const replay::ReplayLog& log, const std::string& path,
            std::string_view headerText, const replay::CountryFile& cty) {
  StationLog s;
  s.path = path;
  s.fileName = fs::path(path).filename().string();
  auto note = [&](const std::string& message) { contest.notes.push_back({s.fileName, message}); };
  if (log.ownCall.empty()) {
    note("the log does not name its own call (CALLSIGN: or STATION_CALLSIGN); not checked");
    return false;
  }
  std::string own = log.ownCall;
  std::transform(own.begin(), own.end(), own.begin(), Upper);
  s.ownCall = contest.pool.Intern(own);
  if (const auto c = cty.Resolve(own)) {
    s.prefix = c->prefix;
    s.continent = c->continent;
  } else {
    note("the country file does not know the own call " + own +
         ": scored without own prefix and continent");
  }
  s.russianTexts = ModuleTalksRussian(s.prefix);
  s.format = replay::DetectFormat(headerText) == replay::LogFormat::kCabrillo ? "Cabrillo" : "ADIF";
  s.category = s.format == "Cabrillo" ? CabrilloCategory(headerText) : std::string();
  if (log.qsos.empty()) {
    note("no QSO in the log of " + own + ": taken as no log sent");
    return false;
  }
  s.qsos.reserve(log.qsos.size());
  int self = 0;
  s.firstDate = s.lastDate = log.qsos.front().date;
  for (const replay::LogQso& q : log.qsos) {
    Qso c;
    c.call = contest.pool.Intern(q.call);
    c.band = contest.pool.Intern(q.band);
    c.mode = contest.pool.Intern(q.mode);
    c.rstSent = contest.pool.Intern(q.rstSent);
    c.rstRcvd = contest.pool.Intern(q.rstRcvd);
    c.exchSent = contest.pool.Intern(q.exchSent);
    c.exchRcvd = contest.pool.Intern(q.exchRcvd);
    c.freqHz = q.freqHz;
    c.seconds = SecondsOfDate(q.date);
    c.line = q.line;
    if (c.call == s.ownCall) ++self;
    s.firstDate = std::min(s.firstDate, q.date);
    s.lastDate = std::max(s.lastDate, q.date);
    s.qsos.push_back(std::move(c));
  }
  if (self > 0) {
    note(std::to_string(self) + " QSO(s) of " + own + " with its own call: removed");
  }
  if (const auto it = contest.logOfCall.find(s.ownCall); it != contest.logOfCall.end()) {
    StationLog& earlier = contest.logs[static_cast<std::size_t>(it->second)];
    note("a second log of " + own + " (the first is " + earlier.fileName +
         "): this one is checked instead");
    earlier = std::move(s);
    return true;
  }
  contest.logOfCall.emplace(s.ownCall, static_cast<int32_t>(contest.logs.size()));
  contest.logs.push_back(std::move(s));
  return true;
}

ContestLogs ReadLogsFolder(const std::string& folder, const replay::CountryFile& cty) {
  ContestLogs contest;
  std::error_code ec;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    files.push_back(it->path());
  }
  if (ec) throw replay::LogError(folder, 0, "cannot list the logs folder: " + ec.message());
  std::sort(files.begin(), files.end());
  for (const fs::path& p : files) {
    const std::string path = p.string();
    const std::string name = p.filename().string();
    if (!name.empty() && name[0] == '.') continue;  // hidden files are not logs
    if (fs::is_directory(p, ec)) {
      contest.notes.push_back({name, "a folder, not a log: skipped"});
      continue;
    }
    replay::ReplayLog log;
    try {
      log = replay::ReadLogFile(path);
    } catch (const replay::LogError& e) {
      if (e.message() == "no QSO in the log") {
        // A log that holds no QSO: its header still names the station.
        std::string header = ReadHeader(path);
        try {
          log = replay::DetectFormat(header) == replay::LogFormat::kCabrillo
                    ? replay::ParseCabrillo(header + "END-OF-LOG:\n", path)
                    : replay::ReplayLog{};
        } catch (const replay::LogError&) {
        }
        contest.notes.push_back(
            {name, "no QSO in the log" +
                       (log.ownCall.empty() ? std::string() : " of " + log.ownCall) +
                       ": taken as no log sent"});
      } else {
        contest.notes.push_back({name, "cannot be read: " + std::string(e.what())});
      }
      continue;
    }
    AddLog(contest, log, path, ReadHeader(path), cty);
  }
  if (contest.logs.size() == 1) {
    contest.notes.push_back({contest.logs.front().fileName,
                             "the only log of the folder: nothing to match it against, every "
                             "QSO is not checkable"});
  }
  return contest;
}

}  // namespace zd::check

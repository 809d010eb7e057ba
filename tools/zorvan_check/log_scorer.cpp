#include "zorvan_check/log_scorer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "engine/bad_qso_report.h"
#include "host_boundary/host_calls.h"
#include "platform/ole_date.h"

namespace zd::check {
namespace {

namespace fs = std::filesystem;

// What the module wrote to its report since `from`: the lines of the QSO just added.
std::string ReadTail(const std::string& file, std::uintmax_t from, std::uintmax_t to) {
  std::ifstream in(file, std::ios::binary);
  std::string text(static_cast<std::size_t>(to - from), '\0');
  in.seekg(static_cast<std::streamoff>(from));
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

// The module's message at the end of a report line, without its blanks and "!!!".
std::string MessageOf(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  for (std::string_view m : {"WRONG BAND", "WRONG MODE", "NO RX NUMBER", "DUPE",
                             "Russland Code Area is not acceptable"}) {
    const std::string full = std::string(m) + " !!!";
    if (line.size() >= full.size() && line.substr(line.size() - full.size()) == full) {
      return std::string(m);
    }
  }
  return {};
}

}  // namespace

ModuleTotals ParseSummary(std::string_view text) {
  ModuleTotals t;
  std::size_t pos = 0;
  bool total = false, score = false;
  while (pos < text.size()) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string line(text.substr(pos, eol - pos));
    pos = eol + 1;
    long long a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
    if (std::sscanf(line.c_str(), "Total %lld %lld %lld %lld %lld %lld", &a, &b, &c, &d, &e, &f) ==
        6) {
      t.qsos = a;
      t.points = b;
      t.dxcc = c;
      t.regions = d;
      total = true;
    } else if (std::sscanf(line.c_str(), "Dupe %lld", &a) == 1) {
      t.dupes = a;
    } else if (std::sscanf(line.c_str(), "Bad QSO %lld", &a) == 1) {
      t.badQsos = a;
    } else if (std::sscanf(line.c_str(), "Score: %lld*(%lld+%lld) = %lld", &a, &b, &c, &d) == 4) {
      t.score = d;
      score = true;
    }
  }
  t.ok = total && score;
  return t;
}

LogScorer::LogScorer(const host::Exports& module, const std::string& scratchFolder)
    : module_(module) {
  std::error_code ec;
  previousFolder_ = fs::current_path(ec).string();
  fs::create_directories(scratchFolder, ec);
  fs::current_path(scratchFolder, ec);
  if (ec) {
    throw std::runtime_error(scratchFolder + ": cannot work in this folder: " + ec.message());
  }
  // An older host's ini: the module then never opens its control window by itself.
  std::ofstream("Vevozi2.ini", std::ios::binary) << "Vorlog=2.18\r\n";
}

LogScorer::~LogScorer() {
  std::error_code ec;
  fs::current_path(previousFolder_, ec);
}

ModuleTotals LogScorer::ScoreClaimed(StationLog& log, const StringPool& pool,
                                     CountryCache& countries) {
  return Run(log, nullptr, pool, countries, &log);
}

ModuleTotals LogScorer::ScoreKept(const StationLog& log, const std::vector<char>& keep,
                                  const StringPool& pool, CountryCache& countries) {
  return Run(log, &keep, pool, countries, nullptr);
}

ModuleTotals LogScorer::Run(const StationLog& log, const std::vector<char>* keep,
                            const StringPool& pool, CountryCache& countries, StationLog* record) {
  const std::string& own = pool[log.ownCall];
  host::ResetContest(module_, host::Reset{.pathPrefix = ".\\",
                                          .ownCall = own,
                                          .start = host::ValidTime(log.firstDate),
                                          .end = host::ValidTime(log.lastDate),
                                          .ownPrefix = log.prefix,
                                          .ownContinent = log.continent});
  const std::string report = ReportFileName(OleDateTime{log.lastDate, kDateValid});
  std::error_code ec;
  std::uintmax_t reportSize = record ? fs::file_size(report, ec) : 0;
  if (ec) reportSize = 0;
  for (std::size_t i = 0; i < log.qsos.size(); ++i) {
    if (keep && !(*keep)[i]) continue;
    const Qso& q = log.qsos[i];
    const CallCountry& country = countries.Of(pool, q.call);
    const host::HostDateTime time = host::ValidTime(DateOfSeconds(q.seconds));
    host::RawQso m;
    m.ownCall = own.c_str();
    m.call = pool[q.call].c_str();
    m.time = &time;
    m.freqHz = q.freqHz;
    m.mode = pool[q.mode].c_str();
    m.rstSent = pool[q.rstSent].c_str();
    m.rstRcvd = pool[q.rstRcvd].c_str();
    m.exchSent = pool[q.exchSent].c_str();
    m.exchRcvd = pool[q.exchRcvd].c_str();
    m.prefix = country.prefix.c_str();
    m.continent = country.continent.c_str();
    m.band = pool[q.band].c_str();
    const bool stored = host::AddData(module_, m) != 0;
    if (!record) continue;
    Qso& r = record->qsos[i];
    r.verdict = stored ? ModuleVerdict::kCounted : ModuleVerdict::kRefused;
    r.badRegion = false;
    r.refusal.clear();
    // The module's report lines of this QSO say why it does not score.
    const std::uintmax_t size = fs::file_size(report, ec);
    if (ec || size <= reportSize) continue;
    const std::string tail = ReadTail(report, reportSize, size);
    reportSize = size;
    std::size_t pos = 0;
    while (pos < tail.size()) {
      std::size_t eol = tail.find('\n', pos);
      if (eol == std::string::npos) eol = tail.size();
      const std::string message = MessageOf(std::string_view(tail).substr(pos, eol - pos));
      pos = eol + 1;
      if (message == "DUPE") {
        r.verdict = ModuleVerdict::kDupe;
      } else if (message.rfind("Russland", 0) == 0) {
        r.badRegion = true;
        if (r.verdict == ModuleVerdict::kCounted) r.verdict = ModuleVerdict::kBadRegion;
      } else if (!stored && !message.empty()) {
        r.refusal = message;
      }
    }
  }
  return ParseSummary(host::Result(module_));
}

}  // namespace zd::check

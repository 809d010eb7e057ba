#include "zorvan_check/check_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/contest_rules.h"
#include "zorvan_check/publish.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::check {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "zorvan-check";

void Say(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

bool ParseMinutes(const std::string& text, int& seconds) {
  if (text.empty() || text.size() > 4 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  seconds = std::stoi(text) * 60;
  return true;
}

constexpr Finding kPenaltyClasses[] = {Finding::kNotInLog,       Finding::kBustedCall,
                                       Finding::kBustedExchange, Finding::kUnique,
                                       Finding::kNotCheckable,   Finding::kOwnCall};

// "busted-call=2", "nil=keep": a class and what it costs.
bool ParsePenalty(const std::string& text, CheckSettings& s, std::string& error) {
  const auto eq = text.find('=');
  const std::string name = text.substr(0, eq);
  const std::string value = eq == std::string::npos ? std::string() : text.substr(eq + 1);
  for (Finding f : kPenaltyClasses) {
    if (name != FindingOption(f) && !(f == Finding::kNotInLog && name == "nil")) continue;
    Penalty& p = s.penalties[static_cast<std::size_t>(Index(f))];
    if (value == "keep") {
      p = {false, 0};
      return true;
    }
    if (value.size() == 1 && value[0] >= '0' && value[0] <= '9') {
      p = {true, value[0] - '0'};
      return true;
    }
    error =
        "--penalty " + text + ": the cost is \"keep\" or the number of extra QSOs' points (0-9)";
    return false;
  }
  std::string names;
  for (Finding f : kPenaltyClasses)
    names += (names.empty() ? "" : ", ") + std::string(FindingOption(f));
  error = "--penalty " + text + ": unknown class (one of " + names + ")";
  return false;
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  return ec ? path : p.string();
}

// True when `inner` is `outer` or lies inside it.
bool Within(const fs::path& inner, const fs::path& outer) {
  auto i = inner.begin();
  for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
    if (o->empty()) continue;  // a trailing separator
    if (i == inner.end() || *i != *o) return false;
  }
  return true;
}

}  // namespace

std::string_view FindingOption(Finding f) {
  switch (f) {
    case Finding::kConfirmed:
      return "confirmed";
    case Finding::kNotInLog:
      return "not-in-log";
    case Finding::kBustedCall:
      return "busted-call";
    case Finding::kBustedExchange:
      return "busted-exchange";
    case Finding::kUnique:
      return "unique";
    case Finding::kNotCheckable:
      return "not-checkable";
    case Finding::kDupe:
      return "dupe";
    case Finding::kOwnCall:
      return "own-call";
    case Finding::kRefused:
      return "refused";
  }
  return "";
}

std::string UsageText() {
  return std::string("Usage: ") + kProgram +
         " [options] LOGS_DIR OUT_DIR\n"
         "Cross-checks every log of LOGS_DIR (Cabrillo or ADIF) against the others, scores\n"
         "each with the ZORVAN DIGITAL contest module as claimed and as checked, and\n"
         "publishes into OUT_DIR: results.html, results.csv, overview.html and a UBN report\n"
         "per station (ubn/CALL.txt and ubn/CALL.html). LOGS_DIR is only read.\n"
         "\n"
         "Options:\n"
         "  --window MIN        matching window after clock offsets (default 3 minutes)\n"
         "  --search MIN        widest search, for the clock offsets (default 15 minutes)\n"
         "  --penalty CLASS=N   a finding class removes the QSO and costs N more QSOs' points;\n"
         "                      CLASS=keep keeps it. Classes: not-in-log (nil), busted-call,\n"
         "                      busted-exchange, unique, not-checkable, own-call. Defaults:\n"
         "                      not-in-log=1 busted-call=1 busted-exchange=0 own-call=0\n"
         "                      unique=keep not-checkable=keep\n"
         "  --lib PATH          the module to load (default: the one beside this program)\n"
         "  --cty FILE          country file in CTY format (default: " +
         replay::DefaultCountryFilePath() +
         ")\n"
         "  --workers N         processes scoring with the module (default: one per core)\n"
         "  --keep-scratch      keep the module's work folder OUT_DIR/.module-work\n"
         "  --quiet             no progress on the terminal\n"
         "  --version, --help\n"
         "\n"
         "Exit status: 0 done (logs that cannot be read are listed), 1 unusable folder or\n"
         "country file, 2 usage error, 3 module not loadable.\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.empty() || a[0] != '-') {
      folders.push_back(a);
      continue;
    }
    std::string name = a, value;
    bool hasValue = false;
    if (const auto eq = a.find('='); eq != std::string::npos && a.rfind("--", 0) == 0) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      hasValue = true;
    }
    auto take = [&]() -> bool {
      if (hasValue) return true;
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    if (name == "--help" || name == "-h") {
      o.help = true;
    } else if (name == "--version") {
      o.version = true;
    } else if (name == "--keep-scratch") {
      o.keepScratch = true;
    } else if (name == "--quiet") {
      o.quiet = true;
    } else if (name == "--workers") {
      if (!take()) return std::nullopt;
      if (value.size() != 1 || value[0] < '1' || value[0] > '9') {
        error = "--workers " + value + ": a number of processes from 1 to 9";
        return std::nullopt;
      }
      o.workers = value[0] - '0';
    } else if (name == "--window" || name == "--search") {
      if (!take()) return std::nullopt;
      int& target = name == "--window" ? o.settings.windowSeconds : o.settings.searchSeconds;
      if (!ParseMinutes(value, target)) {
        error = name + " " + value + ": a whole number of minutes";
        return std::nullopt;
      }
    } else if (name == "--penalty") {
      if (!take() || !ParsePenalty(value, o.settings, error)) return std::nullopt;
    } else if (name == "--lib" || name == "--cty") {
      if (!take()) return std::nullopt;
      (name == "--lib" ? o.libPath : o.ctyPath) = value;
    } else {
      error = "unknown option " + name;
      return std::nullopt;
    }
  }
  if (o.help || o.version) return o;
  if (folders.size() != 2) {
    error = "give the logs folder and the output folder";
    return std::nullopt;
  }
  if (o.settings.searchSeconds < o.settings.windowSeconds) {
    error = "the widest search (--search) is narrower than the window (--window)";
    return std::nullopt;
  }
  o.logsFolder = folders[0];
  o.outFolder = folders[1];
  return o;
}

int QsoPoints(std::string_view ownPrefix, std::string_view ownContinent, std::string_view prefix,
              std::string_view continent, std::string_view band) {
  // The module stores these two prefixes of Italy as "I".
  if (prefix == "IT9" || prefix == "IG9") prefix = "I";
  const PointClass c = prefix == ownPrefix         ? kOwnPrefix
                       : continent == ownContinent ? kOwnContinent
                                                   : kOtherContinent;
  return zd::QsoPoints(c, BandIndexOf(band));
}

std::vector<char> KeptQsos(const std::vector<Outcome>& outcomes, const CheckSettings& settings) {
  std::vector<char> keep(outcomes.size(), 1);
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    if (settings.penalties[static_cast<std::size_t>(Index(outcomes[i].finding))].removed)
      keep[i] = 0;
  }
  return keep;
}

CheckOutcome CheckContest(ContestLogs contest, const CheckSettings& settings, ScoringPool& scoring,
                          CountryCache& countries, const Progress& progress) {
  auto step = std::chrono::steady_clock::now();
  auto said = [&](const std::string& what) {
    if (!progress) return;
    const auto now = std::chrono::steady_clock::now();
    char took[32];
    std::snprintf(took, sizeof took, " (%.1f s)",
                  std::chrono::duration<double>(now - step).count());
    step = now;
    progress(what + took);
  };
  CheckOutcome out;
  out.settings = settings;
  out.stations.resize(contest.logs.size());
  std::vector<ScoreJob> jobs;
  for (std::size_t a = 0; a < contest.logs.size(); ++a) jobs.push_back({a, nullptr});
  const std::vector<ModuleTotals> claimed = scoring.Score(contest, countries, jobs);
  for (std::size_t a = 0; a < contest.logs.size(); ++a) out.stations[a].claimed = claimed[a];
  said("scored as claimed");
  out.cross = CrossCheck(contest, settings);
  said("cross-checked");
  std::vector<std::vector<char>> keeps(contest.logs.size());
  jobs.clear();
  for (std::size_t a = 0; a < contest.logs.size(); ++a) {
    const StationLog& log = contest.logs[a];
    StationResult& r = out.stations[a];
    const auto& outcomes = out.cross.outcomes[a];
    keeps[a] = KeptQsos(outcomes, settings);
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
      const auto f = static_cast<std::size_t>(Index(outcomes[i].finding));
      ++r.counts[f];
      if (keeps[a][i]) continue;
      ++r.removed;
      const Qso& q = log.qsos[i];
      const CallCountry& c = countries.Of(contest.pool, q.call);
      r.penaltyPoints +=
          static_cast<int64_t>(settings.penalties[f].extraQsos) *
          QsoPoints(log.prefix, log.continent, c.prefix, c.continent, contest.pool[q.band]);
    }
    r.checked = r.claimed;
    if (r.removed > 0) jobs.push_back({a, &keeps[a]});
  }
  const std::vector<ModuleTotals> checked = scoring.Score(contest, countries, jobs);
  for (std::size_t k = 0; k < jobs.size(); ++k) out.stations[jobs[k].log].checked = checked[k];
  for (StationResult& r : out.stations) {
    r.finalScore =
        std::max<int64_t>(0, r.checked.points - r.penaltyPoints) * r.checked.Multipliers();
  }
  said("scored as checked");
  out.contest = std::move(contest);
  return out;
}

int RunCheck(const std::vector<std::string>& args) {
  std::string error;
  const auto parsed = ParseOptions(args, error);
  if (!parsed) {
    Say(error);
    std::fprintf(stderr, "Try '%s --help'.\n", kProgram);
    return 2;
  }
  const Options& o = *parsed;
  if (replay::AnswerHelpOrVersion(o.help, o.version, kProgram, UsageText())) return 0;
  std::error_code ec;
  if (!fs::is_directory(o.logsFolder, ec)) {
    Say(o.logsFolder + ": not a folder of logs");
    return 1;
  }
  const std::string logsFolder = Absolute(o.logsFolder);
  const std::string outFolder = Absolute(o.outFolder);
  if (Within(fs::path(outFolder), fs::path(logsFolder))) {
    Say(o.outFolder +
        ": the output folder lies in the logs folder, which is only read; "
        "choose another");
    return 2;
  }
  fs::create_directories(outFolder, ec);
  if (!fs::is_directory(outFolder, ec)) {
    Say(o.outFolder + ": cannot create the output folder");
    return 1;
  }
  const std::string ctyPath =
      Absolute(o.ctyPath.empty() ? replay::DefaultCountryFilePath() : o.ctyPath);
  const std::string libPath =
      Absolute(o.libPath.empty() ? replay::DefaultLibraryPath() : o.libPath);

  const auto started = std::chrono::steady_clock::now();
  replay::CountryFile cty;
  ContestLogs contest;
  try {
    cty = replay::CountryFile::Load(ctyPath);
    contest = ReadLogsFolder(logsFolder, cty);
  } catch (const replay::LogError& e) {
    Say(e.what());
    return 1;
  }
  for (const Note& n : contest.notes) Say(n.file + ": " + n.message);
  if (!o.quiet) {
    std::size_t lines = 0;
    for (const StationLog& l : contest.logs) lines += l.qsos.size();
    Say(std::to_string(contest.logs.size()) + " logs with " + std::to_string(lines) +
        " QSO lines read from " + logsFolder);
  }

  const auto module = host::StatsModule::Load(libPath, error);
  if (!module) {
    Say(error);
    return 3;
  }
  if ((*module)->GetNumberOfSets() < 1 || (*module)->GetSetName(0) == nullptr) {
    Say(libPath + ": the module offers no contest");
    return 3;
  }
  const std::string scratch = (fs::path(outFolder) / ".module-work").string();
  CountryCache countries(cty);
  CheckOutcome outcome;
  try {
    ScoringPool scoring(module->exports(), scratch, o.workers > 0 ? o.workers : CoreCount());
    outcome = CheckContest(std::move(contest), o.settings, scoring, countries,
                           o.quiet ? Progress() : Progress(Say));
  } catch (const std::exception& e) {
    Say(e.what());
    return 1;
  }
  if (!o.keepScratch) fs::remove_all(scratch, ec);

  try {
    Publish(outcome, outFolder);
  } catch (const std::exception& e) {
    Say(std::string("cannot write the results: ") + e.what());
    return 1;
  }
  if (!o.quiet) {
    std::array<int64_t, kFindingCount> totals{};
    for (const StationResult& r : outcome.stations) {
      for (int f = 0; f < kFindingCount; ++f)
        totals[static_cast<std::size_t>(f)] += r.counts[static_cast<std::size_t>(f)];
    }
    std::string line;
    for (int f = 0; f < kFindingCount; ++f) {
      line += (line.empty() ? "" : ", ") + std::to_string(totals[static_cast<std::size_t>(f)]) +
              " " + std::string(FindingOption(static_cast<Finding>(f)));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Say(line);
    char took[64];
    std::snprintf(took, sizeof took, "%.1f s", seconds);
    Say("results in " + outFolder + " (results.html, results.csv, overview.html, ubn/) after " +
        took);
  }
  return 0;
}

}  // namespace zd::check

#include "zorvan_replay/replay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "engine/bad_qso_report.h"
#include "host_boundary/host_calls.h"
#include "reports/cabrillo.h"
#include "zd_version.h"
#include "zorvan_replay/replay_platform.h"
#include "zorvan_replay/report_files.h"

namespace zd::replay {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "zorvan-replay";
constexpr std::size_t kProgressFrom = 5000;  // QSOs: shorter logs replay in a blink

void Error(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

// The path as seen from anywhere, so that changing into the work folder keeps it valid.
std::string Absolute(const std::string& path) {
  std::error_code ec;
  const fs::path p = fs::absolute(path, ec);
  return ec ? path : p.string();
}

}  // namespace

std::string UsageText() {
  return std::string("Usage: ") + kProgram +
         " [options] LOG\n"
         "Replays a contest log (ADIF .adi, or the Cabrillo file the module writes) through\n"
         "the ZORVAN DIGITAL contest module the way the host logger does, and prints the\n"
         "module's result summary.\n"
         "\n"
         "Options:\n"
         "  --call CALL        own call sign (default: the log's STATION_CALLSIGN or CALLSIGN)\n"
         "  --prefix PREFIX    own DXCC prefix (default: from the country file)\n"
         "  --continent CONT   own continent (default: from the country file)\n"
         "  --html             ask for the summary as an HTML table\n"
         "  --cabrillo         an export pass: the module writes the Cabrillo file\n"
         "  --workdir DIR      folder for the module's files (bad-QSO report, Cabrillo file,\n"
         "                     Plugins\\ZORVAN-DIGI.ini); created when missing (default: .)\n"
         "  --lib PATH         the module to load (default: the one beside this program)\n"
         "  --cty FILE         country file in CTY format (default: " +
         DefaultCountryFilePath() +
         ")\n"
         "  --report FILE      also write the after-contest report, one HTML page\n"
         "  --csv FILE         also write every QSO with its points and flags as CSV\n"
         "  --lang en|ru       the report's language (default: as the module speaks to\n"
         "                     the own station)\n"
         "  --scp FILE         list the calls the MASTER.SCP file FILE does not hold\n"
         "  --version          print the version and exit\n"
         "  --help             print this help and exit\n"
         "\n"
         "Exit status: 0 done, 1 unusable log, country file or folder, 2 usage error,\n"
         "3 module not loadable.\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  bool onlyFiles = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
      if (!o.logPath.empty()) {
        error = "one log at a time (got " + o.logPath + " and " + a + ")";
        return std::nullopt;
      }
      o.logPath = a;
      continue;
    }
    if (a == "--") {
      onlyFiles = true;
      continue;
    }
    std::string name = a, value;
    bool hasValue = false;
    if (const auto eq = a.find('='); eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      hasValue = true;
    }
    auto flag = [&](bool& target) {
      if (hasValue) {
        error = name + " takes no value";
        return false;
      }
      target = true;
      return true;
    };
    auto text = [&](std::string& target) {
      if (!hasValue) {
        if (i + 1 >= args.size()) {
          error = name + " needs a value";
          return false;
        }
        value = args[++i];
      }
      if (value.empty()) {
        error = name + " needs a value";
        return false;
      }
      target = value;
      return true;
    };
    bool ok;
    if (name == "--html") {
      ok = flag(o.html);
    } else if (name == "--cabrillo") {
      ok = flag(o.cabrillo);
    } else if (name == "--version") {
      ok = flag(o.version);
    } else if (name == "--help" || name == "-h") {
      ok = flag(o.help);
    } else if (name == "--call") {
      ok = text(o.call);
    } else if (name == "--prefix") {
      ok = text(o.prefix);
    } else if (name == "--continent") {
      ok = text(o.continent);
    } else if (name == "--workdir") {
      ok = text(o.workdir);
    } else if (name == "--lib") {
      ok = text(o.libPath);
    } else if (name == "--cty") {
      ok = text(o.ctyPath);
    } else if (name == "--report") {
      ok = text(o.reportPath);
    } else if (name == "--csv") {
      ok = text(o.csvPath);
    } else if (name == "--scp") {
      ok = text(o.scpPath);
    } else if (name == "--lang") {
      ok = text(o.lang);
    } else {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (!ok) return std::nullopt;
  }
  if (o.logPath.empty() && !o.help && !o.version) {
    error = "no log given";
    return std::nullopt;
  }
  if (!o.lang.empty() && !ParseLanguage(o.lang)) {
    error = "--lang takes en or ru, not " + o.lang;
    return std::nullopt;
  }
  if ((!o.lang.empty() || !o.scpPath.empty()) && o.reportPath.empty() && o.csvPath.empty()) {
    error = std::string(o.lang.empty() ? "--scp" : "--lang") + " goes with --report or --csv";
    return std::nullopt;
  }
  return o;
}

std::optional<OwnStation> ResolveOwnStation(const Options& options, const ReplayLog& log,
                                            const CountryFile& cty, std::string& error) {
  OwnStation own;
  own.call = options.call.empty() ? log.ownCall : options.call;
  for (char& c : own.call) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  if (own.call.empty()) {
    error = "the log does not name the own call sign; give it with --call";
    return std::nullopt;
  }
  own.prefix = options.prefix;
  own.continent = options.continent;
  if (own.prefix.empty() || own.continent.empty()) {
    const auto country = cty.Resolve(own.call);
    if (!country) {
      error = "the country file does not know the own call " + own.call +
              "; give --prefix and --continent";
      return std::nullopt;
    }
    if (own.prefix.empty()) own.prefix = country->prefix;
    if (own.continent.empty()) own.continent = country->continent;
  }
  return own;
}

std::pair<double, double> ContestSpan(const ReplayLog& log) {
  const LogQso* first = &log.qsos.front();
  const LogQso* last = first;
  for (const LogQso& q : log.qsos) {
    if (q.time < first->time) first = &q;
    if (last->time < q.time) last = &q;
  }
  return {first->date, last->date};
}

int RunReplay(const std::vector<std::string>& args) {
  std::string error;
  const auto parsed = ParseOptions(args, error);
  if (!parsed) {
    Error(error);
    std::fprintf(stderr, "Try '%s --help'.\n", kProgram);
    return 2;
  }
  Options o = *parsed;
  if (o.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (o.version) {
    std::printf("%s %s\n", kProgram, ZD_VERSION_TEXT);
    return 0;
  }

  const std::string logPath = o.logPath;
  const std::string ctyPath = Absolute(o.ctyPath.empty() ? DefaultCountryFilePath() : o.ctyPath);
  const std::string libPath = Absolute(o.libPath.empty() ? DefaultLibraryPath() : o.libPath);

  const auto report = PrepareReport(o.reportPath, o.csvPath, o.scpPath, o.lang, logPath, error);
  if (!report) {
    Error(error);
    return 1;
  }

  ReplayLog log;
  CountryFile cty;
  try {
    log = ReadLogFile(logPath);
    cty = CountryFile::Load(ctyPath);
  } catch (const LogError& e) {
    Error(e.what());
    return 1;
  }
  const auto own = ResolveOwnStation(o, log, cty, error);
  if (!own) {
    Error(error);
    return 1;
  }

  std::vector<HostQso> qsos;
  qsos.reserve(log.qsos.size());
  std::set<std::string> unknown;
  for (const LogQso& q : log.qsos) {
    HostQso h;
    h.qso = &q;
    if (const auto c = cty.Resolve(q.call)) {
      h.prefix = c->prefix;
      h.continent = c->continent;
    } else {
      unknown.insert(q.call);
    }
    qsos.push_back(std::move(h));
  }
  if (!unknown.empty()) {
    std::string list;
    int shown = 0;
    for (const std::string& c : unknown) {
      if (shown++ == 10) {
        list += ", ...";
        break;
      }
      list += (list.empty() ? "" : ", ") + c;
    }
    Error(std::to_string(unknown.size()) +
          " call(s) not in the country file, passed without prefix and continent: " + list);
  }

  host::LoadOptions load;
  load.answerDialogs = true;  // Windows: OK in the header dialog and the "Output" message
  auto module = host::StatsModule::Load(libPath, error, load);
  if (!module) {
    Error(error);
    return 3;
  }
  const host::Exports& x = module->exports();

  if (!o.workdir.empty()) {
    std::error_code ec;
    fs::create_directories(o.workdir, ec);
    fs::current_path(o.workdir, ec);
    if (ec) {
      Error(o.workdir + ": cannot work in this folder: " + ec.message());
      return 1;
    }
  }

  // The host's order: offer the contest sets, select ours, reset, replay, ask the result.
  if (x.GetNumberOfSets() < 1 || x.GetSetName(0) == nullptr) {
    Error(libPath + ": the module offers no contest");
    return 3;
  }
  if (o.html) x.setVersion(kProgram);

  const auto [first, last] = ContestSpan(log);
  host::Reset reset;
  reset.pathPrefix = ".\\";
  reset.newContest = o.cabrillo ? 1 : 0;
  reset.ownCall = own->call;
  reset.start = host::ValidTime(first);
  reset.end = host::ValidTime(last);
  reset.ownPrefix = own->prefix;
  reset.ownContinent = own->continent;
  host::ResetContest(x, reset);

  const bool progress = StderrIsTerminal() && qsos.size() >= kProgressFrom;
  RunSettings run;
  run.checkEachCall = report->Wanted();
  run.hourlySummaries = report->Wanted() && !o.cabrillo;
  if (progress) {
    run.progress = [&](std::size_t done) {
      if (done % 1000 != 1 && done != qsos.size()) return;
      std::fprintf(stderr, "\r%s: QSO %zu of %zu", kProgram, done, qsos.size());
      std::fflush(stderr);
    };
  }
  std::error_code ec;
  const auto askedAt = fs::file_time_type::clock::now() - std::chrono::seconds(2);
  const ModuleRun replayed = RunThroughModule(
      x, own->call, qsos, ReportFileName(OleDateTime{reset.end.date, kDateValid}), run);
  if (progress) std::fputs("\n", stderr);
  const std::size_t refused = replayed.refused;

  const std::string& text = replayed.summary;
  SetBinaryStdout();
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (text.empty() || text.back() != '\n') std::fputs("\n", stdout);
  std::fflush(stdout);

  std::string note = std::to_string(qsos.size()) + " QSOs replayed from " + logPath;
  if (refused > 0) note += ", " + std::to_string(refused) + " refused by the module";
  Error(note);
  if (o.cabrillo) {
    // The module names the file after the own call; an older file of that name does not
    // count.
    const std::string cbr = CabrilloLog::FileBaseFor(own->call) + ".cbr";
    const auto written = fs::last_write_time(cbr, ec);
    if (!ec && written >= askedAt) {
      Error("Cabrillo file " + (fs::current_path(ec) / cbr).string());
    } else {
      Error("the module wrote no Cabrillo file " + cbr);
      return 1;
    }
  }
  if (report->Wanted()) {
    const ReportContest contest{own->call, own->prefix, own->continent, logPath, o.cabrillo};
    if (!WriteReports(*report, contest, qsos, replayed, error)) {
      Error(error);
      return 1;
    }
    for (const std::string& file : {report->htmlPath, report->csvPath}) {
      if (!file.empty()) Error("report " + file);
    }
  }
  return 0;
}

}  // namespace zd::replay

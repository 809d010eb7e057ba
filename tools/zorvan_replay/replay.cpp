#include "zorvan_replay/replay.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <system_error>
#include <tuple>

#include "host_boundary/host_calls.h"
#include "platform/portable/ini_store.h"
#include "reports/cabrillo.h"
#include "zorvan_replay/replay_platform.h"
#include "zorvan_replay/report_files.h"
#include "zorvan_replay/work_folder.h"

namespace zd::replay {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "zorvan-replay";
constexpr std::size_t kProgressFrom = 5000;  // QSOs: shorter logs replay in a blink
constexpr const char* kContinents[] = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};

void Note(const std::string& message) { WriteError(std::string(kProgram) + ": " + message + "\n"); }

std::string UpperText(std::string s) {
  for (char& c : s) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return s;
}

// A path as the operator reads it: absolute, in the system's own spelling.
std::string Shown(const fs::path& p) {
  std::error_code ec;
  fs::path a = fs::absolute(p, ec);
  a = (ec ? p : a).lexically_normal();
  if (!a.has_filename() && a.has_parent_path() && a != a.root_path()) a = a.parent_path();
  return Utf8FromPath(a);
}

// The logger's files that a replay takes along from `--settings`: its module settings,
// the special-call list beside them, and the logger's own ini one folder up (it names
// the logger's version in the Cabrillo header's CREATED-BY).
struct SettingsFiles {
  fs::path settings, specialCalls, hostIni;  // empty when absent
};

std::optional<SettingsFiles> FindSettings(const std::string& given, std::string& error) {
  fs::path p = PathFromUtf8(given);
  std::error_code ec;
  if (fs::is_directory(p, ec)) {
    const auto found = FirstFileIn(p, {fs::path("Plugins") / "ZORVAN-DIGI.ini", "ZORVAN-DIGI.ini"});
    if (!found) {
      error = given + ": no Plugins" + Utf8FromPath(fs::path("/").make_preferred()) +
              "ZORVAN-DIGI.ini in this folder";
      return std::nullopt;
    }
    p = *found;
  }
  if (!fs::is_regular_file(p, ec)) {
    error = given + ": no such settings file";
    return std::nullopt;
  }
  if (!std::ifstream(p, std::ios::binary)) {
    error = given + ": cannot read this settings file";
    return std::nullopt;
  }
  SettingsFiles files;
  files.settings = fs::absolute(p, ec);
  const fs::path folder = files.settings.parent_path();
  if (auto s = FirstFileIn(folder, {"call_special.dat"})) files.specialCalls = *s;
  if (UpperText(Utf8FromPath(folder.filename())) == "PLUGINS") {
    if (auto h = FirstFileIn(folder.parent_path(), {"Vevozi2.ini"})) files.hostIni = *h;
  }
  return files;
}

// Copies the logger's files into the work folder; returns the copies (relative).
std::vector<fs::path> CopySettings(const SettingsFiles& from, const fs::path& work,
                                   std::string& error) {
  std::vector<fs::path> copied;
  const std::pair<fs::path, fs::path> plan[] = {
      {from.settings, fs::path("Plugins") / "ZORVAN-DIGI.ini"},
      {from.specialCalls, fs::path("Plugins") / "call_special.dat"},
      {from.hostIni, "Vevozi2.ini"}};
  for (const auto& [source, target] : plan) {
    if (source.empty()) continue;
    std::error_code ec;
    fs::create_directories((work / target).parent_path(), ec);
    if (fs::exists(work / target, ec) && fs::equivalent(source, work / target, ec)) continue;
    fs::copy_file(source, work / target, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = Shown(source) + ": cannot copy it into the work folder: " + ec.message();
      return {};
    }
    copied.push_back(target);
  }
  return copied;
}

// The module opens its control window at a contest start unless its settings say the
// start was armed ("Start" = 1); that window would reach a running logger and switch its
// modem in the middle of the contest. The replay arms it in the work folder's settings.
bool ArmStart(const fs::path& ini) {
  std::string text;
  if (std::ifstream in{ini, std::ios::binary}) {
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::error_code ec;
  fs::create_directories(ini.parent_path(), ec);
  std::ofstream out(ini, std::ios::binary | std::ios::trunc);
  out << IniStore::WriteTo(text, "Settings", "Start", "1");
  out.flush();
  return static_cast<bool>(out);
}

// A QSO that does not score, and the module's words for why.
struct NonScoring {
  const LogQso* qso = nullptr;
  bool refused = false;
  std::vector<std::string> reasons;
};

std::string Plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

void ListNonScoring(const std::vector<NonScoring>& list, const std::string& logName) {
  if (list.empty()) return;
  std::size_t refused = 0, dupes = 0, regions = 0;
  for (const NonScoring& n : list) {
    refused += n.refused;
    bool dupe = false, region = false;
    for (const std::string& r : n.reasons) {
      dupe = dupe || r.find("DUPE") != std::string::npos;
      region = region || r.find("Code Area") != std::string::npos;
    }
    dupes += dupe;
    regions += region;
  }
  std::string counts;
  for (const auto& [n, one, many] :
       {std::tuple{refused, "refused", "refused"}, std::tuple{dupes, "dupe", "dupes"},
        std::tuple{regions, "bad region", "bad regions"}}) {
    if (n > 0) counts += (counts.empty() ? "" : ", ") + Plural(n, one, many);
  }
  std::string text = std::string(kProgram) + ": " + Plural(list.size(), "QSO does", "QSOs do") +
                     " not score" + (counts.empty() ? "" : " (" + counts + ")") +
                     "; the module's reasons:\n";
  for (const NonScoring& n : list) {
    text += "  " + logName + ":" + std::to_string(n.qso->line) + ": " + DescribeQso(*n.qso) +
            "\n      ";
    if (n.reasons.empty()) {
      text += "refused by the module";
    } else {
      for (std::size_t i = 0; i < n.reasons.size(); ++i) {
        text += (i ? "; " : "") + n.reasons[i];
      }
    }
    text += "\n";
  }
  WriteError(text);
}

void ListUnknownCalls(const std::vector<HostQso>& qsos, const std::string& logName) {
  std::string lines;
  std::size_t count = 0;
  for (const HostQso& h : qsos) {
    if (!h.prefix.empty()) continue;
    ++count;
    lines += "  " + logName + ":" + std::to_string(h.qso->line) + ": " + h.qso->call + "\n";
  }
  if (count == 0) return;
  WriteError(std::string(kProgram) + ": " + Plural(count, "worked call is", "worked calls are") +
             " not in the country file; such a QSO scores without a DXCC entity (as a "
             "station of another continent, and no DXCC multiplier):\n" +
             lines);
}

}  // namespace

std::string UsageText() {
  return std::string("Usage: ") + kProgram +
         " [options] LOG\n"
         "Replays a contest log (ADIF .adi, ADX .adx or Cabrillo) through the ZORVAN DIGITAL\n"
         "contest module the way the host logger does, and prints the module's result\n"
         "summary and every QSO that does not score, with the module's reason.\n"
         "\n"
         "The module's files (bad-QSO report, Cabrillo file, its settings) go to a folder of\n"
         "the replay's own: LOG's name with -replay, beside LOG. Nothing else is changed.\n"
         "\n"
         "Options:\n"
         "  --call CALL        own call sign (default: the log's STATION_CALLSIGN or CALLSIGN)\n"
         "  --prefix PREFIX    own DXCC prefix (default: from the country file)\n"
         "  --continent CONT   own continent, one of AF AN AS EU NA OC SA (default: from the\n"
         "                     country file)\n"
         "  --html             ask for the summary as an HTML table\n"
         "  --cabrillo         an export pass: the module writes the Cabrillo file\n"
         "  --settings FILE    the logger's Plugins\\ZORVAN-DIGI.ini (or the logger's folder):\n"
         "                     a copy goes into the work folder, so the Cabrillo header is\n"
         "                     yours; the file itself is only read\n"
         "  --workdir DIR      work in DIR instead (created when missing); refused when DIR\n"
         "                     holds a settings file, bad-QSO report or Cabrillo file that\n"
         "                     the replay did not write\n"
         "  --overwrite        work in DIR even so (its files of those kinds are replaced)\n"
         "  --dg-mode MODE     the mode of Cabrillo's DG QSOs: BPSK63 (default), BPSK125, RTTY\n"
         "  --lib PATH         the module to load (default: Plugins\\Stats.dll or Stats.dll\n"
         "                     beside this program; libStats.so on Linux)\n"
         "  --cty FILE         country file in CTY format (default: cty.dat beside this\n"
         "                     program, else /usr/share/hamradio-files/cty.dat)\n"
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
    } else if (name == "--overwrite") {
      ok = flag(o.overwrite);
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
    } else if (name == "--settings") {
      ok = text(o.settingsPath);
    } else if (name == "--dg-mode") {
      ok = text(o.dgMode);
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
  // The country file and the module spell calls, prefixes and continents in capitals;
  // "ua" would silently match nothing.
  const std::string continentGiven = o.continent;
  o.call = UpperText(o.call);
  o.prefix = UpperText(o.prefix);
  o.continent = UpperText(o.continent);
  if (!o.continent.empty() && std::find(std::begin(kContinents), std::end(kContinents),
                                        o.continent) == std::end(kContinents)) {
    error = "--continent " + continentGiven + ": not a continent; give one of AF AN AS EU NA OC SA";
    return std::nullopt;
  }
  const std::string dg = ContestModeName(o.dgMode);
  if (dg.empty()) {
    error = "--dg-mode " + o.dgMode + ": give BPSK63, BPSK125 or RTTY";
    return std::nullopt;
  }
  o.dgMode = dg;
  if (o.overwrite && o.workdir.empty()) {
    error = "--overwrite goes with --workdir (the replay's own folder needs none)";
    return std::nullopt;
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
  own.call = UpperText(options.call.empty() ? log.ownCall : options.call);
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
              ": give your DXCC prefix and continent with --prefix and --continent (for "
              "example --prefix UA --continent EU)";
      return std::nullopt;
    }
    if (own.prefix.empty()) own.prefix = country->prefix;
    if (own.continent.empty()) own.continent = country->continent;
  }
  return own;
}

std::pair<const LogQso*, const LogQso*> ContestSpan(const ReplayLog& log) {
  const LogQso* first = &log.qsos.front();
  const LogQso* last = first;
  for (const LogQso& q : log.qsos) {
    if (q.time < first->time) first = &q;
    if (last->time < q.time) last = &q;
  }
  return {first, last};
}

std::string BadQsoReportName(const UtcTime& end) {
  char name[64];
  std::snprintf(name, sizeof name, "BadQSO_ZedevIzuverUzaz_%02d_%02d_%04d.txt", end.day, end.month,
                end.year);
  return name;
}

std::string ReportReason(std::string_view line) {
  // The QSO's fields are joined by two blanks; the message follows the last of them.
  const std::size_t gap = line.rfind("  ");
  std::string_view reason = gap == std::string_view::npos ? line : line.substr(gap + 2);
  while (!reason.empty() && reason.front() == ' ') reason.remove_prefix(1);
  return std::string(reason);
}

bool IsThisContest(std::string_view name) {
  std::string key;
  for (char c : name) {
    if (c != ' ' && c != '-' && c != '_') key += c;
  }
  key = UpperText(key);
  return key == "ZORVANDIGI" || key == "ZORVANDIGITAL" || key == "REVUZUDUV";
}

std::string DescribeQso(const LogQso& q) {
  if (!q.text.empty()) return q.text;
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d%02d", q.time.year, q.time.month, q.time.day,
                q.time.hour, q.time.minute);
  std::string band = q.band;
  if (band.empty()) band = q.freqHz ? std::to_string(q.freqHz / 1000) + " kHz" : "(no band)";
  std::string s = q.call + " " + band + " " + q.mode + " " + when + " sent";
  for (const std::string& f : q.sentFields) s += " " + f;
  s += " rcvd";
  for (const std::string& f : q.rcvdFields) s += " " + f;
  return s;
}

std::optional<fs::path> FirstFileIn(const fs::path& folder, const std::vector<fs::path>& names) {
  for (const fs::path& name : names) {
    std::error_code ec;
    if (fs::is_regular_file(folder / name, ec)) return folder / name;
  }
  return std::nullopt;
}

namespace {

// The work folder: the replay's own beside the log, or the one given if it holds no
// file of the module's kinds that the replay did not write (or --overwrite says so);
// created when missing. Empty, with the reason told, when there is none.
std::optional<fs::path> ChooseWorkFolder(const Options& o) {
  std::error_code ec;
  fs::path work;
  if (o.workdir.empty()) {
    const auto folder = DefaultWorkFolder(PathFromUtf8(o.logPath));
    if (!folder) {
      Note("no folder of its own can be made beside " + o.logPath + "; give one with --workdir");
      return std::nullopt;
    }
    work = *folder;
  } else {
    work = PathFromUtf8(o.workdir);
  }
  work = fs::absolute(work, ec);
  fs::create_directories(work, ec);
  if (ec || !fs::is_directory(work, ec)) {
    Note(Shown(work) + ": cannot make this work folder" + (ec ? ": " + ec.message() : "") +
         (o.workdir.empty() ? "; give another with --workdir" : ""));
    return std::nullopt;
  }
  if (const auto foreign = WorkFolder(work).ForeignFiles(); !foreign.empty() && !o.overwrite) {
    std::string names;
    for (const fs::path& f : foreign) names += "\n  " + Utf8FromPath(f.lexically_normal());
    Note(Shown(work) +
         " holds files that the replay did not write, and the module would overwrite "
         "them:" +
         names +
         "\nNothing was changed. Leave out --workdir (the replay then uses a folder of its "
         "own), choose an empty folder, or give --overwrite to replace them.");
    return std::nullopt;
  }
  return work;
}

// The QSOs that do not score, with the module's words about each, from what it said
// QSO by QSO.
std::vector<NonScoring> NonScoringOf(const std::vector<HostQso>& qsos, const ModuleRun& run) {
  std::vector<NonScoring> nonScoring;
  for (std::size_t i = 0; i < qsos.size(); ++i) {
    const QsoVerdict& v = run.verdicts[i];
    if (v.stored && v.reportLines.empty()) continue;
    NonScoring n{qsos[i].qso, !v.stored, {}};
    for (const std::string& l : v.reportLines) n.reasons.push_back(ReportReason(l));
    nonScoring.push_back(std::move(n));
  }
  return nonScoring;
}

}  // namespace

int RunReplay(const std::vector<std::string>& args) {
  std::string error;
  const auto parsed = ParseOptions(args, error);
  if (!parsed) {
    Note(error);
    WriteError(std::string("Try '") + kProgram + " --help'.\n");
    return 2;
  }
  const Options o = *parsed;
  if (AnswerHelpOrVersion(o.help, o.version, kProgram, UsageText())) return 0;

  // Everything is checked before anything is written.
  fs::path ctyPath = PathFromUtf8(o.ctyPath.empty() ? DefaultCountryFilePath() : o.ctyPath);
  if (std::error_code ec; o.ctyPath.empty() && !fs::is_regular_file(ctyPath, ec)) {
    Note("no country file: put cty.dat beside " + std::string(kProgram) +
         " (the release archive has one) or name one with --cty");
    return 1;
  }
  fs::path libPath = PathFromUtf8(o.libPath.empty() ? DefaultLibraryPath() : o.libPath);
  if (std::error_code ec; o.libPath.empty() && !fs::is_regular_file(libPath, ec)) {
    std::string names;
    for (const fs::path& c : DefaultLibraryCandidates()) {
      names += (names.empty() ? "" : " or ") + Shown(c);
    }
    Note("cannot find the contest module: no " + names + "; name it with --lib");
    return 3;
  }
  const auto report = PrepareReport(o.reportPath, o.csvPath, o.scpPath, o.lang, o.logPath, error);
  if (!report) {
    Note(error);
    return 1;
  }

  ReplayLog log;
  CountryFile cty;
  try {
    log = ReadLogFile(o.logPath, ReadOptions{o.dgMode});
    cty = CountryFile::Load(Utf8FromPath(ctyPath));
  } catch (const LogError& e) {
    Note(e.what());
    return 1;
  }
  const auto own = ResolveOwnStation(o, log, cty, error);
  if (!own) {
    Note(error);
    return 1;
  }
  std::optional<SettingsFiles> settings;
  if (!o.settingsPath.empty()) {
    settings = FindSettings(o.settingsPath, error);
    if (!settings) {
      Note(error);
      return 1;
    }
  }

  std::error_code ec;
  const std::string logName = Utf8FromPath(PathFromUtf8(o.logPath).filename());
  if (!log.contest.empty() && !IsThisContest(log.contest)) {
    Note("this is a " + log.contest + " log; it is scored as ZORVAN DIGITAL");
  }
  std::vector<HostQso> qsos;
  qsos.reserve(log.qsos.size());
  for (const LogQso& q : log.qsos) {
    HostQso h;
    h.qso = &q;
    if (const auto c = cty.Resolve(q.call)) {
      h.prefix = c->prefix;
      h.continent = c->continent;
    }
    qsos.push_back(std::move(h));
  }
  ListUnknownCalls(qsos, logName);

  libPath = fs::absolute(libPath, ec);
  host::LoadOptions load;
  load.answerDialogs = true;  // Windows: OK in the header dialog and the "Output" message
  auto module = host::StatsModule::Load(libPath, error, load);
  if (!module) {
    Note(error);
    return 3;
  }
  const host::Exports& x = module->exports();
  if (x.GetNumberOfSets() < 1 || x.GetSetName(0) == nullptr) {
    Note(Shown(libPath) + ": the module offers no contest");
    return 3;
  }

  const auto chosen = ChooseWorkFolder(o);
  if (!chosen) return 1;
  const fs::path work = *chosen;
  WorkFolder folder(work);
  folder.StartRun();
  std::vector<fs::path> copied;
  error.clear();
  if (settings) {
    copied = CopySettings(*settings, work, error);
    if (!error.empty()) {
      Note(error);
      return 1;
    }
  }
  Note("work folder " + Shown(work) + (o.workdir.empty() ? ", a folder of its own" : ""));
  if (settings) {
    std::string what = "settings " + Shown(settings->settings);
    if (!settings->specialCalls.empty()) what += ", " + Shown(settings->specialCalls);
    if (!settings->hostIni.empty()) what += ", " + Shown(settings->hostIni);
    Note(what + " copied into it (the originals are only read)");
  } else if (o.cabrillo) {
    const fs::path here = fs::path("Plugins") / "ZORVAN-DIGI.ini";
    const fs::path example =
        fs::is_regular_file(here, ec) ? here : fs::path("LOGGER-FOLDER") / here;
    Note(
        "no logger settings given: the Cabrillo header (NAME, ADDRESS, LOCATION, E-MAIL, "
        "CLUB, ...) will be blank. To have yours, bring the logger's settings along with "
        "--settings " +
        Utf8FromPath(example) + " (only read, never changed).");
  }
  // Without the logger's settings the module gets a settings file of the replay's own
  // for the start flag alone, removed when the replay ends.
  const fs::path plugins = work / "Plugins";
  const fs::path ini = plugins / "ZORVAN-DIGI.ini";
  const bool madePlugins = !fs::exists(plugins, ec);
  const bool scratchIni = !fs::exists(ini, ec);
  if (!ArmStart(ini)) {
    Note(Shown(ini) + ": cannot write the module's settings here");
    return 1;
  }
  ctyPath = fs::absolute(ctyPath, ec);
  fs::current_path(work, ec);
  if (ec) {
    Note(Shown(work) + ": cannot work in this folder: " + ec.message());
    return 1;
  }

  // The host's order: select the contest, reset, replay, ask for the result.
  if (o.html) x.setVersion(kProgram);
  const auto [first, last] = ContestSpan(log);
  host::Reset reset;
  reset.pathPrefix = ".\\";
  reset.newContest = o.cabrillo ? 1 : 0;
  reset.ownCall = own->call;
  reset.start = host::ValidTime(first->date);
  reset.end = host::ValidTime(last->date);
  reset.ownPrefix = own->prefix;
  reset.ownContinent = own->continent;
  host::ResetContest(x, reset);
  const fs::path reportPath = work / BadQsoReportName(last->time);
  // A Cabrillo file of the call that was there before (given --overwrite) is not this
  // run's.
  const fs::path cbr = work / PathFromUtf8(CabrilloLog::FileBaseFor(own->call) + ".cbr");
  const auto cbrBefore = FingerprintOf(cbr);

  // Hands the module every QSO in log order, as the host replays its log, and asks for
  // what the report needs besides.
  const bool progress = StderrIsTerminal() && qsos.size() >= kProgressFrom;
  RunSettings settingsOfRun;
  settingsOfRun.checkEachCall = report->Wanted();
  settingsOfRun.hourlySummaries = report->Wanted() && !o.cabrillo;
  if (progress) {
    settingsOfRun.progress = [&](std::size_t done) {
      if (done % 1000 != 1 && done != qsos.size()) return;
      WriteError("\r" + std::string(kProgram) + ": QSO " + std::to_string(done) + " of " +
                 std::to_string(qsos.size()));
    };
  }
  const ModuleRun replayed = RunThroughModule(x, own->call, qsos, reportPath, settingsOfRun);
  if (progress) WriteError("\n");
  const std::vector<NonScoring> nonScoring = NonScoringOf(qsos, replayed);

  const std::string& text = replayed.summary;
  SetBinaryStdout();
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (text.empty() || text.back() != '\n') std::fputs("\n", stdout);
  std::fflush(stdout);
  // The report reads the module's files in the work folder: before they are tidied up.
  std::string reportError;
  const bool reported =
      !report->Wanted() ||
      WriteReports(*report, {own->call, own->prefix, own->continent, logName, o.cabrillo}, qsos,
                   replayed, reportError);
  module.reset();  // the module closes its files and stops its threads
  if (scratchIni) {
    fs::remove(ini, ec);
    if (madePlugins) fs::remove(plugins, ec);  // only when empty
  }

  Note(std::to_string(qsos.size()) + " QSOs replayed from " + o.logPath + " (country file " +
       Shown(ctyPath) + ")");
  ListNonScoring(nonScoring, logName);
  if (!folder.FinishRun(copied)) {
    Note(Shown(work / kOwnFilesList) +
         ": cannot write the list of the replay's files; its next run here will refuse them");
  }
  if (fs::is_regular_file(reportPath, ec)) Note("bad-QSO report " + Shown(reportPath));
  if (!reported) {
    Note(reportError);
    return 1;
  }
  for (const std::string& file : {report->htmlPath, report->csvPath}) {
    if (!file.empty()) Note("report " + Shown(PathFromUtf8(file)));
  }
  if (o.cabrillo) {
    const auto cbrAfter = FingerprintOf(cbr);
    if (!cbrAfter || cbrAfter == cbrBefore) {
      Note("the module wrote no Cabrillo file " + Shown(cbr));
      return 1;
    }
    Note("Cabrillo file " + Shown(cbr));
  }
  return 0;
}

}  // namespace zd::replay

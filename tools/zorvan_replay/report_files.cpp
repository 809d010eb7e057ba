#include "zorvan_replay/report_files.h"

#include <filesystem>
#include <fstream>

#include "callsign/region.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "zd_version.h"

namespace zd::replay {
namespace {

namespace fs = std::filesystem;

// Paths are UTF-8 text (as the replay takes its arguments) and become paths here only.
std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  const fs::path p = fs::absolute(PathFromUtf8(path), ec);
  return ec ? path : Utf8FromPath(p.lexically_normal());
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  const fs::path x = PathFromUtf8(a), y = PathFromUtf8(b);
  return fs::equivalent(x, y, ec) || x.lexically_normal() == y.lexically_normal();
}

// The whole file in one step: a temporary file beside it takes its place, so a failure
// leaves the old file or none, never half of one.
bool WriteWhole(const std::string& path, std::string_view content) {
  const fs::path target = PathFromUtf8(path);
  fs::path temp = target;
  temp += ".tmp";
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(content.data(), static_cast<std::streamsize>(content.size())) ||
        !out.flush()) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, target, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

}  // namespace

std::optional<Language> ParseLanguage(const std::string& text) {
  if (text == "en") return Language::kEnglish;
  if (text == "ru") return Language::kRussian;
  return std::nullopt;
}

std::optional<ReportRequest> PrepareReport(const std::string& html, const std::string& csv,
                                           const std::string& scp, const std::string& language,
                                           const std::string& logPath, std::string& error) {
  ReportRequest r;
  r.htmlPath = AbsolutePath(html);
  r.csvPath = AbsolutePath(csv);
  r.scpPath = AbsolutePath(scp);
  if (!language.empty()) {
    r.language = ParseLanguage(language);
    if (!r.language) {
      error = "--lang takes en or ru, not " + language;
      return std::nullopt;
    }
  }
  const std::string log = AbsolutePath(logPath);
  for (const std::string* out : {&r.htmlPath, &r.csvPath}) {
    if (out->empty()) continue;
    if (SameFile(*out, log) || (!r.scpPath.empty() && SameFile(*out, r.scpPath))) {
      error = *out + ": the report would overwrite an input file";
      return std::nullopt;
    }
  }
  if (!r.htmlPath.empty() && !r.csvPath.empty() && SameFile(r.htmlPath, r.csvPath)) {
    error = r.htmlPath + ": --report and --csv name the same file";
    return std::nullopt;
  }
  if (!r.scpPath.empty()) {
    try {
      r.knownCalls = LoadKnownCalls(r.scpPath);
    } catch (const LogError& e) {
      error = e.what();
      return std::nullopt;
    }
  }
  return r;
}

bool WriteReports(const ReportRequest& request, const ReportContest& contest,
                  const std::vector<HostQso>& qsos, const ModuleRun& run, std::string& error) {
  AnalysisInput in;
  in.ownCall = contest.ownCall;
  in.ownPrefix = contest.ownPrefix;
  in.ownContinent = contest.ownContinent;
  in.qsos = qsos;
  in.verdicts = run.verdicts;
  in.summary = ParseModuleSummary(run.summary);
  in.hourly = run.hourly;
  if (auto lines = ReadTextLines(NativePath(".\\Plugins\\call_special.dat"))) {
    in.specialCalls = std::move(*lines);
  }
  if (!request.scpPath.empty()) in.knownCalls = &request.knownCalls;
  const Analysis analysis = Analyse(in);

  if (!request.htmlPath.empty()) {
    ReportMeta meta;
    meta.logName = contest.logName;
    meta.version = ZD_VERSION_TEXT;
    meta.scpName = Utf8FromPath(PathFromUtf8(request.scpPath).filename());
    meta.claimed = ReadSetting(*MakePlatformSettingsStore(), "Claimed");
    meta.summaryText = run.summary;
    const Language language = request.language.value_or(
        RussianTextFor(contest.ownPrefix) ? Language::kRussian : Language::kEnglish);
    if (!WriteWhole(request.htmlPath, RenderHtmlReport(in, analysis, language, meta))) {
      error = request.htmlPath + ": cannot write the report";
      return false;
    }
  }
  if (!request.csvPath.empty() && !WriteWhole(request.csvPath, RenderCsv(in, analysis))) {
    error = request.csvPath + ": cannot write the QSO table";
    return false;
  }
  return true;
}

}  // namespace zd::replay

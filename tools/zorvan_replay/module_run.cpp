#include "zorvan_replay/module_run.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/bad_qso_report.h"
#include "engine/contest.h"
#include "platform/ole_date.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::replay {
namespace {

namespace fs = std::filesystem;

// The lines the module appended to its bad-QSO report since the last look.
class ReportReader {
 public:
  explicit ReportReader(fs::path file) : file_(std::move(file)) {
    std::error_code ec;
    const auto size = fs::file_size(file_, ec);
    offset_ = ec ? 0 : size;
  }

  std::vector<std::string> NewLines() {
    std::vector<std::string> lines;
    std::error_code ec;
    const auto size = fs::file_size(file_, ec);
    if (ec || size <= offset_) return lines;
    std::ifstream in(file_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset_));
    std::string text(static_cast<std::size_t>(size - offset_), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    offset_ += text.size();
    pending_ += text;
    std::size_t start = 0;
    for (std::size_t eol; (eol = pending_.find('\n', start)) != std::string::npos;
         start = eol + 1) {
      std::string line = pending_.substr(start, eol - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(std::move(line));
    }
    pending_.erase(0, start);
    return lines;
  }

 private:
  fs::path file_;
  std::uintmax_t offset_ = 0;
  std::string pending_;
};

struct Reason {
  std::string_view message;
  ReasonKind reason;
};
constexpr Reason kReasons[] = {
    {kMsgWrongBand, ReasonKind::kWrongBand},
    {kMsgWrongMode, ReasonKind::kWrongMode},
    {kMsgNoRxNumber, ReasonKind::kNoRxNumber},
    {kMsgBadRegion, ReasonKind::kBadRegion},
    {kMsgDupe, ReasonKind::kDupe},
};

const Reason* FindReason(std::string_view line) {
  for (const Reason& r : kReasons) {
    if (line.size() >= r.message.size() &&
        line.substr(line.size() - r.message.size()) == r.message) {
      return &r;
    }
  }
  return nullptr;
}

// The module's clock text of a QSO's time.
std::string ClockText(const LogQso& q) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", q.time.year, q.time.month,
                q.time.day, q.time.hour, q.time.minute, q.time.second);
  return text;
}

// Sets the module's clock for the life of the object.
class ModuleClock {
 public:
  ~ModuleClock() {
    if (set_) SetModuleClock("");
  }
  void Set(const LogQso& q) {
    SetModuleClock(ClockText(q));
    set_ = true;
  }

 private:
  bool set_ = false;
};

}  // namespace

ReasonKind ReasonOfLine(std::string_view line) {
  const Reason* r = FindReason(line);
  return r ? r->reason : ReasonKind::kOther;
}

int64_t DateSeconds(double date) { return std::llround(LinearDays(date) * 86400.0); }

int64_t ClockHour(double date) {
  const int64_t s = DateSeconds(date);
  return s >= 0 ? s / 3600 : -((-s + 3599) / 3600);
}

ModuleRun RunThroughModule(const host::Exports& x, const std::string& ownCall,
                           const std::vector<HostQso>& qsos, const fs::path& report,
                           const RunSettings& settings) {
  ModuleRun run;
  run.verdicts.resize(qsos.size());
  ReportReader reader(report);
  ModuleClock clock;
  std::optional<int64_t> hourSeen;
  for (std::size_t i = 0; i < qsos.size(); ++i) {
    const LogQso& q = *qsos[i].qso;
    QsoVerdict& v = run.verdicts[i];
    host::Qso h;
    h.ownCall = ownCall;
    h.call = q.call;
    h.time = host::ValidTime(q.date);
    h.freqHz = q.freqHz;
    h.mode = q.mode;
    h.rstSent = q.rstSent;
    h.rstRcvd = q.rstRcvd;
    h.exchSent = q.exchSent;
    h.exchRcvd = q.exchRcvd;
    h.prefix = qsos[i].prefix;
    h.continent = qsos[i].continent;
    h.band = q.band;

    if (settings.hourlySummaries) {
      const int64_t hour = ClockHour(q.date);
      if (hourSeen && hour > *hourSeen) {
        if (auto s = ParseModuleSummary(host::Result(x))) {
          run.hourly.push_back({hour, std::move(*s)});
        }
      }
      if (!hourSeen || hour > *hourSeen) hourSeen = hour;
    }
    if (settings.checkEachCall) {
      // The operator types the call at the QSO's time, with the exchange received in the
      // region field, as the host passes it.
      clock.Set(q);
      host::Check c;
      c.call = h.call;
      c.mode = h.mode;
      c.prefix = h.prefix;
      c.continent = h.continent;
      c.region = NormalizeExchange(h.exchRcvd);
      c.band = h.band;
      const host::CheckReply reply = host::CheckCall(x, c);
      v.checkCode = reply.code;
      v.waitMessage = reply.message;
    }
    v.stored = host::AddQso(x, h) != 0;
    if (!v.stored) ++run.refused;
    v.reportLines = reader.NewLines();
    if (settings.progress) settings.progress(i + 1);
  }
  run.summary = host::Result(x);
  return run;
}

}  // namespace zd::replay

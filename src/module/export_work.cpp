#include "module/export_work.h"

#include "callsign/region.h"
#include "engine/host_setup.h"
#include "reports/result_summary.h"

namespace zd {
namespace {

// The report's reason for each refusal, in the order of Refusal.
constexpr std::string_view kRefusalMessages[] = {{}, kMsgWrongBand, kMsgWrongMode, kMsgNoRxNumber};

std::string_view RefusalMessage(Refusal r) { return kRefusalMessages[static_cast<int>(r)]; }

}  // namespace

ExportWork::ExportWork(SettingsStore& settings, const Clock& clock, UiBridge& ui)
    : settings_(settings), clock_(clock), ui_(ui) {}

void ExportWork::PostRefreshIfWindow() {
  if (ui_.ControlWindowExists()) {
    contest_.RefreshPending().store(1);
    ui_.PostRefresh();
  }
}

// ---------------------------------------------------------------- QSO acceptance

int ExportWork::AddData(const QsoArgs& a) {
  report_.Touch();
  const Acceptance accepted = contest_.Add(a, clock_.NowUtc());
  const std::string timeText = FormatDate(a.time, "%Y-%m-%d %H%M");
  const ReportQso rq{a.freqHz / 1000, a.mode, timeText,  a.ownCall, a.rstSent,
                     a.exchSent,      a.call, a.rstRcvd, a.exchRcvd};
  if (accepted.refusal != Refusal::kNone) {
    report_.Append(FormatReportLine(rq, RefusalMessage(accepted.refusal)));
    return 0;
  }
  if (accepted.badRegion) {
    report_.Append(FormatReportLine(rq, kMsgBadRegion, &accepted.readRegion));
  }
  if (accepted.dupe) report_.Append(FormatReportLine(rq, kMsgDupe));
  return 1;
}

// ---------------------------------------------------------------- QSO removal

int ExportWork::RemoveData(const QsoArgs& a) {
  if (a.exchRcvd.empty() || a.exchSent.empty()) return 0;
  const bool russian = IsRussianPrefix(a.prefix);
  const Contest::Removal removal = contest_.Remove(a);
  report_.DropQsoLines(a.call, a.time);
  if (removal.logEmpty) {
    // An emptied log empties the RTTY lists of every band, or the BPSK63 ones when the
    // last QSO removed was a Russian station's in BPSK63.
    const bool bpsk63 = removal.found && russian && a.mode == kModes[kBpsk63].text;
    worked_.ClearSlot(kModes[bpsk63 ? kBpsk63 : kRtty].slot);
  }
  PostRefreshIfWindow();
  return 1;
}

// ---------------------------------------------------------------- contest reset

int ExportWork::ResetStats(const ResetArgs& a) {
  ResetReadings readings;
  readings.hostVersion = ReadHostVersion(a.pathPrefix);
  readings.setupMast = ReadSettingInt(settings_, "setup_mast");
  readings.specialCalls = ReadSpecialCalls();
  contest_.Reset(a, std::move(readings));
  // The export pass is armed only once the operator has confirmed the header: the
  // header dialog's message loop may run the host's timers, and a result asked for
  // meanwhile must not write a file from the previous pass's header and lines.
  exportPass_ = false;
  if (a.newContest != 0) {
    ConfirmCabrilloHeader(std::string(a.ownCall));
    WriteSetting(settings_, "Start", "1");
  }
  ApplyWindowStartPolicy();
  report_ = BadQsoReport(ReportFileName(a.end));
  report_.Create();
  return 1;
}

void ExportWork::ConfirmCabrilloHeader(const std::string& ownCall) {
  // The header dialog is modal: the host's thread waits in it, without the lock.
  CabrilloLog header;
  header.LoadFromSettings(settings_, ownCall);
  CabrilloHeaderFields fields = header.Fields();
  if (!ui_.EditCabrilloHeader(fields)) return;
  header.Confirm(settings_, fields);
  cabrillo_ = std::move(header);
  exportPass_ = true;
}

void ExportWork::ApplyWindowStartPolicy() {
  if (ReadSettingInt(settings_, "Start") != 0) {
    WriteSetting(settings_, "Start", "0");
  } else if (!ui_.ControlWindowExists()) {
    if (!IsOlderHost(contest_.HostVersion())) ui_.StartWindowThread();
    WriteSetting(settings_, "Start", "1");
  }
}

// ---------------------------------------------------------------- call check

CheckResult ExportWork::CheckCall(const CheckArgs& a) {
  if (a.call.size() < 3) return CheckResult{};
  const double now = clock_.NowUtc();
  if (ui_.ControlWindowExists() && contest_.RefreshPending().load() != 0) {
    contest_.RefreshPending().store(0);
    ui_.PostRefresh();
  }
  return contest_.CheckCall(a, now);
}

int ExportWork::IsValidExchange(std::string_view exch, std::string_view call,
                                std::string_view prefix) {
  return contest_.IsValidExchange(exch, call, prefix);
}

// ---------------------------------------------------------------- result

const char* ExportWork::GetResult() {
  resultText_.clear();
  badQsoCount_ = report_.CountBadLines();
  const bool exportPass = exportPass_;
  ScoreFigures f;
  SummaryHeader header;
  std::string hostVersion;
  contest_.WithLog([&](QsoLog& log, const ContestRun& run) {
    SortBandsForSummary(log.BandsUsed());
    f = ScoreLog(log.Records(), log.BandsUsed(), run.ownPrefix, run.ownContinent, exportPass);
    header = SummaryHeader{run.startDayMonth, run.endDate, run.ownCall, badQsoCount_};
    hostVersion = run.hostVersion;
    if (exportPass) {
      // Each pass writes the file from the log as it is now.
      cabrillo_.ClearQsoLines();
      for (const QsoRecord& r : log.Records()) {
        cabrillo_.AddQsoLine(r.freqKHz, CabrilloModeCode(r.mode), r.qsoTime, r.rstSent, r.exchSent,
                             r.call, r.rstRcvd, r.exchRcvd);
      }
    }
  });
  worked_.TakeRebuilt(f);
  claimedScore_ = f.score;
  WriteSetting(settings_, "Claimed", std::to_string(claimedScore_));
  resultText_ = versionSet_.load() ? FormatHtmlSummary(f, header) : FormatTextSummary(f, header);
  if (exportPass) ui_.ShowOutputMessage(cabrillo_.WriteLog(claimedScore_, hostVersion));
  PostRefreshIfWindow();
  return resultText_.c_str();
}

}  // namespace zd

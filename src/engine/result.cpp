// GetResult0: scores the whole log, rebuilds the worked lists, stores the claimed score
// and, on an export pass, writes the Cabrillo file.
#include "engine/bad_qso_report.h"
#include "engine/contest.h"
#include "reports/result_summary.h"

namespace zd {

const char* Contest::GetResult() {
  std::string message;
  bool exportPass = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    resultText_.clear();
    SortBandsForSummary(bandsUsed_);
    badQsoCount_ = CountBadQsoLines(badQsoFileName_);
    exportPass = newContest_;
    ScoreFigures f = ScoreLog(log_, bandsUsed_, ownPrefix_, ownContinent_, exportPass);
    for (int b = 0; b < kBandCount; ++b) {
      if (!f.bandRebuilt[static_cast<std::size_t>(b)]) continue;
      for (int m = 0; m < kModeSlots; ++m) {
        const auto i = static_cast<std::size_t>(b * kModeSlots + m);
        workedEntities_[i] = std::move(f.workedEntities[i]);
        workedRegions_[i] = std::move(f.workedRegions[i]);
      }
    }
    claimedScore_ = f.score;
    WriteSetting(settings_, "Claimed", std::to_string(claimedScore_));
    const SummaryHeader header{startDayMonth_, endDate_, ownCall_, badQsoCount_};
    resultText_ = versionSet_.load() ? FormatHtmlSummary(f, header) : FormatTextSummary(f, header);
    if (exportPass) {
      // Each pass writes the file from the log as it is now.
      cabrillo_.ClearQsoLines();
      for (const QsoRecord& r : log_) {
        cabrillo_.AddQsoLine(r.freqKHz, CabrilloModeCode(r.mode), r.qsoTime, r.rstSent, r.exchSent,
                             r.call, r.rstRcvd, r.exchRcvd);
      }
      message = cabrillo_.WriteLog(claimedScore_, hostVersion_);
    }
  }
  if (exportPass) ui_.ShowOutputMessage(message);
  PostRefreshIfWindow();
  return resultText_.c_str();
}

}  // namespace zd

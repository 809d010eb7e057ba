// The work of the exports: each export's steps in their order, joining the contest (the
// log and its rules, engine/contest.h) with what lies beside it: the bad-QSO report, the
// reset's reading of the host's ini file, the settings and the special-call list, the
// Cabrillo header dialog, the window-start policy, the result with its worked lists and
// the Cabrillo file, and the refresh posted to the control window. Host's thread only;
// the window thread reads the contest and the worked lists, never this object.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "engine/bad_qso_report.h"
#include "engine/contest.h"
#include "module/ui_bridge.h"
#include "platform/clock.h"
#include "platform/settings.h"
#include "reports/cabrillo.h"
#include "reports/worked_lists.h"

namespace zd {

class ExportWork {
 public:
  ExportWork(SettingsStore& settings, const Clock& clock, UiBridge& ui);

  int AddData(const QsoArgs& a);
  int RemoveData(const QsoArgs& a);
  int ResetStats(const ResetArgs& a);
  CheckResult CheckCall(const CheckArgs& a);
  int IsValidExchange(std::string_view exch, std::string_view call, std::string_view prefix);
  // Scores the log; the returned text stays valid until the next call.
  const char* GetResult();
  void SetVersion() { versionSet_.store(true); }

  // What the window thread reads.
  Contest& contest() { return contest_; }
  WorkedLists& worked() { return worked_; }

  // Read-only views for tests.
  const std::string& BadQsoFileName() const { return report_.fileName(); }
  long long ClaimedScore() const { return claimedScore_; }
  int BadQsoCount() const { return badQsoCount_; }
  // True once a reset with the new-contest flag had its header confirmed: the next result
  // writes the Cabrillo file.
  bool NewContest() const { return exportPass_; }

 private:
  // The Cabrillo header dialog of a new contest; arms the export pass when confirmed.
  void ConfirmCabrilloHeader(const std::string& ownCall);
  // The control window opens by itself at every other reset without the new-contest flag
  // (the "Start" setting alternates), never under the older hosts.
  void ApplyWindowStartPolicy();
  void PostRefreshIfWindow();

  SettingsStore& settings_;
  const Clock& clock_;
  UiBridge& ui_;
  Contest contest_;
  WorkedLists worked_;
  BadQsoReport report_;
  CabrilloLog cabrillo_;
  bool exportPass_ = false;
  std::string resultText_;
  long long claimedScore_ = 0;
  int badQsoCount_ = 0;
  std::atomic<bool> versionSet_{false};
};

}  // namespace zd

// Publishing a checked contest into the output folder:
//   results.html, results.csv  the results table by category, claimed and checked
//   overview.html              the contest as a whole, with charts
//   ubn/CALL.txt, ubn/CALL.html every station's UBN report, in its language
//   findings.csv               every QSO line with its finding
//   notes.txt                  logs that could not be used, and why
#pragma once

#include <string>

#include "zorvan_check/check_run.h"

namespace zd::check {

void Publish(const CheckOutcome& outcome, const std::string& outFolder);

// The pieces, for the tests.
std::string ResultsCsv(const CheckOutcome& outcome);
// Every QSO line with its finding and the other station's line (findings.csv).
std::string FindingsCsv(const CheckOutcome& outcome);
std::string ResultsHtml(const CheckOutcome& outcome);
std::string OverviewHtml(const CheckOutcome& outcome);
std::string UbnText(const CheckOutcome& outcome, std::size_t log);
std::string UbnHtml(const CheckOutcome& outcome, std::size_t log);

// The file name of a station's reports: the call with '/' and '\' as '_'.
std::string StationFileBase(std::string call);
// A QSO as a Cabrillo line reads without its tag: frequency, mode, date and time, own
// call, report and exchange sent, call, report and exchange received.
std::string QsoLineText(const ContestLogs& contest, std::size_t log, std::size_t qso);
// "R3DZV line 45" or its Russian form.
std::string PenaltyRules(const CheckSettings& settings, bool russian);

}  // namespace zd::check

// The replay of a log through the loaded module, QSO by QSO, keeping what the module
// said about each one as a host sees it: AddData0's answer and the lines its bad-QSO
// report gained; for the after-contest report also the call check's answer and waiting
// message just before the QSO is logged, and the module's summary at every clock hour.
//
// This is the one source of the module's per-QSO verdicts in the replay tool: the
// listing of non-scoring QSOs on the terminal and the after-contest report both read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host_boundary/host_calls.h"
#include "zorvan_replay/module_summary.h"
#include "zorvan_replay/replay_log.h"

namespace zd::replay {

// What the module said about one QSO of the log.
struct QsoVerdict {
  bool stored = true;  // AddData0 answered 1 (stored, maybe as a dupe or a bad region)
  // CheckCall0 just before it was logged: 0 dupe, 1 known multiplier, 2 new multiplier,
  // 4 (or 1 for some hosts) band or mode refused; kNotChecked when it was not asked.
  int checkCode = kNotChecked;
  std::string waitMessage;  // CheckCall0's waiting message (module's code page); empty: none
  std::vector<std::string> reportLines;  // the bad-QSO report lines AddData0 wrote for it
  static constexpr int kNotChecked = -1;
};

// Which of the module's reasons ends a bad-QSO report line (its words: ReportReason of
// replay.h).
enum class ReasonKind { kWrongBand, kWrongMode, kNoRxNumber, kBadRegion, kDupe, kOther };
ReasonKind ReasonOfLine(std::string_view line);

// The module's summary at the start of a clock hour: the figures of every QSO logged
// before the first QSO of that hour.
struct HourSummary {
  int64_t hour = 0;  // clock hours since the DATE origin (see ClockHour)
  ModuleSummary summary;
};

struct ModuleRun {
  std::vector<QsoVerdict> verdicts;  // one per QSO, in log order
  std::vector<HourSummary> hourly;   // when asked for: in increasing hour order
  std::string summary;               // the final GetResult0 text
  std::size_t refused = 0;
};

// One QSO as the host hands it over: the log's QSO and the DXCC prefix and continent the
// host resolved for it (empty when unknown).
struct HostQso {
  const LogQso* qso = nullptr;
  std::string prefix, continent;
};

struct RunSettings {
  // Ask CheckCall0 before each QSO, with the module's clock at the QSO's time.
  bool checkEachCall = false;
  // Ask GetResult0 at every new clock hour (not on an export pass: each result would
  // write the Cabrillo file again).
  bool hourlySummaries = false;
  std::function<void(std::size_t done)> progress;  // after each QSO; may be empty
};

// Whole seconds of a DATE on a linear axis, and its clock hour.
int64_t DateSeconds(double date);
int64_t ClockHour(double date);

// Replays the QSOs after the contest reset the caller made: the module's bad-QSO report
// `report` is read as it grows.
ModuleRun RunThroughModule(const host::Exports& x, const std::string& ownCall,
                           const std::vector<HostQso>& qsos, const std::filesystem::path& report,
                           const RunSettings& settings);

}  // namespace zd::replay

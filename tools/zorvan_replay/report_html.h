// The after-contest report as one self-contained HTML page (its charts inline SVG, no
// script, nothing fetched), in English or Russian, and the QSO table as CSV.
#pragma once

#include <string>

#include "zorvan_replay/analysis.h"

namespace zd::replay {

enum class Language { kEnglish, kRussian };

struct ReportMeta {
  std::string logName;      // the log as the operator named it
  std::string version;      // of the tool
  std::string claimed;      // the claimed score the module stored in its settings; may be empty
  std::string scpName;      // the MASTER.SCP file checked against, if any
  std::string summaryText;  // the module's summary, byte for byte
};

std::string RenderHtmlReport(const AnalysisInput& input, const Analysis& analysis,
                             Language language, const ReportMeta& meta);

// Every QSO with its points, multipliers and flags; a header line, then one line a QSO,
// CR LF, fields quoted where they must be. Column names and flags are English words.
std::string RenderCsv(const AnalysisInput& input, const Analysis& analysis);

// The module's text in code page 1251 (its Russian messages) as UTF-8.
std::string Utf8FromCp1251(std::string_view text);

}  // namespace zd::replay

// The bad-QSO report: a text file of every refused or non-scoring QSO, in the host's
// working folder. Its header names it a UBN file; every duplicate line says "DUPE".
#pragma once

#include <string>
#include <string_view>

#include "engine/ole_date.h"

namespace zd {

inline constexpr std::string_view kReportHeader = "ZORVAN-DIGI UBN file ";
inline constexpr std::string_view kMsgWrongBand = "   WRONG BAND !!!";
inline constexpr std::string_view kMsgWrongMode = "   WRONG MODE !!!";
inline constexpr std::string_view kMsgNoRxNumber = "   NO RX NUMBER !!!";
inline constexpr std::string_view kMsgBadRegion = "  Russland Code Area is not acceptable !!!";
inline constexpr std::string_view kMsgDupe = "   DUPE !!!";

struct ReportQso {
  uint32_t freqKHz = 0;
  std::string_view mode;
  std::string_view time;  // "%Y-%m-%d %H%M"
  std::string_view ownCall, rstSent, exchSent, call, rstRcvd, exchRcvd;
};

// "BadQSO_ZedevIzuverUzaz_<d_m_Y>.txt" for the contest end.
std::string ReportFileName(const OleDateTime& contestEnd);
// One QSO line with its CR LF; `normalized` is present only for the region case.
std::string FormatReportLine(const ReportQso& q, std::string_view message,
                             const std::string* normalized = nullptr);
// Truncates the file and writes the header line.
void CreateReport(const std::string& fileName);
// Appends one line and flushes it at once.
void AppendReportLine(const std::string& fileName, std::string_view line);
// Opens the file for appending, creating it when missing.
void TouchReport(const std::string& fileName);
// Rewrites the file without the lines that hold the call and " HHMM " of the time; the
// header is written anew, also when the file could not be read.
void DropQsoLines(const std::string& fileName, std::string_view call, const OleDateTime& time);
// Lines holding neither "DUPE" nor "UBN" after their first character.
int CountBadQsoLines(const std::string& fileName);

}  // namespace zd

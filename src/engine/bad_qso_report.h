// The bad-QSO report: a text file of every refused or non-scoring QSO, in the host's
// working folder. Its header names it a UBN file; every duplicate line says "DUPE".
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/ole_date.h"

namespace zd {

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
// The report file of a contest run. Until a reset names it every call does nothing; a
// file that cannot be written is silently not written.
class BadQsoReport {
 public:
  BadQsoReport() = default;
  explicit BadQsoReport(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string& fileName() const { return fileName_; }

  // Truncates the file and writes the header line.
  void Create() const;
  // Appends one line and flushes it at once.
  void Append(std::string_view line) const;
  // Opens the file for appending, creating it when missing.
  void Touch() const;
  // Rewrites the file without the lines that hold the call and " HHMM " of the time; the
  // header is written anew, also when the file could not be read.
  void DropQsoLines(std::string_view call, const OleDateTime& time) const;
  // Lines holding neither "DUPE" nor "UBN" after their first character.
  int CountBadLines() const;

 private:
  std::string fileName_;
};

}  // namespace zd

#include "engine/bad_qso_report.h"

#include "platform/files.h"

namespace zd {
namespace {

// The report's first line, without its CR LF.
constexpr std::string_view kReportHeader = "ZORVAN-DIGI UBN file ";

}  // namespace

std::string ReportFileName(const OleDateTime& contestEnd) {
  return "BadQSO_ZedevIzuverUzaz_" + FormatDate(contestEnd, "%d_%m_%Y") + ".txt";
}

std::string FormatReportLine(const ReportQso& q, std::string_view message,
                             const std::string* normalized) {
  std::string line = "QSO:  ";
  line += std::to_string(q.freqKHz);
  for (std::string_view field :
       {q.mode, q.time, q.ownCall, q.rstSent, q.exchSent, q.call, q.rstRcvd, q.exchRcvd}) {
    line += "  ";
    line += field;
  }
  if (normalized) {
    line += "  ";
    line += *normalized;
  }
  line += message;
  line += "\r\n";
  return line;
}

void BadQsoReport::Create() const {
  if (fileName_.empty()) return;
  ReplaceFileContents(fileName_, std::string(kReportHeader) + "\r\n");
}

void BadQsoReport::Append(std::string_view line) const {
  if (fileName_.empty()) return;
  AppendToFile(fileName_, line);
}

void BadQsoReport::Touch() const {
  if (fileName_.empty()) return;
  AppendToFile(fileName_, {});
}

void BadQsoReport::DropQsoLines(std::string_view call, const OleDateTime& time) const {
  if (fileName_.empty()) return;
  const std::string key = " " + FormatDate(time, "%H%M") + " ";
  std::string out = std::string(kReportHeader) + "\r\n";
  if (const auto lines = ReadTextLines(fileName_)) {
    for (std::size_t i = 1; i < lines->size(); ++i) {
      const std::string& line = (*lines)[i];
      if (line.find(call) != std::string::npos && line.find(key) != std::string::npos) continue;
      out += line;
      out += "\r\n";
    }
  }
  ReplaceFileContents(fileName_, out);
}

int BadQsoReport::CountBadLines() const {
  if (fileName_.empty()) return 0;
  const auto lines = ReadTextLines(fileName_);
  if (!lines) return 0;
  int count = 0;
  for (const std::string& line : *lines) {
    const std::string_view rest =
        line.empty() ? std::string_view{} : std::string_view(line).substr(1);
    if (rest.find("DUPE") == std::string_view::npos && rest.find("UBN") == std::string_view::npos) {
      ++count;
    }
  }
  return count;
}

}  // namespace zd

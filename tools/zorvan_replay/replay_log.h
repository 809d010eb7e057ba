// Reading a contest log the way the host logger holds it: every QSO with its call, UTC
// time, frequency, band and mode texts, reports and exchanges. Two formats are read:
// ADIF (.adi) and the Cabrillo layout that the module itself writes. Malformed input is
// reported with the file name and line, never guessed at.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zd::replay {

struct UtcTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  auto operator<=>(const UtcTime&) const = default;
};

struct LogQso {
  std::string call;
  UtcTime time;
  double date = 0.0;    // the same time as the host's DATE value
  uint32_t freqHz = 0;  // 0 when the log gives none
  std::string band;     // the host's band text ("20m"), empty when unknown
  std::string mode;     // the host's mode text ("RTTY", "BPSK63", ...)
  std::string rstSent, rstRcvd, exchSent, exchRcvd;
  std::string stationCall;  // the own call the log gives for this QSO, if any
  int line = 0;             // where the QSO starts in its file
};

struct ReplayLog {
  std::string ownCall;  // from the header, or the first QSO that names it
  std::vector<LogQso> qsos;
};

// A log that cannot be read as it stands; what() reads "FILE:LINE: message".
class LogError : public std::runtime_error {
 public:
  LogError(const std::string& file, int line, const std::string& message);
  const std::string& file() const { return file_; }
  int line() const { return line_; }
  const std::string& message() const { return message_; }

 private:
  std::string file_;
  int line_;
  std::string message_;
};

enum class LogFormat { kAdif, kCabrillo };

// The format of a log: Cabrillo when its first non-blank line starts with
// "START-OF-LOG:" (any case), ADIF otherwise.
LogFormat DetectFormat(std::string_view text);

// `file` only names the log in error messages.
ReplayLog ParseAdif(std::string_view text, const std::string& file);
ReplayLog ParseCabrillo(std::string_view text, const std::string& file);
// Reads the file and parses it in the format it is in. Throws LogError, also when the
// file cannot be read or holds no QSO.
ReplayLog ReadLogFile(const std::string& path);

// The band of a frequency as the host names it ("160m" ... "10m", and the other amateur
// bands such as "30m" or "2m", which the contest refuses); empty outside every band.
std::string BandOfFrequency(uint32_t hz);
// The host's mode text for an ADIF MODE and SUBMODE pair: "RTTY", "BPSK63" and "BPSK125"
// for the contest's modes (PSK63 is the same mode), otherwise the submode or the mode in
// upper case.
std::string HostModeFromAdif(std::string_view mode, std::string_view submode);
// The host's mode text for a Cabrillo mode code: "RY" is RTTY, "PM" is BPSK63; other
// codes are passed on unchanged (the module refuses them).
std::string HostModeFromCabrillo(std::string_view code);
// A decimal frequency in MHz ("14.0835") in Hz, rounded to the nearest Hz; false when
// the text is not such a number or is out of range.
bool ParseMhz(std::string_view text, uint32_t& hz);

}  // namespace zd::replay

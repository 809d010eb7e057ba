// Reading a contest log the way the host logger holds it: every QSO with its call, UTC
// time, frequency, band and mode texts, reports and exchanges. Three formats are read:
// ADIF (.adi), its XML form ADX (.adx), and Cabrillo 2.0/3.0 as any logger writes it
// (any number of exchange fields). Malformed input is reported with the file name and
// line, never guessed at.
//
// The readers know nothing of the module or of the replay: a tool that reads many logs
// (a log checker, say) uses them as they are. Paths are UTF-8 text on every system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
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
  // What the module is given: the reports, and of each exchange the one field that fits
  // this contest (see ContestExchange).
  std::string rstSent, rstRcvd, exchSent, exchRcvd;
  // Every exchange field as the log writes it, report first: the Cabrillo fields between
  // the own call and the worked call, and after the worked call; ADIF's reports and the
  // words of its exchange fields.
  std::vector<std::string> sentFields, rcvdFields;
  std::string transmitter;  // Cabrillo's trailing transmitter id ("0", "1"), if any
  std::string stationCall;  // the own call the log gives for this QSO, if any
  std::string text;         // a Cabrillo QSO line as it stands; empty in ADIF and ADX
  int line = 0;             // where the QSO starts in its file
};

enum class LogFormat { kAdif, kAdx, kCabrillo };

struct ReplayLog {
  LogFormat format = LogFormat::kAdif;
  std::string ownCall;  // from the header, or the first QSO that names it
  // The contest the log says it is from: Cabrillo's CONTEST: line, or the CONTEST_ID of
  // the first ADIF or ADX QSO that has one; empty when the log does not say.
  std::string contest;
  // A Cabrillo log's header lines in their order: tag (upper case) and value.
  std::vector<std::pair<std::string, std::string>> header;
  std::vector<LogQso> qsos;
};

struct ReadOptions {
  // The host's mode for Cabrillo's generic digital code DG (most loggers write DG for
  // PSK): "RTTY", "BPSK63" or "BPSK125".
  std::string dgMode = "BPSK63";
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

// The format of a log: Cabrillo when its first non-blank line starts with
// "START-OF-LOG:" (any case), ADX when its text starts with "<?xml" or "<ADX", ADIF
// otherwise.
LogFormat DetectFormat(std::string_view text);

// `file` only names the log in error messages.
ReplayLog ParseAdif(std::string_view text, const std::string& file);
ReplayLog ParseAdx(std::string_view text, const std::string& file);
ReplayLog ParseCabrillo(std::string_view text, const std::string& file,
                        const ReadOptions& options = {});
// Reads the file (UTF-8 path) and parses it in the format it is in. Throws LogError,
// also for a folder, a file that cannot be read, or a log without QSOs.
ReplayLog ReadLogFile(const std::string& path, const ReadOptions& options = {});
// The whole content of a file (UTF-8 path); throws LogError with a reason an operator
// understands ("is a folder, not a file", "no such file", "cannot open: ...").
std::string ReadWholeFile(const std::string& path);

// UTF-8 text and file-system paths, the same on every system (on Windows a path is
// wide text, so any name works whatever the system's code page).
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

// The band of a frequency as the host names it ("160m" ... "10m", and the other amateur
// bands such as "30m" or "2m", which the contest refuses); empty outside every band.
std::string BandOfFrequency(uint32_t hz);
// The host's mode text for an ADIF MODE and SUBMODE pair: "RTTY", "BPSK63" and "BPSK125"
// for the contest's modes (PSK63 is the same mode), otherwise the submode or the mode in
// upper case.
std::string HostModeFromAdif(std::string_view mode, std::string_view submode);
// The host's mode text for a Cabrillo mode code: RY is RTTY, PM and PS are BPSK63, DG is
// `dgMode`; other codes are passed on unchanged (the module refuses them).
std::string HostModeFromCabrillo(std::string_view code, std::string_view dgMode = "BPSK63");
// The host's mode text for a --dg-mode value (RTTY, BPSK63, PSK63, BPSK125, PSK125, any
// case); empty when it is none of them.
std::string ContestModeName(std::string_view text);
// A decimal frequency in MHz ("14.0835") in Hz, rounded to the nearest Hz; false when
// the text is not such a number or is out of range.
bool ParseMhz(std::string_view text, uint32_t& hz);

// True for a signal report: two or three characters, the first 1 to 5, the others
// digits or N ("599", "59", "5NN").
bool LooksLikeReport(std::string_view field);
// True for a call sign: letters, digits and '/', at least one letter and one digit.
bool LooksLikeCall(std::string_view field);
// The exchange of a contest QSO from the fields a log gives after its report: the first
// Russian region code, else the first serial number (one to four digits), else the first
// field; empty when there is none. A station's region or number is what the module
// reads, whatever else (a zone, a power) another contest's layout puts beside it.
std::string ContestExchange(const std::vector<std::string>& fields);

}  // namespace zd::replay

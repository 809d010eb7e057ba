// The exports called the way the host calls them: a QSO, a contest reset and a call check
// as plain values, packed into the 33, 23 and 28 arguments in one place. The positions
// the module does not read get harmless values (see Unread). For calls a well-behaved
// host would never make (null texts, a null date) the same packing takes the arguments as
// pointers (RawQso, RawReset, RawCheck).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host_boundary/stats_module.h"

namespace zd::host {

// The host's date-time record: a DATE (days since 30 December 1899, the fraction is the
// time of day, UTC) and a status (0 valid, 1 invalid, 2 null).
using HostDateTime = ZdHostDateTime;
inline constexpr int32_t kValidStatus = 0, kInvalidStatus = 1, kNullStatus = 2;

// The DATE of a UTC calendar time, by the module's own conversion. Throws
// std::invalid_argument for a day or time that does not exist.
double HostDate(int year, int month, int day, int hour, int minute, int second = 0);
// "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" as a DATE; empty when it is not such a text
// or names no real time.
std::optional<double> ParseHostDate(const std::string& text);
// The current UTC time to the second, as a DATE.
double NowHostDate();
inline HostDateTime ValidTime(double date) { return HostDateTime{date, kValidStatus}; }

// One QSO as the host passes it to AddData0 and RemoveData0.
struct Qso {
  std::string ownCall;  // the operator's call
  std::string call;     // the worked call
  HostDateTime time{0.0, kValidStatus};
  uint32_t freqHz = 0;
  std::string mode;  // "RTTY", "BPSK63", ...
  std::string rstSent = "599";
  std::string rstRcvd = "599";
  std::string exchSent;
  std::string exchRcvd;
  std::string prefix;     // the host's DXCC prefix of the worked station
  std::string continent;  // its continent
  std::string band;       // "160m" ... "10m"
};

// A contest reset (ResetStats0).
struct Reset {
  std::string pathPrefix;  // where the host's ini files are searched; "" is this folder
  int newContest = 0;      // non-zero: an export pass (the Cabrillo header dialog opens)
  std::string ownCall;
  HostDateTime start{0.0, kValidStatus};
  HostDateTime end{0.0, kValidStatus};
  std::string ownPrefix;
  std::string ownContinent;
};

// A call check while the operator types (CheckCall0).
struct Check {
  std::string call;  // as typed so far
  std::string mode;
  std::string prefix;
  std::string continent;
  std::string region;  // the region text the host passes for the call
  std::string band;
  std::optional<std::string> secondBand;  // passed as null when absent
};

struct CheckReply {
  int code = 0;          // 0 dupe, 1 known multiplier, 2 new multiplier, 4 refused
  std::string exchange;  // the suggested exchange (empty: none)
  std::string message;   // the operator's warning (empty: none)
};

// What the host passes in the positions the module does not read.
inline constexpr HostDateTime kUnreadTime{0.0, kValidStatus};
struct Unread {
  const char* text = "";
  unsigned word = 0;
  int integer = 0;
  double real = 0.0;
  const HostDateTime* time = &kUnreadTime;
};

int AddQso(const Exports& e, const Qso& q);
int RemoveQso(const Exports& e, const Qso& q);
int ResetContest(const Exports& e, const Reset& r);
// With the host's 100-byte buffers.
CheckReply CheckCall(const Exports& e, const Check& c);
int ValidExchange(const Exports& e, const std::string& exch, const std::string& call,
                  const std::string& prefix);
// GetResult0's text (empty for a null result); `status` receives what it stored.
std::string Result(const Exports& e, int* status = nullptr);

// The same calls with the arguments as pointers, as a host could pass them.
struct RawQso {
  const char* ownCall = "";
  const char* call = "";
  const HostDateTime* time = nullptr;
  uint32_t freqHz = 0;
  const char* mode = "";
  const char* rstSent = "";
  const char* rstRcvd = "";
  const char* exchSent = "";
  const char* exchRcvd = "";
  const char* prefix = "";
  const char* continent = "";
  const char* band = "";
};
struct RawReset {
  const char* pathPrefix = "";
  int newContest = 0;
  const char* ownCall = "";
  const HostDateTime* start = nullptr;
  const HostDateTime* end = nullptr;
  const char* ownPrefix = "";
  const char* ownContinent = "";
};
struct RawCheck {
  const char* call = "";
  const char* mode = "";
  const char* prefix = "";
  const char* continent = "";
  const char* region = "";
  const char* band = "";
  const char* secondBand = nullptr;
  char* exchangeOut = nullptr;  // may be null
  char* messageOut = nullptr;   // the host's buffers hold 100 bytes
};

RawQso RawOf(const Qso& q);
int AddData(const Exports& e, const RawQso& q, const Unread& u = {});
int RemoveData(const Exports& e, const RawQso& q, const Unread& u = {});
int ResetStats(const Exports& e, const RawReset& r, const Unread& u = {});
int CheckCallRaw(const Exports& e, const RawCheck& c, const Unread& u = {});

}  // namespace zd::host

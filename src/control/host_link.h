// The host logger's automation object as the window logic sees it (its contract, the
// macros and the entry field of the typed call, is platform/host_automation.h). Each call answers
// nothing (an empty optional, or false) when the host rejected it or is gone: the
// handler that made the call then ends at that point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd {

class HostLink {
 public:
  virtual ~HostLink() = default;
  // ExecuteMacros: one macro per call.
  virtual bool ExecuteMacros(std::string_view macro) = 0;
  // HostMode: the host's mode, for example "RTTY", "BPSK31", "CW", "SSB".
  virtual std::optional<std::string> HostMode() = 0;
  // HostEntryText: the text of an entry field; a value that is not text reads as empty.
  virtual std::optional<std::string> HostEntryText(int field) = 0;
  // HostFrequency: the dial frequency in Hz.
  virtual std::optional<double> HostFrequency() = 0;
};

}  // namespace zd

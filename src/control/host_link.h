// The host logger's automation object as the window logic sees it. Each call answers
// nothing (an empty optional, or false) when the host rejected it or is gone: the
// handler that made the call then ends at that point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd {

// Entry-field index of the host's HostEntryText that holds the call being typed.
inline constexpr int HOST_FIELD_CALL = 5;

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

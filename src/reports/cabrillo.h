// The Cabrillo 3.0 export: the station header kept in the settings file and reviewed in
// the header dialog, one "QSO:" line per log entry, and the file itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ole_date.h"
#include "platform/settings.h"

namespace zd {

// What the header dialog shows and edits.
struct CabrilloHeaderFields {
  std::string contest;
  std::string callsign;
  std::string claimed;  // shown only
  std::string categoryOperator;
  std::string location;
  std::string categoryBand;
  std::string power;  // no control is bound to it: it passes through unchanged
  std::string transmitter;
  std::string name;
  std::string address;
  std::string city;
  std::string postalCode;
  std::string country;
  std::string operators;
  std::string club;
  std::string soapbox;  // several lines, separated by CR LF
  std::string email;
};

inline constexpr std::string_view kCabrilloContest = "REVUZU-DUV";

class CabrilloLog {
 public:
  // Fills the header from the settings file for the operator's call (steps before the
  // dialog is shown).
  void LoadFromSettings(SettingsStore& settings, std::string_view call);
  CabrilloHeaderFields Fields() const { return fields_; }
  // Takes the confirmed dialog values and saves them to the settings file, then
  // prepares the soapbox for the file and starts a new list of QSO lines.
  void Confirm(SettingsStore& settings, const CabrilloHeaderFields& edited);

  void ClearQsoLines() { qsoLines_.clear(); }
  void AddQsoLine(int freqKHz, std::string_view modeCode, const OleDateTime& time,
                  std::string_view rstSent, std::string_view exchSent, std::string_view call,
                  std::string_view rstRcvd, std::string_view exchRcvd);
  // The whole file text for a claimed score and the host's version.
  std::string FileText(long long claimedScore, std::string_view hostVersion) const;
  // Writes the file into the current folder and returns the message for the operator.
  std::string WriteLog(long long claimedScore, std::string_view hostVersion) const;

  const std::string& FileBase() const { return fileBase_; }
  const std::vector<std::string>& QsoLines() const { return qsoLines_; }

  // fileBase of a call: "/" and "\" become "_", blanks around are dropped, and an empty
  // result becomes "VKLB".
  static std::string FileBaseFor(std::string_view call);

 private:
  CabrilloHeaderFields fields_;
  std::string fileSoapbox_;  // the soapbox as the file's SOAPBOX lines need it
  std::string fileBase_;
  std::vector<std::string> qsoLines_;
};

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

}  // namespace zd

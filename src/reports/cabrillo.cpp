#include "reports/cabrillo.h"

#include <utility>

#include "platform/files.h"

namespace zd {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string PadRight(std::string_view s, std::size_t width) {
  std::string out(s);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string PadLeft(std::string_view s, std::size_t width) {
  std::string out(s);
  if (out.size() < width) out.insert(0, width - out.size(), ' ');
  return out;
}

}  // namespace

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  std::size_t at = 0;
  while ((at = text.find(from, at)) != std::string::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

std::string CabrilloLog::FileBaseFor(std::string_view call) {
  std::string base = ReplaceAll(ReplaceAll(std::string(call), "/", "_"), "\\", "_");
  std::size_t b = 0, e = base.size();
  while (b < e && IsSpace(base[b])) ++b;
  while (e > b && IsSpace(base[e - 1])) --e;
  base = base.substr(b, e - b);
  return base.empty() ? std::string("VKLB") : base;
}

void CabrilloLog::LoadFromSettings(SettingsStore& s, std::string_view call) {
  fields_ = CabrilloHeaderFields{};
  fields_.callsign = call;
  fileBase_ = FileBaseFor(call);
  fields_.operators = ReadSetting(s, "Operators", call);
  fields_.name = ReadSetting(s, "Name");
  fields_.address = ReadSetting(s, "Address");
  fields_.city = ReadSetting(s, "Address-City");
  fields_.postalCode = ReadSetting(s, "Address-PostalCode");
  fields_.country = ReadSetting(s, "Address-Country");
  fields_.claimed = ReadSetting(s, "Claimed");
  fields_.power = ReadSetting(s, "Power");
  fields_.location = ReadSetting(s, "Loc");
  fields_.contest = kCabrilloContest;
  fields_.categoryOperator = "SINGLE-OP";
  fields_.categoryBand = "ALL";
  fields_.transmitter = "ONE";
  fields_.email = ReadSetting(s, "Email");
  fields_.club = ReadSetting(s, "Club");
  fields_.soapbox = ReplaceAll(ReplaceAll(ReadSetting(s, "SoapBox"), "<CR>", "\r"), "<LF>", "\n");
}

void CabrilloLog::Confirm(SettingsStore& s, const CabrilloHeaderFields& edited) {
  const std::string claimed = fields_.claimed;
  fields_ = edited;
  fields_.claimed = claimed;
  const std::string soapbox = ReplaceAll(ReplaceAll(fields_.soapbox, "\r", "<CR>"), "\n", "<LF>");
  // Saved in this order, each the moment the header is confirmed.
  using F = CabrilloHeaderFields;
  static constexpr std::pair<const char*, std::string F::*> kSaved[] = {
      {"Band", &F::categoryBand},
      {"Power", &F::power},
      {"Operators", &F::operators},
      {"Name", &F::name},
      {"Address", &F::address},
      {"Address-City", &F::city},
      {"Address-PostalCode", &F::postalCode},
      {"Address-Country", &F::country},
      {"Category", &F::categoryOperator},
      {"Contest", &F::contest},
      {"Email", &F::email},
      {"Club", &F::club}};
  for (const auto& [key, field] : kSaved) WriteSetting(s, key, fields_.*field);
  WriteSetting(s, "SoapBox", soapbox);
  WriteSetting(s, "Loc", fields_.location);
  // Each line of the soapbox becomes a SOAPBOX line of its own in the file.
  fileSoapbox_ = ReplaceAll(ReplaceAll(soapbox, "<CR>", "\r\nSOAPBOX: "), "<LF>", "");
  qsoLines_.clear();
}

void CabrilloLog::AddQsoLine(int freqKHz, std::string_view modeCode, const OleDateTime& time,
                             std::string_view rstSent, std::string_view exchSent,
                             std::string_view call, std::string_view rstRcvd,
                             std::string_view exchRcvd) {
  std::string line = "QSO: ";
  line += PadLeft(std::to_string(freqKHz), 5);
  line += ' ';
  line += PadLeft(modeCode, 2);
  line += ' ';
  line += FormatDate(time, "%Y-%m-%d %H%M");
  line += ' ';
  line += PadRight(fields_.callsign, 13);
  line += ' ';
  line += PadRight(rstSent, 3);
  line += ' ';
  line += PadRight(exchSent, 6);
  line += ' ';
  line += PadRight(call, 13);
  line += ' ';
  line += PadRight(rstRcvd, 3);
  line += ' ';
  line += exchRcvd;
  line += "\r\n";
  qsoLines_.push_back(std::move(line));
}

std::string CabrilloLog::FileText(long long claimedScore, std::string_view hostVersion) const {
  std::string out = "START-OF-LOG: 3.0\r\nCONTEST: REVUZU-DUV\r\n";
  auto line = [&out](std::string_view tag, std::string_view value) {
    out += tag;
    out += value;
    out += "\r\n";
  };
  line("CALLSIGN: ", fields_.callsign);
  line("CATEGORY-OPERATOR: ", fields_.categoryOperator);
  if (fields_.categoryOperator == "MULTI-OP") {
    line("CATEGORY-TRANSMITTER: ", fields_.transmitter);
    line("OPERATORS: ", fields_.operators);
  } else {
    line("CATEGORY-BAND: ", fields_.categoryBand);
  }
  line("LOCATION: ", fields_.location);
  line("CLAIMED-SCORE: ", std::to_string(claimedScore));
  line("CLUB: ", fields_.club);
  line("CREATED-BY: Vorlog ", hostVersion);
  line("NAME: ", fields_.name);
  line("ADDRESS: ", fields_.address);
  line("ADDRESS-CITY: ", fields_.city);
  line("ADDRESS-POSTALCODE: ", fields_.postalCode);
  line("ADDRESS-COUNTRY: ", fields_.country);
  line("E-MAIL: ", fields_.email);
  line("SOAPBOX: ", fileSoapbox_);
  for (const std::string& q : qsoLines_) out += q;
  out += "END-OF-LOG:\r\n";
  return out;
}

std::string CabrilloLog::WriteLog(long long claimedScore, std::string_view hostVersion) const {
  ReplaceFileContents(fileBase_ + ".cbr", FileText(claimedScore, hostVersion));
  return "File produced: " + fileBase_ + ".cbr";
}

}  // namespace zd

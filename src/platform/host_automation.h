// The host logger's automation object, as both the contest module and the mode-switch
// helper see it. The host publishes one running object under kHostProgId; we only ever
// attach to that running instance and never create one.
#pragma once

#include <string_view>

namespace zd::host {

// Programmatic identifier of the host's running automation object.
inline constexpr wchar_t kHostProgId[] = L"Vevozi2.Application";

// Dispatch identifiers of the members the contest module calls by number.
inline constexpr long kDispidHostFrequency = 2;   // property get: double, dial frequency in Hz
inline constexpr long kDispidHostMode = 7;        // property get: text, the host's mode
inline constexpr long kDispidHostEntryText = 8;   // method (int index): variant holding text
inline constexpr long kDispidExecuteMacros = 16;  // method (text): runs one macro

// Entry-field index of HostEntryText that holds the call being typed.
inline constexpr int kHostFieldCall = 5;

// Member names, for callers that look the members up by name.
inline constexpr wchar_t kExecuteMacrosName[] = L"ExecuteMacros";
inline constexpr wchar_t kModeName[] = L"Mode";  // property get: text, the host's mode
inline constexpr wchar_t kHostModeName[] = L"HostMode";
inline constexpr wchar_t kHostFrequencyName[] = L"HostFrequency";
inline constexpr wchar_t kHostEntryTextName[] = L"HostEntryText";

// The macros; each is sent to ExecuteMacros in a call of its own.
inline constexpr std::string_view kMacroModeRtty = "<MODE:RTTY>";
inline constexpr std::string_view kMacroBaudRtty = "<BAUDRATE:45.45>";
inline constexpr std::string_view kMacroModeBpsk31 = "<MODE:BPSK31>";
inline constexpr std::string_view kMacroBaud31 = "<BAUDRATE:31>";
inline constexpr std::string_view kMacroBaud63 = "<BAUDRATE:63>";
inline constexpr std::string_view kMacroBaud125 = "<BAUDRATE:125>";
inline constexpr std::string_view kMacroSp1 = "<SP1>";

// The host's main window is an application-framework frame whose window class name
// starts with these 18 characters (the rest varies from run to run).
inline constexpr std::wstring_view kHostWindowClassPrefix = L"Afx:400000:b:10011";

}  // namespace zd::host

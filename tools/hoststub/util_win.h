// Small helpers the host stand-in's files share: UTF-8 and wide texts, a millisecond
// clock, the folder of the running program.
#pragma once

#include <string>
#include <string_view>

namespace zd::hoststub {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
long long NowMs();
// The folder of hoststub.exe, with a trailing separator.
std::wstring OwnDirectory();

}  // namespace zd::hoststub

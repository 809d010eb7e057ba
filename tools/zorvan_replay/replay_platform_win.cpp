#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "platform/test_clock.h"
#include "zorvan_replay/replay_platform.h"

namespace zd::replay {
namespace {

std::string Narrow(const wchar_t* text, int length) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(wide[i], lstrlenW(wide[i])));
  LocalFree(wide);
  return args;
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void SetBinaryStdout() { _setmode(_fileno(stdout), _O_BINARY); }

void WriteError(std::string_view text) {
  std::fflush(stderr);
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (err != INVALID_HANDLE_VALUE && GetConsoleMode(err, &mode)) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
      DWORD written = 0;
      WriteConsoleW(err, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

// The module reads the process's environment block (GetEnvironmentVariableW).
void SetModuleClock(const std::string& moment) {
  const std::wstring name(std::begin(kTestClockVariable), std::end(kTestClockVariable) - 1);
  const std::wstring value(moment.begin(), moment.end());  // digits, '-', ':' and a blank
  SetEnvironmentVariableW(name.c_str(), moment.empty() ? nullptr : value.c_str());
}

}  // namespace zd::replay

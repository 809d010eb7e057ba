#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/test_clock.h"

namespace zd {
namespace {

// The moment the Windows tests set (see test_clock.h), if any.
std::optional<double> TestClock() {
  wchar_t buffer[32] = {};
  const DWORD n = GetEnvironmentVariableW(L"ZD_TEST_CLOCK", buffer, 32);
  if (n == 0 || n >= 32) return std::nullopt;
  std::string text;
  for (DWORD i = 0; i < n; ++i) text += static_cast<char>(buffer[i] < 128 ? buffer[i] : '?');
  return ParseTestClock(text);
}

class SystemClock final : public Clock {
 public:
  double NowUtc() const override {
    if (const auto t = TestClock()) return *t;
    SYSTEMTIME st;
    GetSystemTime(&st);
    return ToDate(st);
  }
  double NowLocal() const override {
    if (const auto t = TestClock()) return *t;
    SYSTEMTIME st;
    GetLocalTime(&st);
    return ToDate(st);
  }

 private:
  static double ToDate(SYSTEMTIME st) {
    st.wMilliseconds = 0;
    double date = 0.0;
    SystemTimeToVariantTime(&st, &date);
    return date;
  }
};

}  // namespace

std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<SystemClock>(); }

}  // namespace zd

#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <oleauto.h>

#include "platform/clock.h"

namespace zd {
namespace {

class SystemClock final : public Clock {
 public:
  double NowUtc() const override {
    SYSTEMTIME st;
    GetSystemTime(&st);
    return ToDate(st);
  }
  double NowLocal() const override {
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

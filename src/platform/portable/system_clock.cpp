#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "platform/clock.h"
#include "platform/test_clock.h"

namespace zd {
namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kUnixEpochDate = 25569.0;  // 1 January 1970 as a DATE

// The moment set through the environment (see test_clock.h), if any.
std::optional<double> ClockFromEnvironment() {
  const char* text = std::getenv(kTestClockVariable);
  return text ? ParseTestClock(text) : std::nullopt;
}

class SystemClock final : public Clock {
 public:
  double NowUtc() const override {
    if (const auto t = ClockFromEnvironment()) return *t;
    return ToDate(Seconds());
  }
  double NowLocal() const override {
    if (const auto t = ClockFromEnvironment()) return *t;
    const std::time_t t = static_cast<std::time_t>(Seconds());
    std::tm local{};
    localtime_r(&t, &local);
    return ToDate(static_cast<double>(t) + static_cast<double>(local.tm_gmtoff));
  }

 private:
  static double Seconds() {
    using namespace std::chrono;
    return static_cast<double>(
        duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
  }
  static double ToDate(double unixSeconds) { return kUnixEpochDate + unixSeconds / kSecondsPerDay; }
};

}  // namespace

std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<SystemClock>(); }

}  // namespace zd

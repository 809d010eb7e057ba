// The clock seam: the band-change counter, the waiting rule between modes and the
// band-change window read the time through it, so tests can set it.
#pragma once

#include <atomic>
#include <memory>

namespace zd {

class Clock {
 public:
  virtual ~Clock() = default;
  // Now as a DATE (days since 30 December 1899), in UTC and in local time.
  virtual double NowUtc() const = 0;
  virtual double NowLocal() const = 0;
};

std::unique_ptr<Clock> MakeSystemClock();

// A clock that tests set by hand.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(double utc = 0.0, double localOffsetDays = 0.0)
      : utc_(utc), offset_(localOffsetDays) {}
  double NowUtc() const override { return utc_.load(); }
  double NowLocal() const override { return utc_.load() + offset_.load(); }
  void Set(double utc) { utc_.store(utc); }
  void SetLocalOffset(double days) { offset_.store(days); }

 private:
  std::atomic<double> utc_;
  std::atomic<double> offset_;
};

}  // namespace zd

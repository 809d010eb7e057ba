// The band-change window's logic: what each one-second tick shows, when the counter of the
// hour goes back to zero, and the colour of the indicator.
#pragma once

#include "engine/contest.h"
#include "platform/clock.h"
#include "status_windows/colour.h"
#include "status_windows/drawn_shapes.h"

namespace zd {

namespace band_change_ids {
inline constexpr int kTemplate = 116;
inline constexpr int kCount = 300;
inline constexpr int kCountLabel = 1278;
inline constexpr int kMinutesLeft = 1277;
inline constexpr int kMinutesLabel = 1144;
inline constexpr int kOtherMode = 1279;
inline constexpr int kOtherModeLabel = 1145;
inline constexpr unsigned kTimerId = 1445;
inline constexpr unsigned kTimerPeriodMs = 1000;
}  // namespace band_change_ids

// The indicator: a circle of 20 pixels centred at (190, 30), black outline.
inline constexpr Rect kIndicatorBox{180, 20, 200, 40};
// From this many band changes in an hour on, the indicator is red.
inline constexpr int kBandChangeLimit = 10;

struct BandChangeTick {
  int count = 0;         // shown in control 300
  int minutesLeft = 0;   // shown in control 1277
  bool repaint = false;  // the indicator is drawn anew in `indicator`
  Colour indicator = kGreen;
};

class BandChangeTicker {
 public:
  BandChangeTicker(Contest& contest, const Clock& clock) : contest_(contest), clock_(clock) {}
  // One timer notification. In minute 0 of every hour the counter goes back to 0.
  BandChangeTick Tick();
  Colour indicator() const { return indicator_; }

 private:
  Contest& contest_;
  const Clock& clock_;
  Colour indicator_ = kGreen;  // once red, red until the top of the hour
};

// The band-change window's Russian texts (code page 1251).
std::string_view BandChangeRussianTitle();
std::string_view BandChangeRussianCountLabel();
std::string_view BandChangeRussianMinutesLabel();

}  // namespace zd

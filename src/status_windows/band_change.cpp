#include "status_windows/band_change.h"

#include "platform/cp1251.h"
#include "platform/ole_date.h"

namespace zd {
namespace {

constexpr auto kRuTitle = ToCp1251("Переходы");
constexpr auto kRuCount = ToCp1251("Смена диапазона");
constexpr auto kRuMinutes = ToCp1251("Минут до конца часа");

}  // namespace

std::string_view BandChangeRussianTitle() { return kRuTitle.view(); }
std::string_view BandChangeRussianCountLabel() { return kRuCount.view(); }
std::string_view BandChangeRussianMinutesLabel() { return kRuMinutes.view(); }

BandChangeTick BandChangeTicker::Tick() {
  BandChangeTick t;
  t.count = contest_.BandChangeCount();
  const std::optional<CivilTime> now = CivilFromDate(clock_.NowLocal());
  if (now && now->minute != 0) {
    t.minutesLeft = 60 - now->minute;
  } else if (now) {
    t.count = 0;
    contest_.ResetBandChangeCount();
    t.minutesLeft = 0;
    indicator_ = kGreen;
    t.repaint = true;
  }
  if (t.count >= kBandChangeLimit) {
    indicator_ = kRed;
    t.repaint = true;
  }
  t.indicator = indicator_;
  return t;
}

}  // namespace zd

// The status refresh: the handler of WM_REFRESH_STATS.
#include <cmath>

#include "control/control_panel.h"
#include "engine/contest_rules.h"
#include "platform/host_automation.h"

namespace zd {
namespace {

constexpr double kRetuneHz = 300.0;

}  // namespace

int BandIndexFromMHz(long long mhz) {
  // The refresh knows a band by the whole MHz of its lower edge (1, 3, 7, 14, 21, 28):
  // a frequency in the rest of a band's range, say 4.0 or 29.5 MHz, is outside.
  for (int i = 0; i < kBandCount; ++i) {
    if (kBands[static_cast<std::size_t>(i)].lowHz / 1000000 == mhz) return i;
  }
  return -1;
}

std::string_view BandText(int band) {
  return (band >= 0 && band < kBandCount) ? kBands[static_cast<std::size_t>(band)].text
                                          : std::string_view();
}

std::string DisplayModeText(std::string_view hostMode) {
  return hostMode == "BPSK31" ? std::string("BPSK63") : std::string(hostMode);
}

int ModeIndexFromText(std::string_view displayMode) {
  // The two contest modes by their worked-list slot; CW takes the third slot.
  if (const ModeRule* m = FindMode(displayMode); m && m->column != kNoColumn) return m->slot;
  if (displayMode == "CW") return kModes[kBpsk125].slot;
  return -1;
}

void ControlPanel::RefreshStatus() {
  // A host call waits in a modal loop that may dispatch another refresh: that one is
  // run again once this one is done, never inside it.
  if (refreshing_) {
    refreshAgain_ = true;
    return;
  }
  refreshing_ = true;
  RunRefresh();
  refreshing_ = false;
  state_.contest.RefreshPending().store(1);
  if (refreshAgain_) {
    refreshAgain_ = false;
    view_.PostRefresh();
  }
}

void ControlPanel::RunRefresh() {
  ApplyStatusWindowOptions();
  if (!host_) return;

  const std::optional<std::string> hostMode = host_->HostMode();
  if (!hostMode) return;
  RefreshView& current = state_.current;
  current.call.clear();
  std::optional<std::string> call = host_->HostEntryText(host::kHostFieldCall);
  if (!call) return;
  current.call = std::move(*call);
  // Nothing changes while the operator has typed only one or two characters.
  if (current.call.size() == 1 || current.call.size() == 2) return;

  const std::optional<double> hz = host_->HostFrequency();
  if (!hz) return;
  const double f = *hz;
  if (std::fabs(f - state_.lastFrequency) > kRetuneHz) {
    if (!host_->ExecuteMacros(host::kMacroSp1)) return;
    state_.lastFrequency = f;
  }
  int band = -1;
  const double mhz = std::trunc(f / 1000000.0);
  if (std::isfinite(mhz) && std::fabs(mhz) < 1e9)
    band = BandIndexFromMHz(static_cast<long long>(mhz));

  const std::string modeText = DisplayModeText(*hostMode);
  current.mode = ModeIndexFromText(modeText);
  current.band = band;
  current.modeText = modeText;
  current.bandText = std::string(BandText(band));

  const RefreshView view = current;  // a window's refresh may run a nested refresh
  for (StatusKind kind : {StatusKind::kRegion, StatusKind::kExtendedDxcc, StatusKind::kDxcc}) {
    if (windows_.IsOpen(kind)) windows_.Refresh(kind, view);
  }
}

}  // namespace zd

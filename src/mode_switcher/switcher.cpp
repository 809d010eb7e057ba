#include "mode_switcher/switcher.h"

#include "platform/host_automation.h"

namespace zd::switcher {
namespace {

int RoundedScale(int value, int numerator, int denominator) {
  const long long scaled = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / denominator
                                      : -((-scaled + half) / denominator));
}

// Marks the switcher busy for the duration of one handler.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

int TwipsToPixels(int twips, int dots_per_inch) { return RoundedScale(twips, dots_per_inch, 1440); }

int PointTenthsToPixels(int tenths, int dots_per_inch) {
  return RoundedScale(tenths, dots_per_inch, 720);
}

bool IsHostWindowClass(std::wstring_view class_name) {
  return class_name.substr(0, host::kHostWindowClassPrefix.size()) == host::kHostWindowClassPrefix;
}

MacroPair StartMacros() { return {host::kMacroModeBpsk31, host::kMacroBaud31}; }

MacroPair MacrosFor(Button button) {
  switch (button) {
    case Button::kRtty:
      return {host::kMacroModeRtty, host::kMacroBaudRtty};
    case Button::kBpsk63:
      return {host::kMacroModeBpsk31, host::kMacroBaud63};
  }
  return {};
}

std::optional<Exit> ModeSwitcher::Start() {
  {
    BusyScope busy(busy_);
    connected_ = true;
    if (!platform_.AttachHost()) {
      platform_.ShowHostNotLoaded();
      connected_ = false;
      return Exit::kHostNotLoaded;
    }
    if (!platform_.ClaimSingleInstance()) return Exit::kAlreadyRunning;
    platform_.FindHostWindow();
    if (!platform_.ShowTopmostWindow()) return Exit::kNoWindow;
    SendMacros(StartMacros());
    platform_.BringHostToFront();
  }
  RunPendingClicks();
  return std::nullopt;
}

void ModeSwitcher::OnButton(Button button) {
  if (!connected_) return;
  pending_.push_back(button);
  if (!busy_) RunPendingClicks();
}

std::optional<Exit> ModeSwitcher::OnTimer() {
  if (busy_) return std::nullopt;
  {
    BusyScope busy(busy_);
    if (!platform_.AttachHost()) {
      connected_ = false;
      return Exit::kHostGone;
    }
  }
  RunPendingClicks();
  return std::nullopt;
}

void ModeSwitcher::RunPendingClicks() {
  while (connected_ && !pending_.empty()) {
    const Button button = pending_.front();
    pending_.pop_front();
    Switch(button);
  }
}

void ModeSwitcher::Switch(Button button) {
  BusyScope busy(busy_);
  // The host's mode is read before every BPSK63 switch; the switch itself does not
  // depend on it, so a host that refuses the read is still switched.
  if (button == Button::kBpsk63) platform_.ReadHostMode();
  SendMacros(MacrosFor(button));
  platform_.BringHostToFront();
}

void ModeSwitcher::SendMacros(const MacroPair& macros) {
  for (const auto macro : macros) {
    if (!platform_.ExecuteMacro(macro)) return;
  }
}

}  // namespace zd::switcher

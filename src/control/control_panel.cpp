#include "control/control_panel.h"

#include "control/window_position.h"
#include "engine/contest_rules.h"
#include "platform/cp1251.h"
#include "platform/host_automation.h"

namespace zd {
namespace {

constexpr auto kRuView = ToCp1251("Отображать");
constexpr auto kRuRegions = ToCp1251("Области России");
constexpr auto kRuDxcc = ToCp1251("Страны DXCC");
constexpr auto kRuExtended = ToCp1251("DXCC по континетам");
constexpr auto kRuUsing = ToCp1251("Использовать");
constexpr auto kRuSwitchMode = ToCp1251("Переключатель мод");
constexpr auto kRuMasterFile = ToCp1251("Подсказку");
constexpr auto kRuBandChange = ToCp1251("Контроль за переходами");
constexpr auto kRuOnTop = ToCp1251("Поверх всех окон");
constexpr auto kRuTitle = ToCp1251("Установки ZORVAN-DIGI-");

const ModeButtonSpec kSpecs[] = {
    {setup_ids::kRtty, "RTTY", {host::kMacroModeRtty, host::kMacroBaudRtty}, kModes[kRtty].text},
    {setup_ids::kPsk63,
     "PSK63",
     {host::kMacroModeBpsk31, host::kMacroBaud63},
     kModes[kBpsk63].text},
    {setup_ids::kPsk125,
     "PSK125",
     {host::kMacroModeBpsk31, host::kMacroBaud125},
     kModes[kBpsk125].text},
};

std::string_view Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

const std::array<OptionRow, 9> kOptionRows = {{
    {setup_ids::kViewLabel, 2, kRuView.view()},
    {setup_ids::kRegions, 20, kRuRegions.view()},
    {setup_ids::kDxcc, 40, kRuDxcc.view()},
    {setup_ids::kExtendedDxcc, 60, kRuExtended.view()},
    {setup_ids::kUsingLabel, 80, kRuUsing.view()},
    {setup_ids::kSwitchMode, 100, kRuSwitchMode.view()},
    {setup_ids::kMasterFile, 120, kRuMasterFile.view()},
    {setup_ids::kBandChange, 140, kRuBandChange.view()},
    {setup_ids::kWindowOnTop, 160, kRuOnTop.view()},
}};

// Each status window's option: its flag, its settings key and its check box, in the
// order of StatusKind.
struct StatusOption {
  bool ControlOptions::*flag;
  std::string_view key;
  int control;
};
constexpr StatusOption kStatusOptions[kStatusKindCount] = {
    {&ControlOptions::showRegions, "RusObl", setup_ids::kRegions},
    {&ControlOptions::showDxcc, "DXCC", setup_ids::kDxcc},
    {&ControlOptions::showExtendedDxcc, "setup_view_dxcc_extended", setup_ids::kExtendedDxcc},
    {&ControlOptions::bandChangeControl, "Timer", setup_ids::kBandChange},
};

bool& ControlOptions::For(StatusKind kind) { return this->*kStatusOptions[Index(kind)].flag; }

bool ControlOptions::For(StatusKind kind) const {
  return const_cast<ControlOptions*>(this)->For(kind);
}

std::string_view StatusOptionKey(StatusKind kind) { return kStatusOptions[Index(kind)].key; }

int StatusOptionControl(StatusKind kind) { return kStatusOptions[Index(kind)].control; }

std::string SetupTitle(std::string_view year, bool russian) {
  std::string title(russian ? kRuTitle.view() : std::string_view("Setup ZORVAN-DIGI-"));
  title += year;
  return title;
}

const ModeButtonSpec& SpecOf(ModeButton b) { return kSpecs[static_cast<int>(b)]; }

ControlPanel::ControlPanel(WindowState& state, ControlView& view, StatusWindows& windows)
    : state_(state), view_(view), windows_(windows) {
  state_.owner = this;
}

ControlPanel::~ControlPanel() {
  if (state_.owner == this) state_.owner = nullptr;
}

void ControlPanel::Initialise() {
  SettingsStore& s = state_.settings;
  view_.MoveTo(LoadWindowPosition(state_, "setup_x", "setup_y", true));

  options_.masterFile = ReadSettingInt(s, "setup_mast") != 0;
  state_.contest.SetSetupMast(options_.masterFile ? 1 : 0);
  options_.showExtendedDxcc = ReadSettingInt(s, "setup_view_dxcc_extended") != 0;
  options_.showRegions = ReadSettingInt(s, "RusObl") != 0;
  options_.showDxcc = ReadSettingInt(s, "DXCC") != 0;
  options_.switchMode = ReadSettingInt(s, "setup_switch_mode") != 0;
  // "Window on top" is not read: it starts off in every control window.

  for (ModeButton b : kModeButtons) view_.ShowModeButton(b, false);
  view_.LayOutOptions(kOptionsXPlain);
  view_.SetButtonColours(ModeButton::kRtty, kButtonGrey, kLabelBlack);
  view_.SetButtonColours(ModeButton::kPsk63, kGreen, kLabelBlack);
  view_.SetButtonColours(ModeButton::kPsk125, kGreen, kLabelBlack);

  const std::string year = state_.contest.StartYear();
  const bool russian = state_.contest.RussianText();
  view_.SetTitle(SetupTitle(year, false));
  if (options_.switchMode) {
    view_.ShowModeButton(ModeButton::kRtty, true);
    view_.ShowModeButton(ModeButton::kPsk63, true);
    view_.LayOutOptions(kOptionsXWithButtons);
  }
  options_.bandChangeControl = ReadSettingInt(s, "Timer") != 0;
  if (russian) {
    view_.SetTitle(SetupTitle(year, true));
    for (const OptionRow& row : kOptionRows) view_.SetItemText(row.id, row.russian);
  }
  view_.PushFlags(options_);

  host_ = view_.AttachHost();
  ReplaySavedMode();

  view_.PostRefresh();
}

void ControlPanel::SetOption(StatusKind kind, bool on) {
  options_.For(kind) = on;
  WriteSetting(state_.settings, StatusOptionKey(kind), Flag(on));
}

void ControlPanel::OnStatusOption(StatusKind kind) {
  if (windows_.IsOpen(kind)) {
    windows_.Close(kind);
    SetOption(kind, false);
  } else if (options_.For(kind)) {
    // The option is on but its window is not there (it could not be created, or the
    // first refresh has not opened it yet): the click turns the option off, as the
    // check box now shows.
    SetOption(kind, false);
  } else {
    windows_.Open(kind);
    SetOption(kind, true);
  }
  view_.PushFlags(options_);
  view_.PostRefresh();
}

void ControlPanel::OnSwitchMode() {
  options_.switchMode = !options_.switchMode;
  for (ModeButton b : kModeButtons) view_.ShowModeButton(b, options_.switchMode);
  view_.LayOutOptions(options_.switchMode ? kOptionsXWithButtons : kOptionsXPlain);
  view_.PushFlags(options_);
  WriteSetting(state_.settings, "setup_switch_mode", Flag(options_.switchMode));
  view_.PostRefresh();
}

void ControlPanel::OnMasterFile() {
  options_.masterFile = !options_.masterFile;
  state_.contest.SetSetupMast(options_.masterFile ? 1 : 0);
  WriteSetting(state_.settings, "setup_mast", Flag(options_.masterFile));
  view_.PushFlags(options_);
  view_.PostRefresh();
}

void ControlPanel::OnWindowOnTop() {
  options_.windowsOnTop = !options_.windowsOnTop;
  state_.statusWindowsOnTop.store(options_.windowsOnTop);
  WriteSetting(state_.settings, "setup_window_on_top", Flag(options_.windowsOnTop));
  // The refresh reopens every window whose option is on, top-most or not as now set.
  for (StatusKind kind : kStatusKinds) {
    if (windows_.IsOpen(kind)) windows_.Close(kind);
  }
  view_.PushFlags(options_);
  view_.PostRefresh();
}

void ControlPanel::OnSetCursor(int left, int top) {
  SaveWindowPosition(state_, "setup_x", "setup_y", left, top);
}

void ControlPanel::ApplyStatusWindowOptions() {
  for (StatusKind kind : kStatusKinds) {
    if (!options_.For(kind)) continue;  // the refresh never closes a window
    if (!windows_.IsOpen(kind)) {
      if (!windows_.Open(kind)) continue;  // goes on without it; the option stays on
      if (kind != StatusKind::kExtendedDxcc) view_.PushFlags(options_);
      if (kind != StatusKind::kBandChange) {
        WriteSetting(state_.settings, StatusOptionKey(kind), "1");
      }
    } else if (!windows_.IsVisible(kind)) {
      // While the band-change window is open, its one-second check looks after the
      // other three.
      if (kind == StatusKind::kBandChange || !windows_.IsOpen(StatusKind::kBandChange)) {
        ForgetHidden(kind);
      }
    }
  }
}

void ControlPanel::ForgetHidden(StatusKind kind) {
  windows_.Forget(kind);
  SetOption(kind, false);
  view_.PushFlags(options_);
}

void ControlPanel::ForgetHiddenStatusWindows() {
  for (StatusKind kind : {StatusKind::kRegion, StatusKind::kDxcc, StatusKind::kExtendedDxcc}) {
    if (windows_.IsOpen(kind) && !windows_.IsVisible(kind)) ForgetHidden(kind);
  }
}

void ControlPanel::CloseStatusWindows() {
  for (StatusKind kind : {StatusKind::kBandChange, StatusKind::kExtendedDxcc, StatusKind::kDxcc,
                          StatusKind::kRegion}) {
    if (windows_.IsOpen(kind)) windows_.Close(kind);
  }
}

// ---------------------------------------------------------------- mode buttons

bool ControlPanel::SendMacros(ModeButton b) {
  if (!host_) return true;  // without the host nothing is sent, the rest still follows
  for (std::string_view macro : SpecOf(b).macros) {
    if (!host_->ExecuteMacros(macro)) return false;
  }
  return true;
}

void ControlPanel::ColourChosen(ModeButton chosen) {
  for (ModeButton b : kModeButtons) {
    if (b == chosen) {
      view_.SetButtonBack(b, kGreen);
    } else {
      view_.SetButtonColours(b, kButtonGrey, kLabelBlack);
    }
  }
}

bool ControlPanel::OnModeButton(ModeButton b) {
  if (!SendMacros(b)) return false;
  ColourChosen(b);
  WriteSetting(state_.settings, "Mode", SpecOf(b).setting);
  view_.PostRefresh();
  return true;
}

bool ControlPanel::ReplaySavedMode() {
  const std::string saved = ReadSetting(state_.settings, "Mode", "");
  ModeButton b;
  if (saved.empty() || saved == "RTTY") {
    b = ModeButton::kRtty;
  } else if (saved == "BPSK63") {
    b = ModeButton::kPsk63;
  } else {
    return true;  // anything else, "BPSK125" too: nothing sent, colours as initialised
  }
  if (!SendMacros(b)) return false;
  ColourChosen(b);
  return true;
}

}  // namespace zd

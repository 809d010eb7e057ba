// The control window's logic: its options and where they are stored, its layout and
// texts, the mode buttons, the status refresh and which status windows it opens and
// closes. The Win32 window only translates messages into these calls and carries out
// what they ask of the ControlView and the StatusWindows.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "control/host_link.h"
#include "status_windows/colour.h"
#include "status_windows/window_state.h"

namespace zd {

// Control ids of the control window (dialog template 107).
namespace setup_ids {
inline constexpr int kTemplate = 107;
inline constexpr int kViewLabel = 1123;
inline constexpr int kRegions = 1115;
inline constexpr int kDxcc = 1116;
inline constexpr int kExtendedDxcc = 1119;
inline constexpr int kUsingLabel = 1124;
inline constexpr int kSwitchMode = 1117;
inline constexpr int kMasterFile = 1118;
inline constexpr int kBandChange = 1109;
inline constexpr int kWindowOnTop = 1110;
inline constexpr int kRtty = 304;
inline constexpr int kPsk63 = 305;
inline constexpr int kPsk125 = 306;
}  // namespace setup_ids

struct ControlOptions {
  bool showRegions = false;        // "RusObl"
  bool showDxcc = false;           // "DXCC"
  bool bandChangeControl = false;  // "Timer"
  bool windowsOnTop = false;       // "setup_window_on_top"
  bool switchMode = false;         // "setup_switch_mode"
  bool masterFile = false;         // "setup_mast"
  bool showExtendedDxcc = false;   // "setup_view_dxcc_extended"

  bool& For(StatusKind kind);
  bool For(StatusKind kind) const;
};

// Settings key and check box of the option of each status window.
std::string_view StatusOptionKey(StatusKind kind);
int StatusOptionControl(StatusKind kind);

// One row of the layout of labels and check boxes: pixels of the client area, each row
// 170 wide and 20 high, at x = 10 without the mode buttons and x = 80 with them.
struct OptionRow {
  int id;
  int y;
  std::string_view russian;  // code page 1251
};
inline constexpr int kOptionWidth = 170;
inline constexpr int kOptionHeight = 20;
inline constexpr int kOptionsXPlain = 10;
inline constexpr int kOptionsXWithButtons = 80;
extern const std::array<OptionRow, 9> kOptionRows;

// Titles, with the contest year (code page 1251).
std::string SetupTitle(std::string_view year, bool russian);

enum class ModeButton { kRtty = 0, kPsk63 = 1, kPsk125 = 2 };
inline constexpr ModeButton kModeButtons[] = {ModeButton::kRtty, ModeButton::kPsk63,
                                              ModeButton::kPsk125};

struct ModeButtonSpec {
  int control;
  std::string_view label;
  std::string_view macros[2];  // sent in this order
  std::string_view setting;    // the "Mode" value
};
const ModeButtonSpec& SpecOf(ModeButton b);

// The status windows as the logic sees them. Only the window thread calls these.
class StatusWindows {
 public:
  virtual ~StatusWindows() = default;
  virtual bool IsOpen(StatusKind kind) const = 0;
  // Creates the window as a top-level window of the window thread, gives it its texts,
  // shows it and, for the band-change window, starts its one-second timer. False when
  // the window could not be created; nothing is then open.
  virtual bool Open(StatusKind kind) = 0;
  // Stops the band-change timer, sends the close request and forgets the window.
  virtual void Close(StatusKind kind) = 0;
  // Forgets a window the operator hid; it is never shown again.
  virtual void Forget(StatusKind kind) = 0;
  virtual bool IsVisible(StatusKind kind) const = 0;
  virtual void Refresh(StatusKind kind, const RefreshView& view) = 0;
};

// What the logic asks of the control window itself.
class ControlView {
 public:
  virtual ~ControlView() = default;
  // Moves the window without changing its size or Z order, then makes it top-most
  // without moving, sizing or activating it.
  virtual void MoveTo(WindowPos pos) = 0;
  virtual void SetTitle(std::string_view cp1251) = 0;
  virtual void SetItemText(int id, std::string_view cp1251) = 0;
  // Shows the options in the check boxes.
  virtual void PushFlags(const ControlOptions& options) = 0;
  // Enables and shows, or disables and hides, a mode button.
  virtual void ShowModeButton(ModeButton b, bool shown) = 0;
  // Moves the labels and check boxes to the layout for x (kOptionRows).
  virtual void LayOutOptions(int x) = 0;
  virtual void SetButtonColours(ModeButton b, Colour back, Colour fore) = 0;
  virtual void SetButtonBack(ModeButton b, Colour back) = 0;
  // Attaches to the host's running automation object; null when the host is not running.
  virtual HostLink* AttachHost() = 0;
  // Posts WM_REFRESH_STATS to the control window itself.
  virtual void PostRefresh() = 0;
};

class ControlPanel final : public StatusWindowOwner {
 public:
  ControlPanel(WindowState& state, ControlView& view, StatusWindows& windows);
  ~ControlPanel();
  ControlPanel(const ControlPanel&) = delete;
  ControlPanel& operator=(const ControlPanel&) = delete;

  // The initialisation, once the platform has created the window and taken over the three
  // mode buttons as drawn controls.
  void Initialise();

  // Clicks.
  void OnStatusOption(StatusKind kind);
  void OnSwitchMode();
  void OnMasterFile();
  void OnWindowOnTop();
  // False when a host call failed and the click ended there.
  bool OnModeButton(ModeButton b);
  // The cursor passed over the window, whose top-left corner is now at left, top.
  void OnSetCursor(int left, int top);

  // WM_REFRESH_STATS.
  void RefreshStatus();
  void ApplyStatusWindowOptions();
  void ForgetHiddenStatusWindows() override;
  // When the control window ends: band-change, extended DXCC, DXCC, region window.
  void CloseStatusWindows();

  const ControlOptions& options() const { return options_; }
  HostLink* host() const { return host_; }

 private:
  void CloseForOnTop();
  void ForgetHidden(StatusKind kind);
  void SetOption(StatusKind kind, bool on);
  bool SendMacros(ModeButton b);
  void ColourChosen(ModeButton b);
  bool ReplaySavedMode();
  void RunRefresh();

  WindowState& state_;
  ControlView& view_;
  StatusWindows& windows_;
  ControlOptions options_;
  HostLink* host_ = nullptr;
  bool refreshing_ = false;
  bool refreshAgain_ = false;
};

// The host's frequency in whole MHz to a band index (-1 outside the six bands) and text.
int BandIndexFromMHz(long long mhz);
std::string_view BandText(int band);
// The host's mode text: "BPSK31" is shown as "BPSK63"; the index is 0 RTTY, 1 BPSK63,
// 2 CW, and -1 (no column: nothing marked, counts 0) for every other mode.
std::string DisplayModeText(std::string_view hostMode);
int ModeIndexFromText(std::string_view displayMode);

}  // namespace zd

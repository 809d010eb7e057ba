// What the windows of the window thread share: the contest and the worked lists they
// show, the settings file, the clock, and the values of the last status refresh. Portable:
// the window logic is tested natively against it.
#pragma once

#include <atomic>
#include <string>

#include "engine/contest.h"
#include "platform/clock.h"
#include "platform/settings.h"
#include "reports/worked_lists.h"

namespace zd {

// The private message of the status refresh (WM_USER + 500), posted with wParam 0 and
// lParam 0 to the control window.
inline constexpr unsigned WM_REFRESH_STATS = 1524;

// The four status windows the control window opens, in the order the refresh visits them.
enum class StatusKind { kRegion, kDxcc, kExtendedDxcc, kBandChange };
inline constexpr StatusKind kStatusKinds[] = {StatusKind::kRegion, StatusKind::kDxcc,
                                              StatusKind::kExtendedDxcc, StatusKind::kBandChange};
inline constexpr int kStatusKindCount = 4;
constexpr int Index(StatusKind k) { return static_cast<int>(k); }

struct WindowPos {
  int x = 0;
  int y = 0;
};

// What a status window is told at every refresh.
struct RefreshView {
  std::string call;      // the call in the host's entry field
  int band = -1;         // 0..5, or -1 outside the six bands
  int mode = -1;         // 0 RTTY, 1 BPSK63, 2 CW; -1 for a host mode without a column
  std::string modeText;  // the host's mode, BPSK31 shown as BPSK63
  std::string bandText;  // "160m" ... "10m", or empty
};

// The running control window as the status windows see it: the band-change window's
// one-second check hands it the windows the operator has hidden.
class StatusWindowOwner {
 public:
  // Forgets the region, DXCC and extended DXCC windows that are open but hidden and
  // turns their options off.
  virtual void ForgetHiddenStatusWindows() = 0;

 protected:
  ~StatusWindowOwner() = default;
};

struct WindowState {
  WindowState(Contest& c, WorkedLists& w, SettingsStore& s, const Clock& k)
      : contest(c), worked(w), settings(s), clock(k) {}
  Contest& contest;
  WorkedLists& worked;
  SettingsStore& settings;
  const Clock& clock;

  // Set by the control window's "Window on top" option; status windows make themselves
  // top-most when it is set as they open. Survives a stop of the window thread.
  std::atomic<bool> statusWindowsOnTop{false};
  // The one last-position pair shared by the control window and the status windows
  // (window thread only).
  WindowPos lastWindowPos;
  // The last refresh (window thread only).
  RefreshView current;
  // Host frequency in Hz when "<SP1>" was last sent (window thread only; survives a stop).
  double lastFrequency = 0.0;
  // The running control window, or null (window thread only).
  StatusWindowOwner* owner = nullptr;
};

}  // namespace zd

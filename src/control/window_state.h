// What the windows of the window thread share: the contest they show, the settings file,
// the clock, and the values of the last status refresh. Portable: the window logic is
// tested natively against it.
#pragma once

#include <atomic>
#include <string>

#include "engine/contest.h"
#include "platform/clock.h"
#include "platform/settings.h"

namespace zd {

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

struct WindowState {
  WindowState(Contest& c, SettingsStore& s, const Clock& k) : contest(c), settings(s), clock(k) {}
  Contest& contest;
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
};

}  // namespace zd

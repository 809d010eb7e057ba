// Window positions in the settings file, shared by the control window and the status
// windows through the one last-position pair of the window state.
#pragma once

#include <string_view>

#include "status_windows/window_state.h"

namespace zd {

// Reads a window's position into the shared pair and returns it. With `zeroMeansTen`,
// an x or y of 0 (or absent) becomes 10.
WindowPos LoadWindowPosition(WindowState& state, std::string_view keyX, std::string_view keyY,
                             bool zeroMeansTen);

// The cursor passed over a window whose top-left corner is at left, top: each edge that
// differs from the shared pair is stored there and written as decimal text, whole.
void SaveWindowPosition(WindowState& state, std::string_view keyX, std::string_view keyY, int left,
                        int top);

}  // namespace zd

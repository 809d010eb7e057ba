#include "control/window_position.h"

namespace zd {

WindowPos LoadWindowPosition(WindowState& state, std::string_view keyX, std::string_view keyY,
                             bool zeroMeansTen) {
  WindowPos pos{ReadSettingInt(state.settings, keyX), ReadSettingInt(state.settings, keyY)};
  if (zeroMeansTen) {
    if (pos.x == 0) pos.x = 10;
    if (pos.y == 0) pos.y = 10;
  }
  state.lastWindowPos = pos;
  return pos;
}

void SaveWindowPosition(WindowState& state, std::string_view keyX, std::string_view keyY, int left,
                        int top) {
  WindowPos& last = state.lastWindowPos;
  if (left != last.x) {
    last.x = left;
    WriteSettingInt(state.settings, keyX, left);
  }
  if (top != last.y) {
    last.y = top;
    WriteSettingInt(state.settings, keyY, top);
  }
}

}  // namespace zd

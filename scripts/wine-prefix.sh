#!/usr/bin/env bash
# Creates the Wine prefix of a build folder once: no crash dialog, no window-manager waits.
# Must run with a display (under xvfb-run), so that the wineserver it starts can serve
# windows to that display.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh" "$1"
if [ ! -f "$WINEPREFIX/.zd-ready" ]; then
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\winedbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.zd-ready"
fi
# Wine's own fonts (Tahoma, Marlett for the caption buttons, ...) from the fonts-wine
# package: without them in the prefix, captions and dialogs draw with stand-in glyphs.
if [ -d /usr/share/wine/fonts ]; then
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

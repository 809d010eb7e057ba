#!/usr/bin/env bash
# Runs the Windows build's tests under Wine with a virtual display.
# Usage: scripts/wine-ctest.sh BUILD_DIR [ctest arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd); shift
if [ -z "${ZD_UNDER_XVFB:-}" ]; then
  # Wait for any server of this prefix started without a display to end first.
  ( . "$here/wine-env.sh" "$build"; wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true )
  ZD_UNDER_XVFB=1 exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$build" "$@"
fi
"$here/wine-prefix.sh" "$build"
. "$here/wine-env.sh" "$build"
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
ctest --test-dir "$build" -j1 --timeout 120 --output-on-failure "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status

#!/usr/bin/env bash
# Runs the Windows build's tests under Wine with a virtual display.
# Usage: scripts/wine-ctest.sh BUILD_DIR [ctest arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd); shift
. "$here/wine-env.sh" "$build"
zd_under_xvfb "$0" "$build" "$@"
"$here/wine-prefix.sh" "$build"
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
ctest --test-dir "$build" -j1 --timeout 120 --output-on-failure "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status

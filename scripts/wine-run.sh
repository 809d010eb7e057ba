#!/usr/bin/env bash
# Runs one Windows program under Wine in the prefix of the build folder it lies in.
# CMake uses it as the cross-compiling emulator, so ctest runs the Windows tests through it.
set -euo pipefail
exe=$1
dir=$(cd "$(dirname "$exe")" && pwd)
while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ -z "${WINEPREFIX:-}" ] && . "$(dirname "$0")/wine-env.sh" "$dir"
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"

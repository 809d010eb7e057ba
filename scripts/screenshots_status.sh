#!/usr/bin/env bash
# Pictures of the status windows over a demonstration contest: builds status_shots in the
# Windows build folder, runs it under a virtual display and writes PNG files to
# out/screenshots/. Usage: scripts/screenshots_status.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/windows}" && pwd)
. "$here/wine-env.sh" "$build"
zd_under_xvfb "$0" "$build"
cmake --build "$build" --target status_shots -j2 >/dev/null
"$here/wine-prefix.sh" "$build"
out=$root/out/screenshots
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; wineserver -k >/dev/null 2>&1 || true' EXIT
# The engine writes its report file into the working folder: run in the scratch folder.
( cd "$tmp" && wine "$build/tools/status_shots.exe" "$(winepath -w "$tmp")" )
for f in "$tmp"/*.bmp; do
  convert "$f" "$out/$(basename "${f%.bmp}").png"
  echo "out/screenshots/$(basename "${f%.bmp}").png"
done

#!/usr/bin/env bash
# Pictures of what zorvan-check publishes, rendered by headless Chromium: a simulated
# contest is checked into out/check-demo/, and its results table, its overview and two
# UBN reports (an English and a Russian one) go to out/screenshots/check_*.png.
#
# Usage: scripts/screenshots_check.sh [BUILD_DIR]   (default: build/release)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/release}" && pwd)
out=$root/out/screenshots
demo=$root/out/check-demo
mkdir -p "$out"
rm -rf "$demo"
"$build/bin/zorvan-contest-sim" --seed 3 --stations 40 --lines 120 "$demo/logs" "$demo/truth.csv"
"$build/bin/zorvan-check" --quiet "$demo/logs" "$demo/out"

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# shot PAGE NAME WIDTH HEIGHT
shot() {
  chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --hide-scrollbars \
    --user-data-dir="$profile" --window-size="$3,$4" --screenshot="$out/$2.png" \
    "file://$1" >/dev/null 2>&1
  [ -s "$out/$2.png" ] || { echo "screenshots_check: no picture of $1" >&2; exit 1; }
  echo "screenshots_check: $out/$2.png"
}

# The station of each language with the most findings that cost points.
pick() {  # pick russian|other
  awk -F, -v want="$1" 'NR > 1 {
      russian = ($3 ~ /^(R|U[A-I])[0-9A-Z]*[0-9]/)
      if ((want == "russian") != russian) next
      n = $18 + $19 + $20
      if (n > best) { best = n; call = $3 }
    } END { print call }' "$demo/out/results.csv"
}
shot "$demo/out/results.html" check_results 1400 900
shot "$demo/out/overview.html" check_overview 1280 1500
shot "$demo/out/ubn/$(pick other).html" check_ubn_en 1500 1000
shot "$demo/out/ubn/$(pick russian).html" check_ubn_ru 1500 1000

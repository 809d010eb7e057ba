#!/usr/bin/env bash
# Pictures of the after-contest report of the sample log, as headless Chromium renders
# it: out/screenshots/report_LANG.png (the top of the page: the summary and the first
# charts) and report_checks_LANG.png (the rule checks), for LANG en and ru.
# Usage: scripts/screenshots_report.sh [RELEASE_BUILD_DIR]   (default: build/release)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/release}" && pwd)
replay=$build/bin/zorvan-replay
sample=$root/samples/zorvan-digi-sample.adi
scp=/usr/share/hamradio-files/MASTER.SCP
out=$root/out/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "screenshots_report: chromium is missing (scripts/install-deps.sh --screenshots)" >&2; exit 1; }

# One picture of a page: a fresh profile, nothing fetched, no first-run pages.
shoot() {
  local page=$1 png=$2 height=$3
  rm -rf "$work/profile"
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --hide-scrollbars \
    --user-data-dir="$work/profile" --window-size="1100,$height" --screenshot="$png" \
    "file://$page" >"$work/chromium.log" 2>&1 || {
    echo "screenshots_report: chromium failed on $page:" >&2
    cat "$work/chromium.log" >&2
    return 1
  }
  [ -s "$png" ] || { echo "screenshots_report: chromium wrote no $png" >&2; return 1; }
  echo "screenshots: $png"
}

# A page of the report's head and one of its sections alone (between its <h2> and the
# next), so that the section's picture starts at its top.
section() {
  python3 - "$1" "$2" "$3" <<'EOF'
import re, sys
page, section, target = sys.argv[1:]
html = open(page, encoding="utf-8").read()
head = html[:html.index("<body>") + len("<body>")]
start = html.index('<h2 id="%s">' % section)
end = html.find("<h2 ", start + 1)
end = html.index("</body>") if end < 0 else end
open(target, "w", encoding="utf-8").write(head + "\n" + html[start:end] + "</body></html>\n")
EOF
}

for lang in en ru; do
  page=$work/report_$lang.html
  # From the sample's folder: the page names the log as the operator gave it.
  (cd "$(dirname "$sample")" && "$replay" --workdir "$work/replay_$lang" --lang "$lang" \
    --scp "$scp" --report "$page" "$(basename "$sample")") >/dev/null 2>"$work/replay_$lang.log" || {
    echo "screenshots_report: the replay failed:" >&2
    cat "$work/replay_$lang.log" >&2
    exit 1
  }
  shoot "$page" "$out/report_$lang.png" 1680
  section "$page" checks "$work/checks_$lang.html"
  shoot "$work/checks_$lang.html" "$out/report_checks_$lang.png" 1500
done

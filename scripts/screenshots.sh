#!/usr/bin/env bash
# Takes pictures of the programs' windows under Wine on a virtual display and writes them
# to out/screenshots/NAME.png.
#
# Every picture is a scene: a script of the host stand-in, tools/hoststub/scenes/NAME.txt,
# that starts the programs and places their windows. A line "# crop: WxH+X+Y" in it says
# which part of the 1024x768 screen to keep; lines "# after: COMMAND" are played once the
# picture is taken. A new picture is a new scene file.
#
# Usage: scripts/screenshots.sh [BUILD_DIR [NAME...]]   (default: build/windows, all scenes)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/windows}" && pwd)
[ $# -gt 0 ] && shift
. "$here/wine-env.sh" "$build"
zd_under_xvfb "$0" "$build" "$@"
"$here/wine-prefix.sh" "$build"
wineserver -p

scenes_dir=$root/tools/hoststub/scenes
out=$root/out/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true' EXIT

# Waits up to $2 tenths of a second for file $1; fails when process $3 ended first.
wait_for_file() {
  local i
  for ((i = 0; i < $2; i++)); do
    [ -e "$1" ] && return 0
    kill -0 "$3" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

shot() {
  local name=$1 scene=$scenes_dir/$1.txt
  local crop ready done_file record pid status=0
  crop=$(sed -n 's/^# crop: *//p' "$scene" | head -n 1)
  # Commands played once the picture is taken, such as closing a dialog left open.
  local after=()
  while IFS= read -r line; do after+=(--do "$line"); done < <(sed -n 's/^# after: *//p' "$scene")
  ready=$work/$name.ready
  done_file=$work/$name.done
  record=$work/$name.calls.txt
  wine "$build/bin/hoststub.exe" --log "$(winepath -w "$record")" \
    --script "$(winepath -w "$scene")" \
    --do "signal \"$(winepath -w "$ready")\"" \
    --do "wait-file \"$(winepath -w "$done_file")\" 60000" "${after[@]}" \
    --do close </dev/null >/dev/null 2>&1 &
  pid=$!
  if ! wait_for_file "$ready" 300 "$pid"; then
    echo "screenshots: scene $name did not get ready; the host's record:" >&2
    cat "$record" >&2 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
    return 1
  fi
  import -window root "$work/$name.full.png"
  if [ -n "$crop" ]; then
    convert "$work/$name.full.png" -crop "$crop" +repage "$out/$name.png"
  else
    cp "$work/$name.full.png" "$out/$name.png"
  fi
  touch "$done_file"
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { echo "screenshots: the host of scene $name ended with $status" >&2; return 1; }
  echo "screenshots: $out/$name.png"
}

if [ $# -eq 0 ]; then
  set -- $(cd "$scenes_dir" && ls *.txt | sed 's/\.txt$//')
fi
for name in "$@"; do
  shot "$name"
done

#!/usr/bin/env bash
# Replays the sample log with zorvan-replay.exe through the real Stats.dll under Wine and
# with the native tool through libStats.so, in each pass (text, HTML, Cabrillo export),
# and requires the same output byte for byte: the summary on standard output and every
# file the module wrote (bad-QSO report, Cabrillo file).
# Usage: replay_windows_test.sh WINE_RUN TOOL.exe NATIVE_TOOL SAMPLE.adi CTY WORKDIR
set -euo pipefail
wine_run=$1 exe=$2 native=$3 sample=$4 cty=$5 work=$6
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$native" ] ||
  fail "no native zorvan-replay at $native: build the native preset first (make native)"
rm -rf "$work"
mkdir -p "$work"
for pass in text html cabrillo; do
  case $pass in
    text) opts=() ;;
    html) opts=(--html) ;;
    cabrillo) opts=(--cabrillo) ;;
  esac
  mkdir -p "$work/native/$pass" "$work/windows/$pass"
  "$native" --cty "$cty" "${opts[@]}" --workdir "$work/native/$pass" "$sample" \
    >"$work/native/$pass.out" 2>"$work/native/$pass.err" ||
    fail "native $pass pass exited with $? ($(cat "$work/native/$pass.err"))"
  # The Windows program sees the Unix files through drive Z:.
  # A module dialog that nobody answers would block the replay: give up after a minute.
  status=0
  timeout 60 "$wine_run" "$exe" --cty "Z:$cty" "${opts[@]}" --workdir "Z:$work/windows/$pass" \
    "Z:$sample" >"$work/windows/$pass.out" 2>"$work/windows/$pass.err" || status=$?
  [ "$status" -ne 124 ] || fail "Windows $pass pass still running after 60 s (a dialog left open?)"
  [ "$status" -eq 0 ] ||
    fail "Windows $pass pass exited with $status ($(cat "$work/windows/$pass.err"))"
  cmp "$work/native/$pass.out" "$work/windows/$pass.out" ||
    fail "$pass pass: the summaries differ (diff $work/native/$pass.out $work/windows/$pass.out)"
  diff -r "$work/native/$pass" "$work/windows/$pass" >"$work/$pass.diff" ||
    fail "$pass pass: the module's files differ: $(head -c 2000 "$work/$pass.diff")"
  files=$(ls "$work/windows/$pass")
  [ -n "$files" ] || fail "$pass pass: the module wrote no file"
  echo "$pass pass: same summary and files: $(echo $files)"
done
ls "$work/windows/cabrillo"/*.cbr >/dev/null 2>&1 || fail "the export pass wrote no Cabrillo file"

#!/usr/bin/env bash
# Replays the sample log with zorvan-replay.exe through the real Stats.dll under Wine and
# with the native tool through libStats.so, in each pass (text, HTML, Cabrillo export),
# and requires the same output byte for byte: the summary on standard output and every
# file the module wrote (bad-QSO report, Cabrillo file).
# Then the same for the hand-made logs of other loggers (Cabrillo with 13 fields and DG,
# ADIF, ADX): the same summary, the same files, the same list of non-scoring QSOs.
# Usage: replay_windows_test.sh WINE_RUN TOOL.exe NATIVE_TOOL SAMPLE.adi CTY WORKDIR DATA_DIR
set -euo pipefail
wine_run=$1 exe=$2 native=$3 sample=$4 cty=$5 work=$6 data=$7
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

for f in cbr adi adx; do
  log=$data/other-logger.$f
  "$native" --cty "$cty" --workdir "$work/native/other-$f" "$log" >"$work/native/other-$f.out" \
    2>"$work/native/other-$f.err" || fail "native other-logger.$f exited with $?"
  status=0
  timeout 60 "$wine_run" "$exe" --cty "Z:$cty" --workdir "Z:$work/windows/other-$f" "Z:$log" \
    >"$work/windows/other-$f.out" 2>"$work/windows/other-$f.err" || status=$?
  [ "$status" -eq 0 ] || fail "Windows other-logger.$f exited with $status ($(cat "$work/windows/other-$f.err"))"
  cmp "$work/native/other-$f.out" "$work/windows/other-$f.out" || fail "other-logger.$f: the summaries differ"
  diff -r "$work/native/other-$f" "$work/windows/other-$f" >"$work/other-$f.diff" ||
    fail "other-logger.$f: the module's files differ: $(head -c 2000 "$work/other-$f.diff")"
  # The listing names the same QSOs with the same reasons (paths aside).
  diff <(grep '^ ' "$work/native/other-$f.err") <(tr -d '\r' <"$work/windows/other-$f.err" | grep '^ ') ||
    fail "other-logger.$f: the lists of non-scoring QSOs differ"
  echo "other-logger.$f: $(tr -d '\r' <"$work/windows/other-$f.out" | grep '^Score: ')"
done

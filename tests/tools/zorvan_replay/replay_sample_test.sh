#!/usr/bin/env bash
# Replays the sample log through the native module with zorvan-replay and checks what an
# operator relies on: the summary and its score, the Cabrillo file with every QSO of the
# log, the same score from a replay of that Cabrillo file, and failures that say so.
# Usage: replay_sample_test.sh TOOL SAMPLE.adi CTY WORKDIR
set -euo pipefail
tool=$1 sample=$2 cty=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
score_re='^Score: [0-9]+\*\([0-9]+\+[0-9]+\) = [0-9]+'

# The text summary.
"$tool" --cty "$cty" --workdir "$work/text" "$sample" >"$work/text.out" 2>"$work/text.err" ||
  fail "replay exited with $? ($(cat "$work/text.err"))"
score=$(tr -d '\r' <"$work/text.out" | grep -E "$score_re") || fail "no Score line in the summary"
[[ $score =~ \ =\ 0$ ]] && fail "the sample scores 0: $score"
ls "$work/text"/BadQSO_*.txt >/dev/null 2>&1 || fail "no bad-QSO report in $work/text"

# The HTML summary.
"$tool" --cty "$cty" --html --workdir "$work/html" "$sample" >"$work/html.out" 2>/dev/null
head -c 6 "$work/html.out" | grep -q '^<html>' || fail "--html gave no HTML summary"

# An export pass writes the Cabrillo file, one QSO line per log entry.
"$tool" --cty "$cty" --cabrillo --workdir "$work/cbr" "$sample" >/dev/null 2>"$work/cbr.err" ||
  fail "export pass exited with $? ($(cat "$work/cbr.err"))"
cbr=$(ls "$work/cbr"/*.cbr) || fail "the export pass wrote no Cabrillo file"
[ "$(head -n 1 "$cbr" | tr -d '\r')" = "START-OF-LOG: 3.0" ] || fail "$cbr does not start with START-OF-LOG: 3.0"
entries=$(grep -o -i '<eor>' "$sample" | wc -l)
lines=$(grep -c '^QSO: ' "$cbr")
[ "$entries" -gt 0 ] && [ "$lines" -eq "$entries" ] ||
  fail "$cbr has $lines QSO lines for $entries log entries"
tail -n 1 "$cbr" | tr -d '\r' | grep -qx 'END-OF-LOG:' || fail "$cbr does not end with END-OF-LOG:"

# The Cabrillo file replays to the same score.
"$tool" --cty "$cty" --workdir "$work/again" "$cbr" >"$work/again.out" 2>/dev/null ||
  fail "replaying $cbr exited with $?"
again=$(tr -d '\r' <"$work/again.out" | grep -E "$score_re") || fail "no Score line replaying $cbr"
[ "$again" = "$score" ] || fail "the Cabrillo file scores '$again', the log '$score'"

# The after-contest report: one page with the module's own score, one CSV line a QSO.
"$tool" --cty "$cty" --workdir "$work/report" --report "$work/report.html" --csv "$work/qsos.csv" \
  --scp "$(dirname "$cty")/MASTER.SCP" "$sample" >/dev/null 2>"$work/report.err" ||
  fail "the report run exited with $? ($(cat "$work/report.err"))"
grep -qF "$score" "$work/report.html" || fail "the report does not show '$score'"
grep -q '<html lang="ru">' "$work/report.html" || fail "the report of a Russian station is not in Russian"
[ "$(wc -l <"$work/qsos.csv")" -eq $((entries + 1)) ] || fail "qsos.csv has not one line a QSO"
# On an export pass the module is asked for its result once: one Cabrillo file, every
# QSO once, and the report's running totals are its own count.
"$tool" --cty "$cty" --cabrillo --workdir "$work/cbr-report" --report "$work/cbr-report.html" \
  --lang en "$sample" >/dev/null 2>"$work/cbr-report.err" ||
  fail "the export pass with a report exited with $? ($(cat "$work/cbr-report.err"))"
[ "$(grep -c '^QSO: ' "$work/cbr-report"/*.cbr)" -eq "$entries" ] ||
  fail "the export pass with a report wrote a Cabrillo file without one line a QSO"
grep -q "An export pass" "$work/cbr-report.html" || fail "the report does not say it is of an export pass"
# A report never takes the place of the log.
cp "$sample" "$work/log.adi"
status=0
"$tool" --cty "$cty" --workdir "$work/report" --report "$work/log.adi" "$work/log.adi" \
  >/dev/null 2>"$work/over.err" || status=$?
[ "$status" -eq 1 ] || fail "a report over the log exited with $status, not 1"
cmp -s "$sample" "$work/log.adi" || fail "the report overwrote the log"
grep -q "would overwrite an input file" "$work/over.err" || fail "unclear error: $(cat "$work/over.err")"

# Failures are reported as failures, with file and line.
printf 'log\n<EOH>\n<CALL:4>DL1A<QSO_DATE:8>20240316<TIME_ON:4>1299<MODE:4>RTTY<BAND:3>20m<EOR>\n' \
  >"$work/bad.adi"
status=0
"$tool" --cty "$cty" --workdir "$work/bad" "$work/bad.adi" >/dev/null 2>"$work/bad.err" || status=$?
[ "$status" -eq 1 ] || fail "a malformed log exited with $status, not 1"
grep -q "bad.adi:3: no such date or time" "$work/bad.err" || fail "unclear error: $(cat "$work/bad.err")"
status=0
"$tool" --cty "$cty" --lib "$work/no-such-module.so" --workdir "$work/bad" "$sample" \
  >/dev/null 2>&1 || status=$?
[ "$status" -eq 3 ] || fail "a missing module exited with $status, not 3"

echo "replay of $(basename "$sample"): $entries QSOs, $score"

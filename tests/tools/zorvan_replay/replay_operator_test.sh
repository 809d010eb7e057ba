#!/usr/bin/env bash
# zorvan-replay as an operator uses it, natively: run with no option in a folder laid out
# like the logger's, holding real-looking contest files, it changes none of them and
# works in a folder of its own; a folder it did not make is refused; the logger's
# settings give the Cabrillo header; other loggers' logs (Cabrillo with 13 fields and DG,
# ADIF, ADX) replay to one score with every non-scoring QSO listed with its reason;
# station options in any case; names in Cyrillic.
# Usage: replay_operator_test.sh TOOL SAMPLE.adi DATA_DIR WORKDIR
set -euo pipefail
tool=$1 sample=$2 data=$3 work=$4
fail() { echo "FAIL: $*" >&2; exit 1; }
score_of() { tr -d '\r' <"$1" | grep -E '^Score: ' || fail "no Score line in $1: $(head -c 500 "$2")"; }
rm -rf "$work"
mkdir -p "$work"

# A logger's folder after a contest: its ini, the module's settings with the operator's
# Cabrillo header and claimed score, the special calls, the contest's report and
# Cabrillo file, the log.
host=$work/Vorlog
mkdir -p "$host/Plugins"
printf '[Settings]\r\nVorlog=2.18\r\n' >"$host/Vevozi2.ini"
printf '[Settings]\r\nName=Ivan Petrov\r\nLoc=MO\r\nEmail=r3dzv@example.org\r\nClaimed=999\r\nsetup_switch_mode=1\r\n' \
  >"$host/Plugins/ZORVAN-DIGI.ini"
printf 'R26ZVN ZORVAN DIGITAL special event station, Moscow MO\r\n' >"$host/Plugins/call_special.dat"
printf 'ZORVAN-DIGI UBN file \r\nQSO:  14085  RTTY  2024-03-16 1205  R3DZV  599  MO  DL1ABC  599  001   DUPE !!!\r\n' \
  >"$host/BadQSO_ZedevIzuverUzaz_17_03_2024.txt"
printf 'START-OF-LOG: 3.0\r\nCONTEST: REVUZU-DUV\r\nCALLSIGN: R3DZV\r\nCLAIMED-SCORE: 999\r\nEND-OF-LOG:\r\n' \
  >"$host/R3DZV.cbr"
cp "$sample" "$host/mylog.adi"
(cd "$host" && find . -type f -print0 | sort -z | xargs -0 sha256sum) >"$work/before.sha256"
unchanged() {
  (cd "$host" && sha256sum --quiet -c "$work/before.sha256") >/dev/null 2>&1 ||
    fail "$1 changed the operator's files: $(cd "$host" && sha256sum -c "$work/before.sha256" 2>&1 | grep -v ': OK$')"
}

# With no option: the module beside the tool, the system's country file, a folder of its
# own beside the log, and the operator's files byte for byte as they were.
(cd "$host" && "$tool" mylog.adi >"$work/plain.out" 2>"$work/plain.err") ||
  fail "a replay with no option exited with $? ($(cat "$work/plain.err"))"
unchanged "a replay with no option"
score=$(score_of "$work/plain.out" "$work/plain.err")
"$tool" --workdir "$work/explicit" --call R3DZV --prefix UA --continent EU "$sample" \
  >"$work/explicit.out" 2>/dev/null
[ "$(score_of "$work/explicit.out" /dev/null)" = "$score" ] || fail "no-option score $score differs"
[ -s "$host/mylog-replay/BadQSO_ZedevIzuverUzaz_17_03_2024.txt" ] || fail "no report in mylog-replay"
grep -q "work folder $host/mylog-replay, a folder of its own" "$work/plain.err" || fail "it does not say where it works: $(cat "$work/plain.err")"
# Every non-scoring QSO with the module's reason, then the report's path.
dupes=$(grep -c 'DUPE !!!' "$host/mylog-replay/BadQSO_ZedevIzuverUzaz_17_03_2024.txt")
[ "$(grep -c '^      DUPE !!!$' "$work/plain.err")" -eq "$dupes" ] || fail "not every dupe is listed"
grep -q '^  mylog.adi:[0-9]*: .* rcvd 599 RR$' "$work/plain.err" || fail "no bad region listed with its line"
tail -n 1 "$work/plain.err" | grep -q "bad-QSO report $host/mylog-replay/BadQSO_" || fail "no report path at the end"

# A second run replaces its own output in the same folder.
(cd "$host" && "$tool" mylog.adi >/dev/null 2>"$work/again.err") || fail "second run: $(cat "$work/again.err")"
grep -q "work folder $host/mylog-replay, a folder of its own" "$work/again.err" || fail "second run moved: $(cat "$work/again.err")"
[ ! -e "$host/mylog-replay-2" ] || fail "second run made another folder"
unchanged "a second replay"

# A folder with the operator's files is refused, unless told to overwrite.
status=0
(cd "$host" && "$tool" --workdir . mylog.adi >/dev/null 2>"$work/refused.err") || status=$?
[ "$status" -eq 1 ] || fail "--workdir on the operator's folder exited with $status"
grep -q 'R3DZV.cbr' "$work/refused.err" && grep -q -- '--overwrite' "$work/refused.err" ||
  fail "unclear refusal: $(cat "$work/refused.err")"
unchanged "a refused replay"
mkdir -p "$work/theirs" && cp "$host/R3DZV.cbr" "$work/theirs/"
"$tool" --workdir "$work/theirs" --overwrite --cabrillo "$sample" >/dev/null 2>&1 || fail "--overwrite refused"
grep -q '^QSO:' "$work/theirs/R3DZV.cbr" || fail "--overwrite did not write the Cabrillo file"

# The logger's settings give the Cabrillo header; the originals are only read.
(cd "$host" && "$tool" --cabrillo mylog.adi >/dev/null 2>"$work/blank.err") || fail "--cabrillo failed"
grep -q 'blank.*--settings Plugins/ZORVAN-DIGI.ini' "$work/blank.err" ||
  fail "--cabrillo without settings does not say how to bring them: $(cat "$work/blank.err")"
(cd "$host" && "$tool" --cabrillo --settings Plugins/ZORVAN-DIGI.ini mylog.adi >/dev/null \
  2>"$work/settings.err") || fail "--settings failed: $(cat "$work/settings.err")"
cbr=$host/mylog-replay/R3DZV.cbr
for line in 'NAME: Ivan Petrov' 'LOCATION: MO' 'E-MAIL: r3dzv@example.org' 'CREATED-BY: Vorlog 2.18'; do
  grep -qxF "$line"$'\r' "$cbr" || fail "the Cabrillo header lacks '$line'"
done
unchanged "a replay with the logger's settings"
# The logger's folder names its settings too.
"$tool" --cabrillo --settings "$host" --workdir "$work/by-folder" "$sample" >/dev/null 2>&1 ||
  fail "--settings with the logger's folder failed"
grep -qxF 'NAME: Ivan Petrov'$'\r' "$work/by-folder/R3DZV.cbr" || fail "--settings FOLDER: not the operator's header"

# Other loggers' logs: the same QSOs as Cabrillo (13 fields, DG and PS, a transmitter
# column, another contest's name), ADIF and ADX give one score.
for f in cbr adi adx; do
  "$tool" --workdir "$work/other-$f" "$data/other-logger.$f" >"$work/other-$f.out" 2>"$work/other-$f.err" ||
    fail "other-logger.$f exited with $? ($(cat "$work/other-$f.err"))"
done
other=$(score_of "$work/other-cbr.out" "$work/other-cbr.err")
for f in adi adx; do
  [ "$(score_of "$work/other-$f.out" "$work/other-$f.err")" = "$other" ] ||
    fail "other-logger.$f scores differently from the Cabrillo log ($other)"
done
grep -qx 'zorvan-replay: this is a CQ-WW-RTTY log; it is scored as ZORVAN DIGITAL' "$work/other-cbr.err" ||
  fail "no warning about the other contest"
grep -q 'CQ-WW' "$work/other-adx.err" && fail "a warning for a log of this contest"
for reason in 'WRONG BAND !!!' 'WRONG MODE !!!' 'DUPE !!!' 'Russland Code Area is not acceptable !!!'; do
  grep -q "^      $reason\$" "$work/other-cbr.err" || fail "'$reason' not listed: $(cat "$work/other-cbr.err")"
done
grep -q '^  other-logger.cbr:13: QSO: 10140 RY ' "$work/other-cbr.err" || fail "the refused QSO's line is not shown"
grep -q '^  other-logger.adx:[0-9]*: Q1ABC$' "$work/other-adx.err" || fail "the unknown call is not listed"

# Station options in any case; a continent that is none is refused with the list.
"$tool" --workdir "$work/lower" --prefix ua --continent eu "$sample" >"$work/lower.out" 2>/dev/null
[ "$(score_of "$work/lower.out" /dev/null)" = "$score" ] || fail "--prefix ua --continent eu scores differently"
status=0
"$tool" --workdir "$work/europe" --continent Europe "$sample" >/dev/null 2>"$work/europe.err" || status=$?
[ "$status" -eq 2 ] && grep -q 'AF AN AS EU NA OC SA' "$work/europe.err" ||
  fail "--continent Europe: status $status, $(cat "$work/europe.err")"
[ ! -e "$work/europe" ] || fail "a refused option left a work folder"

# A folder given as the log.
status=0
"$tool" "$host" >/dev/null 2>"$work/folder.err" || status=$?
[ "$status" -eq 1 ] && grep -q 'is a folder, not a file' "$work/folder.err" ||
  fail "a folder as the log: status $status, $(cat "$work/folder.err")"

# A folder and a log named in Cyrillic.
cyr="$work/Журналы соревнований"
mkdir -p "$cyr"
cp "$sample" "$cyr/мой отчёт.adi"
"$tool" "$cyr/мой отчёт.adi" >"$work/cyr.out" 2>"$work/cyr.err" || fail "Cyrillic names: $(cat "$work/cyr.err")"
[ "$(score_of "$work/cyr.out" "$work/cyr.err")" = "$score" ] || fail "the Cyrillic copy scores differently"
[ -s "$cyr/мой отчёт-replay/BadQSO_ZedevIzuverUzaz_17_03_2024.txt" ] || fail "no report beside the Cyrillic log"

echo "operator's replay: $score with no option, operator's files unchanged; other loggers' logs: $other"

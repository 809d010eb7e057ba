#!/usr/bin/env bash
# Installs the release archive the way the operator's guide says and runs it under Wine:
# packs the archive from the Windows build (or takes ZIP), checks its name, contents and
# checksums, unpacks it into a fresh folder laid out like a host installation, starts the
# host stand-in there with the mode switch of the archive, then has a host-side program
# load Plugins\Stats.dll from that folder, score a log and find the module's files where
# the guide puts them. Then the archive's zorvan-replay.exe re-scores a log there with no
# option at all (its module and country file found beside it) and leaves every file of
# the logger's folder byte for byte as it was; the same from a folder and a log named in
# Cyrillic.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR WORK_DIR SAMPLE_LOG CTY_FILE [ZIP]
# ZIP (or the variable ZD_DIST_ZIP) is an archive made beforehand, as `make dist` checks
# the archive it ships; without it the test packs one from BUILD_DIR.
set -euo pipefail
src=$1 build=$2 work=$3 sample=$4 cty=$5 zip=${6:-${ZD_DIST_ZIP:-}}
wine_run=$src/scripts/wine-run.sh
fail() { echo "FAIL: $*" >&2; exit 1; }
# The Windows programs of this test's Wine prefix that are running, one command line each
# (Wine's own services left out).
running_programs() {
  local pid line
  for pid in $(pgrep -f '\.exe' || true); do
    [[ $(readlink "/proc/$pid/exe" 2>/dev/null || true) == *wine* ]] || continue
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=${WINEPREFIX:-}" || continue
    line=$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" || true)
    [[ -n $line && $line != *'windows\system32'* ]] && echo "$line"
  done
  return 0
}
program_runs() {  # NAME: a running program of the prefix is NAME
  local line
  while IFS= read -r line; do
    [[ ${line%% *} == *"$1" ]] && return 0
  done < <(running_programs)
  return 1
}
wait_until() {  # SECONDS COMMAND...: true once the command succeeds, false at the deadline
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

version=$(sed -n 's/^#define ZD_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/zd_version.h")
[ -n "$version" ] || fail "no version in $build/generated/zd_version.h"

rm -rf "$work"
mkdir -p "$work"
if [ -z "$zip" ]; then
  zip=$("$src/scripts/make-dist.sh" "$build" "$work/dist" --no-pictures)
fi
[ "$(basename "$zip")" = "zorvan-digi-$version-win32.zip" ] ||
  fail "the archive $(basename "$zip") is not named after version $version"

# The replay tool reports the same version as the archive's name.
replay_version=$("$wine_run" "$build/bin/zorvan-replay.exe" --version | tr -d '\r')
[ "$replay_version" = "zorvan-replay $version" ] ||
  fail "zorvan-replay --version says '$replay_version', the project is $version"

expected='Ext_zorvan_digi.exe
Plugins/
Plugins/Stats.dll
Plugins/call_special.dat
SHA256SUMS
ZORVAN-DIGI-LICENSE.txt
ZORVAN-DIGI-guide-en.html
ZORVAN-DIGI-guide-ru.html
cty-LICENSE.txt
cty.dat
zorvan-replay.exe'
contents=$(unzip -Z1 "$zip" | sort)
[ "$contents" = "$expected" ] || fail "the archive holds:
$contents
expected:
$expected"

# A host installation: the host (here its stand-in) with its ini and a Plugins folder.
host=$work/Vorlog
mkdir -p "$host/Plugins"
cp "$build/bin/hoststub.exe" "$host/"
printf '[Settings]\r\nVorlog=2.18\r\n' >"$host/Vevozi2.ini"
unzip -q "$zip" -d "$host"
(cd "$host" && sha256sum --quiet -c SHA256SUMS) || fail "the checksums do not match"

# The country file is Debian's, with its copyright notice and licence beside it.
cmp -s "$host/cty.dat" "$cty" || fail "the archive's cty.dat is not $cty"
grep -q '^Copyright ' "$host/cty-LICENSE.txt" && grep -q 'Permission is hereby granted' "$host/cty-LICENSE.txt" ||
  fail "cty-LICENSE.txt lacks the copyright line or the licence: $(head -c 600 "$host/cty-LICENSE.txt")"

# The example special-call list: call, blank, any text, region code last; CR LF lines.
lines=$(wc -l <"$host/Plugins/call_special.dat")
[ "$lines" -ge 3 ] || fail "call_special.dat has $lines lines"
bad=$(grep -cvE '^[A-Z0-9/]+ .* [A-Z]{2}'$'\r''$' "$host/Plugins/call_special.dat" || true)
[ "$bad" -eq 0 ] || fail "call_special.dat has $bad lines not in the form 'CALL text RR' with CR LF"

# The guides: self-contained, UTF-8 with its charset said, the version filled in.
for lang in en ru; do
  g=$host/ZORVAN-DIGI-guide-$lang.html
  iconv -f UTF-8 -t UTF-8 "$g" >/dev/null || fail "$g is not valid UTF-8"
  grep -q '<meta charset="utf-8">' "$g" || fail "$g does not say its character set"
  grep -q "<html lang=\"$lang\">" "$g" || fail "$g does not say its language"
  grep -q "version $version\|версия $version" "$g" || fail "$g does not name version $version"
  if grep -qE '(src|href)="(shots/|[a-z]+://|/)' "$g"; then
    fail "$g refers to a file or address outside itself"
  fi
done
grep -q 'Области России' "$host/ZORVAN-DIGI-guide-ru.html" || fail "the Russian guide lacks the module's texts"

# The mode switch of the archive, started beside the running host stand-in, switches
# the host to BPSK31 at once, as the guide says.
record=$work/host-record.txt
status=0
(cd "$host" && timeout 60 "$wine_run" hoststub.exe --log "$(winepath -w "$record")" \
  --do "start Ext_zorvan_digi.exe" --do "wait-macro <BAUDRATE:31> 10000" --do close \
  </dev/null >/dev/null 2>&1) || status=$?
[ "$status" -eq 0 ] || fail "the host stand-in ended with $status: $(cat "$record" 2>/dev/null)"
grep -q '^call ExecuteMacros <MODE:BPSK31>' "$record" ||
  fail "the mode switch sent no <MODE:BPSK31>: $(cat "$record")"
# It ends once its host has closed, as the guide says; the next host started here must not
# find it still running (it would take that host for its own).
mode_switch_ended() { ! program_runs Ext_zorvan_digi.exe; }
wait_until 10 mode_switch_ended ||
  fail "the mode switch still runs 10 s after its host closed: $(running_programs)"

# The module of the archive, loaded by the running host stand-in from Plugins: "SHOWINFO"
# opens the control window, which switches the host to RTTY as the guide says.
record=$work/host-module-record.txt
status=0
(cd "$host" && timeout 90 "$wine_run" hoststub.exe --log "$(winepath -w "$record")" \
  --do 'stats-load Plugins\Stats.dll' --do 'stats-command SHOWINFO' \
  --do 'wait-title "Setup ZORVAN-DIGI" 15000' --do 'wait-macro <BAUDRATE:45.45> 10000' \
  --do 'stats-command HIDEINFO' --do 'wait-no-title "Setup ZORVAN-DIGI" 10000' --do close \
  </dev/null >/dev/null 2>&1) || status=$?
[ "$status" -eq 0 ] || fail "the control window of the installed module did not open, or the host did not end ($status): $(tr "\n" " " <"$record" 2>/dev/null); still running: $(running_programs)"
grep -q "^stats loaded" "$record" || fail "the host stand-in did not load Plugins\Stats.dll: $(cat "$record")"
grep -q '^call ExecuteMacros <MODE:RTTY>' "$record" ||
  fail "the control window sent no <MODE:RTTY>: $(cat "$record")"

# The module, loaded from the host's folder as the host does.
status=0
(cd "$host" && timeout 120 "$wine_run" "$build/bin/zd_installed_module_check.exe") || status=$?
[ "$status" -eq 0 ] || fail "the installed module's checks failed ($status)"

for f in Plugins/ZORVAN-DIGI.ini BadQSO_ZedevIzuverUzaz_17_03_2024.txt R3DZV.cbr; do
  [ -s "$host/$f" ] || fail "$f is not in the host's folder"
done

# Re-scoring a log with the archive's zorvan-replay.exe as the guide says: in the logger's
# folder, which now holds the contest's files the module wrote there, with no option at
# all. None of those files may change, not by one byte.
cp "$sample" "$host/mylog.adi"
snapshot() { (cd "$host" && find . -type f ! -path './mylog-replay/*' -print0 | sort -z | xargs -0 sha256sum); }
snapshot >"$work/before.sha256"
unchanged() {
  snapshot >"$work/after.sha256"
  diff "$work/before.sha256" "$work/after.sha256" >"$work/changed.diff" ||
    fail "$1 changed the logger's files: $(cat "$work/changed.diff")"
}
replay() {  # OUT ERR ARGS...: the archive's program, run in the logger's folder
  local out=$1 err=$2 status=0
  shift 2
  (cd "$host" && timeout 120 "$wine_run" zorvan-replay.exe "$@" >"$out" 2>"$err") || status=$?
  return $status
}
# The logger (its stand-in) runs meanwhile, as it does when an operator re-scores during
# the contest: the replay's module must not open its windows and switch its modem.
record=$work/host-replay-record.txt
released=$work/replay-done
(cd "$host" && timeout 150 "$wine_run" hoststub.exe --log "$(winepath -w "$record")" \
  --do "wait-file \"$(winepath -w "$released")\" 140000" --do close </dev/null >/dev/null 2>&1) &
host_pid=$!
wait_until 30 grep -q '^ready' "$record" 2>/dev/null || fail "the host stand-in did not start: $(cat "$record" 2>/dev/null)"
status=0
replay "$work/rescore.out" "$work/rescore.err" mylog.adi || status=$?
touch "$released"
host_status=0
wait "$host_pid" || host_status=$?
[ "$status" -eq 0 ] || fail "zorvan-replay.exe mylog.adi ended with $status: $(cat "$work/rescore.err")"
[ "$host_status" -eq 0 ] || fail "the host stand-in ended with $host_status: $(cat "$record")"
if grep -q '^call \|^get ' "$record"; then
  fail "the replay's module reached the running logger: $(tr '\n' ' ' <"$record")"
fi
unchanged "zorvan-replay.exe mylog.adi"
score=$(tr -d '\r' <"$work/rescore.out" | grep -E '^Score: [0-9]+\*\([0-9]+\+[0-9]+\) = [1-9][0-9]*$') ||
  fail "zorvan-replay.exe printed no score: $(head -c 1000 "$work/rescore.out") $(cat "$work/rescore.err")"
if [ -x "${ZD_NATIVE_REPLAY:-}" ]; then
  native=$("$ZD_NATIVE_REPLAY" --workdir "$work/native" "$sample" 2>/dev/null | tr -d "\r" | grep "^Score: ")
  [ "$score" = "$native" ] || fail "the archive's replay says '$score', the native one '$native'"
fi
ls "$host/mylog-replay"/BadQSO_ZedevIzuverUzaz_*.txt >/dev/null 2>&1 ||
  fail "zorvan-replay.exe wrote no bad-QSO report into its own folder mylog-replay"
grep -q 'country file .*Vorlog\\cty\.dat' "$work/rescore.err" ||
  fail "the replay did not take the archive's cty.dat: $(cat "$work/rescore.err")"
grep -q 'DUPE !!!' "$work/rescore.err" || fail "the non-scoring QSOs are not listed: $(cat "$work/rescore.err")"

# The logger's folder itself is refused as a work folder.
status=0
replay "$work/refused.out" "$work/refused.err" --workdir . mylog.adi || status=$?
[ "$status" -eq 1 ] && grep -q -- '--overwrite' "$work/refused.err" ||
  fail "--workdir . in the logger's folder: status $status, $(cat "$work/refused.err")"
unchanged "a refused replay"

# The logger's settings, only read, give the Cabrillo header the operator's own file has.
status=0
replay "$work/settings.out" "$work/settings.err" --cabrillo --settings 'Plugins\ZORVAN-DIGI.ini' mylog.adi ||
  status=$?
[ "$status" -eq 0 ] || fail "--settings ended with $status: $(cat "$work/settings.err")"
unchanged "a replay with the logger's settings"
header() { sed -n '/^\(NAME\|LOCATION\|E-MAIL\|CLUB\|ADDRESS\|CREATED-BY\): /p' "$1"; }
[ -n "$(header "$host/R3DZV.cbr")" ] && [ "$(header "$host/mylog-replay/R3DZV.cbr")" = "$(header "$host/R3DZV.cbr")" ] ||
  fail "the replay's Cabrillo header differs from the logger's: $(header "$host/mylog-replay/R3DZV.cbr")"

# The archive unpacked into a folder named in Cyrillic, a log named in Cyrillic, on a
# system whose code page is not Cyrillic.
cyr="$work/Логгер ZORVAN"
mkdir -p "$cyr"
unzip -q "$zip" -d "$cyr"
cp "$sample" "$cyr/мой отчёт.adi"
acp=$(LC_ALL=C.UTF-8 "$wine_run" reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' \
  /v ACP </dev/null 2>/dev/null | tr -d '\r' | awk '$1 == "ACP" {print $3}')
[ -n "$acp" ] && [ "$acp" != 1251 ] || fail "the Wine code page is '$acp', not a Latin one: the test would prove nothing"
status=0
(cd "$cyr" && LC_ALL=C.UTF-8 timeout 120 "$wine_run" zorvan-replay.exe "мой отчёт.adi" \
  >"$work/cyr.out" 2>"$work/cyr.err") || status=$?
[ "$status" -eq 0 ] || fail "Cyrillic names (code page $acp): status $status, $(cat "$work/cyr.err")"
[ "$(tr -d '\r' <"$work/cyr.out" | grep '^Score: ')" = "$score" ] || fail "the Cyrillic run scores differently"
ls "$cyr/мой отчёт-replay"/BadQSO_ZedevIzuverUzaz_*.txt >/dev/null 2>&1 ||
  fail "no report in the Cyrillic work folder: $(ls "$cyr")"
echo "install: $(basename "$zip") ($(stat -c %s "$zip") bytes) installs, loads and scores; replay: $score, logger's files unchanged, Cyrillic names under code page $acp"

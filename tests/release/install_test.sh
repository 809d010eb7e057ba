#!/usr/bin/env bash
# Installs the release archive the way the operator's guide says and runs it under Wine:
# packs the archive from the Windows build (or takes ZIP), checks its name, contents and
# checksums, unpacks it into a fresh folder laid out like a host installation, starts the
# host stand-in there with the mode switch of the archive, then has a host-side program
# load Plugins\Stats.dll from that folder, score a log and find the module's files where
# the guide puts them.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR WORK_DIR SAMPLE_LOG CTY_FILE [ZIP]
# ZIP (or the variable ZD_DIST_ZIP) is an archive made beforehand, as `make dist` checks
# the archive it ships; without it the test packs one from BUILD_DIR.
set -euo pipefail
src=$1 build=$2 work=$3 sample=$4 cty=$5 zip=${6:-${ZD_DIST_ZIP:-}}
wine_run=$src/scripts/wine-run.sh
fail() { echo "FAIL: $*" >&2; exit 1; }

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

# The module of the archive, loaded by the running host stand-in from Plugins: "SHOWINFO"
# opens the control window, which switches the host to RTTY as the guide says.
record=$work/host-module-record.txt
status=0
(cd "$host" && timeout 90 "$wine_run" hoststub.exe --log "$(winepath -w "$record")" \
  --do 'stats-load Plugins\Stats.dll' --do 'stats-command SHOWINFO' \
  --do 'wait-title "Setup ZORVAN-DIGI" 15000' --do 'wait-macro <BAUDRATE:45.45> 10000' \
  --do 'stats-command HIDEINFO' --do 'wait-no-title "Setup ZORVAN-DIGI" 10000' --do close \
  </dev/null >/dev/null 2>&1) || status=$?
[ "$status" -eq 0 ] || fail "the control window of the installed module did not open ($status): $(tr "\n" " " <"$record" 2>/dev/null)"
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

# Re-scoring a log with the archive's zorvan-replay.exe, with the guide's command line.
cp "$cty" "$host/cty.dat"
cp "$sample" "$host/mylog.adi"
status=0
(cd "$host" && timeout 120 "$wine_run" zorvan-replay.exe --lib 'Plugins\Stats.dll' --cty cty.dat \
  --workdir rescore mylog.adi >"$work/rescore.out" 2>"$work/rescore.err") || status=$?
[ "$status" -eq 0 ] || fail "zorvan-replay.exe of the archive ended with $status: $(cat "$work/rescore.err")"
grep -q '^Score: [0-9]*\*([0-9]*+[0-9]*) = [1-9][0-9]*' "$work/rescore.out" ||
  fail "zorvan-replay.exe printed no score: $(head -c 1000 "$work/rescore.out")"
ls "$host/rescore"/BadQSO_ZedevIzuverUzaz_*.txt >/dev/null 2>&1 ||
  fail "zorvan-replay.exe wrote no bad-QSO report into its work folder"
echo "install: $(basename "$zip") ($(stat -c %s "$zip") bytes) installs, loads and scores"

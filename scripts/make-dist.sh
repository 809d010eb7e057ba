#!/usr/bin/env bash
# Packs the release archive from a built Windows folder:
#   OUT_DIR/zorvan-digi-VERSION-win32.zip
# laid out like the host's folder, so that it can be unpacked straight into it:
#   Plugins/Stats.dll                  the contest module
#   Plugins/call_special.dat           an example list of special calls
#   Ext_zorvan_digi.exe                the two-button mode switch
#   zorvan-replay.exe                  re-scores a finished log through the module
#   cty.dat                            the country file it reads (Debian's hamradio-files)
#   cty-LICENSE.txt                    that file's copyright notice and licence (MIT)
#   ZORVAN-DIGI-guide-en.html          the operator's guide, English
#   ZORVAN-DIGI-guide-ru.html          the operator's guide, Russian
#   ZORVAN-DIGI-LICENSE.txt            the licence
#   SHA256SUMS                         checksums of all the files above
# The version is the project's (zd_version.h of the build). Binaries are stripped of
# their symbols; every time in the archive is the time of the last commit, so packing the
# same build again gives the same archive byte for byte.
#
# Usage: scripts/make-dist.sh BUILD_DIR OUT_DIR [SHOTS_DIR | --no-pictures]
# The country file comes from the package hamradio-files (ZD_CTY_FILE and
# ZD_CTY_COPYRIGHT name other copies).
set -euo pipefail
export TZ=UTC
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:?build folder}" && pwd)
out=${2:?output folder}
shots=${3:-$root/out/screenshots}

fail() { echo "make-dist: $*" >&2; exit 1; }

version=$(sed -n 's/^#define ZD_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/zd_version.h")
[ -n "$version" ] || fail "no version in $build/generated/zd_version.h"
for f in Stats.dll Ext_zorvan_digi.exe zorvan-replay.exe; do
  [ -f "$build/bin/$f" ] || fail "$build/bin/$f is missing: build the windows preset first"
done
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")
[ -x "$strip" ] || strip=i686-w64-mingw32-strip

# The time of the last commit stands for every time in the archive: the binaries' header
# stamp (strip takes SOURCE_DATE_EPOCH) and the files' times.
epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)
export SOURCE_DATE_EPOCH=$epoch

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Plugins"
"$strip" -o "$stage/Plugins/Stats.dll" "$build/bin/Stats.dll"
"$strip" -o "$stage/Ext_zorvan_digi.exe" "$build/bin/Ext_zorvan_digi.exe"
"$strip" -o "$stage/zorvan-replay.exe" "$build/bin/zorvan-replay.exe"
cp "$root/samples/call_special.dat" "$stage/Plugins/call_special.dat"

# The country file, with its notice: the copyright line and the licence of the package's
# copyright file (its "Files: *" paragraph and the licence text it names).
cty=${ZD_CTY_FILE:-/usr/share/hamradio-files/cty.dat}
cty_copyright=${ZD_CTY_COPYRIGHT:-/usr/share/doc/hamradio-files/copyright}
[ -f "$cty" ] && [ -f "$cty_copyright" ] || fail "$cty or $cty_copyright is missing: install hamradio-files"
cp "$cty" "$stage/cty.dat"
cty_version=$(dpkg-query -W -f='${Version}' hamradio-files 2>/dev/null || echo unknown)
python3 - "$cty_copyright" "$cty_version" >"$stage/cty-LICENSE.txt" <<'PY' || fail "no licence in $cty_copyright"
import sys
paragraphs = [p.splitlines() for p in open(sys.argv[1], encoding="utf-8").read().split("\n\n")]
def field(p, name):
    lines = [l for l in p if l.startswith(name + ":")]
    return lines[0].split(":", 1)[1].strip() if lines else None
files = next(p for p in paragraphs if field(p, "Files") == "*")
copyright, licence = field(files, "Copyright"), field(files, "License")
text = next(p for p in paragraphs if field(p, "License") == licence and not field(p, "Files"))
body = [("" if l.strip() == "." else l[1:]) for l in text[1:]]
out = ["cty.dat, the country file that zorvan-replay.exe reads: every DXCC entity with its",
       "prefixes and continent, as Debian's package hamradio-files %s ships it." % sys.argv[2],
       "", copyright, "License: " + licence, ""] + body
sys.stdout.write("\r\n".join(out) + "\r\n")
PY
sed 's/$/\r/' "$root/LICENSE" >"$stage/ZORVAN-DIGI-LICENSE.txt"

guide_opts=()
if [ "$shots" = --no-pictures ]; then
  guide_opts=(--no-pictures)
  shots=
fi
for lang in en ru; do
  python3 "$here/build_guide.py" "${guide_opts[@]}" "$root/docs/guide/$lang/guide.html" "$shots" \
    "$version" "$stage/ZORVAN-DIGI-guide-$lang.html" || fail "the $lang guide could not be made"
done

files=(Plugins/Stats.dll Plugins/call_special.dat Ext_zorvan_digi.exe zorvan-replay.exe
       cty.dat cty-LICENSE.txt ZORVAN-DIGI-guide-en.html
       ZORVAN-DIGI-guide-ru.html ZORVAN-DIGI-LICENSE.txt)
(cd "$stage" && sha256sum "${files[@]}" >SHA256SUMS)

find "$stage" -exec touch -d "@$epoch" {} +

mkdir -p "$out"
zip_path=$(cd "$out" && pwd)/zorvan-digi-$version-win32.zip
rm -f "$zip_path"
(cd "$stage" && zip -q -X -9 "$zip_path" Plugins/ "${files[@]}" SHA256SUMS)
echo "$zip_path"

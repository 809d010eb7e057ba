# Sourced by the Wine scripts: one private 32-bit prefix per build folder.
# Usage: . scripts/wine-env.sh BUILD_DIR
zd_build_dir=$(cd "${1:?build folder}" && pwd)
export WINEPREFIX="$zd_build_dir/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Runs the calling script again under a virtual display, unless it is there already; a
# server of this prefix started without a display ends first (it must start with the
# display). Usage: zd_under_xvfb "$0" ARGS...
zd_under_xvfb() {
  [ -n "${ZD_UNDER_XVFB:-}" ] && return 0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  ZD_UNDER_XVFB=1 exec xvfb-run -a -s '-screen 0 1024x768x24' "$@"
}

# Sourced by the Wine scripts: one private 32-bit prefix per build folder.
# Usage: . scripts/wine-env.sh BUILD_DIR
zd_build_dir=$(cd "${1:?build folder}" && pwd)
export WINEPREFIX="$zd_build_dir/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

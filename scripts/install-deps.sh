#!/usr/bin/env bash
# Installs what the native and Windows builds and their tests need (Debian 12, as root).
# Idempotent: packages already present are skipped, so a second run takes seconds.
set -euo pipefail

native_pkgs=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev llvm
             clang-format hamradio-files zip unzip imagemagick python3)
# `make screenshots` also renders zorvan-check's pages and the after-contest report:
# `install-deps.sh screenshots`.
screenshot_pkgs=(chromium)
windows_pkgs=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine wine32:i386
              wine64 fonts-wine xvfb xauth x11-apps)

missing=()
check() {
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
}

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

check "${native_pkgs[@]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi
check "${windows_pkgs[@]}"
if [ "${1:-}" = screenshots ]; then
  check "${screenshot_pkgs[@]}"
fi

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

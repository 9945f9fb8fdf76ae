#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian 12 machine. Safe to run again:
# it does nothing (and prints nothing) when everything is already there. The x86_64 compiler
# and wine64 are for the 64-bit stand-in of the Windows tests, on kernels that cannot start
# 32-bit programs (scripts/test.sh decides at run time).
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

packages=(cmake g++ make googletest libgtest-dev
          g++-mingw-w64-i686-win32 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
          wine wine32:i386 wine64 xvfb xauth x11-utils xdotool imagemagick python3
          clang libclang-rt-14-dev mscompress nsis zip)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  [ "$(id -u)" -ne 0 ] && SUDO_ARCH="sudo" || SUDO_ARCH=""
  $SUDO_ARCH dpkg --add-architecture i386
fi
for p in "${packages[@]}"; do have_pkg "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "setup: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null

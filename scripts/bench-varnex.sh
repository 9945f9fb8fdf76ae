#!/usr/bin/env bash
# Start-up and pass timings of Varnex.exe under Wine, on the sample machine (sample/):
#  - start to shown window beside a bare Win32 window program, with the native window counts;
#  - the read and write passes beside a bare replay of the platform calls each one makes;
#  - the write pass with and without saving its backup;
#  - the steps of the program's start, each timed once.
# The timed programs are the i686 build (what ships) where 32-bit Wine runs, otherwise the
# 64-bit stand-in build of the same sources under 64-bit Wine; the output says which.
# Prints numbers only; it asserts nothing.
# Usage: scripts/bench-varnex.sh [runs]      (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-10}
jobs=${BENCH_JOBS:-2}
. scripts/wine-lib.sh
if wine32_runs; then
  build=build/win32 toolchain=cmake/mingw-i686.cmake
  echo "timed build: i686 (what ships) under 32-bit Wine"
else
  export WINEARCH=win64
  . scripts/wine-lib.sh
  build=build/win64 toolchain=cmake/mingw-x86_64.cmake
  echo "timed build: 64-bit stand-in (build/win64) under 64-bit Wine; this kernel cannot start"
  echo "32-bit Wine, so the i686 programs that ship are not the ones timed"
fi
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" --target varnex bare_window start_bench pass_bench backup_bench startup_profile >/dev/null

ensure_display
prefix=$root/build/bench-prefix
bash scripts/sample-prefix.sh "$root/$build/wine-template" "$prefix" \
  "$build/varnex/win32/Varnex.exe" >/dev/null
export WINEPREFIX=$prefix
progdir="$prefix/drive_c/Program Files/Varnex 2000"
dos() { echo "Z:${1//\//\\}"; }
bin=$root/$build/tests/bench
echo
timeout 600 "${WINELOADER:-wine}" "$bin/start_bench.exe" 'C:\Program Files\Varnex 2000\Varnex.exe' \
  "$(dos "$bin/bare_window.exe")" "$runs" | tr -d '\r'
echo
# A pass is short beside a start: five times the runs steady its figures.
(cd "$progdir" && timeout 600 "${WINELOADER:-wine}" "$bin/pass_bench.exe" $((runs * 5))) | tr -d '\r'
echo
(cd "$progdir" && timeout 600 "${WINELOADER:-wine}" "$bin/backup_bench.exe" $((runs * 3))) | tr -d '\r'
echo
(cd "$progdir" && timeout 600 "${WINELOADER:-wine}" "$bin/startup_profile.exe") | tr -d '\r'
wineserver -w
wine_prefix_drop "$prefix"

#!/usr/bin/env bash
# Builds everything and runs every test: the native suite (with sanitizers), then the Windows
# build, its import check and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

echo "== native build and tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native -j"$jobs" --output-on-failure

echo "== Windows build, tests under Wine"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win32 -j"$jobs"
. scripts/wine-lib.sh
if wine32_runs; then
  ensure_display
  ctest --test-dir build/win32 -j"$jobs" --output-on-failure
else
  echo "== WARNING: this machine's kernel runs no 32-bit Linux programs, so 32-bit Wine cannot"
  echo "== start (/usr/lib/wine/wineserver32: Exec format error). The Windows build and its"
  echo "== import checks run; the tests labelled 'wine' do not."
  ctest --test-dir build/win32 -j"$jobs" --output-on-failure -LE wine
fi

#!/usr/bin/env bash
# Start-up and pass timings of varnex.exe under Wine, beside a bare Win32 window program.
# Usage: scripts/bench-varnex.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32 -j"$(nproc)" --target start_bench >/dev/null
. scripts/wine-lib.sh
dos() { echo "Z:${1//\//\\}"; }
bin=$(pwd)/build/win32
scripts/wine-run.sh --template "$bin/wine-template" "$bin/tests/bench/start_bench.exe" \
  "$(dos "$bin/varnex/win32/Varnex.exe")" "$(dos "$bin/tests/bench/bare_window.exe")" "${1:-10}"

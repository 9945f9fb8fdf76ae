#!/usr/bin/env bash
# Every benchmark figure in one run: the sizes of the three shipped binaries against their
# budget, start to shown window of Varnex.exe beside a bare window program, the read and write
# passes beside a bare replay of their platform calls, and CPUSpeed against the kernel's TSC
# frequency. Prints numbers only; nothing here asserts a time.
# Usage: scripts/bench.sh [runs]      (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
jobs=${BENCH_JOBS:-2}
bash scripts/setup.sh
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
fi
export BENCH_JOBS=$jobs

echo "== sizes of what ships (i686 build, build/win32)"
[ -f build/win32/CMakeCache.txt ] ||
  cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win32 -j"$jobs" --target varnex pellimor tappolin >/dev/null
size_kb() { echo $(( ($(stat -c %s "$1") + 1023) / 1024 )); }
varnex=$(size_kb build/win32/varnex/win32/Varnex.exe)
pellimor=$(size_kb build/win32/cpuprobe/pellimor.dll)
tappolin=$(size_kb build/win32/autoconfirm/tappolin.exe)
printf '%-16s %8s %8s\n' "binary" "KB" "budget"
printf '%-16s %8d %8s\n' "Varnex.exe" "$varnex" ""
printf '%-16s %8d %8s\n' "pellimor.dll" "$pellimor" "64"
printf '%-16s %8d %8s\n' "tappolin.exe" "$tappolin" ""
printf '%-16s %8d %8s\n' "together" $((varnex + pellimor + tappolin)) "600"
echo

echo "== start-up and passes under Wine"
bash scripts/bench-varnex.sh "$runs"
echo

echo "== CPUSpeed against the kernel's TSC frequency"
bash scripts/bench-cpuprobe.sh "$runs"

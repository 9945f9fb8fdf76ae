#!/usr/bin/env bash
# Benchmark of pellimor's CPUSpeed: each run's result and duration, natively (libpellimor.so,
# no sanitizers) and under Wine (pellimor.dll), side by side with the kernel's own TSC
# frequency. Prints numbers only; it asserts nothing.
# Usage: scripts/bench-cpuprobe.sh [RUNS]      (default 10)
# Build directories: build/cpuprobe-bench (native) and build/cpuprobe-win32 (Windows), or
# CPUPROBE_NATIVE_BUILD / CPUPROBE_WIN32_BUILD. Where 32-bit Wine cannot start, the Windows side
# is the 64-bit stand-in build (build/cpuprobe-win64) under 64-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
native=${CPUPROBE_NATIVE_BUILD:-build/cpuprobe-bench}
. scripts/wine-lib.sh
if wine32_runs; then
  win32=${CPUPROBE_WIN32_BUILD:-build/cpuprobe-win32} toolchain=cmake/mingw-i686.cmake
  wine_kind="i686 pellimor.dll, 32-bit Wine"
else
  export WINEARCH=win64
  . scripts/wine-lib.sh
  win32=${CPUPROBE_WIN32_BUILD:-build/cpuprobe-win64} toolchain=cmake/mingw-x86_64.cmake
  wine_kind="64-bit stand-in pellimor.dll, 64-bit Wine (this kernel cannot start 32-bit Wine)"
fi
jobs=${CPUPROBE_JOBS:-2}

configure() {  # dir, extra cmake arguments
  local dir=$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
configure "$native" -DVARNEX_SANITIZE=OFF
configure "$win32" -DCMAKE_TOOLCHAIN_FILE=$toolchain
cmake --build "$native" -j"$jobs" --target pellimor pellimor-host >/dev/null
cmake --build "$win32" -j"$jobs" --target pellimor pellimor-host >/dev/null

# The kernel's TSC frequency: its refined calibration when it made one, else its first estimate.
kernel_tsc() {
  local log
  log=$( (dmesg 2>/dev/null || journalctl -k -q --no-pager 2>/dev/null || true) | grep 'tsc:' || true)
  local refined detected
  refined=$(sed -n 's/.*Refined TSC clocksource calibration: \([0-9.]*\) MHz.*/\1/p' <<<"$log" | tail -1)
  detected=$(sed -n 's/.*tsc: Detected \([0-9.]*\) MHz.*/\1/p' <<<"$log" | tail -1)
  if [ -n "$refined" ]; then echo "$refined refined calibration"
  elif [ -n "$detected" ]; then echo "$detected detected at boot"
  elif [ -r /sys/devices/system/cpu/cpu0/tsc_freq_khz ]; then
    awk '{printf "%.3f tsc_freq_khz\n", $1 / 1000}' /sys/devices/system/cpu/cpu0/tsc_freq_khz
  else echo "? not readable (dmesg restricted)"
  fi
}

native_out=$(mktemp)
wine_out=$(mktemp)
trap 'rm -f "$native_out" "$wine_out"' EXIT
"$native/cpuprobe/pellimor-host" --bench "$runs" | grep '^CPUSpeed run' >"$native_out"
(
  ensure_display
  scripts/wine-run.sh --template "$PWD/$win32/wine-template" \
      "$win32/cpuprobe/pellimor-host.exe" --bench "$runs"
) | tr -d '\r' | grep '^CPUSpeed run' >"$wine_out"

read -r tsc how <<<"$(kernel_tsc)"
echo "kernel TSC frequency: $tsc MHz ($how)"
echo "CPUSpeed, $runs runs each; Wine: $wine_kind"
paste "$native_out" "$wine_out" | awk -v tsc="$tsc" '
  # "CPUSpeed run N: M MHz in T ms" twice per line: native, then Wine.
  BEGIN { printf "%5s  %10s %10s %10s   %10s %10s %10s\n", "run", "native MHz", "vs kernel", "ms",
                 "Wine MHz", "vs kernel", "ms" }
  function diff(m) { return tsc ~ /^[0-9.]+$/ ? sprintf("%+.3f", m - tsc) : "?" }
  {
    n = $3; sub(":", "", n)
    printf "%5s  %10s %10s %10s   %10s %10s %10s\n", n, $4, diff($4), $7, $12, diff($12), $15
    ns += $4; nt += $7; ws += $12; wt += $15; count++
  }
  END {
    if (count) printf "%5s  %10.1f %10s %10.3f   %10.1f %10s %10.3f\n", "mean", ns / count,
                      diff(ns / count), nt / count, ws / count, diff(ws / count), wt / count
  }'

#!/usr/bin/env bash
# Runs Varnex 2000 on the bundled sample Windows 98 machine: installs what is missing, builds
# the Windows program, prepares a fresh Wine prefix holding the sample machine
# (build/run-prefix) and starts Varnex.exe from its program folder.
# With a display the program stays up until you close it. Without one it runs on a private
# Xvfb: the script waits for the main window, saves build/run-screenshot.png, closes the
# program and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
. scripts/wine-lib.sh

build=build/win32
toolchain=cmake/mingw-i686.cmake
if ! wine32_runs; then
  # A kernel that runs no 32-bit programs cannot start 32-bit Wine: run the x86_64 build of the
  # same sources under 64-bit Wine instead, as the test command does.
  echo "== 32-bit Wine cannot start on this machine: running the 64-bit stand-in build"
  export WINEARCH=win64
  . scripts/wine-lib.sh
  build=build/win64
  toolchain=cmake/mingw-x86_64.cmake
fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=$toolchain \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Every generator lists its targets' folders here; asking for a missing target would only
# produce make's or ninja's own error.
if ! grep -q '/varnex\.dir$' "$build/CMakeFiles/TargetDirectories.txt"; then
  echo "run: the build has no 'varnex' target yet: the main program is not part of the build," >&2
  echo "run: so there is nothing to run (bash scripts/test.sh builds and tests what exists)." >&2
  exit 1
fi
cmake --build "$build" --target varnex -j"$(nproc)" ||
  { echo "run: building varnex failed (see above)" >&2; exit 1; }
exe=$(find "$build" -path "$build/wine-template" -prune -o -iname varnex.exe -type f -print |
      head -n 1)
[ -n "$exe" ] || { echo "run: built 'varnex' but found no varnex.exe under $build" >&2; exit 1; }

prefix=$root/build/run-prefix
echo "== preparing the sample machine in $prefix"
bash scripts/sample-prefix.sh "$root/$build/wine-template" "$prefix" "$exe"
export WINEPREFIX=$prefix
progdir="$prefix/drive_c/Program Files/Varnex 2000"

if [ -n "${DISPLAY:-}" ]; then
  echo "== starting Varnex 2000 (close its window to end)"
  rc=0
  (cd "$progdir" && wine Varnex.exe) || rc=$?
  wineserver -w
  exit $rc
fi

ensure_display
shot=$root/build/run-screenshot.png
rm -f "$shot"
(cd "$progdir" && exec "${WINELOADER:-wine}" Varnex.exe) &
pid=$!
# The main window is class TForm1 titled "Varnex 2000"; X sees its title. A first start of
# the prefix takes a while, hence the long wait.
win=
for _ in $(seq 60); do
  win=$(xdotool search --name '^Varnex 2000$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 1
done
if [ -z "$win" ]; then
  echo "run: no 'Varnex 2000' window appeared within 60 s" >&2
  wineserver -k || true
  wait "$pid" 2>/dev/null || true
  exit 1
fi
sleep 2   # let the pages paint
import -window "$win" "$shot"
echo "$shot"

# Close it as a user would (Alt+F4 runs the close query, which writes Config.DAT); end the
# Wine session if that does not do it in time.
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --window "$win" alt+F4 2>/dev/null || true
for _ in $(seq 15); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "run: Varnex 2000 did not close after Alt+F4; ending the Wine session" >&2
  wineserver -k || true
fi
wait "$pid" 2>/dev/null || true
wineserver -w
exit 0

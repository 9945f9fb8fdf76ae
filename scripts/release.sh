#!/usr/bin/env bash
# Builds the Windows 98 release from the i686 build: the installer (with its uninstaller) and a
# zip of the three programs with Readme.txt, both checked for Windows 98, into build/release/.
# Usage: release.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
out=build/release

cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win32 -j"$jobs" --target varnex pellimor tappolin installer

rm -rf "$out"
mkdir -p "$out/zip"
cp build/win32/release/Varnex2000Setup.exe "$out/"
cp -p build/win32/varnex/win32/Varnex.exe build/win32/cpuprobe/pellimor.dll \
   build/win32/autoconfirm/tappolin.exe release/Readme.txt "$out/zip/"
# -X: no Unix owners or times beyond the DOS ones; Readme.txt goes in as it is, CR LF.
(cd "$out/zip" && zip -q -X -9 ../Varnex2000.zip Varnex.exe pellimor.dll tappolin.exe Readme.txt)
rm -rf "$out/zip"

exports=third_party/win98/exports.json
python3 scripts/check-win98-imports.py "$exports" build/win32/varnex/win32/Varnex.exe \
  build/win32/cpuprobe/pellimor.dll build/win32/autoconfirm/tappolin.exe
python3 scripts/check-installer.py "$exports" "$out/Varnex2000Setup.exe" build/win32/release/Uninstall.exe
python3 scripts/check-readme.py release/Readme.txt
echo "release: $out/Varnex2000Setup.exe $(stat -c %s "$out/Varnex2000Setup.exe") bytes," \
     "$out/Varnex2000.zip $(stat -c %s "$out/Varnex2000.zip") bytes"

#!/usr/bin/env bash
# The layering check must refuse what it exists to refuse: an include that runs upwards, one
# between the two bottom siblings, and a Windows header outside a win32/ folder.
set -u
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/settings" "$tree/ui" "$tree/app" "$tree/pages/win32"
echo '#include "app/main_window.h"' > "$tree/settings/up.h"
echo '#include "settings/rows.h"' > "$tree/ui/sideways.h"
echo '#include <windows.h>' > "$tree/app/platform.h"
echo '#include <windows.h>' > "$tree/pages/win32/fine.cpp"
echo '#include "settings/rows.h"' > "$tree/app/fine.cpp"
out=$(python3 "$check" "$tree")
rc=$?
echo "$out"
[ $rc -ne 0 ] || { echo "FAIL: the check passed a tree with upward includes"; exit 1; }
for want in "settings/up.h:1" "ui/sideways.h:1" "app/platform.h:1"; do
  grep -q "^$want:" <<<"$out" || { echo "FAIL: $want not reported"; exit 1; }
done
[ "$(grep -c . <<<"$out")" -eq 4 ] || { echo "FAIL: lines allowed by the layers were reported"; exit 1; }
echo ok

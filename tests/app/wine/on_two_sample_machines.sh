#!/usr/bin/env bash
# Runs profile_end_to_end on two sample machines of scripts/sample-prefix.sh, each with
# varnex.exe installed in its program folder: "save" on the first, then "apply" on the second
# with the first one's C:\room.ini and C:\machine-a.txt copied over.
# Usage: on_two_sample_machines.sh TEMPLATE varnex.exe driver.exe
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
root=$(readlink -f "$here/../../..")
. "$root/scripts/wine-lib.sh"
[ $# -eq 3 ] || { echo "usage: $0 TEMPLATE varnex.exe driver.exe" >&2; exit 2; }
tpl=$1 exe=$2 driver=$3

ensure_display || exit 1
first=$(mktemp -d /tmp/varnex-first.XXXXXX)
second=$(mktemp -d /tmp/varnex-second.XXXXXX)
trap 'wine_prefix_drop "$first"; wine_prefix_drop "$second"; [ -z "${VARNEX_XVFB_PID:-}" ] || kill "$VARNEX_XVFB_PID" 2>/dev/null' EXIT
for prefix in "$first" "$second"; do
  bash "$root/scripts/sample-prefix.sh" "$tpl" "$prefix" "$exe" >/dev/null || { echo "FAIL: sample-prefix.sh"; exit 1; }
done
program='C:\Program Files\Varnex 2000\Varnex.exe'

echo "first machine:"
WINEPREFIX=$first wine "$driver" save "$program"
rc_first=$?
WINEPREFIX=$first wineserver -w
for f in room.ini machine-a.txt; do
  cp "$first/drive_c/$f" "$second/drive_c/$f" || { echo "FAIL: the first machine left no $f"; exit 1; }
done

echo "second machine:"
WINEPREFIX=$second wine "$driver" apply "$program"
rc_second=$?
WINEPREFIX=$second wineserver -w
exit $((rc_first + rc_second))

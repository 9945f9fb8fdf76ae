#!/usr/bin/env bash
# Runs an end-to-end driver on the sample machine of scripts/sample-prefix.sh, with varnex.exe
# installed in its program folder; the driver gets the program's DOS path.
# Usage: on_sample_machine.sh TEMPLATE varnex.exe driver.exe
# VARNEX_SHOTS=DIR saves a screenshot DIR/NAME.png whenever the driver prints "shot NAME".
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
root=$(readlink -f "$here/../../..")
. "$root/scripts/wine-lib.sh"
[ $# -eq 3 ] || { echo "usage: $0 TEMPLATE varnex.exe driver.exe" >&2; exit 2; }
tpl=$1 exe=$2 driver=$3

ensure_display || exit 1
prefix=${VARNEX_PREFIX:-$(mktemp -d /tmp/varnex-e2e.XXXXXX)}
# ensure_display's own trap stops its X server; this one also drops the throwaway prefix.
trap '[ -n "${VARNEX_PREFIX:-}" ] || wine_prefix_drop "$prefix"; [ -z "${VARNEX_XVFB_PID:-}" ] || kill "$VARNEX_XVFB_PID" 2>/dev/null' EXIT
bash "$root/scripts/sample-prefix.sh" "$tpl" "$prefix" "$exe" >/dev/null || { echo "FAIL: sample-prefix.sh"; exit 1; }
export WINEPREFIX=$prefix
shots=${VARNEX_SHOTS:-}
[ -z "$shots" ] || mkdir -p "$shots"
# Line by line as the driver prints them: a screenshot must be taken while the driver waits.
wine "$driver" 'C:\Program Files\Varnex 2000\Varnex.exe' | while IFS= read -r line; do
  line=${line%$'\r'}
  echo "$line"
  case $line in
    "shot "*) [ -z "$shots" ] || import -window root "$shots/${line#shot }.png" ;;
  esac
done
rc=${PIPESTATUS[0]}
wineserver -w
exit "$rc"

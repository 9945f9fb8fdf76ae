#!/usr/bin/env bash
# Imports a REGEDIT4 fixture with Wine's own regedit into a fresh prefix, then checks that the
# registry holds what our fixture loader puts into the memory registry.
# Usage: regedit_import.sh TEMPLATE_PREFIX regedit_agreement.exe file.reg
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
. "$here/../../../scripts/wine-lib.sh"
tpl=$1 checker=$2 reg=$3

wine_template "$tpl"
ensure_display
prefix=$(mktemp -d /tmp/varnex-regedit.XXXXXX)
trap 'wine_prefix_drop "$prefix"' EXIT
wine_prefix_copy "$tpl" "$prefix"
export WINEPREFIX=$prefix
wine regedit /S "$(winepath -w "$reg")"
wineserver -w
wine "$checker" "$(winepath -w "$reg")"

#!/usr/bin/env bash
# Runs one Windows program of the test build under Wine, in a throwaway copy of the prepared
# prefix, and returns its exit code.
# Usage: wine-run.sh --template DIR program.exe [args...]
# VARNEX_PREFIX=DIR keeps the copy at DIR afterwards (for tests that inspect it).
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
. "$here/wine-lib.sh"

[ "${1:-}" = "--template" ] || { echo "usage: $0 --template DIR program [args]" >&2; exit 2; }
tpl=$2; shift 2

wine_template "$tpl" || exit 1
ensure_display || exit 1
prefix=${VARNEX_PREFIX:-$(mktemp -d /tmp/varnex-wine.XXXXXX)}
wine_prefix_copy "$tpl" "$prefix"
WINEPREFIX=$prefix wine "$@"
rc=$?
WINEPREFIX=$prefix wineserver -w
[ -n "${VARNEX_PREFIX:-}" ] || wine_prefix_drop "$prefix"
exit $rc

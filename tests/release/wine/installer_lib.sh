# What the installer's Wine tests share. Source it with the prepared template prefix as its one
# argument: it makes a private copy of the sample machine (scripts/sample-prefix.sh) without the
# program it comes with, as before Varnex 2000 was installed, sets WINEPREFIX to it, and drops
# it and any X server of its own when the test ends. Then: the paths the installer writes to,
# fail/ok lines counted in $failures, and a few readers.
here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
root=$(readlink -f "$here/../../..")
. "$root/scripts/wine-lib.sh"

ensure_display || exit 1
prefix=$(mktemp -d /tmp/varnex-install.XXXXXX)
# ensure_display's own trap stops its X server; this one also drops the throwaway prefix.
trap 'wine_prefix_drop "$prefix"; [ -z "${VARNEX_XVFB_PID:-}" ] || kill "$VARNEX_XVFB_PID" 2>/dev/null' EXIT
bash "$root/scripts/sample-prefix.sh" "$1" "$prefix" >/dev/null || { echo "FAIL: sample-prefix.sh"; exit 1; }
export WINEPREFIX=$prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

c=$prefix/drive_c
windir=$c/windows
prog="$c/Program Files/Varnex 2000"
prog_dos='C:\Program Files\Varnex 2000'
menu="$windir/Start Menu/Programs/Varnex 2000"
menu_dos='C:\windows\Start Menu\Programs\Varnex 2000'
desktop=$windir/Desktop
quick="$windir/Application Data/Microsoft/Internet Explorer/Quick Launch"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

files_in() { (cd "$1" 2>/dev/null && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' '); }
reg_value() { wine reg query "$key\\Varnex 2000" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^    $1    REG_SZ    //p"; }
export_uninstall_key() { rm -f "$c/key.reg"; wine reg export "$key" 'C:\key.reg' /y >/dev/null 2>&1; cat "$c/key.reg"; }

# The sample machine holds the program already installed: take that away again.
rm -rf "$prog" "$menu"
wine reg delete "$key\\Varnex 2000" /f >/dev/null 2>&1

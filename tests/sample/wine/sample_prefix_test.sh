#!/usr/bin/env bash
# Prepares a sample-machine prefix (without the program) and checks what Wine sees in it.
# Usage: sample_prefix_test.sh TEMPLATE_PREFIX link_target.exe
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
root=$(readlink -f "$here/../../..")
. "$root/scripts/wine-lib.sh"
tpl=$1 checker=$2

prefix=$(mktemp -d /tmp/varnex-sample.XXXXXX)
trap 'wine_prefix_drop "$prefix"' EXIT
bash "$root/scripts/sample-prefix.sh" "$tpl" "$prefix" || { echo "FAIL: sample-prefix.sh"; exit 1; }
export WINEPREFIX=$prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Imported values, one per page family: key | value | type | data as reg query prints it.
while IFS='|' read -r key value type data; do
  line=$(wine reg query "$key" /v "$value" 2>/dev/null | tr -d '\r' | grep -F "    $value    ")
  expected="    $value    $type    $data"
  [ "$line" = "$expected" ] || fail "$key\\$value: got '${line}', expected '${expected}'"
done <<'TABLE'
HKLM\System\CurrentControlSet\Services\Class\Net\0000|DriverDesc|REG_SZ|Dial-Up Adapter
HKLM\System\CurrentControlSet\Services\Class\Net\0001|IPMTU|REG_SZ|1500
HKLM\System\CurrentControlSet\Services\VxD\NWLink\Ndi\params\maxconnect|max|REG_SZ|64
HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer|NoDriveTypeAutoRun|REG_BINARY|95000000
HKU\.DEFAULT\Software\Microsoft\Windows\CurrentVersion\Explorer|link|REG_BINARY|0B000000
HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnex 2000|UninstallString|REG_SZ|C:\Program Files\Varnex 2000\Uninstall.exe
HKCU\Software\Wine|Version|REG_SZ|win98
TABLE
# The import reached the saved registry, not only the running server.
grep -q 'Services\\\\Class\\\\Net\\\\0002' "$prefix/system.reg" || fail "system.reg lacks the imported adapters"

c=$prefix/drive_c
grep -q $'^\\[Options\\]\r$' "$c/MSDOS.SYS" || fail "C:\\MSDOS.SYS has no [Options] line with CR LF"
# SYSTEM.INI: the sample's sections, and Wine's own [mci] and [drivers32] kept.
ini=$c/windows/system.ini
for section in boot 386Enh vcache mci drivers32; do
  grep -q "^\\[$section\\]"$'\r$' "$ini" || fail "system.ini lacks [$section]"
done
[ "$(ls "$c/windows" | grep -ci '^system\.ini$')" = 1 ] || fail "more than one system.ini"

config="$c/Program Files/Varnex 2000/Config.DAT"
[ "$(stat -c %s "$config" 2>/dev/null)" = 20 ] || fail "Config.DAT is not 20 bytes"
records=$(od -An -tu4 -v "$config" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
[ "$(echo "$records" | cut -d' ' -f3)" = 1 ] || fail "Config.DAT record 3 is not 1 (records: $records)"
[ -f "$c/Program Files/Varnex 2000/Readme.txt" ] || fail "no Readme.txt in the program folder"

link='C:\windows\Start Menu\Programs\Varnex 2000\Uninstall.lnk'
got=$(wine "$checker" "$link" | tr -d '\r')
expected=$'C:\\Program Files\\Varnex 2000\\Uninstall.exe\nC:\\Program Files\\Varnex 2000'
[ "$got" = "$expected" ] || fail "Uninstall.lnk as the shell reads it: '$got'"

[ $failures -eq 0 ] && echo "sample prefix: all checks passed"
exit $((failures > 0))

#!/usr/bin/env bash
# The installer's round trip on the sample machine (without the program, as before it was
# installed): silent install, a first start and close of Varnex 2000, the shortcuts of its
# "Varnex" page, silent uninstall. Nothing of ours may stay behind; the user's settings, files
# and saved backups must.
# Usage: installer_test.sh TEMPLATE installer.exe uninstaller.exe start_and_close.exe
#                          link_target.exe Readme.txt
#   uninstaller.exe  the uninstaller makensis handed over at build time: the one installed must
#                    be the same file, or its import check would say nothing
set -uo pipefail
[ $# -eq 6 ] || { echo "usage: $0 TEMPLATE installer uninstaller starter link_target Readme.txt" >&2; exit 2; }
tpl=$1 installer=$2 uninstaller=$3 starter=$4 link_reader=$5 readme=$6
. "$(dirname "$(readlink -f "$0")")/installer_lib.sh" "$tpl"

config_hex() { od -An -tx1 -v "$prog/Config.DAT" 2>/dev/null | tr -d ' \n'; }
link_of() { wine "$link_reader" "$1" | tr -d '\r' | tr '\n' '|'; }
fingerprint() { md5sum "$c/MSDOS.SYS" "$windir/system.ini" | cut -d' ' -f1; export_uninstall_key | md5sum; }

# Files of the user's own beside ours in the shared folders.
for folder in "$desktop" "$quick" "$windir/Start Menu/Programs"; do
  python3 "$root/scripts/make-lnk.py" "$folder/Letters.lnk" 'C:\windows\notepad.exe' 'C:\'
done
wineserver -w
before=$(fingerprint)

# -- Install.
wine "$installer" /S
rc=$?
wineserver -w
[ $rc -eq 0 ] || fail "the installer ended with $rc"
expected_files='Config.DAT Readme.txt Uninstall.exe Varnex.exe pellimor.dll tappolin.exe '
[ "$(files_in "$prog")" = "$expected_files" ] || fail "program folder after install: '$(files_in "$prog")'"
cmp -s "$readme" "$prog/Readme.txt" || fail "the installed Readme.txt differs from the shipped one"
cmp -s "$uninstaller" "$prog/Uninstall.exe" || fail "the installed uninstaller is not the one checked at build time"
# Records 2000, 98, 1, 11, 0: the first start saves the uninstall shortcut.
first_run_config=d007000062000000010000000b00000000000000
[ "$(config_hex)" = "$first_run_config" ] || fail "Config.DAT after install: $(config_hex)"
[ "$(files_in "$menu")" = "Uninstall.lnk " ] || fail "start menu folder after install: '$(files_in "$menu")'"
got=$(link_of "$menu_dos\\Uninstall.lnk")
[ "$got" = "$prog_dos\\Uninstall.exe|$prog_dos|" ] || fail "start menu Uninstall.lnk: '$got'"
[ "$(reg_value DisplayName)" = "Varnex 2000" ] || fail "DisplayName: '$(reg_value DisplayName)'"
uninstall_command=$(reg_value UninstallString)
[ "$uninstall_command" = "\"$prog_dos\\Uninstall.exe\"" ] || fail "UninstallString: '$uninstall_command'"
[ $failures -eq 0 ] && ok "installed: files, Config.DAT, start menu shortcut, uninstall entry"

# -- First start and close.
wine "$starter" "$prog_dos\\Varnex.exe" || fail "Varnex 2000 did not start and close (see above)"
wineserver -w
[ "$(config_hex)" = "${first_run_config:0:16}00${first_run_config:18}" ] ||
  fail "Config.DAT after the first run: $(config_hex) (record 3 must be 0, the rest unchanged)"
cmp -s "$menu/Uninstall.lnk" "$prog/Uninstall.lnk" || fail "the first run did not save the uninstall shortcut"

# -- What the program's "Varnex" page makes, and a backup of the user's settings.
python3 "$root/scripts/make-lnk.py" "$desktop/Varnex 2000.lnk" "$prog_dos\\Varnex.exe" "$prog_dos"
python3 "$root/scripts/make-lnk.py" "$quick/Varnex 2000.lnk" "$prog_dos\\Varnex.exe" "$prog_dos"
python3 "$root/scripts/make-lnk.py" "$menu/Varnex 2000.lnk" "$prog_dos\\Varnex.exe" "$prog_dos"
python3 "$root/scripts/make-lnk.py" "$menu/Readme.lnk" "$prog_dos\\Readme.txt" "$prog_dos"
python3 "$root/scripts/make-lnk.py" "$menu/Uninstall.lnk" "$prog_dos\\Uninstall.lnk" "$prog_dos"
mkdir -p "$prog/Backup"
printf 'REGEDIT4\r\n' > "$prog/Backup/settings.reg"

# -- Uninstall, as the system's list of programs would run it. The uninstaller runs from a
# copy in the temporary folder; wineserver -w waits for that copy too.
uninstall_exe=${uninstall_command//\"/}
wine "$uninstall_exe" /S
rc=$?
wineserver -w
[ $rc -eq 0 ] || fail "the uninstaller ended with $rc"
[ "$(files_in "$prog")" = "Backup Backup/settings.reg " ] ||
  fail "program folder after uninstall: '$(files_in "$prog")' (only the Backup folder may stay)"
[ -e "$menu" ] && fail "the start menu folder is still there: '$(files_in "$menu")'"
[ -e "$desktop/Varnex 2000.lnk" ] && fail "the desktop shortcut is still there"
[ -e "$quick/Varnex 2000.lnk" ] && fail "the quick-launch shortcut is still there"
wine reg query "$key\\Varnex 2000" >/dev/null 2>&1 && fail "the uninstall entry is still there"
leftovers=$(find "$c" -iname '*varnex*' ! -path "$prog" ! -path "$prog/*" 2>/dev/null)
[ -z "$leftovers" ] || fail "left on drive C: $leftovers"
for folder in "$desktop" "$quick" "$windir/Start Menu/Programs"; do
  [ -f "$folder/Letters.lnk" ] || fail "the user's own $folder/Letters.lnk is gone"
done
[ "$(fingerprint)" = "$before" ] || fail "MSDOS.SYS, SYSTEM.INI or the other uninstall entries changed"
[ $failures -eq 0 ] && ok "uninstalled: nothing of ours left, the user's files, settings and backups kept"

[ $failures -eq 0 ] && echo "installer round trip: all checks passed"
exit $((failures > 0))

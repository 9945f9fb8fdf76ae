#!/usr/bin/env bash
# Setup and the uninstaller while Varnex 2000 or tappolin runs, on the sample machine with an
# earlier installation: run silently, they must end with a non-zero code and change nothing.
# Once the program is closed, both go ahead. The running copy starts from a folder of its own,
# so no installed file is in use and only the installer's own look for the program can stop it.
# Usage: running_program_test.sh TEMPLATE installer.exe while_running.exe
set -uo pipefail
[ $# -eq 3 ] || { echo "usage: $0 TEMPLATE installer while_running" >&2; exit 2; }
tpl=$1 installer=$2 while_running=$3
. "$(dirname "$(readlink -f "$0")")/installer_lib.sh" "$tpl"

# Every installed file by its content, the start menu folder and the uninstall entry.
state() {
  (cd "$prog" 2>/dev/null && find . -type f | LC_ALL=C sort | while IFS= read -r f; do md5sum "$f"; done)
  files_in "$menu"
  export_uninstall_key | md5sum
}

# The earlier installation: a Readme.txt that setup writes over, as it does the state file.
cp "$installer" "$c/Setup.exe"
setup='"C:\Setup.exe" /S'
wine "$c/Setup.exe" /S
rc=$?
wineserver -w
[ $rc -eq 0 ] || { fail "the first install ended with $rc"; exit 1; }
printf 'The Readme of an earlier version\r\n' > "$prog/Readme.txt"
# Run in place (_?=), the uninstaller ends with its own exit code instead of handing over to a
# copy of itself in the temporary folder.
uninstall="\"$prog_dos\\Uninstall.exe\" /S _?=$prog_dos"

elsewhere=$c/Elsewhere
mkdir -p "$elsewhere"
cp "$prog/Varnex.exe" "$prog/tappolin.exe" "$elsewhere/"
head -c 20 /dev/zero > "$elsewhere/Config.DAT"

before=$(state)
# program|window class|window title ("-": any)
for running in 'Varnex.exe|TForm1|Varnex 2000' 'tappolin.exe|TappolinClass|-'; do
  IFS='|' read -r program cls title <<<"$running"
  for command in "$setup" "$uninstall"; do
    what="${command%% /S*} while $program runs"
    failed_before=$failures
    out=$(wine "$while_running" "C:\\Elsewhere\\$program" "$cls" "$title" "$command" </dev/null)
    rc=$?
    out=${out//$'\r'/}
    wineserver -w
    code=$(sed -n 's/^exit code //p' <<<"$out")
    if [ $rc -ne 0 ] || [ -z "$code" ]; then
      fail "$what: could not be run"
      echo "$out"
    elif [ "$code" -eq 0 ]; then
      fail "$what: ended with 0"
    fi
    [ "$(state)" = "$before" ] || fail "$what: the installation changed"
    [ $failures -eq $failed_before ] && ok "$what: ended with $code, nothing changed"
  done
done

# Nothing runs any more: both go ahead.
wine "$c/Setup.exe" /S
rc=$?
wineserver -w
[ $rc -eq 0 ] || fail "setup ended with $rc once nothing ran"
grep -q 'earlier version' "$prog/Readme.txt" && fail "setup did not write the new Readme.txt once nothing ran"
wine "$prog/Uninstall.exe" /S "_?=$prog_dos"
rc=$?
wineserver -w
[ $rc -eq 0 ] || fail "the uninstaller ended with $rc once nothing ran"
[ -e "$prog/Varnex.exe" ] && fail "the uninstaller left Varnex.exe once nothing ran"

[ $failures -eq 0 ] && echo "installing over a running program: all checks passed"
exit $((failures > 0))

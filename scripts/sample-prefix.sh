#!/usr/bin/env bash
# Makes DEST a Wine prefix holding the sample Windows 98 machine of sample/: a copy of the
# prepared template (which already reports Windows 98) with the sample's C:\MSDOS.SYS,
# SYSTEM.INI and registry, the per-machine shell folders of the 98 family, and the installed
# program folder C:\Program Files\Varnex 2000 with its start-menu uninstall shortcut.
# Usage: sample-prefix.sh TEMPLATE DEST [FILE...]
#   FILE...  copied into the program folder (varnex.exe becomes Varnex.exe); a missing one is
#            skipped with a note.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
root=$(dirname "$here")
sample=$root/sample
. "$here/wine-lib.sh"

[ $# -ge 2 ] || { echo "usage: $0 TEMPLATE DEST [FILE...]" >&2; exit 2; }
# Wine wants absolute prefix paths.
tpl=$(readlink -m "$1") dest=$(readlink -m "$2")
shift 2

wine_template "$tpl"
wine_prefix_drop "$dest"
wine_prefix_copy "$tpl" "$dest"
export WINEPREFIX=$dest

c=$dest/drive_c
windir=$c/windows   # Wine's C:\windows; its lookups ignore case, so C:\WINDOWS paths find it

# Boot options file, read-only as setup leaves it (Wine takes a missing write bit for
# read-only; the program sets the file's attributes itself at start).
cp "$sample/MSDOS.SYS" "$c/MSDOS.SYS"
chmod a-w "$c/MSDOS.SYS"

# Wine's own system.ini holds only [mci] and [drivers32], its MCI and codec driver lists, and
# nothing the pages read: the sample's sections come first, then every Wine section the sample
# lacks, so Wine's multimedia set-up stays as Wine made it.
python3 - "$sample/SYSTEM.INI" "$windir/system.ini" <<'EOF'
import re, sys
sample_path, wine_path = sys.argv[1], sys.argv[2]
sample = open(sample_path, "rb").read().decode("cp1252")
wine = open(wine_path, "rb").read().decode("cp1252")

def sections(text):
    names, current, lines = [], None, {}
    for line in text.splitlines():
        m = re.match(r"\s*\[([^\]]*)\]", line)
        if m:
            current = m.group(1).strip().lower()
            names.append(current)
            lines[current] = [line]
        elif current is not None:
            lines[current].append(line)
    return names, lines

have, _ = sections(sample)
wine_names, wine_lines = sections(wine)
out = sample.splitlines()
for name in wine_names:
    if name not in have:
        out += [""] + wine_lines[name]
open(wine_path, "wb").write(("\r\n".join(out) + "\r\n").encode("cp1252"))
EOF

# Shell folders of the Windows directory that the 98 family keeps per machine.
mkdir -p "$windir/Desktop" "$windir/Start Menu/Programs" \
         "$windir/Application Data/Microsoft/Internet Explorer/Quick Launch"

# The installed program.
prog="$c/Program Files/Varnex 2000"
mkdir -p "$prog"
for f in "$@"; do
  if [ -f "$f" ]; then
    name=$(basename "$f")
    [ "${name,,}" = varnex.exe ] && name=Varnex.exe   # the build names it in lower case
    cp "$f" "$prog/$name"
  else
    echo "sample-prefix: $f not found, the program folder goes without it" >&2
  fi
done
cp "$root/release/Readme.txt" "$prog/Readme.txt"
# Config.DAT as the installer writes it: five 32-bit little-endian records 2000, 98, 1, 11, 0;
# record 3 = 1 makes the first start copy the uninstall shortcut into the program folder.
printf '\xd0\x07\x00\x00\x62\x00\x00\x00\x01\x00\x00\x00\x0b\x00\x00\x00\x00\x00\x00\x00' \
  > "$prog/Config.DAT"

mkdir -p "$windir/Start Menu/Programs/Varnex 2000"
python3 "$here/make-lnk.py" "$windir/Start Menu/Programs/Varnex 2000/Uninstall.lnk" \
  'C:\Program Files\Varnex 2000\Uninstall.exe' 'C:\Program Files\Varnex 2000'

wine regedit /S "$(winepath -w "$sample/registry.reg")"
# The registry reaches system.reg / user.reg only when the server has written it out.
wineserver -w

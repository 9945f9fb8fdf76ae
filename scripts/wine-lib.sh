# Shared by the scripts that run our Windows programs under Wine. Source it; it defines:
#   wine_template DIR        prepare (once, under a lock) a prefix that reports Windows 98:
#                            32-bit, or 64-bit with WINEARCH=win64 (the stand-in build's tests)
#   wine_prefix_copy TPL DIR make DIR a private copy of the prepared prefix
#   wine_prefix_drop DIR     stop the prefix's wineserver and remove it
#   ensure_display           start an Xvfb when there is no display, stopped when the shell exits
#   wine32_runs              true when the kernel lets 32-bit Wine start (some kernels run only
#                            64-bit programs; execve of an i386 program then fails)

export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=${WINEARCH:-win32}

# Debian's wine wrapper (and wineboot, winepath through it) starts the 32-bit loader whenever it
# is installed, even where the kernel cannot run it: a 64-bit prefix gets the 64-bit loader.
if [ "$WINEARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  wine() { "$WINELOADER" "$@"; }
  wineboot() { "$WINELOADER" wineboot.exe "$@"; }
  winepath() { "$WINELOADER" winepath.exe "$@"; }
fi
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wine_template() {
  local tpl
  tpl=$(readlink -m "$1")  # Wine refuses a relative WINEPREFIX
  mkdir -p "$(dirname "$tpl")"
  (
    flock 9
    # .ready2: a template made before the FS Templates key was added is made again.
    [ -f "$tpl/.ready2" ] && exit 0
    rm -rf "$tpl"
    WINEPREFIX=$tpl wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX=$tpl wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null 2>&1
    # Every Windows 98 machine has the file system templates key (the File-Cache page writes it).
    WINEPREFIX=$tpl wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\FS Templates' /f >/dev/null 2>&1
    WINEPREFIX=$tpl wineserver -w
    [ -f "$tpl/system.reg" ] || { echo "wine: could not prepare a prefix in $tpl" >&2; exit 1; }
    touch "$tpl/.ready2"
  ) 9>"$tpl.lock"
}

# The prefix is ~600 MB of DLLs that nothing writes: hard-link those, copy everything else
# (registry, INI and boot files are rewritten in place and must never reach the template).
wine_prefix_copy() {
  local tpl dir
  tpl=$(readlink -m "$1")
  dir=$(readlink -m "$2")
  rm -rf "$dir"
  cp -al "$tpl" "$dir"
  find "$dir" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.nls' \
      -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb' -o -iname '*.ax' \
      -o -iname '*.ds' -o -iname '*.ttf' \) -print0 |
    while IFS= read -r -d '' f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done
  rm -f "$dir/.ready" "$dir/.ready2"
}

wine_prefix_drop() {
  local dir=$1
  [ -d "$dir" ] || return 0
  WINEPREFIX=$dir wineserver -k >/dev/null 2>&1 || true
  rm -rf "$dir"
}

ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    VARNEX_XVFB_PID=$!
    # Tests start side by side and may pick the same free number: the display is ours only when
    # its lock names our server (the other one exits), or a test would share a display that
    # another test's end takes away.
    local ours=
    for _ in $(seq 50); do
      kill -0 "$VARNEX_XVFB_PID" 2>/dev/null || break
      if [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" = "$VARNEX_XVFB_PID" ]; then
        ours=1
        break
      fi
      sleep 0.1
    done
    if [ -z "$ours" ]; then
      kill "$VARNEX_XVFB_PID" 2>/dev/null
      continue
    fi
    export DISPLAY=":$n"
    trap 'kill $VARNEX_XVFB_PID 2>/dev/null' EXIT
    return 0
  done
  echo "no free display number for Xvfb" >&2
  return 1
}

wine32_runs() {
  local server=/usr/lib/wine/wineserver32
  [ -x "$server" ] && "$server" --version >/dev/null 2>&1
}

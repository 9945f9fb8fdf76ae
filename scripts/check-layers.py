#!/usr/bin/env python3
"""Fails when a source file includes from a layer above its own, or when a file outside a win32/
folder includes a Windows header.

The layers, lowest first (a folder may include its own files and those of lower layers):
  base/, win32/    the errors every layer throws; owners of Windows handles (win32/ folders)
  settings/, ui/   stores and rows; the form model (neither knows the other)
  app/             start-up, the main window model, the page and platform interfaces
  pages/           the catalogue
  varnex/          the program
cpuprobe/ and autoconfirm/ stand apart: they may include win32/ only.
"""
import os
import re
import sys

LAYERS = {"base": 0, "win32": 0, "settings": 1, "ui": 1, "app": 2, "pages": 3, "varnex": 4}
APART = {"cpuprobe", "autoconfirm"}
WINDOWS_HEADERS = {
    "windows.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "objbase.h", "ole2.h",
    "lzexpand.h", "winreg.h", "winbase.h", "winuser.h", "wingdi.h", "mmsystem.h", "winsock.h",
    "winsock2.h", "tlhelp32.h", "shlwapi.h", "objidl.h", "unknwn.h", "intrin.h",
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def top(path):
    return path.split("/", 1)[0]


def allowed(source, target):
    s, t = top(source), top(target)
    if s == t:
        return True
    if s in APART:
        return t == "win32"
    if s not in LAYERS or t not in LAYERS:
        return t not in LAYERS and t not in APART  # includes of other folders are not ours
    return LAYERS[t] < LAYERS[s]


def main(root):
    problems = []
    for folder in list(LAYERS) + sorted(APART):
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if not name.endswith((".h", ".hpp", ".c", ".cpp", ".rc")):
                    continue
                path = os.path.relpath(os.path.join(directory, name), root).replace(os.sep, "/")
                in_win32 = "/win32/" in "/" + path
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        kind, target = m.groups()
                        if kind == "<" and target.lower() in WINDOWS_HEADERS and not in_win32:
                            problems.append(f"{path}:{number}: Windows header <{target}> outside a win32/ folder")
                        if kind == '"' and "/" in target and not allowed(path, target):
                            problems.append(f"{path}:{number}: {top(path)}/ includes \"{target}\" from a layer above or beside it")
    for p in problems:
        print(p)
    print(f"{len(problems)} layering problems" if problems else "layers hold")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")))

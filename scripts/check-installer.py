#!/usr/bin/env python3
"""Refuses an installer (and its uninstaller) that would not run from a floppy on Windows 98.

Checks, besides the Windows 98 import check of check-win98-imports.py on both files:
- no import of a ...W function: the ANSI stub imports none, the Unicode one dozens, and on
  Windows 98 those are stubs that fail;
- the installer fits on one 1.44 MB floppy: 2847 free clusters of 512 bytes.
Usage: check-installer.py exports.json installer.exe uninstaller.exe
"""
import importlib.util
import json
import os
import struct
import sys

FLOPPY_BYTES = 2847 * 512


def load_import_check():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check-win98-imports.py")
    loader_info = importlib.util.spec_from_file_location("check_win98_imports", path)
    module = importlib.util.module_from_spec(loader_info)
    loader_info.loader.exec_module(module)
    return module


def problems_of(path, exports, imports_check):
    try:
        problems, imports = imports_check.check(path, exports)
    except (imports_check.PeError, OSError, struct.error, ValueError) as e:
        return ["cannot read: %s" % e]
    wide = sorted("%s!%s" % (dll, func) for dll, func in imports if func.endswith("W"))
    if wide:
        problems.append("imports wide-character functions (a Unicode stub): %s" % ", ".join(wide[:5]))
    return problems


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    imports_check = load_import_check()
    with open(argv[1]) as f:
        exports = {k.lower(): set(v) for k, v in json.load(f)["dlls"].items()}
    installer, uninstaller = argv[2], argv[3]
    bad = False
    for path in (installer, uninstaller):
        problems = problems_of(path, exports, imports_check)
        for p in problems:
            print("%s: %s" % (path, p))
        if problems:
            bad = True
        else:
            print("%s: imports all on Windows 98, ANSI only" % path)
    if os.path.exists(installer):
        size = os.path.getsize(installer)
        on_disk = -(-size // 512) * 512
        fits = on_disk <= FLOPPY_BYTES
        print("%s: %d bytes, %s one 1.44 MB floppy (%d bytes free on it)"
              % (installer, size, "fits on" if fits else "does NOT fit on", FLOPPY_BYTES))
        bad = bad or not fits
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

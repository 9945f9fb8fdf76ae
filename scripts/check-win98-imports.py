#!/usr/bin/env python3
"""Refuses a PE file that Windows 98 would not load.

Checks: PE32 for i386, subsystem version 4.0, and every imported function exported by name by a
Windows 98 SE system DLL (from the export list given as first argument). A wide-character
function (...W) must also be on the allow list next to this script: Windows 98 exports most of
them only as stubs that fail with ERROR_CALL_NOT_IMPLEMENTED, so each one in use needs a reason
why its caller still works there. Prints one line per problem and exits 1 when there is any.
"""
import json
import os
import re
import struct
import sys

WIDE_ALLOWED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "win98-wide-imports.txt")


class PeError(Exception):
    pass


def read_pe(data):
    if data[:2] != b"MZ":
        raise PeError("not an MZ executable")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE signature")
    machine, nsections = struct.unpack_from("<HH", data, pe + 4)
    opt_size = struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    info = {
        "machine": machine,
        "magic": magic,
        "os_version": struct.unpack_from("<HH", data, opt + 40),
        "subsystem_version": struct.unpack_from("<HH", data, opt + 48),
        "subsystem": struct.unpack_from("<H", data, opt + 68)[0],
    }
    if magic != 0x10B:
        return info, []
    ndirs = struct.unpack_from("<I", data, opt + 92)[0]
    imp_rva = struct.unpack_from("<I", data, opt + 104)[0] if ndirs > 1 else 0
    sections = []
    sec = opt + opt_size
    for i in range(nsections):
        vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, sec + 40 * i + 8)
        sections.append((va, max(vsize, rawsize), rawptr))

    def off(rva):
        for va, size, raw in sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise PeError("address 0x%x outside every section" % rva)

    def cstr(o):
        end = data.index(b"\0", o)
        return data[o:end].decode("ascii")

    imports = []
    if imp_rva:
        d = off(imp_rva)
        while True:
            ilt, _, _, name_rva, iat = struct.unpack_from("<IIIII", data, d)
            if name_rva == 0:
                break
            dll = cstr(off(name_rva))
            t = off(ilt or iat)
            while True:
                entry = struct.unpack_from("<I", data, t)[0]
                if entry == 0:
                    break
                if entry & 0x80000000:
                    imports.append((dll, "#%d" % (entry & 0xFFFF)))
                else:
                    imports.append((dll, cstr(off(entry) + 2)))
                t += 4
            d += 20
    return info, imports


def read_allowed(path):
    """DLL!Function followed by its reason, one a line; '#' starts a comment line."""
    allowed = {}
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            parts = line.split(None, 1)
            if "!" not in parts[0] or len(parts) < 2:
                raise ValueError("%s:%d: expected DLL!Function and a reason" % (path, number))
            dll, func = parts[0].split("!", 1)
            allowed[(dll.lower(), func)] = parts[1]
    return allowed


def is_wide(dll_exports, func):
    """A ...W function: its ANSI twin exists, or the W ends a lower-case word (CommandLineToArgvW)."""
    if not func.endswith("W") or len(func) < 2:
        return False
    return func[:-1] + "A" in dll_exports or re.match(r".*[a-z0-9]W$", func) is not None


def check(path, exports, allowed=None):
    with open(path, "rb") as f:
        data = f.read()
    problems = []
    info, imports = read_pe(data)
    if info["machine"] != 0x14C or info["magic"] != 0x10B:
        problems.append("not a PE32 i386 file")
    if info["subsystem_version"] != (4, 0):
        problems.append("subsystem version %d.%d, not 4.0" % info["subsystem_version"])
    for dll, func in imports:
        names = exports.get(dll.lower())
        if names is None:
            problems.append("imports %s, which is not a Windows 98 system DLL" % dll)
        elif func not in names:
            problems.append("%s!%s is not exported by Windows 98" % (dll, func))
        elif allowed is not None and is_wide(names, func) and (dll.lower(), func) not in allowed:
            problems.append("%s!%s is a wide-character function, a stub on Windows 98; not on the "
                            "allow list %s" % (dll, func, os.path.basename(WIDE_ALLOWED)))
    return problems, imports


def main(argv):
    if len(argv) < 3:
        print("usage: check-win98-imports.py exports.json file.exe|file.dll ...", file=sys.stderr)
        return 2
    with open(argv[1]) as f:
        exports = {k.lower(): set(v) for k, v in json.load(f)["dlls"].items()}
    try:
        allowed = read_allowed(WIDE_ALLOWED)
    except (OSError, ValueError) as e:
        print("cannot read the wide-character allow list: %s" % e)
        return 1
    bad = 0
    for path in argv[2:]:
        try:
            problems, imports = check(path, exports, allowed)
        except (PeError, OSError, struct.error, ValueError) as e:
            problems, imports = ["cannot read: %s" % e], []
        for p in problems:
            print("%s: %s" % (path, p))
        if problems:
            bad += 1
        else:
            dlls = sorted({d.lower() for d, _ in imports})
            wide = sorted("%s!%s" % (d, f) for d, f in imports if is_wide(exports[d.lower()], f))
            print("%s: %d imports from %s, all on Windows 98; wide-character ones, all allowed: %s"
                  % (path, len(imports), ", ".join(dlls), ", ".join(wide) or "none"))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

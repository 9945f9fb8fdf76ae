#!/usr/bin/env python3
"""Writes a Windows shell link (.lnk) the way our own shortcut writer does: LinkInfo with a
fixed-drive VolumeID and the target as LocalBasePath, the working directory as an ANSI string,
no ID list. Enough for the shell and for our reader to follow it.

Usage: make-lnk.py OUT.lnk TARGET [WORKING_DIR]
       make-lnk.py --read FILE.lnk     prints target and working directory, one per line
"""
import struct
import sys

CLSID = bytes([0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46])
HAS_LINK_INFO = 0x02
HAS_WORKING_DIR = 0x10
IS_UNICODE = 0x80
SW_SHOWNORMAL = 1
DRIVE_FIXED = 3


def ansi(text):
    # Shortcuts of the 98 family hold ANSI text; our paths are plain ASCII.
    return text.encode("cp1252")


def write_link(target, working_dir=""):
    flags = HAS_LINK_INFO | (HAS_WORKING_DIR if working_dir else 0)
    header = struct.pack("<I16sII24sIIIHHII", 0x4C, CLSID, flags, 0, bytes(24), 0, 0,
                         SW_SHOWNORMAL, 0, 0, 0, 0)
    path = ansi(target) + b"\0"
    volume = struct.pack("<IIII", 0x11, DRIVE_FIXED, 0, 0x10) + b"\0"  # empty label
    volume_at = 0x1C
    path_at = volume_at + len(volume)
    suffix_at = path_at + len(path)
    info = struct.pack("<IIIIIII", suffix_at + 1, 0x1C, 0x1, volume_at, path_at, 0, suffix_at)
    info += volume + path + b"\0"  # empty common path suffix
    strings = b""
    if working_dir:
        strings = struct.pack("<H", len(ansi(working_dir))) + ansi(working_dir)
    return header + info + strings + struct.pack("<I", 0)


def read_link(data):
    """Target and working directory of a link with LinkInfo; raises ValueError otherwise."""
    if len(data) < 0x4C or struct.unpack_from("<I", data, 0)[0] != 0x4C or data[4:20] != CLSID:
        raise ValueError("not a shell link")
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 0x4C
    if flags & 0x01:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if not flags & HAS_LINK_INFO:
        raise ValueError("no LinkInfo")
    size, _, info_flags, _, path_off, _, suffix_off = struct.unpack_from("<IIIIIII", data, at)
    if not info_flags & 0x1 or at + size > len(data):
        raise ValueError("LinkInfo without a local path")
    block = data[at:at + size]
    target = block[path_off:block.index(b"\0", path_off)] + block[suffix_off:block.index(b"\0", suffix_off)]
    at += size
    unicode = bool(flags & IS_UNICODE)
    working_dir = b""
    for bit in (0x04, 0x08, 0x10):  # name, relative path, working directory
        if flags & bit:
            count = struct.unpack_from("<H", data, at)[0] * (2 if unicode else 1)
            text = data[at + 2:at + 2 + count]
            if len(text) != count:
                raise ValueError("string data runs past the end")
            if bit == 0x10:
                working_dir = text.decode("utf-16-le" if unicode else "cp1252").encode("cp1252")
            at += 2 + count
    return target.decode("cp1252"), working_dir.decode("cp1252")


def main(argv):
    if len(argv) == 3 and argv[1] == "--read":
        with open(argv[2], "rb") as f:
            target, working_dir = read_link(f.read())
        print(target)
        print(working_dir)
        return 0
    if len(argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    with open(argv[1], "wb") as f:
        f.write(write_link(argv[2], argv[3] if len(argv) == 4 else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

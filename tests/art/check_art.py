#!/usr/bin/env python3
"""Reads the committed art back the way Windows does and checks it against art.rc and the drawing.

The .ico files are parsed here independently of the writer in scripts/artlib.py, so a writer
fault (wrong row padding, mask polarity, image offsets) shows up even though the generator's own
--check would agree with itself. Prints one line per problem; exit status 1 when there is any.

    check_art.py SOURCE_DIR
"""
import os
import re
import struct
import sys

sys.dont_write_bytecode = True

STANDARD_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


class Bad(Exception):
    pass


def stride(bits):
    return (bits + 31) // 32 * 4


def read_ico(data):
    """The images of an .ico as lists of rows, top first: palette index or None (transparent)."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind) != (0, 1) or count == 0:
        raise Bad("not an icon file")
    images = []
    end = 6 + 16 * count
    for i in range(count):
        w, h, colours, res, planes, bpp, size, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        if (colours, res, planes, bpp) != (16, 0, 1, 4):
            raise Bad("image %d: directory entry is not a 16-colour one" % i)
        if offset != end:
            raise Bad("image %d: starts at %d, expected %d" % (i, offset, end))
        end = offset + size
        if end > len(data):
            raise Bad("image %d: runs past the end of the file" % i)
        hsize, bw, bh, bplanes, bbpp, compression, _, _, _, used, _ = struct.unpack_from(
            "<IiiHHIIiiII", data, offset)
        if (hsize, bw, bh, bplanes, bbpp, compression) != (40, w, 2 * h, 1, 4, 0):
            raise Bad("image %d: bitmap header does not match its %dx%d entry" % (i, w, h))
        if used not in (0, 16):
            raise Bad("image %d: %d palette entries" % (i, used))
        pal = offset + 40
        palette = [struct.unpack_from("<BBBB", data, pal + 4 * k)[2::-1] for k in range(16)]
        if palette != STANDARD_PALETTE:
            raise Bad("image %d: palette is not the standard 16 colours" % i)
        xor = pal + 64
        mask = xor + stride(4 * w) * h
        if mask + stride(w) * h != end:
            raise Bad("image %d: %d bytes, expected %d" % (i, size, mask + stride(w) * h - offset))
        rows = []
        for y in range(h):
            src = h - 1 - y  # bottom row first in the file
            row = []
            for x in range(w):
                byte = data[xor + src * stride(4 * w) + x // 2]
                colour = byte >> 4 if x % 2 == 0 else byte & 15
                clear = data[mask + src * stride(w) + x // 8] >> (7 - x % 8) & 1
                if clear and colour != 0:
                    # Screen XOR colour: would show as an inverted smear, not as background.
                    raise Bad("image %d: pixel (%d, %d) is masked but not black" % (i, x, y))
                row.append(None if clear else colour)
            rows.append(row)
        images.append(rows)
    if end != len(data):
        raise Bad("%d bytes after the last image" % (len(data) - end))
    return images


def main(source):
    art = os.path.join(source, "varnex", "win32", "art")
    sys.path.insert(0, art)
    import make_art

    problems = []
    drawn = make_art.pictures()

    with open(os.path.join(art, "art_ids.h")) as f:
        ids = {m.group(1): int(m.group(2))
               for m in re.finditer(r"^#define\s+(IDI_\w+)\s+(\d+)\s*$", f.read(), re.M)}
    with open(os.path.join(art, "art.rc")) as f:
        entries = re.findall(r"^(\w+)\s+ICON\s+\"([^\"]+)\"", f.read(), re.M)

    used = {}
    for name, path in entries:
        if name not in ids:
            problems.append("art.rc: %s is not defined in art_ids.h" % name)
        elif ids[name] in used:
            problems.append("art.rc: %s has the id of %s" % (name, used[ids[name]]))
        else:
            used[ids[name]] = name
        if path not in drawn:
            problems.append("art.rc: %s is not drawn by make_art.py" % path)
    for name in ids:
        if name not in (n for n, _ in entries):
            problems.append("art_ids.h: %s has no icon in art.rc" % name)
    for path in drawn:
        if path not in (p for _, p in entries):
            problems.append("%s is drawn but not in art.rc" % path)
    # Explorer shows the first icon group, and groups are ordered by id.
    if used and min(used) != ids.get("IDI_VARNEX"):
        problems.append("art.rc: IDI_VARNEX is not the lowest icon id")

    decoded = {}
    for path, pictures in sorted(drawn.items()):
        try:
            with open(os.path.join(art, path), "rb") as f:
                images = read_ico(f.read())
        except (OSError, Bad, struct.error) as e:
            problems.append("%s: %s" % (path, e))
            continue
        decoded[path] = images
        if images != pictures:
            problems.append("%s: does not hold what make_art.py draws" % path)
        if path.startswith("page-") and [len(im) for im in images] != [32]:
            problems.append("%s: a page picture is one 32x32 image" % path)
    if "varnex.ico" in decoded:
        sizes = [(len(im[0]), len(im)) for im in decoded["varnex.ico"]]
        if sizes != [(32, 32), (16, 16)]:
            problems.append("varnex.ico: holds %s, expected 32x32 and 16x16" % sizes)

    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

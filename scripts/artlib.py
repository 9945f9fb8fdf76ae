"""Pixel art in the 16-colour Windows palette, written as .ico files (and .png previews).

A picture is a list of rows, top row first; each pixel is a palette index or CLEAR. The icon
generators in the tree draw with this module so every icon uses one palette and one writer:

    import artlib
    px = artlib.canvas(32)
    ...
    data = artlib.ico([px])            # one or more images, largest first
    sys.exit(artlib.write_or_check(here, {"name.ico": data}, "make_x.py", sys.argv[1:]))
"""
import os
import struct
import zlib

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
(BLACK, MAROON, DARK_GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
 GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE) = range(16)
CLEAR = None  # transparent pixel


def canvas(width, height=None):
    return [[CLEAR] * width for _ in range(height or width)]


def _padded(row):
    return row + b"\0" * (-len(row) % 4)


def ico_image(px):
    """One 4-bit icon image: header, palette, colour bits and AND mask, bottom row first.

    Transparent pixels are black in the colour bits and set in the mask, the combination the
    icon drawing code of every Windows version shows as "screen unchanged".
    """
    height, width = len(px), len(px[0])
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):
        colours = [0 if p is None else p for p in row] + [0] * (width % 2)
        xor += _padded(bytes(hi << 4 | lo for hi, lo in zip(colours[::2], colours[1::2])))
        bits = bytearray((width + 7) // 8)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += _padded(bytes(bits))
    # Height counts both bitmaps, colour then mask, as icon resources require.
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def ico(images):
    """An .ico file holding the given pictures, in the order given."""
    bodies = [ico_image(px) for px in images]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for px, body in zip(images, bodies):
        height, width = len(px), len(px[0])
        # 256 would be written as 0; these pictures never get that big.
        directory += struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(body), offset)
        offset += len(body)
    return directory + b"".join(bodies)


def png(rows):
    """A truecolour .png of rows of (red, green, blue) tuples."""
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_or_check(here, files, script, args):
    """Writes files (name -> bytes) into here, or with args == ["--check"] reports the ones in
    the tree that differ. Returns the exit status."""
    check = args == ["--check"]
    stale = []
    for name, data in files.items():
        path = os.path.join(here, name)
        if check:
            try:
                with open(path, "rb") as f:
                    current = f.read()
            except FileNotFoundError:
                current = None
            if current != data:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    for name in stale:
        print("%s differs from what %s draws; run it and commit the result" % (name, script))
    return 1 if stale else 0

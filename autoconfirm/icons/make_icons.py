#!/usr/bin/env python3
"""Draws the two tray icons of tappolin as 32x32, 16-colour .ico files.

102 (enabled): a green button face lettered OK in dark blue, drawn pressed (dark edge at top and
left). 103 (disabled): the same button in grey, drawn raised (dark edge at bottom and right).

    make_icons.py            rewrite tappolin-on.ico and tappolin-off.ico next to this script
    make_icons.py --check    exit 1 when the files in the tree differ from what this draws
"""
import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, NAVY, SILVER, GREY, LIME, WHITE = 0, 2, 4, 7, 8, 10, 15
CLEAR = None  # transparent pixel

GLYPHS = {
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
}

SIZE = 32
LEFT, RIGHT, TOP, BOTTOM = 1, 30, 5, 26  # outer edge of the button, inclusive


def draw(pressed, face, letters):
    px = [[CLEAR] * SIZE for _ in range(SIZE)]
    for y in range(TOP, BOTTOM + 1):
        for x in range(LEFT, RIGHT + 1):
            px[y][x] = face
    # Two-pixel bevel: outer line black/white, inner line grey/face-light.
    dark_outer, dark_inner, light = BLACK, GREY, WHITE

    def edge(side, inset, colour):
        l, r, t, b = LEFT + inset, RIGHT - inset, TOP + inset, BOTTOM - inset
        if side == "top":
            for x in range(l, r + 1):
                px[t][x] = colour
        elif side == "left":
            for y in range(t, b + 1):
                px[y][l] = colour
        elif side == "bottom":
            for x in range(l, r + 1):
                px[b][x] = colour
        else:
            for y in range(t, b + 1):
                px[y][r] = colour

    dark_sides, light_sides = (("top", "left"), ("bottom", "right")) if pressed else \
        (("bottom", "right"), ("top", "left"))
    for side in light_sides:
        edge(side, 0, light)
    for side in dark_sides:
        edge(side, 0, dark_outer)
        edge(side, 1, dark_inner)
    # Round the four outer corners off.
    for x, y in ((LEFT, TOP), (RIGHT, TOP), (LEFT, BOTTOM), (RIGHT, BOTTOM)):
        px[y][x] = CLEAR
    # Letters at twice the glyph size; a pressed button shows them one pixel down and right.
    shift = 1 if pressed else 0
    for i, ch in enumerate("OK"):
        x0 = 5 + 12 * i + shift
        y0 = 9 + shift
        for gy, row in enumerate(GLYPHS[ch]):
            for gx, bit in enumerate(row):
                if bit == "#":
                    for dy in (0, 1):
                        for dx in (0, 1):
                            px[y0 + 2 * gy + dy][x0 + 2 * gx + dx] = letters
    return px


def ico(px):
    """One 4-bit image with its AND mask, bottom row first as BMP wants."""
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


def icons():
    return {
        "tappolin-on.ico": ico(draw(pressed=True, face=LIME, letters=NAVY)),
        "tappolin-off.ico": ico(draw(pressed=False, face=SILVER, letters=GREY)),
    }


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    check = sys.argv[1:] == ["--check"]
    stale = []
    for name, data in icons().items():
        path = os.path.join(here, name)
        if check:
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    for name in stale:
        print("%s differs from what make_icons.py draws; run it and commit the result" % name)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())

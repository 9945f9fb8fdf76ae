#!/usr/bin/env python3
"""Draws the two tray icons of tappolin as 32x32, 16-colour .ico files.

102 (enabled): a green button face lettered OK in dark blue, drawn pressed (dark edge at top and
left). 103 (disabled): the same button in grey, drawn raised (dark edge at bottom and right).

    make_icons.py            rewrite tappolin-on.ico and tappolin-off.ico next to this script
    make_icons.py --check    exit 1 when the files in the tree differ from what this draws
"""
import os
import sys

# No __pycache__ beside the shared module in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from artlib import BLACK, CLEAR, GREY, LIME, NAVY, SILVER, WHITE, canvas, ico, write_or_check  # noqa: E402

GLYPHS = {
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
}

SIZE = 32
LEFT, RIGHT, TOP, BOTTOM = 1, 30, 5, 26  # outer edge of the button, inclusive


def draw(pressed, face, letters):
    px = canvas(SIZE)
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


def icons():
    return {
        "tappolin-on.ico": ico([draw(pressed=True, face=LIME, letters=NAVY)]),
        "tappolin-off.ico": ico([draw(pressed=False, face=SILVER, letters=GREY)]),
    }


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    return write_or_check(here, icons(), "make_icons.py", sys.argv[1:])


if __name__ == "__main__":
    sys.exit(main())

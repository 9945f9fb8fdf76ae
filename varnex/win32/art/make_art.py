#!/usr/bin/env python3
"""Draws varnex.exe's program icon and the picture at the top left of each page.

varnex.ico holds the monitor at 32x32 and 16x16; every page-*.ico holds one 32x32 picture. All
are 16-colour icons, so the page background shows through where nothing is drawn.

    make_art.py               rewrite the .ico files next to this script
    make_art.py --check       exit 1 when the files in the tree differ from what this draws
    make_art.py --sheet F     also write F, a .png of every picture four times enlarged
"""
import os
import sys

# No __pycache__ beside the shared module in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "..", "scripts"))
import artlib  # noqa: E402
from artlib import (AQUA, BLACK, BLUE, CLEAR, DARK_GREEN, GREY, LIME, MAROON, NAVY,  # noqa: E402
                    OLIVE, RED, SILVER, TEAL, WHITE, YELLOW)


class Picture:
    """A square of pixels with the few shapes the pictures are built from; all bounds inclusive."""

    def __init__(self, size=32):
        self.size = size
        self.px = artlib.canvas(size)

    def dot(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def hline(self, x0, x1, y, c):
        self.fill(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.fill(x, y0, x, y1, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def box(self, x0, y0, x1, y1, face, outline=BLACK):
        self.fill(x0, y0, x1, y1, face)
        self.frame(x0, y0, x1, y1, outline)

    def bevel(self, x0, y0, x1, y1, raised=True):
        """The two-tone edge of a 3D control, inside a black outline."""
        light, dark = (WHITE, GREY) if raised else (GREY, WHITE)
        self.hline(x0 + 1, x1 - 1, y0 + 1, light)
        self.vline(x0 + 1, y0 + 1, y1 - 1, light)
        self.hline(x0 + 1, x1 - 1, y1 - 1, dark)
        self.vline(x1 - 1, y0 + 2, y1 - 1, dark)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def inside(self, x, y, cx, cy, r):
        """Whether the centre of pixel (x, y) lies within r of (cx, cy), in pixel-edge units."""
        return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r

    def disc(self, cx, cy, r, c):
        for y in range(self.size):
            for x in range(self.size):
                if self.inside(x, y, cx, cy, r):
                    self.px[y][x] = c

    def ring(self, cx, cy, r, c):
        for y in range(self.size):
            for x in range(self.size):
                if self.inside(x, y, cx, cy, r) and not self.inside(x, y, cx, cy, r - 1):
                    self.px[y][x] = c

    def sprite(self, x0, y0, rows, colours):
        """Rows of characters; each one in colours is painted, any other is left alone."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.dot(x0 + dx, y0 + dy, colours[ch])

    def text(self, x0, y0, word, c):
        for i, ch in enumerate(word):
            self.sprite(x0 + 4 * i, y0, FONT[ch], {"#": c})


FONT = {  # 3x5 capitals, enough for the labels drawn here
    "C": ["###", "#..", "#..", "#..", "###"],
    "P": ["###", "#.#", "###", "#..", "#.."],
    "U": ["#.#", "#.#", "#.#", "#.#", "###"],
}


def monitor():
    p = Picture()
    # Case: raised silver bezel around a recessed screen.
    p.box(2, 1, 29, 23, SILVER)
    p.bevel(2, 1, 29, 23)
    p.box(5, 4, 26, 19, NAVY)
    p.hline(6, 25, 20, WHITE)
    p.vline(27, 4, 20, WHITE)
    p.fill(6, 5, 25, 18, BLUE)
    # A pale glare across the top left corner of the glass.
    p.line(7, 9, 11, 5, AQUA)
    p.line(7, 12, 14, 5, AQUA)
    # Power light on the bezel.
    p.fill(24, 21, 25, 21, LIME)
    # Neck and foot.
    p.box(12, 23, 19, 26, GREY)
    p.vline(13, 24, 25, SILVER)
    p.box(6, 26, 25, 30, SILVER)
    p.hline(7, 24, 27, WHITE)
    p.hline(7, 24, 29, GREY)
    return p.px


def monitor_small():
    p = Picture(16)
    p.box(0, 0, 15, 11, SILVER)
    p.hline(1, 14, 1, WHITE)
    p.vline(1, 1, 10, WHITE)
    p.box(2, 2, 13, 9, NAVY)
    p.fill(3, 3, 12, 8, BLUE)
    p.line(4, 5, 6, 3, AQUA)
    p.dot(13, 10, LIME)
    p.box(6, 11, 9, 13, GREY)
    p.box(2, 13, 13, 15, SILVER)
    return p.px


def floppy():
    p = Picture()
    # A 3.5" disk: dark body with the corner clipped, sliding metal shutter, paper label.
    p.box(3, 2, 28, 29, NAVY)
    p.dot(28, 2, CLEAR)
    p.dot(27, 3, BLACK)
    p.dot(28, 3, BLACK)
    p.fill(4, 3, 26, 3, BLUE)
    p.box(8, 2, 23, 12, SILVER)
    p.vline(22, 3, 11, GREY)
    p.box(17, 4, 20, 10, NAVY)
    p.box(6, 15, 25, 29, WHITE)
    for y in (18, 21, 24):
        p.hline(9, 22, y, GREY)
    p.fill(4, 26, 5, 27, BLACK)
    return p.px


def chip():
    p = Picture()
    # Pins first, so the body covers their inner ends.
    for i in range(9, 22, 3):
        p.fill(i, 2, i + 1, 8, GREY)
        p.fill(i, 23, i + 1, 29, GREY)
        p.fill(2, i, 8, i + 1, GREY)
        p.fill(23, i, 29, i + 1, GREY)
    p.box(6, 6, 25, 25, BLACK)
    p.hline(7, 24, 7, GREY)
    p.vline(7, 7, 24, GREY)
    p.dot(9, 9, WHITE)
    p.text(10, 14, "CPU", WHITE)
    return p.px


def window_frame():
    p = Picture()
    p.box(1, 3, 30, 28, SILVER)
    p.bevel(1, 3, 30, 28)
    p.fill(3, 5, 28, 9, NAVY)
    # Close button on the title bar.
    p.fill(22, 6, 27, 9, SILVER)
    p.hline(22, 27, 9, BLACK)
    p.vline(27, 6, 9, BLACK)
    p.dot(24, 7, BLACK)
    p.dot(25, 8, BLACK)
    p.dot(24, 8, BLACK)
    p.dot(25, 7, BLACK)
    # Caption text.
    p.hline(5, 15, 7, WHITE)
    p.box(3, 11, 28, 26, WHITE, outline=GREY)
    for y, x1 in ((14, 22), (17, 25), (20, 18), (23, 23)):
        p.hline(6, x1, y, BLACK)
    return p.px


def start_menu():
    p = Picture()
    # A menu popped up from a start button, one item highlighted.
    p.box(1, 0, 24, 24, SILVER)
    p.bevel(1, 0, 24, 24)
    p.fill(3, 2, 6, 22, NAVY)
    items = ((3, RED), (8, YELLOW), (13, LIME), (18, AQUA))
    for y, colour in items:
        if colour == LIME:
            p.fill(8, y - 1, 22, y + 3, NAVY)
        p.box(9, y, 11, y + 2, colour)
        p.hline(13, 20, y + 1, WHITE if colour == LIME else BLACK)
    p.box(1, 25, 17, 31, SILVER)
    p.bevel(1, 25, 17, 31, raised=False)
    p.fill(4, 27, 5, 28, RED)
    p.fill(6, 27, 7, 28, LIME)
    p.fill(4, 29, 5, 29, BLUE)
    p.fill(6, 29, 7, 29, YELLOW)
    p.hline(9, 14, 28, BLACK)
    # The pointer resting on the highlighted item.
    p.sprite(21, 14, ["#", "##", "#o#", "#oo#", "#ooo#", "#oooo#", "#ooo##", "#o#", "##"],
             {"#": BLACK, "o": WHITE})
    return p.px


def globe(p, cx, cy, r):
    p.disc(cx, cy, r, BLUE)
    # Land: a few overlapping blobs, kept inside the sphere.
    for bx, by, br in ((cx - r * 0.35, cy - r * 0.35, r * 0.45), (cx - r * 0.1, cy + r * 0.3, r * 0.35),
                       (cx + r * 0.45, cy - r * 0.1, r * 0.3), (cx + r * 0.3, cy + r * 0.55, r * 0.2)):
        for y in range(p.size):
            for x in range(p.size):
                if p.inside(x, y, bx, by, br) and p.inside(x, y, cx, cy, r):
                    p.px[y][x] = LIME
    # Lines of latitude and longitude over land and sea.
    for y in range(p.size):
        for x in range(p.size):
            if not p.inside(x, y, cx, cy, r):
                continue
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            if abs(dy) < 0.5 or abs(abs(dy) - r * 0.5) < 0.5:
                p.px[y][x] = AQUA if p.px[y][x] == BLUE else DARK_GREEN
            # Meridians as ellipses of half the globe's width, plus the centre line.
            edge = (r * r - dy * dy) ** 0.5 * 0.5
            if abs(dx) < 0.5 or abs(abs(dx) - edge) < 0.5:
                p.px[y][x] = AQUA if p.px[y][x] == BLUE else DARK_GREEN
    p.ring(cx, cy, r, NAVY)


def internet():
    p = Picture()
    globe(p, 16, 16, 14)
    return p.px


def internet_transfer():
    p = Picture()
    globe(p, 12, 12, 11)
    # Data coming in and going out beside the globe.
    arrow = ["...#...", "..#o#..", ".#ooo#.", "#ooooo#", "###o###", "..#o#..", "..#o#..",
             "..#o#..", "..###.."]
    p.sprite(17, 22, list(reversed(arrow)), {"#": BLACK, "o": LIME})
    p.sprite(24, 20, arrow, {"#": BLACK, "o": RED})
    return p.px


def add_remove():
    p = Picture()
    # An open cardboard box with its flaps folded out.
    p.box(2, 14, 19, 30, OLIVE)
    p.hline(3, 18, 15, YELLOW)
    p.vline(3, 15, 29, YELLOW)
    p.box(2, 11, 19, 14, BLACK)
    p.fill(3, 12, 18, 13, MAROON)
    p.sprite(0, 7, ["####", "#oo##", "#ooo##", ".#ooo#", "..####"], {"#": BLACK, "o": YELLOW})
    p.sprite(16, 7, ["..####", ".##oo#", "##ooo#", "#ooo#.", "####.."], {"#": BLACK, "o": YELLOW})
    p.hline(7, 14, 22, OLIVE)
    # Add above, remove below.
    p.sprite(21, 0, ["...###...", "...#o#...", "...#o#...", "####o####", "#ooooooo#",
                     "####o####", "...#o#...", "...#o#...", "...###..."],
             {"#": BLACK, "o": LIME})
    p.sprite(22, 19, ["#########", "#ooooooo#", "#ooooooo#", "#########"], {"#": BLACK, "o": RED})
    return p.px


def documents():
    p = Picture()
    for n, (x0, y0) in enumerate(((12, 1), (7, 5), (2, 9))):
        x1, y1 = x0 + 17, y0 + 21
        p.box(x0, y0, x1, y1, WHITE)
        # Folded top right corner.
        for i in range(5):
            p.hline(x1 - 4 + i, x1, y0 + i, CLEAR)
        p.line(x1 - 5, y0, x1, y0 + 5, BLACK)
        p.sprite(x1 - 4, y0 + 1, ["#", "##", "###", "####"], {"#": SILVER})
        p.hline(x1 - 5, x1 - 1, y0 + 5, BLACK)
        p.vline(x1 - 5, y0, y0 + 5, BLACK)
        p.vline(x1, y0 + 5, y1, BLACK)
        # Only the front sheet shows its writing in full.
        for i, y in enumerate(range(y0 + 4, y1 - 1, 3)):
            width = (11, 8, 12, 6, 10, 9)[i % 6]
            p.hline(x0 + 3, min(x0 + 2 + width, x1 - 3 if y < y0 + 7 else x1 - 2), y,
                    BLACK if n == 2 else GREY)
        if n == 2:
            p.hline(x0 + 3, x0 + 9, y0 + 4, NAVY)
    return p.px


def disk_drive():
    p = Picture()
    # A hard disk seen from above the front: lid, front panel with light, and the cable edge.
    p.sprite(2, 7, ["......" + "#" * 22, ".....#" + "o" * 21 + "#", "....#" + "o" * 21 + "##",
                    "...#" + "o" * 21 + "#g#", "..#" + "o" * 21 + "#gg#",
                    ".#" + "o" * 21 + "#ggg#"],
             {"#": BLACK, "o": WHITE, "g": GREY})
    p.box(2, 13, 24, 22, SILVER)
    p.hline(3, 23, 14, WHITE)
    p.sprite(24, 13, ["#ggg#", "#gg#", "#g#", "##"], {"#": BLACK, "g": GREY})
    p.fill(25, 14, 27, 14, GREY)
    p.fill(25, 15, 26, 15, GREY)
    for y in range(14, 22):
        p.dot(24, y, BLACK)
    p.sprite(24, 13, ["#ggg#", "#ggg#", "#ggg#", "#gg#", "#g#", "##"], {"#": BLACK, "g": GREY})
    for y in range(19, 22):
        p.dot(25, y, CLEAR)
        p.dot(26, y, CLEAR)
    p.dot(25, 18, BLACK)
    # Access light and a label.
    p.fill(19, 18, 21, 19, LIME)
    p.frame(18, 17, 22, 20, DARK_GREEN)
    p.hline(5, 13, 18, GREY)
    p.hline(5, 11, 20, GREY)
    return p.px


def clock():
    p = Picture()
    p.disc(15, 15, 14, BLACK)
    p.disc(15, 15, 12.5, WHITE)
    for x, y in ((14, 4), (25, 14), (14, 25), (4, 14)):
        p.fill(x, y, x + 1, y + 1, BLACK)
    # Hands at ten past ten.
    p.line(14, 14, 9, 10, BLACK)
    p.line(15, 14, 10, 10, BLACK)
    p.line(15, 15, 21, 9, NAVY)
    p.line(15, 14, 20, 9, NAVY)
    p.fill(14, 14, 15, 15, RED)
    # A power badge: the time is when the machine switches off.
    p.disc(25, 25, 6.5, RED)
    p.ring(25, 25, 6.5, BLACK)
    p.ring(25, 25, 4, WHITE)
    p.fill(24, 19, 25, 20, RED)
    p.vline(24, 20, 25, WHITE)
    p.vline(25, 20, 25, WHITE)
    return p.px


# File name of each page picture, in tab order, with the drawing. The last page, "Varnex", shows
# the program's own icon as a control of its own.
PAGES = [
    ("page-boot.ico", floppy),
    ("page-system.ico", chip),
    ("page-windows.ico", window_frame),
    ("page-start-menu.ico", start_menu),
    ("page-internet1.ico", internet),
    ("page-internet2.ico", internet_transfer),
    ("page-add-remove.ico", add_remove),
    ("page-file-cache.ico", documents),
    ("page-disk-cache.ico", disk_drive),
    ("page-shutdown.ico", clock),
]


def pictures():
    """File name -> the pictures in it, largest first."""
    out = {"varnex.ico": [monitor(), monitor_small()]}
    for name, draw in PAGES:
        out[name] = [draw()]
    return out


def sheet(pics, scale=4, gap=8):
    """Every picture enlarged on the button-face grey the pages are drawn on."""
    cells = [px for images in pics.values() for px in images]
    cell = 32 * scale + gap
    width = gap + cell * len(cells)
    rows = [[artlib.PALETTE[SILVER]] * width for _ in range(cell + gap)]
    for i, px in enumerate(cells):
        for y, row in enumerate(px):
            for x, c in enumerate(row):
                if c is None:
                    continue
                for sy in range(scale):
                    for sx in range(scale):
                        rows[gap + y * scale + sy][gap + i * cell + x * scale + sx] = \
                            artlib.PALETTE[c]
    return artlib.png(rows)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = sys.argv[1:]
    pics = pictures()
    if len(args) == 2 and args[0] == "--sheet":
        with open(args[1], "wb") as f:
            f.write(sheet(pics))
        args = []
    return artlib.write_or_check(here, {name: artlib.ico(images) for name, images in pics.items()},
                                 "make_art.py", args)


if __name__ == "__main__":
    sys.exit(main())

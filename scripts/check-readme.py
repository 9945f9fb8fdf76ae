#!/usr/bin/env python3
"""Refuses a Readme.txt that Windows 98's Notepad would not show as written.

Every line must end in CR LF (Notepad shows a bare LF as a box and runs the lines together),
hold only printable ASCII (no code page question), and be at most 76 characters long (Notepad
does not wrap lines unless asked). Prints one line per problem and exits 1 when there is any.
Usage: check-readme.py Readme.txt
"""
import sys

MAX_LINE = 76


def problems_of(data):
    problems = []
    if not data.endswith(b"\r\n"):
        problems.append("the file does not end with CR LF")
    pieces = data.split(b"\n")
    for number, piece in enumerate(pieces, 1):
        ended = number < len(pieces)  # the last piece is what follows the last LF
        if ended and not piece.endswith(b"\r"):
            problems.append("line %d ends in LF, not CR LF" % number)
        text = piece[:-1] if ended and piece.endswith(b"\r") else piece
        if b"\r" in text:
            problems.append("line %d holds a CR that ends no line" % number)
        if any(b < 0x20 or b > 0x7E for b in text.replace(b"\r", b"")):
            problems.append("line %d holds a character other than printable ASCII" % number)
        if len(text) > MAX_LINE:
            problems.append("line %d is %d characters long, more than %d" % (number, len(text), MAX_LINE))
    return problems


def main(argv):
    if len(argv) != 2:
        print("usage: check-readme.py Readme.txt", file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        problems = problems_of(f.read())
    for p in problems:
        print("%s: %s" % (argv[1], p))
    if not problems:
        print("%s: CR LF line ends, printable ASCII, lines of at most %d characters" % (argv[1], MAX_LINE))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

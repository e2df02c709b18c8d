#!/usr/bin/env python3
"""Writes resources/warden/syslogtree.bmp: the system log viewer's three 18x18 tree pictures in one
54x18 strip (the log, a day, a category) on black, the mask colour."""
import struct
import sys

W, H = 54, 18
DARK = (40, 40, 40)


def rect(px, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = c


def frame(px, x0, y0, x1, y1, c):
    for x in range(x0, x1 + 1):
        px[y0][x] = px[y1][x] = c
    for y in range(y0, y1 + 1):
        px[y][x0] = px[y][x1] = c


def draw(px):
    # 0 the log: a blue bound book with white page edges
    rect(px, 3, 2, 14, 15, (50, 90, 190))
    frame(px, 3, 2, 14, 15, DARK)
    rect(px, 5, 2, 5, 15, (30, 60, 140))
    rect(px, 12, 4, 13, 14, (240, 240, 240))
    rect(px, 7, 6, 11, 7, (230, 200, 80))
    # 1 a day: a calendar sheet with a red top and a grid of days
    rect(px, 20, 3, 33, 15, (250, 250, 250))
    rect(px, 20, 3, 33, 6, (210, 40, 40))
    frame(px, 20, 3, 33, 15, DARK)
    for gy in (8, 11, 14):
        for gx in (22, 25, 28, 31):
            px[gy][gx] = (90, 90, 90)
    rect(px, 23, 1, 23, 4, DARK)
    rect(px, 30, 1, 30, 4, DARK)
    # 2 a category: a page with text lines and a folded corner
    rect(px, 39, 2, 50, 15, (245, 245, 230))
    frame(px, 39, 2, 50, 15, DARK)
    for ly in (6, 9, 12):
        rect(px, 41, ly, 48, ly, (60, 120, 60))
    rect(px, 48, 2, 50, 4, (200, 200, 190))


def main(path):
    px = [[(0, 0, 0)] * W for _ in range(H)]
    draw(px)
    row = (W * 3 + 3) // 4 * 4
    lines = []
    for y in reversed(range(H)):
        line = b"".join(bytes((p[2], p[1], p[0])) for p in px[y])
        lines.append(line + b"\0" * (row - len(line)))
    data = b"".join(lines)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/warden/syslogtree.bmp")

#!/usr/bin/env python3
"""Writes resources/warden/syslogtree.bmp: the system log viewer's three 18x18 tree pictures in one
54x18 strip (the log, a day, a category) on black, the mask colour."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_tree_images import frame, rect, write_bmp24  # noqa: E402

W, H = 54, 18
DARK = (40, 40, 40)


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
    write_bmp24(path, px)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/warden/syslogtree.bmp")

#!/usr/bin/env python3
"""Writes resources/clipview/icons/*.ico: the player's window icon and the pictures of its strip
(play, pause, fast, slow, stop, cut, save cut, sound, playlist) in an enabled and a greyed form,
and the playlist's two 16x16 state marks. Plain 32-bit icons drawn from a few shapes."""
import os
import struct
import sys

CLEAR = (0, 0, 0, 0)


def canvas(n):
    return [[CLEAR for _ in range(n)] for _ in range(n)]


def rect(px, x0, y0, x1, y1, c):
    for y in range(max(0, y0), min(len(px), y1 + 1)):
        for x in range(max(0, x0), min(len(px), x1 + 1)):
            px[y][x] = c


def triangle(px, x0, y0, size, c, left=False):
    """A filled triangle pointing right (or left) in a size x size box."""
    for dy in range(size):
        half = min(dy, size - 1 - dy)
        for dx in range(half + 1):
            x = x0 + (size // 2 - 1 - dx if left else dx)
            if 0 <= x < len(px) and 0 <= y0 + dy < len(px):
                px[y0 + dy][x] = c


def disc(px, cx, cy, r, c):
    for y in range(len(px)):
        for x in range(len(px)):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                px[y][x] = c


def shape_play(px, c):
    triangle(px, 4, 2, 12, c)


def shape_pause(px, c):
    rect(px, 4, 3, 6, 12, c)
    rect(px, 9, 3, 11, 12, c)


def shape_fast(px, c):
    triangle(px, 1, 3, 10, c)
    triangle(px, 7, 3, 10, c)


def shape_slow(px, c):
    rect(px, 3, 3, 4, 12, c)
    triangle(px, 6, 3, 10, c)


def shape_stop(px, c):
    rect(px, 3, 3, 12, 12, c)


def shape_cut(px, c):
    disc(px, 4, 11, 2, c)
    disc(px, 11, 11, 2, c)
    for i in range(8):
        px[2 + i][4 + i // 2 + 1] = c
        px[2 + i][11 - i // 2 - 1] = c


def shape_save(px, c):
    rect(px, 2, 2, 13, 13, c)
    rect(px, 4, 3, 11, 6, (255, 255, 255, 255))
    rect(px, 5, 9, 10, 13, (255, 255, 255, 255))


def shape_sound(px, c, on):
    rect(px, 2, 6, 4, 9, c)
    triangle(px, 2, 2, 12, c, left=True)
    if on:
        for y in range(4, 12):
            px[y][11] = c
        for y in range(2, 14):
            px[y][13] = c
    else:
        for i in range(7):
            px[4 + i][9 + i // 1 if 9 + i < 16 else 15] = (200, 30, 30, 255)
            px[10 - i][9 + i if 9 + i < 16 else 15] = (200, 30, 30, 255)


def shape_list(px, c, shown):
    for y in (3, 7, 11):
        rect(px, 2, y, 3, y + 1, c)
        rect(px, 5, y, 13 if shown else 9, y + 1, c)
    if not shown:
        triangle(px, 10, 5, 8, c, left=True)


def shape_mark(px, current):
    if current:
        triangle(px, 4, 2, 12, (0, 160, 0, 255))
    else:
        disc(px, 7.5, 7.5, 2, (150, 150, 150, 255))


def shape_main(px):
    n = len(px)
    rect(px, 1, n // 6, n - 2, n - n // 6, (30, 60, 120, 255))
    rect(px, 2, n // 6 + 1, n - 3, n - n // 6 - 1, (60, 120, 210, 255))
    triangle(px, n // 3, n // 4, n // 2, (255, 255, 255, 255))


def icon_bytes(images):
    """An .ico of 32-bit images (each a square list of rows of RGBA)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for px in images:
        n = len(px)
        bmp = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
        for row in reversed(px):
            for r, g, b, a in row:
                bmp += bytes((b, g, r, a))
        mask_row = ((n + 31) // 32) * 4
        for row in reversed(px):
            bits = 0
            line = bytearray(mask_row)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            bmp += bytes(line)
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(bmp), offset)
        blobs += bmp
        offset += len(bmp)
    return header + entries + blobs


def strip_icon(draw, enabled):
    px = canvas(16)
    draw(px, (20, 20, 20, 255) if enabled else (150, 150, 150, 255))
    return [px]


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    icons = {}
    for name, draw in (("play", shape_play), ("pause", shape_pause), ("fast", shape_fast), ("slow", shape_slow),
                       ("stop", shape_stop), ("cut", shape_cut), ("savecut", shape_save)):
        icons[name + "_on"] = strip_icon(draw, True)
        icons[name + "_off"] = strip_icon(draw, False)
    icons["sound_on"] = strip_icon(lambda px, c: shape_sound(px, c, True), True)
    icons["sound_off"] = strip_icon(lambda px, c: shape_sound(px, c, False), True)
    icons["list_shown"] = strip_icon(lambda px, c: shape_list(px, c, True), True)
    icons["list_hidden"] = strip_icon(lambda px, c: shape_list(px, c, False), True)
    for name, current in (("mark_other", False), ("mark_current", True)):
        px = canvas(16)
        shape_mark(px, current)
        icons[name] = [px]
    big, small = canvas(32), canvas(16)
    shape_main(big)
    shape_main(small)
    icons["clipview"] = [big, small]
    for name, images in sorted(icons.items()):
        with open(os.path.join(out_dir, name + ".ico"), "wb") as f:
            f.write(icon_bytes(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/clipview/icons")

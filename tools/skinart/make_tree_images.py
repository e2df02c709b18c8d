#!/usr/bin/env python3
"""Writes resources/warden/servertree.bmp: the server tree's six 16x16 pictures in one 96x16 strip
(project, group, server, camera, camera off, spare) on the colour key RGB(255, 51, 102)."""
import struct
import sys

KEY = (255, 51, 102)
W, H = 96, 16


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
    dark = (40, 40, 40)
    # 0 project: a blue globe-like disc
    for y in range(16):
        for x in range(16):
            if (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 42:
                px[y][x] = (40, 90, 200) if (x + y) % 5 else (120, 180, 255)
    # 1 group: a yellow folder
    rect(px, 17, 3, 22, 5, (230, 190, 60))
    rect(px, 17, 5, 30, 13, (250, 215, 90))
    frame(px, 17, 5, 30, 13, (160, 120, 20))
    # 2 server: a grey box with two drive slots and a green light
    rect(px, 35, 1, 44, 14, (180, 180, 180))
    frame(px, 35, 1, 44, 14, dark)
    rect(px, 37, 4, 42, 5, dark)
    rect(px, 37, 8, 42, 9, dark)
    rect(px, 42, 12, 43, 12, (0, 200, 0))
    # 3 camera: body and lens
    rect(px, 49, 5, 58, 11, (70, 70, 70))
    rect(px, 59, 6, 62, 10, (30, 30, 30))
    rect(px, 51, 7, 53, 9, (120, 200, 255))
    rect(px, 52, 12, 53, 14, dark)
    # 4 camera off: the camera with a red bar
    rect(px, 65, 5, 74, 11, (120, 120, 120))
    rect(px, 75, 6, 78, 10, (80, 80, 80))
    for i in range(12):
        px[2 + i][66 + i] = (220, 0, 0)
    # 5 spare: an alarm bell
    rect(px, 84, 4, 91, 11, (240, 180, 0))
    rect(px, 82, 11, 93, 12, (200, 140, 0))
    rect(px, 87, 13, 88, 14, dark)


def write_bmp24(path, px):
    """A bottom-up 24-bit BMP of the pixel rows px (top row first), rows padded to 4 bytes."""
    height, width = len(px), len(px[0])
    row = (width * 3 + 3) // 4 * 4
    lines = []
    for y in reversed(range(height)):
        line = b"".join(bytes((p[2], p[1], p[0])) for p in px[y])
        lines.append(line + b"\0" * (row - len(line)))
    data = b"".join(lines)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main(path):
    px = [[KEY] * W for _ in range(H)]
    draw(px)
    write_bmp24(path, px)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/warden/servertree.bmp")

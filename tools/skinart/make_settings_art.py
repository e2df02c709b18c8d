#!/usr/bin/env python3
"""Draws the pictures of the system settings and system log dialogs, so they can be regenerated.

    python3 tools/skinart/make_settings_art.py [repository-root]

Outputs, in resources/warden/settings/, compiled into Warden.exe:
  users.ico    the users page's picture of a user (icon 164, 32x32 and 16x16)
  syslog.bmp   the log viewer's tree pictures (bitmap 179): three 18x18 images, black transparent:
               0 the log (a book), 1 a day (a calendar leaf), 2 a category (a list)
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_default_skin import Canvas, bmp24  # noqa: E402

BLACK = (0, 0, 0)
DARK = (40, 48, 64)


def log_strip():
    c = Canvas(54, 18, BLACK)
    # 0 the log: a blue book with white pages
    c.rect(3, 2, 15, 16, (40, 100, 190))
    c.rect(5, 4, 13, 14, (235, 238, 245))
    for y in (6, 9, 12):
        c.line(6, y, 12, y, (120, 130, 150))
    c.rect(3, 2, 5, 16, (25, 60, 130))
    # 1 a day: a calendar leaf with a red top and a date grid
    x0 = 18
    c.rect(x0 + 2, 3, x0 + 16, 16, (245, 245, 245))
    c.rect(x0 + 2, 3, x0 + 16, 6, (210, 50, 50))
    c.frame(x0 + 2, 3, x0 + 16, 16, DARK)
    for i in range(3):
        for j in range(2):
            c.rect(x0 + 4 + i * 4, 8 + j * 4, x0 + 6 + i * 4, 10 + j * 4, (90, 100, 120))
    # 2 a category: a green list with bullets
    x0 = 36
    for k, y in enumerate((4, 8, 12)):
        c.rect(x0 + 3, y, x0 + 6, y + 3, (40, 170, 80))
        c.rect(x0 + 8, y + 1, x0 + 15, y + 2, (200, 205, 215))
    return c


def user_icon(sizes=(32, 16)):
    """A person (head and shoulders) on a light disc: an icon file with one 32-bit image per size."""
    images = []
    for n in sizes:
        s = n / 32
        c = Canvas(n, n, (0, 0, 0), alpha=0)
        c.disc(16 * s, 16 * s, 15 * s, (205, 225, 245))
        for y in range(n):
            for x in range(n):
                if (x - 16 * s) ** 2 + (y - 16 * s) ** 2 <= (15 * s) ** 2:
                    c.alpha[y][x] = 255
        c.disc(16 * s, 11 * s, 6 * s, (60, 110, 190))
        for y in range(int(19 * s), int(29 * s)):
            half = (y - 19 * s) * 0.7 + 6 * s
            for x in range(int(16 * s - half), int(16 * s + half) + 1):
                if (x - 16 * s) ** 2 + (y - 16 * s) ** 2 <= (15 * s) ** 2:
                    c.put(x, y, (60, 110, 190), 255)
        rows = b''.join(bytes([p[2], p[1], p[0], c.alpha[y][x]])
                        for y in range(n - 1, -1, -1) for x, p in enumerate(c.px[y]))
        stride = ((n + 31) // 32) * 4
        mask = bytearray(stride * n)
        for row, y in enumerate(range(n - 1, -1, -1)):
            for x in range(n):
                if c.alpha[y][x] == 0:
                    mask[row * stride + x // 8] |= 0x80 >> (x % 8)
        header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
        images.append((n, header + rows + bytes(mask)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    out = os.path.join(root, 'resources', 'warden', 'settings')
    write(os.path.join(out, 'syslog.bmp'), bmp24(log_strip()))
    write(os.path.join(out, 'users.ico'), user_icon())


if __name__ == '__main__':
    main()

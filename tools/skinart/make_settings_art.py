#!/usr/bin/env python3
"""Draws the picture of the system settings' users page, so it can be regenerated.

    python3 tools/skinart/make_settings_art.py [repository-root]

Outputs, in resources/warden/settings/, compiled into Warden.exe:
  users.ico    the users page's picture of a user (icon 164, 32x32 and 16x16)
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_default_skin import Canvas  # noqa: E402


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
    write(os.path.join(out, 'users.ico'), user_icon())


if __name__ == '__main__':
    main()

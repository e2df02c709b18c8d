#!/usr/bin/env python3
"""Draws the station's splash picture, "backpic.bmp" of its start directory, so it can be regenerated.

    python3 tools/skinart/make_splash_art.py [repository-root]

The product's name, what it is and its version (the about box's "V1.00.00.01") on the main window's blue, with
the camera of the window icon. The texts are set with ImageMagick's `convert` in WenQuanYi Micro Hei (Debian's
fonts-wqy-microhei, the CJK font the station runs with), so the Chinese line is drawn as a user sees it.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_default_skin import Canvas, bmp24  # noqa: E402

WIDTH, HEIGHT = 400, 240
BLUE = (68, 162, 226)
NAME = 'Quillmoor'
WHAT = '视频监控工作站'
VERSION = 'V1.00.00.01'
FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'


def backdrop():
    """The gradient, the blue rules and the camera; the texts go on the right of the camera."""
    c = Canvas(WIDTH, HEIGHT)
    c.vgradient(0, 0, WIDTH, HEIGHT, (28, 52, 84), (10, 18, 30))
    c.rect(0, 0, WIDTH, 3, BLUE)
    c.rect(0, HEIGHT - 3, WIDTH, HEIGHT, BLUE)
    c.rect(128, 158, WIDTH - 32, 159, (50, 80, 120))
    # The camera: body, lens hood and lens.
    c.rect(30, 82, 94, 122, (230, 235, 240))
    c.rect(94, 90, 110, 114, (230, 235, 240))
    c.disc(54, 102, 13, (22, 40, 64))
    c.disc(54, 102, 6, BLUE)
    c.rect(40, 122, 50, 140, (150, 160, 175))
    c.rect(28, 140, 62, 144, (150, 160, 175))
    return c


def read_ppm(data):
    """A binary PPM (P6, maxval 255) as a Canvas."""
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    c = Canvas(w, h)
    for y in range(h):
        row = data[pos + y * w * 3:pos + (y + 1) * w * 3]
        c.px[y] = [tuple(row[x * 3:x * 3 + 3]) for x in range(w)]
    return c


def with_texts(canvas):
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, 'backdrop.bmp')
        with open(source, 'wb') as f:
            f.write(bmp24(canvas))
        command = ['convert', source, '-font', FONT, '-fill', 'white',
                   '-pointsize', '40', '-annotate', '+130+118', NAME,
                   '-fill', '#c8d6e8', '-pointsize', '18', '-annotate', '+132+148', WHAT,
                   '-fill', '#44a2e2', '-pointsize', '14', '-annotate', '+132+186', VERSION,
                   '-depth', '8', 'ppm:-']
        return read_ppm(subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    path = os.path.join(root, 'resources', 'warden', 'startdir', 'backpic.bmp')
    with open(path, 'wb') as f:
        f.write(bmp24(with_texts(backdrop())))


if __name__ == '__main__':
    main()

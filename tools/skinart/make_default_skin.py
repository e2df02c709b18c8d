#!/usr/bin/env python3
"""Draws the pictures of the default skin (resources/skin/default) from code, so they can be regenerated.

    python3 tools/skinart/make_default_skin.py [output-folder]

Every picture is our own: flat shapes, gradients and a few glyphs. The coordinates used here are the ones
resources/skin/default/default.skin cuts its image parts from; change both together.
Magenta (#FF00FF) marks transparent pixels (the skin's Application object switches regions on).
"""
import os
import struct
import sys

MAGENTA = (255, 0, 255)


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0), alpha=None):
        self.w, self.h = width, height
        self.px = [[fill for _ in range(width)] for _ in range(height)]
        self.alpha = None if alpha is None else [[alpha] * width for _ in range(height)]

    def put(self, x, y, c, a=None):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c
            if self.alpha is not None and a is not None:
                self.alpha[y][x] = a

    def rect(self, x0, y0, x1, y1, c, a=None):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, c, a)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1):
            self.put(x, y0, c)
            self.put(x, y1 - 1, c)
        for y in range(y0, y1):
            self.put(x0, y, c)
            self.put(x1 - 1, y, c)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = (y - y0) / n
            c = tuple(int(top[i] + (bottom[i] - top[i]) * t + 0.5) for i in range(3))
            for x in range(x0, x1):
                self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)


def bmp24(canvas):
    stride = (canvas.w * 3 + 3) & ~3
    rows = b''
    for y in range(canvas.h - 1, -1, -1):
        row = b''.join(struct.pack('BBB', c[2], c[1], c[0]) for c in canvas.px[y])
        rows += row + b'\0' * (stride - len(row))
    header = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 24, 0, len(rows), 3780, 3780, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + 40 + len(rows), 0, 0, 54) + header + rows


def bmp8(canvas):
    colours = []
    for row in canvas.px:
        for c in row:
            if c not in colours:
                colours.append(c)
    assert len(colours) <= 256
    index = {c: i for i, c in enumerate(colours)}
    palette = b''.join(struct.pack('BBBB', c[2], c[1], c[0], 0) for c in colours)
    palette += b'\0' * (4 * (256 - len(colours)))
    stride = (canvas.w + 3) & ~3
    rows = b''
    for y in range(canvas.h - 1, -1, -1):
        row = bytes(index[c] for c in canvas.px[y])
        rows += row + b'\0' * (stride - len(row))
    header = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 8, 0, len(rows), 3780, 3780, 256, 0)
    offset = 14 + 40 + len(palette)
    return b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset) + header + palette + rows


def tga32_rle(canvas):
    """Run-length encoded 32-bit TGA, top-left origin, so the reader's RLE and orientation paths are used."""
    header = struct.pack('<BBBHHBHHHHBB', 0, 0, 10, 0, 0, 0, 0, 0, canvas.w, canvas.h, 32, 0x28)
    pixels = [struct.pack('BBBB', c[2], c[1], c[0], canvas.alpha[y][x])
              for y in range(canvas.h) for x, c in enumerate(canvas.px[y])]
    out, i = b'', 0
    while i < len(pixels):
        run = 1
        while i + run < len(pixels) and run < 128 and pixels[i + run] == pixels[i]:
            run += 1
        if run > 1:
            out += bytes([0x80 | (run - 1)]) + pixels[i]
            i += run
            continue
        j = i + 1
        while j < len(pixels) and j - i < 128 and (j + 1 >= len(pixels) or pixels[j] != pixels[j + 1]):
            j += 1
        out += bytes([j - i - 1]) + b''.join(pixels[i:j])
        i = j
    return header + out


# ---- the pictures ----

def frame_picture():
    """276 x 320: the active frame above, the inactive one below, each on the 276 x 160 design."""
    c = Canvas(276, 320, (240, 240, 240))
    for top, title, edge in ((0, ((31, 78, 121), (46, 117, 182)), (24, 61, 96)),
                             (160, ((128, 128, 128), (170, 170, 170)), (110, 110, 110))):
        c.vgradient(0, top, 276, top + 30, title[0], title[1])
        c.rect(0, top + 30, 10, top + 160, edge)
        c.rect(266, top + 30, 276, top + 160, edge)
        c.rect(0, top + 148, 276, top + 160, edge)
        c.frame(0, top, 276, top + 160, (12, 30, 48))
        c.frame(9, top + 29, 267, top + 149, (200, 200, 200))
        for x, y in ((0, 0), (1, 0), (0, 1), (275, 0), (274, 0), (275, 1)):
            c.put(x, top + y, MAGENTA)  # rounded top corners
    # A small logo in the active title bar (the Area element points at it).
    c.disc(18, 15, 7, (255, 200, 40))
    c.disc(18, 15, 3, (31, 78, 121))
    return c


def caption_buttons():
    """72 x 48: rows close, maximize, minimize; columns normal, hover, pressed, disabled (18 x 16 each)."""
    c = Canvas(72, 48, MAGENTA)
    backs = [(46, 117, 182), (80, 150, 220), (20, 60, 110), (150, 150, 150)]
    for row in range(3):
        for col in range(4):
            x, y = col * 18, row * 16
            back = (200, 50, 50) if row == 0 and col == 1 else backs[col]
            c.rect(x + 1, y + 1, x + 17, y + 15, back)
            c.frame(x + 1, y + 1, x + 17, y + 15, (230, 230, 230) if col != 3 else (190, 190, 190))
            ink = (255, 255, 255) if col != 3 else (200, 200, 200)
            if row == 0:
                c.line(x + 5, y + 4, x + 12, y + 11, ink)
                c.line(x + 12, y + 4, x + 5, y + 11, ink)
            elif row == 1:
                c.frame(x + 5, y + 4, x + 13, y + 12, ink)
                c.rect(x + 5, y + 5, x + 13, y + 6, ink)
            else:
                c.rect(x + 5, y + 10, x + 13, y + 12, ink)
    return c


def button_states():
    """60 x 132: push button states normal, pressed, default, focused, highlighted, disabled (60 x 22 each)."""
    c = Canvas(60, 132, MAGENTA)
    looks = [((250, 250, 250), (215, 215, 215), (112, 112, 112)),
             ((200, 200, 200), (230, 230, 230), (80, 80, 80)),
             ((250, 250, 250), (215, 215, 215), (46, 117, 182)),
             ((250, 250, 250), (215, 215, 215), (31, 78, 121)),
             ((235, 244, 252), (200, 225, 245), (60, 127, 177)),
             ((244, 244, 244), (244, 244, 244), (190, 190, 190))]
    for i, (top, bottom, border) in enumerate(looks):
        y = i * 22
        c.vgradient(1, y + 1, 59, y + 21, top, bottom)
        c.frame(0, y, 60, y + 22, border)
        for x, yy in ((0, 0), (59, 0), (0, 21), (59, 21)):
            c.put(x, y + yy, MAGENTA)
    return c


def check_boxes():
    """91 x 26, 8-bit: check boxes (top row) and radio buttons (bottom row), seven states of 13 x 13."""
    c = Canvas(91, 26, (240, 240, 240))
    for state in range(7):
        x = state * 13
        checked = state in (1, 4, 6)
        grey = state in (2, 3, 4)
        hot = state in (5, 6)
        border = (160, 160, 160) if grey else ((46, 117, 182) if hot else (90, 90, 90))
        ink = (140, 140, 140) if grey else (20, 20, 20)
        c.rect(x + 1, 1, x + 12, 12, (255, 255, 255))
        c.frame(x + 1, 1, x + 12, 12, border)
        if checked:
            c.line(x + 3, 6, x + 5, 9, ink)
            c.line(x + 5, 9, x + 9, 3, ink)
            c.line(x + 3, 7, x + 5, 10, ink)
        c.disc(x + 6, 19, 5, border)
        c.disc(x + 6, 19, 4, (255, 255, 255))
        if checked:
            c.disc(x + 6, 19, 2, ink)
    return c


def scroll_parts():
    """112 x 64: arrows up, down, left, right (columns 0-3) per state (rows normal, pressed, hot, disabled);
    track (64, y) and thumb (80, y) in the same rows; all 16 x 16; the size grip of the corner box
    (96, 0, 112, 16)."""
    c = Canvas(112, 64, (240, 240, 240))
    backs = [(225, 225, 225), (170, 170, 170), (205, 225, 245), (235, 235, 235)]
    for row in range(4):
        y = row * 16
        ink = (150, 150, 150) if row == 3 else (60, 60, 60)
        for col in range(4):
            x = col * 16
            c.rect(x, y, x + 16, y + 16, backs[row])
            c.frame(x, y, x + 16, y + 16, (180, 180, 180))
            for k in range(4):
                if col == 0:
                    c.line(x + 8 - k, y + 6 + k, x + 8 + k, y + 6 + k, ink)
                elif col == 1:
                    c.line(x + 8 - k, y + 9 - k, x + 8 + k, y + 9 - k, ink)
                elif col == 2:
                    c.line(x + 6 + k, y + 8 - k, x + 6 + k, y + 8 + k, ink)
                else:
                    c.line(x + 9 - k, y + 8 - k, x + 9 - k, y + 8 + k, ink)
        c.rect(64, y, 80, y + 16, (235, 235, 235))
        c.rect(80, y, 96, y + 16, backs[row])
        c.frame(80, y, 96, y + 16, (140, 140, 140))
    for d in (4, 8, 12):
        for k in range(d):
            c.put(96 + 15 - k, 15 - d + k, (150, 150, 150))
            c.put(96 + 15 - k, 16 - d + k if 16 - d + k < 16 else 15, (255, 255, 255))
    return c


def control_parts():
    """128 x 128: edit border (0,0,24,24), combo thumbs (24,0)+17 each, progress fill (0,24,32,40),
    slider channel (32,24,64,28) and thumb (64,24,75,42), tabs (0,48)+32 each 32 x 22, header item
    (0,72,32,92), band and status item (32,72,64,92), group caption (64,72,96,92), spin arrows (96,0) in
    rows of 10 for normal, hot, pressed and disabled, image list dots (0,104,64,120), plain white for the
    animation (64,96,128,128)."""
    c = Canvas(128, 128, (240, 240, 240))
    c.rect(0, 0, 24, 24, (255, 255, 255))
    c.frame(0, 0, 24, 24, (122, 122, 122))
    c.frame(1, 1, 23, 23, (220, 220, 220))
    for i, back in enumerate([(225, 225, 225), (170, 170, 170), (205, 225, 245), (240, 240, 240)]):
        x = 24 + i * 17
        c.rect(x, 0, x + 17, 20, back)
        c.frame(x, 0, x + 17, 20, (160, 160, 160))
        for k in range(4):
            c.line(x + 8 - k, 11 - k, x + 8 + k, 11 - k, (60, 60, 60) if i != 3 else (170, 170, 170))
    c.vgradient(0, 24, 32, 40, (120, 200, 120), (40, 150, 40))
    c.rect(32, 24, 64, 28, (190, 190, 190))
    c.rect(64, 24, 75, 42, (46, 117, 182))
    c.frame(64, 24, 75, 42, (24, 61, 96))
    for i, back in enumerate([(240, 240, 240), (255, 255, 255), (225, 225, 225), (225, 238, 252)]):
        x = i * 32
        c.rect(x, 48, x + 32, 70, back)
        c.frame(x, 48, x + 32, 71, (160, 160, 160))
    c.vgradient(0, 72, 32, 92, (255, 255, 255), (225, 225, 225))
    c.frame(0, 72, 32, 92, (190, 190, 190))
    c.vgradient(32, 72, 64, 92, (245, 245, 245), (215, 215, 215))
    c.frame(32, 72, 64, 92, (180, 180, 180))
    c.vgradient(64, 72, 96, 92, (46, 117, 182), (31, 78, 121))
    # Spin arrows by row: normal, hot (light blue), pressed (darker, the arrow one pixel down), disabled
    # (the face with greyed arrows).
    looks = [((225, 225, 225), (160, 160, 160), (60, 60, 60), 0),
             ((205, 225, 245), (120, 170, 220), (20, 60, 120), 0),
             ((170, 170, 170), (120, 120, 120), (30, 30, 30), 1),
             ((240, 240, 240), (200, 200, 200), (170, 170, 170), 0)]
    for i in range(8):
        x, y = 96 + (i % 2) * 16, (i // 2) * 10
        back, edge, ink, shift = looks[i // 2]
        c.rect(x, y, x + 16, y + 10, back)
        c.frame(x, y, x + 16, y + 10, edge)
        for k in range(3):
            if i % 2 == 0:
                c.line(x + 8 - k, y + 3 + k + shift, x + 8 + k, y + 3 + k + shift, ink)
            else:
                c.line(x + 8 - k, y + 6 - k + shift, x + 8 + k, y + 6 - k + shift, ink)
    # The image list's coloured dots on white; the animation's background is the plain white beside them
    # (64, 96, 128, 128).
    c.rect(0, 96, 128, 128, (255, 255, 255))
    for i in range(4):
        c.disc(8 + i * 16, 112, 6, [(200, 60, 60), (60, 160, 60), (60, 90, 200), (220, 170, 40)][i])
    return c


def menu_parts():
    """64 x 48: popup frame (0,0,24,24) with 3-pixel borders, active item (24,0,48,20), separator
    (24,20,48,24), submenu arrow (48,0,56,8) and check mark (48,8,58,18) on the transparent colour,
    menu bar hot item (0,24,24,44), menu bar background (24,24,48,44), pressed item (48,24,64,44)."""
    c = Canvas(64, 48, (250, 250, 250))
    c.rect(0, 0, 24, 24, (250, 250, 250))
    c.frame(0, 0, 24, 24, (100, 100, 100))
    c.frame(1, 1, 23, 23, (230, 230, 230))
    c.frame(2, 2, 22, 22, (250, 250, 250))
    c.vgradient(24, 0, 48, 20, (205, 225, 245), (160, 200, 240))
    c.frame(24, 0, 48, 20, (120, 170, 220))
    c.rect(24, 20, 48, 24, (250, 250, 250))
    c.rect(24, 21, 48, 22, (200, 200, 200))
    # The arrow and the check mark lie on the transparent colour: they are drawn masked over any item.
    c.rect(48, 0, 56, 8, (255, 0, 255))
    c.rect(48, 8, 58, 18, (255, 0, 255))
    for k in range(4):
        c.line(50 + k, 4 - (3 - k), 50 + k, 4 + (3 - k), (40, 40, 40))
    c.line(49, 13, 51, 16, (20, 20, 20))
    c.line(51, 16, 56, 10, (20, 20, 20))
    c.vgradient(0, 24, 24, 44, (225, 238, 252), (190, 220, 250))
    c.frame(0, 24, 24, 44, (120, 170, 220))
    c.vgradient(24, 24, 48, 44, (245, 245, 245), (228, 228, 228))
    c.vgradient(48, 24, 64, 44, (160, 200, 240), (120, 170, 220))
    return c


def tooltip_frame():
    """24 x 24, 32-bit TGA with alpha: a tip frame with a soft, partly transparent edge."""
    c = Canvas(24, 24, (255, 255, 225), alpha=255)
    for i, a in enumerate((90, 160)):
        for x in range(i, 24 - i):
            c.put(x, i, (90, 90, 60), a)
            c.put(x, 23 - i, (90, 90, 60), a)
        for y in range(i, 24 - i):
            c.put(i, y, (90, 90, 60), a)
            c.put(23 - i, y, (90, 90, 60), a)
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..',
                                                             'resources', 'skin', 'default')
    os.makedirs(out, exist_ok=True)
    files = {
        'frame.bmp': bmp24(frame_picture()),
        'caption.bmp': bmp24(caption_buttons()),
        'button.bmp': bmp24(button_states()),
        'checks.bmp': bmp8(check_boxes()),
        'scroll.bmp': bmp24(scroll_parts()),
        'controls.bmp': bmp24(control_parts()),
        'menu.bmp': bmp24(menu_parts()),
        'tooltip.tga': tga32_rle(tooltip_frame()),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
    print('wrote', ', '.join(sorted(files)), 'to', os.path.normpath(out))


if __name__ == '__main__':
    main()

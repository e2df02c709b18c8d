#!/usr/bin/env python3
"""Draws the main window's pictures and writes its layout file, so they can be regenerated.

    python3 tools/skinart/make_main_window_art.py [repository-root]

Outputs:
  resources/warden/mainwindow/   tree and tab image strips (bitmaps 135 and 172, key colour RGB(255,51,102))
                                 and the window icon (icon 128), compiled into Warden.exe
  resources/warden/startdir/     files of the station's start directory: "skin/facepic.ini" with the
                                 "Skin//*.BMP" pictures of the main window (the splash, "backpic.bmp", is
                                 make_splash_art.py's)

The pictures that the window stretches (background, logo, buttons) are drawn small. The layout is written
for a 1024 x 768 screen. The wide buttons carry their caption (Chinese, and English in the "_en" set),
rendered with ImageMagick's "convert" in WenQuanYi Micro Hei (Debian's imagemagick and
fonts-wqy-microhei, which the set-up installs).
"""
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_default_skin import Canvas, bmp24  # noqa: E402

KEY = (255, 51, 102)
BLUE = (68, 162, 226)
DARK = (22, 40, 64)


def tree_strip():
    """Six 16x16 pictures: root, group, server, camera, and two spare (connected camera, alarm)."""
    c = Canvas(96, 16, KEY)
    # 0 root: a globe
    c.disc(8, 8, 6, (40, 110, 200))
    c.line(2, 8, 14, 8, (200, 230, 255))
    c.line(8, 2, 8, 14, (200, 230, 255))
    # 1 group: a folder
    c.rect(16 + 2, 5, 16 + 14, 13, (230, 190, 60))
    c.rect(16 + 2, 3, 16 + 7, 5, (230, 190, 60))
    c.frame(16 + 2, 5, 16 + 14, 13, (140, 100, 20))
    # 2 server: a box with lights
    c.rect(32 + 3, 2, 32 + 13, 14, (90, 100, 120))
    c.frame(32 + 3, 2, 32 + 13, 14, (30, 30, 40))
    for y in (5, 8, 11):
        c.rect(32 + 5, y, 32 + 7, y + 1, (80, 220, 90))
    # 3 camera: body and lens
    for x0, lens in ((48, (30, 30, 30)), (64, (40, 200, 60)), (80, (220, 40, 40))):
        c.rect(x0 + 2, 5, x0 + 11, 11, (200, 205, 215))
        c.frame(x0 + 2, 5, x0 + 11, 11, (60, 60, 70))
        c.rect(x0 + 11, 6, x0 + 14, 10, (60, 60, 70))
        c.disc(x0 + 6, 8, 2, lens)
    return c


def tab_strip():
    """Three 16x16 pictures: tree, PTZ, matrix."""
    c = Canvas(48, 16, KEY)
    for y in (3, 7, 11):
        c.rect(2 + (y > 3) * 3, y, 14, y + 2, (40, 110, 200))
    c.disc(16 + 8, 8, 6, (90, 100, 120))
    c.disc(16 + 8, 8, 2, (230, 230, 230))
    for i in range(3):
        for j in range(3):
            c.rect(32 + 2 + i * 4, 2 + j * 4, 32 + 5 + i * 4, 5 + j * 4, (40, 160, 90))
    return c


def icon_file(sizes=(32, 16)):
    """A camera on blue: an icon file with one 32-bit image per size."""
    images = []
    for n in sizes:
        c = Canvas(n, n, (40, 110, 200))
        s = n / 16
        c.rect(int(2 * s), int(5 * s), int(11 * s), int(11 * s), (230, 235, 240))
        c.rect(int(11 * s), int(6 * s), int(14 * s), int(10 * s), (230, 235, 240))
        c.disc(6 * s, 8 * s, 2 * s, DARK)
        rows = b''.join(bytes([p[2], p[1], p[0], 255]) for y in range(n - 1, -1, -1) for p in c.px[y])
        mask = b'\0' * (((n + 31) // 32) * 4 * n)
        header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
        images.append((n, header + rows + mask))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def background():
    c = Canvas(256, 192)
    c.vgradient(0, 0, 256, 192, (28, 52, 84), (10, 18, 30))
    c.rect(0, 0, 256, 2, BLUE)
    c.rect(0, 170, 256, 171, (50, 80, 120))
    return c


def logo():
    c = Canvas(120, 30)
    c.vgradient(0, 0, 120, 30, (40, 90, 150), (20, 45, 80))
    c.disc(15, 15, 9, (230, 235, 240))
    c.disc(15, 15, 4, DARK)
    for i, x in enumerate(range(32, 112, 10)):
        c.rect(x, 9, x + 7, 21, (230, 235, 240) if i % 2 == 0 else BLUE)
    return c


def glyph(c, kind, ox, oy, colour):
    """A simple symbol in a 16x16 cell at (ox, oy)."""
    if kind.startswith('mode'):
        n = {'mode1': 1, 'mode4': 2, 'mode6': 3, 'mode8': 4, 'mode9': 3, 'mode16': 4}.get(kind, 1)
        step = 14 // n
        for i in range(n):
            for j in range(n):
                c.frame(ox + 1 + i * step, oy + 1 + j * step, ox + 1 + (i + 1) * step, oy + 1 + (j + 1) * step, colour)
    elif kind == 'modefull':
        c.frame(ox + 1, oy + 1, ox + 15, oy + 15, colour)
        c.rect(ox + 4, oy + 4, ox + 12, oy + 12, colour)
    elif kind in ('page_left', 'page_right'):
        for i in range(7):
            x = ox + 4 + i if kind == 'page_left' else ox + 11 - i
            c.line(x, oy + 8 - i, x, oy + 8 + i, colour)
    elif kind == 'dislink':
        c.line(ox + 2, oy + 2, ox + 14, oy + 14, colour)
        c.line(ox + 2, oy + 14, ox + 14, oy + 2, colour)
    elif kind in ('capbmp', 'localrecv', 'remoterecv'):
        c.disc(ox + 8, oy + 8, 6, colour)
        if kind == 'capbmp':
            c.disc(ox + 8, oy + 8, 3, (0, 0, 0))
    elif kind in ('audio', 'talk'):
        c.rect(ox + 3, oy + 6, ox + 7, oy + 11, colour)
        for i in range(5):
            c.line(ox + 7 + i, oy + 6 - i, ox + 7 + i, oy + 10 + i, colour)
    elif kind == 'cleanalarm':
        c.disc(ox + 8, oy + 8, 6, colour)
        c.rect(ox + 4, oy + 7, ox + 12, oy + 9, (0, 0, 0))
    else:
        c.rect(ox + 2, oy + 3, ox + 14, oy + 13, colour)


CAPTION_FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'

# What the wide buttons do, in their own words: the main menu's texts for the same commands.
CAPTIONS = {
    'alarm': ('系统日志', 'System Log'),
    'query': ('视频文件', 'Video Files'),
    'loopview': ('轮巡监视', 'Tour'),
    'emap': ('电子地图', 'E-Map'),
    'status': ('状态', 'Status'),
}


def text_mask(text, size):
    """The coverage (0..255) of text drawn at size pixels: (width, height, rows)."""
    pgm = subprocess.run(['convert', '-background', 'black', '-fill', 'white', '-font', CAPTION_FONT,
                          '-pointsize', str(size), 'label:' + text, '-depth', '8', 'pgm:-'],
                         check=True, stdout=subprocess.PIPE).stdout
    fields, pos = [], 0
    while len(fields) < 4:  # "P5", width, height, maximum, each after white space
        while pgm[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not pgm[end:end + 1].isspace():
            end += 1
        fields.append(pgm[pos:end])
        pos = end
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    return w, h, [list(pgm[pos + y * w:pos + (y + 1) * w]) for y in range(h)]


def draw_text(c, text, cx, cy, colour, size):
    """Text centred on (cx, cy), blended by its coverage over what the canvas holds."""
    w, h, rows = text_mask(text, size)
    x0, y0 = cx - w // 2, cy - h // 2
    for y, row in enumerate(rows):
        for x, cover in enumerate(row):
            if cover and 0 <= x0 + x < c.w and 0 <= y0 + y < c.h:
                under = c.px[y0 + y][x0 + x]
                c.put(x0 + x, y0 + y, tuple((under[i] * (255 - cover) + colour[i] * cover) // 255 for i in range(3)))


def button(kind, state, wide, english):
    """One state ("", "_push", "_dis") of a command button; wide buttons carry their caption."""
    w, h = (64, 32) if wide else (32, 32)
    c = Canvas(w, h)
    tops = {'': ((70, 120, 180), (30, 60, 100)), '_push': ((30, 60, 100), (70, 120, 180)),
            '_dis': ((110, 110, 110), (70, 70, 70))}
    c.vgradient(0, 0, w, h, *tops[state])
    c.frame(0, 0, w, h, (10, 20, 35))
    colour = (150, 150, 150) if state == '_dis' else (235, 240, 245)
    shift = 1 if state == '_push' else 0
    if wide:
        chinese, english_caption = CAPTIONS[kind]
        text = english_caption if english else chinese
        draw_text(c, text, w // 2 + shift, h // 2 + shift, colour, 10 if english else 12)
    else:
        glyph(c, kind, 8 + shift, 8 + shift, colour)
    return c


# Command buttons of the main window: id, key, picture base name, English set, x, y, w, h (1024 x 768).
BUTTONS = [
    (400, 'alarminfo', 'alarm', True, 250, 4, 64, 32),
    (401, 'queryinfo', 'query', True, 318, 4, 64, 32),
    (402, 'loopview', 'loopview', True, 386, 4, 64, 32),
    (403, 'emap', 'emap', True, 454, 4, 64, 32),
    (404, 'status', 'status', True, 522, 4, 64, 32),
    (405, 'mode_1', 'mode1', False, 250, 690, 32, 32),
    (406, 'mode_4', 'mode4', False, 286, 690, 32, 32),
    (407, 'mode_6', 'mode6', False, 322, 690, 32, 32),
    (408, 'mode_8', 'mode8', False, 358, 690, 32, 32),
    (409, 'mode_9', 'mode9', False, 394, 690, 32, 32),
    (410, 'mode_16', 'mode16', False, 430, 690, 32, 32),
    (411, 'mode_full', 'modefull', False, 466, 690, 32, 32),
    (412, 'dislink', 'dislink', False, 516, 690, 32, 32),
    (413, 'capbmp', 'capbmp', False, 552, 690, 32, 32),
    (414, 'localrecv', 'localrecv', False, 588, 690, 32, 32),
    (415, 'remoterecv', 'remoterecv', False, 624, 690, 32, 32),
    (416, 'audioplay', 'audio', False, 660, 690, 32, 32),
    (417, 'talkplay', 'talk', False, 696, 690, 32, 32),
    (441, 'cleanalarm', 'cleanalarm', False, 746, 690, 32, 32),
    (442, 'pageleft', 'page_left', False, 796, 690, 32, 32),
    (443, 'pageright', 'page_right', False, 832, 690, 32, 32),
]

# Parts of the main window (section "VIDEO_WND").
PARTS = [
    ('videownd', 244, 40, 776, 640),
    ('logopos', 4, 4, 236, 58),
    ('tabpos', 4, 66, 236, 26),
    ('treepos', 4, 94, 236, 556),
    ('timepos', 8, 660, 110, 20),
    ('datepos', 124, 660, 110, 20),
    ('emapview', 244, 40, 776, 640),
    ('emaptree', 4, 94, 236, 556),
]


def other_keys(existing, section, ours):
    """The lines of a section of the existing layout file whose keys this script does not write
    (make_panel_art.py adds the panels' keys to [BUTTONINFO])."""
    kept, current = [], None
    for line in existing.splitlines():
        stripped = line.strip()
        if stripped.startswith('['):
            current = stripped[1:-1]
        elif current == section and '=' in stripped and stripped.split('=', 1)[0] not in ours:
            kept.append(stripped)
    return kept


def layout_text(existing=''):
    buttons = ['projectname=Quillmoor'] + ['%s=%d,%d,%d,%d' % (key, x, y, w, h) for _, key, _, _, x, y, w, h in BUTTONS]
    parts = ['%s=%d,%d,%d,%d' % part for part in PARTS]
    lines = ['[BUTTONINFO]'] + buttons
    lines += other_keys(existing, 'BUTTONINFO', {line.split('=', 1)[0] for line in buttons})
    lines += ['', '[VIDEO_WND]'] + parts
    lines += other_keys(existing, 'VIDEO_WND', {part[0] for part in PARTS})
    return '\r\n'.join(lines) + '\r\n'


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    res = os.path.join(root, 'resources', 'warden', 'mainwindow')
    start = os.path.join(root, 'resources', 'warden', 'startdir')
    write(os.path.join(res, 'tree.bmp'), bmp24(tree_strip()))
    write(os.path.join(res, 'tabs.bmp'), bmp24(tab_strip()))
    write(os.path.join(res, 'warden.ico'), icon_file())
    skin = os.path.join(start, 'skin')
    layout = os.path.join(skin, 'facepic.ini')
    existing = open(layout, 'rb').read().decode('ascii') if os.path.exists(layout) else ''
    write(layout, layout_text(existing).encode('ascii'))
    write(os.path.join(skin, 'background.bmp'), bmp24(background()))
    write(os.path.join(skin, 'logo.bmp'), bmp24(logo()))
    for _, _, base, english, _, _, w, _ in BUTTONS:
        for en in ([False, True] if english else [False]):
            for state in ('', '_push', '_dis'):
                name = base + ('_en' if en else '') + state + '.BMP'
                write(os.path.join(skin, name), bmp24(button(base, state, w > 32, en)))


if __name__ == '__main__':
    main()

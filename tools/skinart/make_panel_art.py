#!/usr/bin/env python3
"""Draws the PTZ and matrix panels' pictures and adds their keys to the layout file.

    python3 tools/skinart/make_panel_art.py [repository-root]

Run it after make_main_window_art.py, which writes the layout file afresh. Outputs, in
resources/warden/startdir/skin/ (the station's start directory):
  - the PTZ panel: faces "ptzctrlface.bmp" and "ptzctrlface_en.bmp", its keys, the four server relays,
    the preset-cycle buttons, the speed bar and the alarm-box output lamp, each key with its "_push"
    (or on) and "_dis" pictures;
  - the matrix panel: face "mtxctrlface.bmp" and its 46 keys with "_push" and "_dis";
  - in "facepic.ini" [BUTTONINFO], the rectangles of every key, edit and list of both panels (relative
    to the panel, in design units of a 1024 x 768 screen) and the colours "camdesccolor" and
    "camdesctextcolor". Keys this script wrote before are replaced; other keys stay.
Both panels take the "treepos" rectangle of [VIDEO_WND] (236 x 556 design units).
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_default_skin import Canvas, bmp24, bmp8  # noqa: E402

PANEL_W, PANEL_H = 236, 556
BAND = (200, 214, 232)       # the face behind the description label: "camdesctextcolor"
DESCRIPTION = (234, 237, 241)
LABEL = (200, 214, 232)

# A 3 x 5 pixel font: each glyph is five rows of three bits.
FONT = {
    '0': ('111', '101', '101', '101', '111'), '1': ('010', '110', '010', '010', '111'),
    '2': ('111', '001', '111', '100', '111'), '3': ('111', '001', '111', '001', '111'),
    '4': ('101', '101', '111', '001', '001'), '5': ('111', '100', '111', '001', '111'),
    '6': ('111', '100', '111', '101', '111'), '7': ('111', '001', '010', '010', '010'),
    '8': ('111', '101', '111', '101', '111'), '9': ('111', '101', '111', '001', '111'),
    'A': ('010', '101', '111', '101', '101'), 'B': ('110', '101', '110', '101', '110'),
    'C': ('011', '100', '100', '100', '011'), 'D': ('110', '101', '101', '101', '110'),
    'E': ('111', '100', '110', '100', '111'), 'F': ('111', '100', '110', '100', '100'),
    'G': ('011', '100', '101', '101', '011'), 'H': ('101', '101', '111', '101', '101'),
    'I': ('111', '010', '010', '010', '111'), 'K': ('101', '110', '100', '110', '101'),
    'L': ('100', '100', '100', '100', '111'), 'M': ('101', '111', '111', '101', '101'),
    'N': ('110', '101', '101', '101', '101'), 'O': ('010', '101', '101', '101', '010'),
    'P': ('110', '101', '110', '100', '100'), 'R': ('110', '101', '110', '101', '101'),
    'S': ('011', '100', '010', '001', '110'), 'T': ('111', '010', '010', '010', '010'),
    'U': ('101', '101', '101', '101', '111'), 'V': ('101', '101', '101', '101', '010'),
    'W': ('101', '101', '111', '111', '101'), 'X': ('101', '101', '010', '101', '101'),
    'Y': ('101', '101', '010', '010', '010'), 'Z': ('111', '001', '010', '100', '111'),
    '+': ('000', '010', '111', '010', '000'), '-': ('000', '000', '111', '000', '000'),
    ' ': ('000', '000', '000', '000', '000'),
}


def text_width(text, scale):
    return len(text) * 4 * scale - scale


def draw_text(c, x, y, text, colour, scale=2):
    for i, ch in enumerate(text):
        rows = FONT[ch]
        for r, bits in enumerate(rows):
            for b, bit in enumerate(bits):
                if bit == '1':
                    c.rect(x + (i * 4 + b) * scale, y + r * scale, x + (i * 4 + b + 1) * scale, y + (r + 1) * scale,
                           colour)


def centred_text(c, text, colour, scale=2, dx=0, dy=0):
    draw_text(c, (c.w - text_width(text, scale)) // 2 + dx, (c.h - 5 * scale) // 2 + dy, text, colour, scale)


def arrow(c, direction, colour, dx=0, dy=0):
    """A filled triangle pointing left, right, up or down in the middle of the canvas."""
    cx, cy = c.w // 2 + dx, c.h // 2 + dy
    n = min(c.w, c.h) // 3
    for i in range(n):
        if direction == 'left':
            c.line(cx - n // 2 + i, cy - i, cx - n // 2 + i, cy + i, colour)
        elif direction == 'right':
            c.line(cx + n // 2 - i, cy - i, cx + n // 2 - i, cy + i, colour)
        elif direction == 'up':
            c.line(cx - i, cy - n // 2 + i, cx + i, cy - n // 2 + i, colour)
        else:
            c.line(cx - i, cy + n // 2 - i, cx + i, cy + n // 2 - i, colour)


# Key faces: (top, bottom) gradient per state, glyph colour per state.
STYLES = {
    'blue': {'': ((88, 140, 200), (40, 76, 128)), '_push': ((30, 56, 96), (70, 120, 180)),
             '_dis': ((150, 150, 150), (110, 110, 110))},
    'green': {'': ((90, 170, 110), (40, 110, 60)), '_push': ((30, 80, 40), (70, 150, 90)),
              '_dis': ((150, 150, 150), (110, 110, 110))},
    'slate': {'': ((120, 130, 150), (70, 78, 96)), '_push': ((40, 180, 90), (20, 120, 50)),
              '_dis': ((150, 150, 150), (110, 110, 110))},
}


def key_picture(w, h, state, glyph, style='blue'):
    c = Canvas(w, h)
    c.vgradient(0, 0, w, h, *STYLES[style][state])
    c.frame(0, 0, w, h, (12, 22, 40))
    colour = (190, 190, 190) if state == '_dis' else (245, 248, 250)
    shift = 1 if state == '_push' else 0
    kind, value = glyph
    if kind == 'arrow':
        arrow(c, value, colour, shift, shift)
    else:
        scale = 2 if text_width(value, 2) <= w - 6 and 10 <= h - 4 else 1
        centred_text(c, value, colour, scale, shift, shift)
    return c


def lamp(state):
    """The alarm-box output lamp at its own size (22 x 22): off, on, disabled."""
    c = Canvas(22, 22, BAND)
    rim = {'': (60, 70, 90), '_on': (120, 20, 20), '_dis': (130, 130, 130)}[state]
    fill = {'': (110, 120, 140), '_on': (255, 60, 40), '_dis': (170, 170, 170)}[state]
    c.disc(10.5, 10.5, 9.5, rim)
    c.disc(10.5, 10.5, 7.5, fill)
    c.disc(8, 8, 2, (255, 255, 255) if state == '_on' else (200, 205, 215))
    return c


def speed_line(w, h):
    c = Canvas(w, h, (60, 66, 80))
    c.frame(0, 0, w, h, (20, 24, 32))
    for i in range(1, 10):
        x = i * w // 10
        c.line(x, h - 4, x, h - 2, (170, 176, 190))
    return c


def speed_fill(w, h):
    c = Canvas(w, h)
    c.vgradient(0, 0, w, h, (110, 190, 255), (30, 100, 200))
    c.frame(0, 0, w, h, (20, 24, 32))
    return c


# --- PTZ panel: (layout key, picture names normal/pressed/disabled, w/h from the rectangle, glyph, style) ---
PTZ_KEYS = [
    ('ptz_up', 'ptzup', (98, 70, 40, 30), ('arrow', 'up')),
    ('ptz_left', 'ptzleft', (52, 102, 44, 30), ('arrow', 'left')),
    ('ptz_auto', 'ptzauto', (98, 102, 40, 30), ('text', 'AUTO')),
    ('ptz_right', 'ptzright', (140, 102, 44, 30), ('arrow', 'right')),
    ('ptz_down', 'ptzdown', (98, 134, 40, 30), ('arrow', 'down')),
    ('ptz_zoom_sub', 'ptzzoomsub', (30, 176, 44, 26), ('text', '-')),
    ('ptz_zoom_add', 'ptzzoomadd', (162, 176, 44, 26), ('text', '+')),
    ('ptz_focus_sub', 'ptzfocussub', (30, 208, 44, 26), ('text', '-')),
    ('ptz_focus_add', 'ptzfocusadd', (162, 208, 44, 26), ('text', '+')),
    ('ptz_iris_sub', 'ptzirissub', (30, 240, 44, 26), ('text', '-')),
    ('ptz_iris_add', 'ptzirisadd', (162, 240, 44, 26), ('text', '+')),
    ('ptz_call', 'ptzcall', (82, 304, 60, 24), ('text', 'CALL')),
    ('ptz_preset', 'ptzpreset', (146, 304, 60, 24), ('text', 'SET')),
    ('ptz_devopen', 'ptzdevopen', (82, 368, 60, 24), ('text', 'ON')),
    ('ptz_devclose', 'ptzdevclose', (146, 368, 60, 24), ('text', 'OFF')),
    ('ptz_setaddr', 'setaddr', (82, 400, 60, 24), ('text', 'SET')),
    ('ptz_getaddr', 'getaddr', (146, 400, 60, 24), ('text', 'GET')),
]
# The preset-cycle buttons name their pictures their own way: normal, pressed, disabled.
PTZ_CYCLE_KEYS = [
    ('ptz_cyclestart', ('ptz_setting_call_on.bmp', 'ptz_setting_call.bmp', 'ptz_setting_call_dis.bmp'),
     (30, 336, 86, 24), 'CYCLE'),
    ('ptz_callcycle', ('ptz_loop_call_on.bmp', 'ptz_loop_call_push.bmp', 'ptz_loop_call_dis.bmp'),
     (120, 336, 86, 24), 'LOOP'),
]
PTZ_RELAYS = [('relay%d' % (i + 1), (18 + i * 52, 444, 46, 26)) for i in range(4)]
PTZ_LOCAL_RELAYS = [('localrelay%d' % (i + 1), (14 + i * 27, 500, 22, 22)) for i in range(8)]
PTZ_OTHER = [
    # 180 wide: 9 (the range) divides it, so the default speed 5 reads back as 5 on a 1024 x 768 screen.
    ('ptz_speed', (28, 282, 180, 12)),
    ('ptz_preno', (30, 306, 44, 20)),
    ('ptz_devno', (30, 370, 44, 20)),
    ('ptz_camerano', (30, 402, 44, 20)),
    ('camdesctext', (8, 6, 100, 16)),
    ('camdesc', (8, 24, 220, 36)),
]
PTZ_LABELS = [('ZOOM', 188), ('FOCUS', 220), ('IRIS', 252)]


def ptz_face(english):
    c = Canvas(PANEL_W, PANEL_H)
    c.vgradient(0, 0, PANEL_W, PANEL_H, (36, 62, 98), (14, 24, 40))
    c.rect(0, 0, PANEL_W, 64, BAND)
    c.frame(0, 0, PANEL_W, PANEL_H, (68, 162, 226))
    # the direction pad's ring and the lens rows' labels
    c.disc(118, 117, 58, (56, 86, 126))
    c.disc(118, 117, 54, (30, 48, 76))
    for text, y in PTZ_LABELS:
        draw_text(c, 118 - text_width(text, 2) // 2, y - 5, text, LABEL)
    draw_text(c, 30, 272, 'SPEED', LABEL, 1)
    draw_text(c, 30, 296, 'PRESET', LABEL, 1)
    draw_text(c, 30, 360, 'AUX', LABEL, 1)
    draw_text(c, 30, 392, 'ADDRESS', LABEL, 1)
    draw_text(c, 18, 434, 'RELAYS', LABEL, 1)
    c.rect(8, 486, 228, 530, BAND)
    draw_text(c, 14, 489, 'ALARM OUT', (40, 60, 90), 1)
    if english:
        draw_text(c, 200, 540, 'EN', (120, 140, 170), 1)
    for y in (170, 298, 330, 362, 430):
        c.line(12, y - 4, 224, y - 4, (56, 86, 126))
    return c


# --- Matrix panel: 46 keys ---
def matrix_keys():
    keys = []
    for d in range(1, 10):
        r, col = (d - 1) // 3, (d - 1) % 3
        keys.append(('mtx_num%d' % d, 'mtxnum%d' % d, (16 + col * 46, 92 + r * 32, 42, 28), str(d), 'blue'))
    keys.append(('mtx_num0', 'mtxnum0', (62, 188, 42, 28), '0', 'blue'))
    keys += [
        ('mtx_del', 'mtxdel', (16, 188, 42, 28), 'DEL', 'slate'),
        ('mtx_enter', 'mtxenter', (108, 188, 42, 28), 'ENT', 'green'),
        ('mtx_prev', 'mtxprev', (164, 92, 56, 28), ('arrow', 'left'), 'slate'),
        ('mtx_next', 'mtxnext', (164, 124, 56, 28), ('arrow', 'right'), 'slate'),
        ('mtx_time', 'mtxtime', (164, 156, 56, 28), 'TIME', 'slate'),
        ('mtx_run', 'mtxrun', (16, 226, 50, 26), 'RUN', 'slate'),
        ('mtx_group', 'mtxgroup', (70, 226, 50, 26), 'GRP', 'slate'),
        ('mtx_hold', 'mtxhold', (124, 226, 50, 26), 'HOLD', 'slate'),
        ('mtx_salvo', 'mtxsalvo', (178, 226, 50, 26), 'SALV', 'slate'),
        ('mtx_backward', 'mtxbackward', (16, 256, 50, 26), 'BACK', 'slate'),
        ('mtx_forward', 'mtxforward', (70, 256, 50, 26), 'FWD', 'slate'),
        ('mtx_armon', 'mtxalarmon', (124, 256, 50, 26), 'ARM+', 'slate'),
        ('mtx_armoff', 'mtxalarmoff', (178, 256, 50, 26), 'ARM-', 'slate'),
        ('mtx_swon', 'mtxswon', (16, 286, 50, 26), 'SW+', 'slate'),
        ('mtx_swoff', 'mtxswoff', (70, 286, 50, 26), 'SW-', 'slate'),
    ]
    for d in range(10):
        i = (d - 1) % 10  # 1..9 then 0
        keys.append(('mtxmenu%d' % d, 'mtxmenu%d' % d, (16 + (i % 5) * 42, 324 + (i // 5) * 30, 38, 26), str(d),
                     'green'))
    keys += [
        ('mtxmenuup', 'mtxmenuup', (98, 392, 40, 28), ('arrow', 'up'), 'green'),
        ('mtxmenuleft', 'mtxmenuleft', (54, 424, 40, 28), ('arrow', 'left'), 'green'),
        ('mtxmenuright', 'mtxmenuright', (142, 424, 40, 28), ('arrow', 'right'), 'green'),
        ('mtxmenudown', 'mtxmenudown', (98, 456, 40, 28), ('arrow', 'down'), 'green'),
        ('mtxmenuuppage', 'mtxmenuuppage', (16, 392, 34, 28), 'PU', 'green'),
        ('mtxmenudownpage', 'mtxmenudownpage', (16, 456, 34, 28), 'PD', 'green'),
        ('mtxmenuleftpage', 'mtxmenuleftpage', (186, 392, 34, 28), 'PL', 'green'),
        ('mtxmenurightpage', 'mtxmenurightpage', (186, 456, 34, 28), 'PR', 'green'),
        ('mtxmenuon', 'mtxmenuon', (16, 500, 62, 28), 'ON', 'green'),
        ('mtxmenuoff', 'mtxmenuoff', (86, 500, 62, 28), 'OFF', 'green'),
        ('mtxmenu', 'mtxmenu', (156, 500, 64, 28), 'EXIT', 'slate'),
    ]
    return keys


MATRIX_OTHER = [
    ('mtx_camnum', (84, 10, 60, 20)),
    ('mtx_monnum', (84, 36, 60, 20)),
    ('mtx_num', (84, 62, 60, 20)),
    ('mtx_list', (16, 320, 204, 220)),
    ('mtx_menubtn', (124, 286, 104, 26)),
]


def matrix_face():
    c = Canvas(PANEL_W, PANEL_H)
    c.vgradient(0, 0, PANEL_W, PANEL_H, (36, 62, 98), (14, 24, 40))
    c.frame(0, 0, PANEL_W, PANEL_H, (68, 162, 226))
    for text, y in (('CAM', 14), ('MON', 40), ('VAL', 66)):
        draw_text(c, 20, y, text, LABEL)
    c.rect(8, 86, 228, 220, (30, 48, 76))
    c.frame(8, 86, 228, 220, (56, 86, 126))
    c.line(12, 318 - 2, 224, 318 - 2, (56, 86, 126))
    return c


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


def update_layout(path, entries):
    """Replaces this script's keys in [BUTTONINFO] and keeps every other line."""
    with open(path, 'rb') as f:
        lines = f.read().decode('ascii').splitlines()
    ours = {key for key, _ in entries}
    kept, section, insert_at = [], None, None
    for line in lines:
        stripped = line.strip()
        if stripped.startswith('['):
            if section == 'BUTTONINFO' and insert_at is None:
                insert_at = len(kept)
            section = stripped[1:-1]
        elif section == 'BUTTONINFO' and '=' in stripped and stripped.split('=', 1)[0] in ours:
            continue
        kept.append(line)
    if insert_at is None:
        insert_at = len(kept)
    while insert_at > 0 and kept[insert_at - 1].strip() == '':
        insert_at -= 1
    added = ['%s=%s' % (key, value) for key, value in entries]
    kept[insert_at:insert_at] = added
    with open(path, 'wb') as f:
        f.write(('\r\n'.join(kept) + '\r\n').encode('ascii'))


def rect_text(rect):
    return '%d,%d,%d,%d' % rect


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    skin = os.path.join(root, 'resources', 'warden', 'startdir', 'skin')
    os.makedirs(skin, exist_ok=True)
    layout = []

    write(os.path.join(skin, 'ptzctrlface.bmp'), bmp8(ptz_face(False)))
    write(os.path.join(skin, 'ptzctrlface_en.bmp'), bmp8(ptz_face(True)))
    for key, base, rect, glyph in PTZ_KEYS:
        layout.append((key, rect_text(rect)))
        for state, suffix in (('', '.bmp'), ('_push', '_push.bmp'), ('_dis', '_dis.BMP')):
            write(os.path.join(skin, base + suffix), bmp24(key_picture(rect[2], rect[3], state, glyph)))
    for key, names, rect, text in PTZ_CYCLE_KEYS:
        layout.append((key, rect_text(rect)))
        for state, name in zip(('', '_push', '_dis'), names):
            write(os.path.join(skin, name), bmp24(key_picture(rect[2], rect[3], state, ('text', text), 'slate')))
    for i, (key, rect) in enumerate(PTZ_RELAYS):
        layout.append((key, rect_text(rect)))
        for state, suffix in (('', '.bmp'), ('_push', '_push.bmp'), ('_dis', '_dis.BMP')):
            write(os.path.join(skin, 'relay%d%s' % (i + 1, suffix)),
                  bmp24(key_picture(rect[2], rect[3], state, ('text', 'R%d' % (i + 1)), 'slate')))
    for key, rect in PTZ_LOCAL_RELAYS:
        layout.append((key, rect_text(rect)))
    for state, name in (('', 'localrelay.BMP'), ('_on', 'localrelay_on.BMP'), ('_dis', 'localrelay_dis.BMP')):
        write(os.path.join(skin, name), bmp24(lamp(state)))
    for key, rect in PTZ_OTHER:
        layout.append((key, rect_text(rect)))
    speed = dict(PTZ_OTHER)['ptz_speed']
    write(os.path.join(skin, 'ptzspeed_line.bmp'), bmp24(speed_line(speed[2], speed[3])))
    write(os.path.join(skin, 'ptzspeed_blue.bmp'), bmp24(speed_fill(speed[2], speed[3])))
    layout.append(('camdesccolor', '%d,%d,%d' % DESCRIPTION))
    layout.append(('camdesctextcolor', '%d,%d,%d' % BAND))

    write(os.path.join(skin, 'mtxctrlface.bmp'), bmp8(matrix_face()))
    for key, base, rect, glyph, style in matrix_keys():
        layout.append((key, rect_text(rect)))
        glyph = glyph if isinstance(glyph, tuple) else ('text', glyph)
        for state, suffix in (('', '.bmp'), ('_push', '_push.bmp'), ('_dis', '_dis.BMP')):
            write(os.path.join(skin, base + suffix), bmp24(key_picture(rect[2], rect[3], state, glyph, style)))
    for key, rect in MATRIX_OTHER:
        layout.append((key, rect_text(rect)))

    update_layout(os.path.join(skin, 'facepic.ini'), layout)


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws the preview panes' status icons, so they can be regenerated.

    python3 tools/skinart/make_pane_icons.py [repository-root]

Outputs, in resources/warden/startdir/skin/ (the station's start directory): the 10 x 10 pictures of
the record, sound, microphone, server-record and alarm icons ("_off", "_on", and the sound's
"_disable"), and the camera-select buttons "camerasel.bmp" and "camerasel_on.bmp".
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_default_skin import Canvas, bmp24  # noqa: E402

STRIP = (57, 65, 99)
DIM = (120, 128, 150)


def icon(draw, colour):
    c = Canvas(10, 10, STRIP)
    draw(c, colour)
    return c


def dot(c, colour):
    c.disc(4.5, 4.5, 3.5, colour)


def speaker(c, colour):
    c.rect(1, 3, 4, 7, colour)
    c.line(4, 3, 7, 0, colour)
    c.line(4, 6, 7, 9, colour)
    c.line(7, 0, 7, 9, colour)


def mic(c, colour):
    c.rect(3, 1, 7, 6, colour)
    c.line(2, 5, 2, 7, colour)
    c.line(7, 5, 7, 7, colour)
    c.line(2, 7, 7, 7, colour)
    c.line(4, 8, 5, 8, colour)


def server(c, colour):
    c.frame(1, 1, 9, 9, colour)
    c.rect(3, 3, 7, 7, colour)


def bell(c, colour):
    c.rect(2, 3, 8, 7, colour)
    c.disc(4.5, 3.5, 2.5, colour)
    c.rect(1, 7, 9, 8, colour)
    c.put(4, 9, colour)
    c.put(5, 9, colour)


def camera_select(on):
    c = Canvas(10, 10, (40, 200, 90) if on else (90, 96, 120))
    c.frame(0, 0, 10, 10, (20, 24, 40))
    c.rect(3, 4, 7, 7, (230, 230, 230))
    return c


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    skin = os.path.join(root, 'resources', 'warden', 'startdir', 'skin')
    os.makedirs(skin, exist_ok=True)
    pictures = {
        'record_off.BMP': icon(dot, DIM), 'record_on.BMP': icon(dot, (230, 40, 40)),
        'audioen_disable.bmp': icon(speaker, (80, 86, 110)), 'audioen_off.bmp': icon(speaker, DIM),
        'audioen_on.bmp': icon(speaker, (90, 220, 110)),
        'mic.BMP': icon(mic, DIM), 'mic_on.BMP': icon(mic, (250, 200, 60)),
        'serverrecord_off.bmp': icon(server, DIM), 'serverrecord_on.bmp': icon(server, (230, 60, 60)),
        'alarm_off.bmp': icon(bell, DIM), 'alarm_on.bmp': icon(bell, (255, 70, 50)),
        'camerasel.bmp': camera_select(False), 'camerasel_on.bmp': camera_select(True),
    }
    for name, canvas in pictures.items():
        with open(os.path.join(skin, name), 'wb') as f:
            f.write(bmp24(canvas))


if __name__ == '__main__':
    main()

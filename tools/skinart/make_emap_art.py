#!/usr/bin/env python3
"""Draws the electronic map's pictures, so they can be regenerated.

    python3 tools/skinart/make_emap_art.py [repository-root]

Outputs, in resources/warden/startdir/ (the station's start directory):
  skin/emap_cam*.bmp, skin/emap_sensor*.bmp, skin/emap_output*.bmp
      each device kind's icon: normal, "_push" (shown while in alarm) and "_area" (the shape: black
      pixels belong to the icon, white ones are cut away)
  emap/lobby.bmp, emap/office.bmp   the floor plans of the demonstration's scene and its child scene
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_default_skin import Canvas, bmp8, bmp24  # noqa: E402

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def camera(alarm):
    """A 32x24 camera on a bracket; the alarm picture glows red."""
    body = (230, 60, 50) if alarm else (205, 210, 220)
    lens = (255, 230, 90) if alarm else (40, 60, 90)
    c = Canvas(32, 24, WHITE)
    c.rect(2, 5, 24, 17, body)
    c.frame(2, 5, 24, 17, (50, 50, 60))
    c.rect(24, 7, 30, 15, (70, 70, 80))
    c.disc(13, 11, 4, lens)
    c.rect(10, 17, 14, 23, (70, 70, 80))
    return c


def camera_mask():
    c = Canvas(32, 24, WHITE)
    c.rect(2, 5, 24, 17, BLACK)
    c.rect(24, 7, 30, 15, BLACK)
    c.rect(10, 17, 14, 23, BLACK)
    return c


def sensor(alarm):
    """A 24x24 round detector with rings; red while in alarm."""
    c = Canvas(24, 24, WHITE)
    c.disc(11.5, 11.5, 11, (40, 40, 50))
    c.disc(11.5, 11.5, 9.5, (235, 70, 60) if alarm else (250, 250, 240))
    c.disc(11.5, 11.5, 5, (180, 20, 20) if alarm else (120, 160, 200))
    c.disc(11.5, 11.5, 2, (255, 240, 200) if alarm else (40, 60, 90))
    return c


def sensor_mask():
    c = Canvas(24, 24, WHITE)
    c.disc(11.5, 11.5, 11, BLACK)
    return c


def output(on):
    """A 24x24 siren: a dome on a base, lit while the output is on."""
    c = Canvas(24, 24, WHITE)
    c.rect(3, 17, 21, 23, (60, 60, 70))
    c.disc(11.5, 15, 8.5, (250, 190, 40) if on else (150, 150, 160))
    c.rect(3, 15, 21, 17, (60, 60, 70))
    if on:
        for x0, x1 in ((0, 3), (21, 24)):
            c.line(x0, 4, x1, 6, (250, 120, 30))
    return c


def output_mask():
    c = Canvas(24, 24, WHITE)
    c.disc(11.5, 15, 8.5, BLACK)
    c.rect(0, 15, 24, 23, BLACK)
    c.rect(0, 3, 24, 8, BLACK)
    return c


def floor_plan(width, height, rooms):
    """Walls, doors and room fills of a simple plan."""
    c = Canvas(width, height, (244, 240, 228))
    for x0, y0, x1, y1, fill in rooms:
        c.rect(x0, y0, x1, y1, fill)
        for t in range(3):
            c.frame(x0 + t, y0 + t, x1 - t, y1 - t, (90, 80, 70))
    # doors: gaps in the walls
    for x0, y0, x1, y1, _ in rooms:
        mx = (x0 + x1) // 2
        c.rect(mx - 18, y1 - 3, mx + 18, y1, (244, 240, 228))
    for x in range(0, width, 40):
        c.line(x, height - 8, x + 20, height - 8, (200, 190, 170))
    return c


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    start = os.path.join(root, 'resources', 'warden', 'startdir')
    skin = os.path.join(start, 'skin')
    plans = os.path.join(start, 'emap')
    os.makedirs(skin, exist_ok=True)
    os.makedirs(plans, exist_ok=True)
    pictures = {
        'emap_cam.bmp': camera(False), 'emap_cam_push.bmp': camera(True), 'emap_cam_area.bmp': camera_mask(),
        'emap_sensor.bmp': sensor(False), 'emap_sensor_push.bmp': sensor(True),
        'emap_sensor_area.bmp': sensor_mask(),
        'emap_output.bmp': output(False), 'emap_output_push.bmp': output(True),
        'emap_output_area.bmp': output_mask(),
    }
    for name, canvas in pictures.items():
        with open(os.path.join(skin, name), 'wb') as f:
            f.write(bmp24(canvas))
    lobby = floor_plan(740, 560, [
        (20, 20, 360, 300, (226, 236, 246)), (360, 20, 720, 300, (236, 230, 214)),
        (20, 300, 260, 540, (228, 240, 226)), (260, 300, 720, 540, (240, 236, 236)),
    ])
    office = floor_plan(600, 420, [
        (20, 20, 300, 400, (230, 236, 248)), (300, 20, 580, 400, (246, 236, 222)),
    ])
    for name, canvas in (('lobby.bmp', lobby), ('office.bmp', office)):
        with open(os.path.join(plans, name), 'wb') as f:
            f.write(bmp8(canvas))  # few colours: a quarter of the size


if __name__ == '__main__':
    main()

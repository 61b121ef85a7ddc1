#!/usr/bin/env python3
"""Draws the lock animation's pictures into src/resources/bitmaps/: the
panel, the terminal, the host, the plug and socket that meet while the
terminal connects, the waves of a host at work, and the ten frames of a
page turning as it flies. Each picture's top-left pixel is its transparent
colour (magenta, used nowhere else). Run from anywhere; rewrites the files."""

import math
import os

from canvas import Canvas

KEY = (255, 0, 255)
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "resources",
                   "bitmaps")

INK = (40, 44, 52)
STEEL = (96, 106, 122)
LIGHT_STEEL = (160, 170, 186)
SCREEN = (30, 70, 50)
GLOW = (120, 230, 150)
LED_PANEL = (170, 236, 180)
AMBER = (250, 180, 40)
COPPER = (200, 140, 60)
WAVE = (60, 120, 220)
PAPER = (250, 250, 244)
PAPER_EDGE = (150, 150, 160)
TEXT = (110, 120, 150)


def rounded_corners(c, radius):
    """Keys out the corners outside a quarter circle of the radius."""
    for y in range(radius):
        for x in range(radius):
            if (radius - x - 0.5) ** 2 + (radius - y - 0.5) ** 2 > radius ** 2:
                for px, py in ((x, y), (c.width - 1 - x, y), (x, c.height - 1 - y),
                               (c.width - 1 - x, c.height - 1 - y)):
                    c.set(px, py, KEY)


def background():
    """The panel behind everything: a soft vertical gradient in a frame."""
    c = Canvas(200, 70, KEY)
    for y in range(70):
        t = y / 69
        shade = (int(236 - 30 * t), int(242 - 26 * t), int(250 - 16 * t))
        c.rect(0, y, 200, y + 1, shade)
    c.rect(0, 0, 200, 1, STEEL)
    c.rect(0, 69, 200, 70, STEEL)
    c.rect(0, 0, 1, 70, STEEL)
    c.rect(199, 0, 200, 70, STEEL)
    # A ground line for the machines to stand on.
    c.rect(4, 62, 196, 63, LIGHT_STEEL)
    rounded_corners(c, 5)
    return c


def terminal():
    """A handheld terminal: screen with lines of text above a keypad."""
    c = Canvas(33, 64, KEY)
    c.rect(2, 0, 31, 64, INK)
    c.rect(3, 1, 30, 63, STEEL)
    rounded_corners(c, 3)
    c.rect(5, 4, 28, 26, INK)
    c.rect(6, 5, 27, 25, SCREEN)
    for row, length in ((8, 16), (12, 12), (16, 18), (20, 8)):
        c.rect(8, row, 8 + length, row + 2, GLOW)
    for row in range(4):
        for col in range(3):
            x, y = 7 + col * 7, 31 + row * 7
            c.rect(x, y, x + 5, y + 5, LIGHT_STEEL)
            c.rect(x, y + 4, x + 5, y + 5, INK)
    c.rect(7, 59, 26, 61, AMBER)  # the scan button
    return c


def host():
    """A host cabinet with drive bays and a lit panel on row 37, where the
    animation draws its activity dots (columns 28 to 38)."""
    c = Canvas(48, 54, KEY)
    c.rect(4, 0, 44, 54, INK)
    c.rect(5, 1, 43, 53, STEEL)
    for top in (5, 13, 21):
        c.rect(9, top, 39, top + 5, LIGHT_STEEL)
        c.rect(9, top + 5, 39, top + 6, INK)
        c.rect(34, top + 2, 37, top + 3, GLOW)
    c.rect(25, 34, 42, 41, INK)
    c.rect(26, 35, 41, 40, LED_PANEL)
    c.rect(9, 35, 13, 39, AMBER)  # power lamp
    c.rect(5, 46, 43, 47, INK)
    for x in range(8, 41, 3):
        c.rect(x, 48, x + 2, 51, LIGHT_STEEL)
    return c


def plug():
    """Kind 0, left: a cable from the terminal ending in a plug whose pins
    point right."""
    c = Canvas(50, 35, KEY)
    c.rect(0, 16, 22, 20, INK)
    c.polygon([(20, 10), (30, 6), (38, 6), (38, 29), (30, 29), (20, 25)], INK)
    c.polygon([(22, 12), (30, 8), (36, 8), (36, 27), (30, 27), (22, 23)], STEEL)
    c.rect(30, 10, 36, 25, LIGHT_STEEL)
    for top in (11, 21):
        c.rect(38, top, 50, top + 3, COPPER)
        c.rect(38, top + 2, 50, top + 3, (150, 100, 40))
    return c


def socket():
    """Kind 0, right: the socket the plug's pins go into, with a cable on to
    the host."""
    c = Canvas(52, 33, KEY)
    c.rect(30, 16, 52, 20, INK)
    c.polygon([(9, 4), (22, 4), (32, 9), (32, 27), (22, 31), (9, 31)], INK)
    c.polygon([(11, 6), (22, 6), (30, 10), (30, 26), (22, 29), (11, 29)], STEEL)
    for top in (10, 20):
        c.rect(9, top, 18, top + 5, INK)
    # A spark between pins and holes, which shows when the two meet.
    c.line(2, 17, 7, 14, AMBER)
    c.line(2, 19, 7, 22, AMBER)
    c.rect(1, 18, 6, 19, AMBER)
    return c


def waves():
    """Kind 1: arcs of a signal going out from the host to the left."""
    c = Canvas(64, 48, KEY)
    cx, cy = 66, 24
    for radius, width in ((14, 3), (26, 3), (38, 3), (50, 3), (62, 2)):
        for step in range(0, 400):
            angle = math.radians(140 + step * 80 / 400)
            for w in range(width):
                r = radius - w
                x, y = cx + r * math.cos(angle), cy + r * math.sin(angle)
                c.set(int(round(x)), int(round(y)), WAVE)
    return c


def page(frame):
    """A page of text turning about its upright axis: frame 0 shows it flat,
    frame 9 edge on."""
    c = Canvas(29, 39, KEY)
    half = max(1, round(13 * math.cos(frame * math.pi / 18)))
    left, right = 14 - half, 15 + half
    c.rect(left, 2, right, 37, PAPER_EDGE)
    if right - left > 2:
        c.rect(left + 1, 3, right - 1, 36, PAPER)
        fold = max(1, (right - left) // 4)
        c.polygon([(right - 1 - fold, 3), (right - 1, 3 + fold), (right - 1 - fold, 3 + fold)],
                  PAPER_EDGE)
        for row in range(8, 34, 4):
            length = (right - left - 4) * (3 if row % 8 else 4) // 4
            if length > 0:
                c.rect(left + 2, row, left + 2 + length, row + 2, TEXT)
    return c


def main():
    os.makedirs(OUT, exist_ok=True)
    pictures = {155: background(), 131: terminal(), 132: host(), 153: plug(), 154: socket(),
                148: waves()}
    for frame in range(10):
        pictures[159 + frame] = page(frame)
    for number, picture in pictures.items():
        picture.save(os.path.join(OUT, f"animation-{number}.bmp"))


if __name__ == "__main__":
    main()

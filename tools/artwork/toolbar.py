"""Draws the toolbar's button pictures (SAVE, BACK, EXIT, NEXT, CLEAR) for the
three toolbar heights into src/resources/bitmaps/. Each picture is drawn on a
16 x 16 design grid scaled to its size; its top-left pixel is the colour that
the toolbar keys out.

    python3 tools/artwork/toolbar.py"""

import os

from canvas import Canvas

# Never made by the toolbar's greying, which keeps every channel within 95..222.
TRANSPARENT = (255, 0, 255)
OUTLINE = (0, 0, 0)
# Toolbar height: picture side. The button is the picture plus a 2-pixel
# bevel, 4 pixels below the top, 3 above the bottom.
SIZES = {27: 16, 43: 32, 59: 48}
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "resources",
                   "bitmaps")


class Picture:
    """A canvas addressed on the 16 x 16 design grid."""

    def __init__(self, side):
        self.canvas = Canvas(side, side, TRANSPARENT)
        self.scale = side / 16
        self.pen = max(1, round(self.scale))

    def shape(self, points, fill, outline=OUTLINE):
        mask = Canvas(self.canvas.width, self.canvas.height, False)
        mask.polygon([(x * self.scale, y * self.scale) for x, y in points], True)
        self._paint(mask, fill, outline)

    def box(self, left, top, right, bottom, fill, outline=OUTLINE):
        self.shape([(left, top), (right, top), (right, bottom), (left, bottom)], fill, outline)

    def disc(self, left, top, right, bottom, fill, outline=OUTLINE):
        s = self.scale
        mask = Canvas(self.canvas.width, self.canvas.height, False)
        mask.ellipse(round(left * s), round(top * s), round(right * s), round(bottom * s), True)
        self._paint(mask, fill, outline)

    def _paint(self, mask, fill, outline):
        """Fills the mask's pixels; those within a pen's width of its edge
        take the outline colour, so that outlines are even at every size."""
        side, pen = self.canvas.width, self.pen
        for y in range(side):
            for x in range(side):
                if not mask.get(x, y):
                    continue
                edge = outline and any(
                    not (0 <= x + dx < side and 0 <= y + dy < side and mask.get(x + dx, y + dy))
                    for dy in range(-pen, pen + 1) for dx in range(-pen, pen + 1))
                self.canvas.set(x, y, outline if edge else fill)


def save(p):
    """A floppy disk: body, metal shutter, white label."""
    p.shape([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)], (30, 60, 170))
    p.box(4, 1, 12, 6.5, (200, 200, 200))
    p.box(9, 2, 11, 5.5, (30, 60, 170), None)
    p.box(3, 9, 13, 15, (255, 255, 255))


def arrow(p, pointing_left, colour):
    points = [(1, 8), (8, 1), (8, 5), (15, 5), (15, 11), (8, 11), (8, 15)]
    if not pointing_left:
        points = [(16 - x, y) for x, y in points]
    p.shape(points, colour)


def back(p):
    arrow(p, True, (20, 160, 40))


def next_(p):
    arrow(p, False, (20, 160, 40))


def exit_(p):
    """A red disc with a white cross."""
    p.disc(0.5, 0.5, 15.5, 15.5, (210, 20, 20))
    width = max(2, round(1.7 * p.scale))
    for (xa, ya), (xb, yb) in (((5, 5), (11, 11)), ((11, 5), (5, 11))):
        p.canvas.line(round(xa * p.scale), round(ya * p.scale), round(xb * p.scale),
                      round(yb * p.scale), (255, 255, 255), width)


def clear(p):
    """An eraser lying aslant: a pink rubbing end and a blue sleeve."""
    p.shape([(0.5, 10.5), (5, 6), (10, 11), (5.5, 15.5)], (245, 120, 160))
    p.shape([(5, 6), (9.5, 1.5), (14.5, 6.5), (10, 11)], (50, 90, 210))


PICTURES = {"save": save, "back": back, "exit": exit_, "next": next_, "clear": clear}


def main():
    os.makedirs(OUT, exist_ok=True)
    for height, side in SIZES.items():
        for name, draw in PICTURES.items():
            p = Picture(side)
            draw(p)
            if p.canvas.get(0, 0) != TRANSPARENT:
                raise SystemExit(f"{name} at {side}: the top-left pixel must stay transparent")
            p.canvas.save(os.path.join(OUT, f"toolbar-{name}-{height}.bmp"))


if __name__ == "__main__":
    main()

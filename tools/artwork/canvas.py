"""A small RGB canvas that draws with whole pixels and saves itself as a
24-bit BMP file, for the program's bitmap resources. Standard library only."""

import math
import struct


class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def rect(self, left, top, right, bottom, colour):
        """Fills left <= x < right, top <= y < bottom."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        """A line with both ends, width pixels thick."""
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        half = (width - 1) / 2
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dy in range(width):
                for dx in range(width):
                    self.set(math.floor(x - half + dx + 0.5), math.floor(y - half + dy + 0.5),
                             colour)

    def ellipse(self, left, top, right, bottom, colour):
        """Fills the ellipse inside the box left <= x < right, top <= y < bottom."""
        cx, cy = (left + right - 1) / 2, (top + bottom - 1) / 2
        rx, ry = max((right - left) / 2, 0.5), max((bottom - top) / 2, 0.5)
        for y in range(top, bottom):
            for x in range(left, right):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1:
                    self.set(x, y, colour)

    def polygon(self, points, colour):
        """Fills a polygon by the even-odd rule, sampling pixel centres."""
        ys = [p[1] for p in points]
        for y in range(max(int(min(ys)), 0), min(int(max(ys)) + 1, self.height)):
            yc = y + 0.5
            crossings = []
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if (ya <= yc < yb) or (yb <= yc < ya):
                    crossings.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            crossings.sort()
            for a, b in zip(crossings[::2], crossings[1::2]):
                for x in range(max(int(a + 0.5), 0), min(int(b + 0.5), self.width)):
                    self.set(x, y, colour)

    def save(self, path):
        """A bottom-up 24-bit BMP, rows padded to four bytes."""
        row_size = (self.width * 3 + 3) & ~3
        image = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for red, green, blue in row:
                line += bytes([blue, green, red])
            image += line + bytes(row_size - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(image),
                           2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + image)

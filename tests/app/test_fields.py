"""Pages on screen under Wine: field windows, host changes, colours."""

import operator
import re
import subprocess
import time
import unittest

from exchanges import HELLO, entry
from records import HIDDEN, PLAIN, REVERSE, fixed_field, set_text
from terminal import TITLE, probe, screenshot, wait_until
from test_shell import TerminalTest


# The frame's windows that are neither pages nor fields.
FRAME_CLASSES = ("VDKCToolBar", "VDKCToolBarButton", "VDKCAnimate")


def windows(title=TITLE):
    """Every window inside the terminal's (or a dialog's): handle, class, id,
    visible, screen rect."""
    rows = [line.split() for line in probe("children", title)[1].splitlines()]
    return [{"handle": r[0], "class": r[1], "id": int(r[2]), "visible": r[3] == "1",
             "rect": tuple(map(int, r[4:]))} for r in rows]


# The child id of a spare field window, kept for the page's next fields.
SPARE_ID = -1


def children(page=False):
    """The terminal's field windows (or its page windows), spares left out."""
    return [w for w in windows() if w["class"] not in FRAME_CLASSES and w["id"] != SPARE_ID and
            (w["class"] == "VDKCPage") == page]


def of_class(name):
    return [w for w in windows() if w["class"] == name]


def field_window(number):
    return next((w for w in children() if w["id"] == number), None)


def colours_in(path, rect):
    """Every colour in a screen rectangle of a screenshot, as 0xRRGGBB."""
    x, y, w, h = rect
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "-format", "%c",
                          "histogram:info:-"], capture_output=True, text=True).stdout
    return {int(m, 16) for m in re.findall(r"#([0-9A-Fa-f]{6})", out)}


class FieldTest(TerminalTest):
    def run_terminal(self, record, **settings):
        self.start(**settings)
        self.page(b"H" + record)


class HostChangeTest(FieldTest):
    def test_changes_remake_only_the_changed_windows(self):
        self.run_terminal(b"s0E" + HELLO + entry(2, 1, 8) + entry(3, 2, 8) + b"d0o2")
        before = {n: field_window(n) for n in (1, 2, 3)}
        # A font size moves and sizes the fields without remaking them.
        self.page(b"Hs0F4o2")
        after = {n: field_window(n) for n in (1, 2, 3)}
        self.assertEqual([after[n]["handle"] for n in after], [before[n]["handle"] for n in after])
        self.assertGreater(after[3]["rect"][1] - after[1]["rect"][1],
                           before[3]["rect"][1] - before[1]["rect"][1])
        self.assertGreater(after[2]["rect"][2], before[2]["rect"][2])
        # A new text leaves the other fields' windows alone.
        self.page(b"Hs0" + set_text(3, b"new") + b"o2")
        after = [field_window(n)["handle"] for n in (1, 2, 3)]
        self.assertEqual(after[:2], [before[1]["handle"], before[2]["handle"]])
        self.page(b"Hs0c3o2")
        self.assertEqual(field_window(3)["handle"], after[2])
        self.page(b"Hs0e3o2")
        self.assertIsNone(field_window(3))
        # Another page is built while the first shows, then shown alone.
        self.page(b"Hs2E" + fixed_field(5, 0, 0, b"Second") + b"o2")
        self.assertTrue(field_window(1)["visible"])
        self.page(b"Hs2d2o/")
        self.assertEqual(len([w for w in children(page=True) if w["visible"]]), 1)
        self.assertTrue(field_window(5)["visible"])
        self.assertFalse(field_window(1)["visible"])
        self.page(b"Hs0Eo/")
        self.assertEqual([w["id"] for w in children()], [5])

    def test_moving_the_window_sizes_fields_keeps_hidden_ones_and_is_saved(self):
        self.run_terminal(b"s0E" + HELLO + entry(2, 1, 8) +
                          entry(3, 2, 8, attribute=PLAIN | HIDDEN) + b"d0o2", fontautosize="true")
        self.assertNotEqual(int(probe("style", TITLE)[1], 16) & 0x00C00000, 0)  # a caption
        before = field_window(2)["rect"]
        for place, than in [((20, 20, 800, 600), operator.gt), ((50, 60, 400, 300), operator.lt)]:
            self.assertEqual(probe("move", TITLE, *place)[0], 0)
            self.assertTrue(wait_until(
                lambda: than(field_window(2)["rect"][2], before[2]), timeout=10))
            self.assertFalse(field_window(3)["visible"])
        self.terminal.command(0, TITLE, 0x0010)  # WM_CLOSE
        self.assertEqual(self.terminal.wait_exit(), 0)
        saved = self.terminal.settings()
        self.assertEqual((saved["windowstate"], saved["windowpos"]), ("0", "50,60,400,300"))


class PaintTest(FieldTest):
    def test_colours_bevels_underline_and_watermark(self):
        # A plain fixed field, a focused and an unfocused entry field; two
        # reverse-video fields side by side on row 4 and one under them.
        page = (b"s0E" + fixed_field(1, 0, 0, b"Label") + entry(2, 1, 8) + entry(3, 2, 8) +
                fixed_field(4, 4, 0, b"LEFT", REVERSE) + fixed_field(5, 4, 4, b"RIGHT", REVERSE) +
                fixed_field(6, 5, 0, b"BELOW", REVERSE) + b"d0o2")
        page_colour, white = 0x95B2C3, 0xFFFFFF
        # (field or 0 for the page, x and y from the left/top or, below 0,
        # the right/bottom, in pixels or as "mid", expected colour)
        plain = [
            (0, -2, -2, page_colour), (2, -3, "mid", 0xFFF09E), (3, -3, "mid", white),
            (1, -3, -2, white), (1, -1, 2, page_colour),  # underline, cell edge
            # The blocks side by side: bevel outside, none where they meet.
            (4, 0, "mid", page_colour), (4, -1, "mid", white),
            (5, 0, "mid", white), (5, -1, "mid", page_colour),
            # The field below: no bevel on its top under the blocks above it.
            (6, "mid", 0, white), (6, "mid", -1, page_colour)]
        custom = [(0, -2, -2, 0x102030), (2, -3, "mid", 0xA0B0C0), (3, -3, "mid", 0x708090),
                  (4, 1, "mid", 0x405060)]  # flat, no bevel
        watermark = {"ShowWaterMark": "true", "WaterMarkText": '"WWWW"'}
        for name, settings, points, mark in [
                ("plain", watermark, plain, 0x9FB5C3),
                ("custom", dict(watermark, CustomColorMode="true", BackGroundColor="102030",
                                ForeGroundColor="405060", InputBackGroundColor="708090",
                                FocusBackGroundColor="A0B0C0"), custom, 0x152535)]:
            with self.subTest(name):
                self.run_terminal(page, **settings)
                self.assertTrue(wait_until(lambda: field_window(6)))
                time.sleep(1)  # let the windows paint
                path = screenshot("colours-" + name)
                px, py, pw, ph = [w for w in children(page=True) if w["visible"]][0]["rect"]
                for number, dx, dy, colour in points:
                    x, y, w, h = field_window(number)["rect"] if number else (px, py, pw, ph)
                    at = (x + (w // 2 if dx == "mid" else dx % w),
                          y + (h // 2 if dy == "mid" else dy % h), 1, 1)
                    self.assertEqual(colours_in(path, at), {colour}, (number, dx, dy))
                self.assertIn(mark, colours_in(path, (px, py + ph // 2, pw, ph // 2)))
                self.terminal.kill()
                self.host.close()


if __name__ == "__main__":
    unittest.main()

"""Records that ask for the largest fields, places and font must not cost the
terminal hundreds of megabytes: on a handheld that would end the program."""

import unittest

from records import LONGEST, entry_field, fixed_field, long_number, set_text
from terminal import IDOK, TIMEOUT, WM_COMMAND, probe, screenshot
from test_fields import FieldTest

LARGEST = 207  # the largest short number
# Measured under Wine: under 40 MB with paint bitmaps bounded to what shows,
# close to a gigabyte without.
BOUND_MB = 80


def widest_entry(number, row, column):
    return entry_field(number, row, column, LONGEST)


def filled_entry(number, length):
    """An entry field on row 0 full of text: its scrolled text image grows
    with the font, to gigabytes at the largest one unless only what shows is
    painted."""
    return entry_field(number, 0, 0, length) + set_text(number, b"y" * length)


class MemoryTest(FieldTest):
    def test_largest_fields_and_font_stay_within_bounds(self):
        self.start()
        self.connect()
        self.assertTrue(self.terminal.wait_window())
        self.page(b"s0E" + fixed_field(1, 3, 0, b"Hello") + filled_entry(5, 1000) +
                  widest_entry(2, 1, 0) + widest_entry(3, LARGEST, LARGEST) +
                  widest_entry(4, 2, LARGEST) + b"d0o2")
        self.host.send(b"Ha2" + long_number(LONGEST) + b"A" * LONGEST)
        self.host.expect(b"12H")
        self.assertTrue(self.terminal.wait_window("Advisory"))
        probe("post", "Advisory", WM_COMMAND, IDOK, 0)
        self.wait_input_released()
        for points in (b"\xff", b"0", b"\xff"):  # +207, -48, +207 points
            self.page(b"s0F" + points + b"o2")
            screenshot("largest-font")
            peak = self.terminal.peak_memory_mb()
            self.assertIsNotNone(peak)
            self.assertLess(peak, BOUND_MB, f"after F {points!r}")
        self.host.send(b"H!")
        self.host.expect(b"12H")
        self.assertTrue(self.host.next_message(TIMEOUT).startswith(b"12R!"))


if __name__ == "__main__":
    unittest.main()

"""Records that ask for the largest fields, places and font must not cost the
terminal hundreds of megabytes: on a handheld that would end the program."""

import unittest

from terminal import TIMEOUT, TITLE, probe, screenshot, wait_until
from test_fields import FieldTest, fixed
from test_shell import UM_GETINPUTSTATE

LONGEST = b"!\xff\xff"  # 43263, the largest long number
LARGEST = b"\xff"  # 207, the largest short number
# Measured under Wine: under 40 MB with paint bitmaps bounded to what shows,
# close to a gigabyte without.
BOUND_MB = 80


def widest_entry(number, row, column):
    return b"i" + bytes([48 + number]) + row + column + b"C@" + LONGEST


def filled_entry(number, length):
    """An entry field on row 0 full of text: its scrolled text image grows
    with the font, to gigabytes at the largest one unless only what shows is
    painted."""
    count = b"!" + bytes([48 + length // 208, 48 + length % 208])
    return (b"i" + bytes([48 + number]) + b"00C@" + count + b"u" + bytes([48 + number]) + count +
            b"y" * length)


class MemoryTest(FieldTest):
    def test_largest_fields_and_font_stay_within_bounds(self):
        self.start()
        self.connect()
        self.assertTrue(self.terminal.wait_window())
        self.page(b"s0E" + fixed(1, 3, 0, b"Hello") + filled_entry(5, 1000) +
                  widest_entry(2, b"1", b"0") +
                  widest_entry(3, LARGEST, LARGEST) + widest_entry(4, b"2", LARGEST) + b"d0o2")
        self.host.send(b"Ha2" + LONGEST + b"A" * 43263)
        self.host.expect(b"12H")
        self.assertTrue(self.terminal.wait_window("Advisory"))
        probe("post", "Advisory", 0x0111, 1, 0)  # OK
        self.assertTrue(wait_until(lambda: probe("send", TITLE, UM_GETINPUTSTATE, 0, 0)[1] == "0"))
        for points in (LARGEST, b"0", LARGEST):  # +207, -48, +207 points
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

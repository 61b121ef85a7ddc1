"""Records that ask for the largest fields, places and font must not cost the
terminal hundreds of megabytes: on a handheld that would end the program."""

import unittest

from records import LONGEST, entry_field, fixed_field, long_number, set_text
from terminal import IDOK
from test_shell import TerminalTest

LARGEST = 207  # the largest short number
# Measured under Wine: under 40 MB with paint bitmaps bounded to what shows,
# close to a gigabyte without.
BOUND_MB = 80


class MemoryTest(TerminalTest):
    def test_largest_fields_and_font_stay_within_bounds(self):
        self.start()
        # The filled entry field's scrolled text image grows with the font, to
        # gigabytes at the largest one unless only what shows is painted.
        self.page(b"Hs0E" + fixed_field(1, 3, 0, b"Hello") + entry_field(5, 0, 0, 1000) +
                  set_text(5, b"y" * 1000) + entry_field(2, 1, 0, LONGEST) +
                  entry_field(3, LARGEST, LARGEST, LONGEST) +
                  entry_field(4, 2, LARGEST, LONGEST) + b"d0o2")
        self.host.send(b"Ha2" + long_number(LONGEST) + b"A" * LONGEST)
        self.host.expect(b"12H")
        self.assertTrue(self.terminal.wait_window("Advisory"))
        self.terminal.command(IDOK, "Advisory")
        for points in (b"\xff", b"0", b"\xff"):  # +207, -48, +207 points
            self.page(b"Hs0F" + points + b"o2")
            self.assertLess(self.terminal.peak_memory_mb(), BOUND_MB, f"after F {points!r}")


if __name__ == "__main__":
    unittest.main()

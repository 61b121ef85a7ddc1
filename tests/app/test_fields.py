"""Pages on screen under Wine: field windows, typing, host changes, colours."""

import re
import subprocess
import time
import unittest

from records import (AUTO_ADVANCE, COMPLETE_ON_LEAVE, ENTRY, HIDDEN, NUMERIC, PASSWORD, PLAIN,
                     PROTECTED, REVERSE, SYSTEM, entry_field, field_data, fixed_field, set_text)
from terminal import TITLE, probe, screenshot, wait_until
from test_shell import TerminalTest

COMPLETING = ENTRY | COMPLETE_ON_LEAVE


def entry(number, row, length, type_byte=ENTRY, attribute=PLAIN):
    return entry_field(number, row, 0, length, type_byte, attribute)


def children():
    """The terminal's descendant windows: handle, class, id, visible, rect."""
    windows = []
    for line in probe("children", TITLE)[1].splitlines():
        handle, name, ident, visible, x, y, w, h = line.split()
        windows.append({"handle": handle, "class": name, "id": int(ident),
                        "visible": visible == "1", "rect": tuple(map(int, (x, y, w, h)))})
    return windows


def field_window(number):
    found = [w for w in children() if w["class"] != "VDKCPage" and w["id"] == number]
    return found[0] if found else None


def pixel(path, x, y):
    """The colour at a screen point of a screenshot as 0xRRGGBB."""
    out = subprocess.run(["convert", path, "-format", "%[hex:p{" + f"{x},{y}" + "}]", "info:"],
                         capture_output=True, text=True).stdout.strip()
    return int(out[:6], 16)


def colours_in(path, rect):
    """Every colour in a screen rectangle of a screenshot, as 0xRRGGBB."""
    x, y, w, h = rect
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "-format", "%c",
                          "histogram:info:-"], capture_output=True, text=True).stdout
    return {int(m, 16) for m in re.findall(r"#([0-9A-Fa-f]{6})", out)}


def bgr(value):
    """A Windows colour value 0x00BBGGRR as 0xRRGGBB."""
    return ((value & 0xFF) << 16) | (value & 0xFF00) | (value >> 16)


class FieldTest(TerminalTest):
    def page(self, record):
        """Sends a record and waits until it has released input."""
        self.host.send(b"H" + record)
        self.host.expect(b"12H")
        self.wait_input_released()

    def run_terminal(self, record, **settings):
        self.start(**settings)
        self.connect()
        self.assertTrue(self.terminal.wait_window())
        self.page(record)


class TypingTest(FieldTest):
    WORKED = b"s0Ef1005Helloi210C@8d0o2"

    def test_without_enter_to_f0_enter_moves_and_tab_completes(self):
        self.run_terminal(b"s0Ef1005Hello" + entry(2, 1, 8, COMPLETING) + b"d0o2",
                          fieldentertof0="false")
        self.terminal.press("A", "B", "Return")
        self.assertQuiet()
        self.terminal.press("Tab")
        self.host.expect(b"12R%2" + field_data(2, b"AB"))

    def test_function_key_in_a_field_sends_the_changed_fields(self):
        self.run_terminal(self.WORKED)
        self.terminal.press("X", "F2")
        self.host.expect(b"12RF22" + field_data(2, b"X"))

    def test_typing_rules(self):
        cases = [
            # settings, field, text before, keys, data sent with Enter
            ("fieldedit on replaces", {}, ENTRY, b"123", ["4"], b"4"),
            ("fieldedit off inserts at 0", {"fieldedit": "false"}, ENTRY, b"123", ["4"], b"4123"),
            ("numeric refuses letters", {}, ENTRY | NUMERIC, b"", ["1", "a", "2"], b"12"),
            ("upper case", {"UpperCaseInputMode": "true"}, ENTRY, b"", ["a", "b"], b"AB"),
            ("password", {}, ENTRY | PASSWORD, b"", ["s", "e", "c"], b"sec"),
        ]
        for name, values, kind, before, keys, sent in cases:
            with self.subTest(name):
                self.run_terminal(b"s0E" + entry(2, 1, 8, kind) + set_text(2, before) +
                                  b"d0o2", **values)
                self.terminal.press(*keys)
                if name == "password":
                    self.assertTrue(wait_until(lambda: field_window(2)))
                    screenshot("password")
                self.terminal.press("Return")
                self.host.expect(b"12RF02" + field_data(2, sent))
                self.terminal.kill()
                self.host.close()

    def test_filling_a_field_completes_or_advances(self):
        self.run_terminal(b"s0E" + entry(2, 1, 3, COMPLETING) + b"d0o2")
        self.terminal.press("a", "b", "c")
        self.host.expect(b"12R%2" + field_data(2, b"abc"))
        self.terminal.kill()
        self.host.close()
        self.run_terminal(b"s0E" + entry(2, 1, 2, ENTRY, PLAIN | AUTO_ADVANCE) + entry(3, 2, 4) +
                          b"d0o2")
        self.terminal.press("a", "b", "c", "Return")
        self.host.expect(b"12RF03" + field_data(2, b"ab") + field_data(3, b"c"))

    def test_protected_field_takes_keys_but_no_typing(self):
        self.run_terminal(b"s0E" + entry(2, 1, 4, ENTRY, PLAIN | PROTECTED) + set_text(2, b"12") +
                          b"d0o2")
        self.terminal.press("x", "BackSpace", "Delete", "Return")
        self.assertQuiet()
        self.terminal.press("F2")
        self.host.expect(b"12RF22")

    def test_paste_into_a_numeric_field(self):
        self.run_terminal(b"s0E" + entry(2, 1, 3, ENTRY | NUMERIC) + b"d0o2")
        self.assertEqual(probe("clip", "-", "12ab")[0], 0)
        self.terminal.press("ctrl+v", "Return")
        self.host.expect(b"12RF02" + field_data(2, b"12"))

    def test_tab_and_arrows_follow_field_numbers(self):
        self.run_terminal(b"s0E" + entry(2, 1, 4) + entry(4, 2, 4) + entry(3, 3, 4) + b"d0o2")
        self.terminal.press("Tab", "x", "Return")
        self.host.expect(b"12RF03" + field_data(3, b"x"))
        self.page(b"s0o2")
        self.terminal.press("Up", "y", "Return")  # before the first is the last
        self.host.expect(b"12RF04" + field_data(4, b"y"))


class HostChangeTest(FieldTest):
    PAGE = b"s0E" + fixed_field(1, 0, 0, b"Hello") + entry(2, 1, 8) + entry(3, 2, 8) + b"d0o2"

    def test_changes_remake_only_the_changed_windows(self):
        self.run_terminal(self.PAGE)
        before = {n: field_window(n) for n in (1, 2, 3)}
        # A font size moves and sizes the fields without remaking them.
        self.page(b"s0F4o2")
        after = {n: field_window(n) for n in (1, 2, 3)}
        for n in (1, 2, 3):
            self.assertEqual(after[n]["handle"], before[n]["handle"])
        self.assertGreater(after[3]["rect"][1] - after[1]["rect"][1],
                           before[3]["rect"][1] - before[1]["rect"][1])
        self.assertGreater(after[2]["rect"][2], before[2]["rect"][2])
        # A new text remakes only its own field's window.
        self.page(b"s0" + set_text(3, b"new") + b"o2")
        after = {n: field_window(n)["handle"] for n in (1, 2, 3)}
        self.assertEqual(after[1], before[1]["handle"])
        self.assertEqual(after[2], before[2]["handle"])
        self.assertNotEqual(after[3], before[3]["handle"])
        self.page(b"s0c3o2")
        self.assertEqual(field_window(3)["handle"], after[3])
        self.page(b"s0e3o2")
        self.assertIsNone(field_window(3))
        self.page(b"s0Eo/")
        self.assertEqual([w for w in children() if w["class"] != "VDKCPage"], [])

    def test_another_page_is_built_while_one_shows(self):
        self.run_terminal(self.PAGE)
        self.page(b"s2E" + fixed_field(5, 0, 0, b"Second") + b"o2")
        self.assertTrue(field_window(1)["visible"])
        self.page(b"s2d2o/")
        shown = [w for w in children() if w["class"] == "VDKCPage" and w["visible"]]
        self.assertEqual(len(shown), 1)
        self.assertTrue(field_window(5)["visible"])
        self.assertFalse(field_window(1)["visible"])

    def test_a_hidden_field_stays_hidden_when_the_window_moves(self):
        self.run_terminal(b"s0E" + fixed_field(1, 0, 0, b"Hello") + entry(2, 1, 8) +
                          entry(3, 2, 8, attribute=PLAIN | HIDDEN) + b"d0o2")
        self.assertFalse(field_window(3)["visible"])
        self.assertEqual(probe("move", TITLE, 40, 50, 520, 380)[0], 0)
        self.assertTrue(wait_until(lambda: probe("rect", TITLE)[1] == "40 50 520 380"))
        self.assertFalse(field_window(3)["visible"])
        self.assertTrue(field_window(2)["visible"])

    def test_fields_follow_the_window_size_with_font_auto_size(self):
        self.run_terminal(self.PAGE, fontautosize="true")
        before = field_window(3)["rect"]
        self.assertEqual(probe("move", TITLE, 20, 20, 800, 600)[0], 0)
        self.assertTrue(wait_until(lambda: field_window(3)["rect"][2] > before[2], timeout=10))
        self.assertEqual(probe("move", TITLE, 20, 20, 400, 300)[0], 0)
        self.assertTrue(wait_until(lambda: field_window(3)["rect"][2] < before[2], timeout=10))


class ClockTest(FieldTest):
    def test_time_field_blinks_its_colon(self):
        # A system field (type "B") of five cells shows the time as HH:MM.
        self.run_terminal(b"s0E" + entry(2, 1, 5, SYSTEM) + entry(3, 2, 8) + b"d0o3")
        self.assertTrue(wait_until(lambda: field_window(2)))
        rect = field_window(2)["rect"]
        seen = set()

        def both_phases():
            path = screenshot("clock")
            out = subprocess.run(["convert", path, "-crop", "%dx%d+%d+%d" % (
                rect[2], rect[3], rect[0], rect[1]), "-format", "%#", "info:"],
                capture_output=True, text=True).stdout
            seen.add(out)
            return len(seen) >= 2

        # Within a few seconds the colon has shown and gone.
        self.assertTrue(wait_until(both_phases, timeout=20, step=0.3))
        self.assertIn(0x000000, colours_in(screenshot("clock"), rect))


class ColourTest(FieldTest):
    # Two reverse-video fields side by side on row 4 and one under them on
    # row 5; a plain fixed field, a focused and an unfocused entry field.
    PAGE = (b"s0E" + fixed_field(1, 0, 0, b"Label") + entry(2, 1, 8) + entry(3, 2, 8) +
            fixed_field(4, 4, 0, b"LEFT", REVERSE) + fixed_field(5, 4, 4, b"RIGHT", REVERSE) +
            fixed_field(6, 5, 0, b"BELOW", REVERSE) + b"d0o2")

    def shot(self, name):
        self.assertTrue(wait_until(lambda: field_window(6)))
        time.sleep(1)  # let the windows paint
        return screenshot(name)

    def test_plain_colours(self):
        self.run_terminal(self.PAGE, ShowWaterMark="true", WaterMarkText='"WWWW"')
        path = self.shot("colours-plain")
        page = [w for w in children() if w["class"] == "VDKCPage" and w["visible"]][0]
        px, py, pw, ph = page["rect"]
        label, focused, other = field_window(1), field_window(2), field_window(3)
        left, right, below = field_window(4), field_window(5), field_window(6)
        self.assertEqual(pixel(path, px + pw - 2, py + ph - 2), bgr(0xC3B295))  # page
        x, y, w, h = focused["rect"]
        self.assertEqual(pixel(path, x + w - 3, y + h // 2), bgr(0x9EF0FF))
        x, y, w, h = other["rect"]
        self.assertEqual(pixel(path, x + w - 3, y + h // 2), bgr(0xFFFFFF))
        x, y, w, h = label["rect"]
        self.assertEqual(pixel(path, x + w - 3, y + h - 2), bgr(0xFFFFFF))  # underline
        self.assertEqual(pixel(path, x + w - 1, y + 2), bgr(0xC3B295))  # cell edge
        # The two blocks side by side: bevel outside, none where they meet.
        x, y, w, h = left["rect"]
        self.assertEqual(pixel(path, x, y + h // 2), bgr(0xC3B295))
        self.assertEqual(pixel(path, x + w - 1, y + h // 2), bgr(0xFFFFFF))
        x, y, w, h = right["rect"]
        self.assertEqual(pixel(path, x, y + h // 2), bgr(0xFFFFFF))
        self.assertEqual(pixel(path, x + w - 1, y + h // 2), bgr(0xC3B295))
        # The field below: no bevel on its top under the block above it.
        x, y, w, h = below["rect"]
        self.assertEqual(pixel(path, x + w // 2, y), bgr(0xFFFFFF))
        self.assertEqual(pixel(path, x + w // 2, y + h - 1), bgr(0xC3B295))
        # The watermark's colour, below the fields.
        self.assertIn(0x9FB5C3, colours_in(path, (px, py + ph // 2, pw, ph // 2)))

    def test_custom_colours(self):
        self.run_terminal(self.PAGE, CustomColorMode="true", BackGroundColor="102030",
                          ForeGroundColor="405060", InputBackGroundColor="708090",
                          FocusBackGroundColor="A0B0C0", ShowWaterMark="true",
                          WaterMarkText='"WWWW"')
        path = self.shot("colours-custom")
        page = [w for w in children() if w["class"] == "VDKCPage" and w["visible"]][0]
        px, py, pw, ph = page["rect"]
        self.assertEqual(pixel(path, px + pw - 2, py + ph - 2), 0x102030)
        x, y, w, h = field_window(2)["rect"]
        self.assertEqual(pixel(path, x + w - 3, y + h // 2), 0xA0B0C0)
        x, y, w, h = field_window(3)["rect"]
        self.assertEqual(pixel(path, x + w - 3, y + h // 2), 0x708090)
        x, y, w, h = field_window(4)["rect"]
        self.assertEqual(pixel(path, x + 1, y + h // 2), 0x405060)  # flat, no bevel
        self.assertIn(0x152535, colours_in(path, (px, py + ph // 2, pw, ph // 2)))


if __name__ == "__main__":
    unittest.main()

"""Buttons, select buttons, check boxes and radio buttons under Wine: how they
are drawn and pressed. What their clicks and keys send is in exchanges.py."""

import unittest

from exchanges import control, screen
from records import (BUTTON, CHECK_BOX, ENTRY, FIXED, RADIO_BUTTON, SELECTED, box_size,
                     field_data)
from terminal import centre, screenshot, wait_until
from test_fields import children, colours_in, field_window
from test_shell import TerminalTest

BLACK, WHITE, GREY = 0x000000, 0xFFFFFF, 0x7F7F7F
# Button faces, top to bottom: plain and selected.
FACES = {False: ((255, 255, 239), (165, 158, 148)), True: ((255, 247, 158), (255, 204, 0))}


def gradient(selected, n, i):
    """Entry i of the n of a button face, as 0xRRGGBB."""
    start, end = FACES[selected]
    red, green, blue = (int(a + i * (b - a) / n) % 256 for a, b in zip(start, end))
    return red << 16 | green << 8 | blue


def check_mark(width, height, cells=8):
    """A point well inside the check mark of a box two cells wide."""
    size = min(2 * (width // cells), height)
    top = (height - size) // 2 + 1
    return 1 + (size - 1) // 2, top + (size - 1) // 2 + (size - 1) // 4


def radio_dot(width, height, cells=8):
    size = min(2 * (width // cells), height)
    return (1 + size) // 2, (height - size) // 2 + size // 2


class PaintTest(TerminalTest):
    def test_faces_marks_and_focus(self):
        size = box_size(2)
        page = [control(2, BUTTON, b"OK"), control(3, BUTTON, b"Go", ENTRY, SELECTED),
                control(4, CHECK_BOX, b"XYes", ENTRY, size),
                control(5, CHECK_BOX, b" No", ENTRY, size),
                control(6, CHECK_BOX, b" Sel", ENTRY, size, SELECTED),
                control(7, RADIO_BUTTON, b"XOne", ENTRY, size),
                control(8, CHECK_BOX, b"XDisplay", FIXED, size)]
        custom = {"CustomColorMode": "true", "BackGroundColor": "203040",
                  "CheckBoxCheckAndRadioButtonDotColor": "C01050"}
        for name, settings, focus in [("plain", {}, 2), ("custom", custom, 4)]:
            with self.subTest(name):
                self.start(**settings)
                self.page(screen(*page, focus=focus))
                w, h = field_window(2)["rect"][2:]
                n = h - 1  # rows of the button's gradient
                mark, dot = check_mark(w, h), radio_dot(w, h)
                # (field, x, y in the field window, colour as 0xRRGGBB)
                probes = [(2, 3, 0, 0x73716B), (2, 3, 3, gradient(False, n, 2)),
                          (2, 3, n - 3, gradient(False, n, n - 4)),
                          (3, 3, 3, gradient(True, n, 2)), (3, 5, 1, gradient(True, n, 0))]
                if name == "plain":
                    probes += [(2, 5, 1, BLACK), (4, *mark, BLACK), (5, *mark, WHITE),
                               (6, w - 4, h // 2, 0xFFCC33), (7, *dot, BLACK),
                               (8, *mark, GREY)]
                else:
                    probes += [(2, 5, 1, gradient(False, n, 0)), (4, w - 1, 4, BLACK),
                               (4, *mark, 0xC01050), (7, *dot, 0xC01050),
                               (5, w - 3, h // 2, 0x203040)]
                self.assertPainted(name, probes)
                # Held down, the button turns its face upside down; it
                # reports when let go, beside it too.
                x, y = centre(field_window(2)["rect"])
                self.terminal.mouse(x, y, "mousedown")
                self.assertPainted(name + "-pressed", [(2, 3, 3, gradient(False, n, n - 3))])
                self.assertQuiet()
                self.terminal.mouse(x + 2 * w, y, "mouseup")
                self.host.expect(b"12RF02" + field_data(2, b"OK"))
                self.terminal.kill()
                self.host.close()

    def assertPainted(self, name, probes):
        """Waits until a screenshot shows every probe's colour."""
        wrong = None

        def painted():
            nonlocal wrong
            path = screenshot("controls-" + name)
            places = {w["id"]: w["rect"][:2] for w in children()}
            wrong = []
            for number, x, y, colour in probes:
                left, top = places.get(number, (None, None))
                found = set() if left is None else colours_in(path, (left + x, top + y, 1, 1))
                if found != {colour}:
                    wrong.append((number, x, y, f"{colour:06X}", [f"{c:06X}" for c in found]))
            return not wrong

        self.assertTrue(wait_until(painted, step=0.5), wrong)


if __name__ == "__main__":
    unittest.main()

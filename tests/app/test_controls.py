"""Buttons, select buttons, check boxes and radio buttons under Wine: clicks,
keys, the data they send and how they are drawn."""

import unittest

from records import (BUTTON, CHECK_BOX, COMPLETE_ON_LEAVE, ENTRY, FIXED, RADIO_BUTTON,
                     SELECT_BUTTON, SELECTED, box_size, entry_field, field_data, fixed_field,
                     options, set_text, short_number)
from terminal import screenshot, wait_until
from test_fields import children, colours_in, field_window
from test_shell import TerminalTest

REPORT = ENTRY | COMPLETE_ON_LEAVE
BLACK, WHITE, GREY = 0x000000, 0xFFFFFF, 0x7F7F7F
# Button faces, top to bottom: plain and selected.
FACES = {False: ((255, 255, 239), (165, 158, 148)), True: ((255, 247, 158), (255, 204, 0))}


def control(number, kind, data, type_byte=ENTRY, *more):
    """A control of 8 cells on row number; display-only when type_byte is FIXED."""
    if type_byte == FIXED:
        return fixed_field(number, number, 0, data) + options(number, kind, *more)
    return (entry_field(number, number, 0, 8, type_byte) + options(number, kind, *more) +
            set_text(number, data))


def screen(*controls, focus=2):
    return b"Hs0E" + b"".join(controls) + b"d0o" + short_number(focus)


def radios():
    """Three radio buttons, the first one chosen; the second one reports at once."""
    return (control(2, RADIO_BUTTON, b"XOne"), control(3, RADIO_BUTTON, b" Two", REPORT),
            control(4, RADIO_BUTTON, b" Thr"))


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


class ControlTest(TerminalTest):
    def run_cases(self, cases, **settings):
        """Each case: a page, actions (key names, "quiet", or (mouse action,
        field or None for a place outside the fields)) and the message sent
        at the end (None: nothing)."""
        self.start(**settings)
        for record, actions, sent in cases:
            with self.subTest(actions=actions):
                self.page(record)
                for action in actions:
                    if action == "quiet":
                        self.assertQuiet()
                    elif isinstance(action, tuple):
                        self.terminal.mouse(*self.centre(action[1]), action[0])
                    else:
                        self.terminal.press(action)
                if sent is not None:
                    self.host.expect(b"12" + sent)
                self.assertQuiet()

    def centre(self, number):
        """The middle of a field window; for None, a place on the page four rows below field 2."""
        x, y, w, h = field_window(2 if number is None else number)["rect"]
        return x + w // 2, y + h // 2 + (0 if number else 4 * h)


class InputTest(ControlTest):
    def test_buttons_report_key_zero_on_release(self):
        page = screen(control(2, BUTTON, b"OK"))
        ok = field_data(2, b"OK")  # the press marks the button modified
        self.run_cases([
            (page, [("mousedown", 2), "quiet", ("mouseup", 2)], b"RF02" + ok),
            (page, [("mousedown", 2), "quiet", ("mouseup", None)], b"RF02" + ok),
            (page, ["Return"], b"RF02"),
            (page, ["F2"], b"RF22"),
            (page, ["shift+F2"], b"RF<2"),
            (page, ["space"], None),
        ])

    def test_toggles_choices_and_display_only_controls(self):
        entry = entry_field(3, 3, 0, 8)
        self.run_cases([
            (screen(control(2, CHECK_BOX, b" Yes")), ["space", "F2"],
             b"RF22" + field_data(2, b"XYes")),
            (screen(control(2, CHECK_BOX, b"XYes")), [("click", 2), "F2"],
             b"RF22" + field_data(2, b" Yes")),
            # Reported at once; the key 0 that follows finds input locked.
            (screen(control(2, CHECK_BOX, b" Yes", REPORT)), ["space"],
             b"R%2" + field_data(2, b"XYes")),
            (screen(control(2, CHECK_BOX, b" Yes", REPORT)), [("click", 2)],
             b"R%2" + field_data(2, b"XYes")),
            (screen(control(2, SELECT_BUTTON, b"XOn", REPORT)), ["space"],
             b"R%2" + field_data(2, b" On")),
            (screen(control(2, SELECT_BUTTON, b" On")), [("click", 2), "F2"],
             b"RF22" + field_data(2, b"XOn")),
            # One group: choosing one gives up the other.
            (screen(*radios()), [("click", 3)],
             b"R%3" + field_data(2, b" One") + field_data(3, b"XTwo")),
            (screen(*radios(), focus=4), ["space", "F2"],
             b"RF24" + field_data(2, b" One") + field_data(4, b"XThr")),
            (screen(*radios()), [("click", 2), "F2"], b"RF22"),
            # Display-only: a click only focuses; check box and radio button
            # answer Enter alone, the select button every key but Space.
            (screen(control(2, CHECK_BOX, b"XDis", FIXED), entry, focus=3),
             [("click", 2), "space", "Tab", "F2", "quiet", "Return"], b"RF02"),
            (screen(control(2, RADIO_BUTTON, b" Dis", FIXED), entry, focus=3),
             [("click", 2), "space", "Tab", "F2", "quiet", "Return"], b"RF02"),
            (screen(control(2, SELECT_BUTTON, b" Dis", FIXED), entry, focus=3),
             [("click", 2), "space", "quiet", "F2"], b"RF22"),
            (screen(control(2, BUTTON, b"Dis", FIXED), entry, focus=3),
             [("click", 2), "quiet", "Return"], b"RF02"),
            # Focus stops in field-number order, past display-only fields, wrapping.
            (screen(control(2, BUTTON, b"OK"), control(3, CHECK_BOX, b" Dis", FIXED),
                    control(4, CHECK_BOX, b" Yes"), control(5, RADIO_BUTTON, b" One")),
             ["Tab", "Down", "Right", "shift+Tab", "F2"], b"RF25"),
        ])

    def test_enter_moves_on_when_it_is_no_key(self):
        page = screen(control(2, BUTTON, b"OK"), control(3, BUTTON, b"Next"))
        self.run_cases([
            (page, ["Return", "F2"], b"RF23"),
            (page, [("click", 2), "F2"], b"RF23" + field_data(2, b"OK")),
            (screen(control(2, CHECK_BOX, b" Yes"), control(3, BUTTON, b"Next")),
             ["Return", "F2"], b"RF23"),
        ], fieldentertof0="false")


class PaintTest(ControlTest):
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
                # Held down, the button turns its face upside down.
                self.terminal.mouse(*self.centre(2), "mousedown")
                self.assertPainted(name + "-pressed", [(2, 3, 3, gradient(False, n, n - 3))])
                self.terminal.mouse(*self.centre(2), "mouseup")
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

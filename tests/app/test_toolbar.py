"""The toolbar under Wine: its size, the page below it, how the host's labels
show, and what makes a press. The keys its buttons send are in exchanges.py."""

import unittest

from exchanges import TOOLBAR_PAGE, key_message
from records import label
from terminal import TITLE, centre, probe, screenshot
from test_fields import colours_in, of_class
from test_shell import TerminalTest

BUTTONS = ("SAVE", "BACK", "EXIT", "NEXT", "CLEAR")
SAVE, BACK, EXIT, NEXT, CLEAR = range(5)
RAISED = 0xE6E6E6  # the outer top and left bevel of an enabled button
BLACK, GREYED_BLACK = 0x000000, 0x5F5F5F  # the pictures' outline, and disabled


def client():
    return tuple(map(int, probe("client", TITLE)[1].split()))


class ToolBarTest(TerminalTest):
    def assertLaidOut(self, height):
        """The toolbar of that height (0: none) across the top, its buttons in
        a row, and the page below it."""
        x, y, width, _ = client()
        bars, buttons = of_class("VDKCToolBar"), of_class("VDKCToolBarButton")
        self.assertEqual([w["rect"] for w in bars], [(x, y, width, height)] if height else [])
        side = height - 7  # the picture and its bevel, 4 pixels down and 3 up from the edges
        self.assertEqual([w["rect"] for w in buttons],
                         [(x + 4 + i * height, y + 4, side, side) for i in range(5)] if height
                         else [])
        self.assertEqual(of_class("VDKCPage")[0]["rect"][1], y + height)
        return {w["id"]: w["rect"] for w in buttons}

    def button_looks(self, buttons, name):
        """Whether each button shows the raised bevel, and its picture in black."""
        shot = screenshot(name)
        return [(RAISED in colours, BLACK in colours, GREYED_BLACK in colours)
                for colours in (colours_in(shot, buttons[i]) for i in range(5))]

    def test_labels_enable_buttons_pressed_where_the_mouse_went_down(self):
        self.start()
        self.page(TOOLBAR_PAGE)
        buttons = self.assertLaidOut(27)
        disabled, enabled = (False, False, True), (True, True, False)
        self.assertEqual(self.button_looks(buttons, "toolbar-size-0-unlabelled"), [disabled] * 5)
        page_spot = centre(of_class("VDKCPage")[0]["rect"])
        # Each of two labels for one slot in one record counts with its text.
        self.page(TOOLBAR_PAGE + label(7, b"NEXT") + label(7, b"SAVE"))
        looks = self.button_looks(buttons, "toolbar-size-0-next")
        self.assertEqual([looks[SAVE], looks[NEXT]], [enabled, enabled])
        # A release that began elsewhere is no press.
        self.terminal.mouse(*page_spot, "mousedown")
        self.terminal.mouse(*centre(buttons[NEXT]), "mouseup")
        self.assertQuiet()

        # Pressed on the button and released outside it still counts.
        self.page(TOOLBAR_PAGE + label(9, b"NEXT") + label(8, b"EXIT"))
        self.terminal.mouse(*centre(buttons[NEXT]), "mousedown")
        self.terminal.mouse(*page_spot, "mouseup")
        self.host.expect(key_message(9))

        # Another text for the slot of NEXT disables it again; EXIT stays.
        self.page(TOOLBAR_PAGE + label(9, b"GO"))
        looks = self.button_looks(buttons, "toolbar-size-0-exit")
        self.assertEqual([looks[NEXT], looks[EXIT]], [disabled, enabled])

    def test_each_size_lays_the_page_below_the_toolbar(self):
        for size, height in ((2, 59), (-1, 0)):
            with self.subTest(toolbarsize=size):
                self.start(toolbarsize=size)
                # Killed also when a size fails: a terminal left running
                # would answer the next size's probes.
                self.addCleanup(self.terminal.kill)
                self.page(TOOLBAR_PAGE + label(4, b"NEXT"))
                buttons = self.assertLaidOut(height)
                if height:
                    self.assertTrue(self.button_looks(buttons, f"toolbar-size-{size}")[NEXT][0])
                else:
                    screenshot(f"toolbar-size-{size}")
                self.terminal.kill()


if __name__ == "__main__":
    unittest.main()

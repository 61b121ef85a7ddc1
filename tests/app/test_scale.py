"""The terminal at 96 and at 144 pixels per inch: the cells follow the font,
the toolbar keeps its pictures' size above the page, and every dialog holds
all its controls. Screenshots scale-DPI-NAME.png show each for the eye."""

import subprocess
import unittest

from records import (BUTTON, CHECK_BOX, advisory, box_size, entry_field, fixed_field, label,
                     options, set_text)
from terminal import (ID, IDCANCEL, TITLE, WINE_RUN, probe, screenshot, wait_until,
                      window_exists)
from test_fields import field_window, of_class, windows
from test_shell import TerminalTest

PAGE = (b"Hs0E" + fixed_field(1, 0, 0, b"Location:") + entry_field(2, 0, 10, 8) +
        set_text(2, b"A-12-03") + entry_field(3, 2, 0, 9) + options(3, CHECK_BOX, box_size(2)) +
        set_text(3, b"XDamaged") + entry_field(4, 3, 0, 9) + options(4, BUTTON) +
        set_text(4, b" Confirm") + label(5, b"SAVE") + label(7, b"NEXT") + b"d0o2")
TOOLBAR = 43  # toolbarsize 1, in pixels at any scale
DIALOGS = {ID.IDM_HOST: "Host Options", ID.IDM_SCANNER: "Scanner Options",
           ID.IDM_SCREEN: "Screen Options", ID.IDM_FIELDS: "Field Options",
           ID.IDM_FONT: "Font Options", ID.IDM_SERIALSETTINGS: "Serial Port Options",
           ID.IDM_SERIALFEATURE: "Serial Feature Options",
           ID.IDM_SOUND_NORMAL: "Options Normal Sound", ID.IDM_ABOUT: "About Ravelin II",
           ID.IDM_OPTIONS: "Login"}


def set_scale(dpi):
    """The pixels per inch of the Wine programs started from now on."""
    subprocess.run([WINE_RUN, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], check=True, capture_output=True)


def client(title):
    return tuple(map(int, probe("client", title)[1].split()))


class ScaleTest(TerminalTest):
    def assertFitsAndClose(self, title, shot):
        """The dialog's visible controls lie inside its client area; a screenshot
        of it, then Cancel."""
        self.assertTrue(self.terminal.wait_window(title), title)
        x, y, width, height = client(title)
        for control in (w for w in windows(title) if w["visible"]):
            left, top, w, h = control["rect"]
            self.assertTrue(x <= left and y <= top and left + w <= x + width and
                            top + h <= y + height, (title, control))
        screenshot(shot)
        self.terminal.command(IDCANCEL, title)
        self.assertTrue(wait_until(lambda: not window_exists(title)), title)

    def test_page_and_dialogs_fit_at_each_scale(self):
        cells = []
        for dpi in (96, 144):
            set_scale(dpi)
            try:
                self.start(toolbarsize=1)
            finally:
                set_scale(96)  # read once by each program as it starts
            self.page(PAGE)
            x, y, width, _ = client(TITLE)
            self.assertEqual([w["rect"] for w in of_class("VDKCToolBar")],
                             [(x, y, width, TOOLBAR)], dpi)
            self.assertEqual({w["rect"][1] for w in of_class("VDKCPage")}, {y + TOOLBAR}, dpi)
            cells.append(field_window(2)["rect"][3])
            screenshot(f"scale-{dpi}-page")
            for command, title in DIALOGS.items():
                self.terminal.command(command)
                self.assertFitsAndClose(title, f"scale-{dpi}-{title.lower().replace(' ', '-')}")
            self.host.send(b"H" + advisory(2, b"Wrong location: scan the shelf label again."))
            self.host.expect(b"12H")
            self.assertFitsAndClose("Advisory", f"scale-{dpi}-advisory")
            self.terminal.kill()
        self.assertGreater(cells[1], cells[0])  # the field font follows the scale


if __name__ == "__main__":
    unittest.main()

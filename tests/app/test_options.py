"""The options dialogs and the access mode under Wine, reached through the File
menu with keys and mouse as a user would: what OK writes, byte for byte, what
Cancel leaves alone, and what the window does afterwards."""

import os
import subprocess
import unittest

from exchanges import TOOLBAR_PAGE, key_message
from records import label
from terminal import (ID, IDCANCEL, IDOK, TITLE, Terminal, centre, probe, screenshot,
                      wait_until, window_exists)
from test_fields import of_class, windows
from test_shell import TerminalTest
from test_toolbar import BACK, NEXT

BM_GETCHECK, CB_GETCURSEL, BST_CHECKED = 0x00F0, 0x0147, 1
INITIAL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "config", "data",
                       "initial.ini")


def with_lines(text, **values):
    """The settings text with the lines of those keys given new values."""
    lines = text.split(b"\r\n")
    for key, value in values.items():
        at = next(i for i, line in enumerate(lines) if line.startswith(key.encode() + b"="))
        lines[at] = f"{key}={value}".encode("latin-1")
    return b"\r\n".join(lines)


def controls(title):
    """A dialog's controls by id: (visible, screen rectangle)."""
    return {w["id"]: (w["visible"], w["rect"]) for w in windows(title)}


def checked(title, control):
    return probe("item", title, control, BM_GETCHECK, 0, 0)[1] == str(BST_CHECKED)


class OptionsTest(TerminalTest):
    wine_trace = None  # Wine debug channels for wine.log

    def start_file(self, **values):
        """The terminal with a whole settings file as the program writes it."""
        with open(INITIAL, "rb") as f:
            self.written = with_lines(f.read(), **{
                "hostname": "127.0.0.1", "hostport": self.host.port, "terminalid": 12,
                "windowpos": "20,20,480,360", "CarrowinAdminMode": "true", **values})
        self.terminal = Terminal(self.name)
        self.restart()

    def restart(self):
        with open(self.terminal.settings_path, "wb") as f:
            f.write(self.written)
        self.terminal.start(self.wine_trace)
        self.connect()
        self.assertTrue(self.terminal.wait_window())

    def file(self):
        with open(self.terminal.settings_path, "rb") as f:
            return f.read()

    def open_menu(self, keys, title):
        """File, then the item with that mnemonic (or the keys that reach it);
        the dialog that opens."""
        self.terminal.press("alt+f", *([keys] if isinstance(keys, str) else keys))
        self.assertTrue(self.terminal.wait_window(title), title)
        self.layout = controls(title)

    def click(self, title, control):
        self.terminal.mouse(*centre(self.layout[control][1]), "click", title=title)

    def type_into(self, title, control, text):
        """Clicks an edit, selects what it holds and types over it."""
        self.click(title, control)
        self.terminal.press("End", "shift+Home", "BackSpace", title=title)
        if text:
            subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)
        # The probe's output loses trailing spaces.
        self.assertTrue(wait_until(lambda: probe("text", title, control)[1] == text.rstrip()),
                        text)

    def close(self, title, button):
        self.click(title, button)
        self.assertTrue(wait_until(lambda: not window_exists(title)), title)

    def assertFileBecomes(self, expected):
        self.assertTrue(wait_until(lambda: self.file() == expected, step=0.3),
                        f"{self.file()!r}\n!=\n{expected!r}")
        self.written = expected


class OptionsDialogTest(OptionsTest):
    def test_ok_stores_what_the_dialog_shows_and_cancel_nothing(self):
        self.start_file(ScannerModeCallBack="true", toolbarsize=5,
                        fontname='"No Such Face"', CharacterCellAdditionalWidth="03")
        # The buttons' keys hang on the order the labels came in: NEXT on
        # key 10, and BACK, whose label took SAVE's key away, disabled.
        self.page(TOOLBAR_PAGE + label(12, b"NEXT") + label(5, b"SAVE"))
        self.page(TOOLBAR_PAGE + label(10, b"NEXT") + label(5, b"BACK"))
        cases = [
            ("n", "Scanner Options", {ID.IDC_CALLBACK: True, ID.IDC_WEDGE_READER: False,
                                      ID.IDC_APPEND_F0: True},
             [ID.IDC_WEDGE_READER, ID.IDC_APPEND_ENTER, ID.IDC_OVERWRITE_FIELDS], [],
             dict(ScannerModeCallBack="false", scannerappendenter="true",
                  scanneroverwritefield="false")),
            ("s", "Screen Options", {ID.IDC_TOOLBAR_SIZE1: True, ID.IDC_WATERMARK: True},
             [ID.IDC_TOOLBAR_SIZE3, ID.IDC_CUSTOM_COLORS],
             [(ID.IDC_SCREENCOLS, "999"), (ID.IDC_SCREENROWS, "30"),
              (ID.IDC_WATERMARK_TEXT, "W" * 30 + "XY")],
             dict(toolbarsize=2, screencols=207, screenrows=30, CustomColorMode="true",
                  WaterMarkText='"' + "W" * 30 + 'X"')),
            ("i", "Field Options", {ID.IDC_ENTER_TO_F0: True, ID.IDC_OVERWRITE_ENTRY: True},
             [ID.IDC_ENTER_TO_F0], [(ID.IDC_VALID_NUMERICS, '1223"4')],
             dict(fieldentertof0="false", fieldnumericvalue='"1234"')),
            ("f", "Font Options", {ID.IDC_FONT_AUTOSIZE: False},
             [ID.IDC_FONT_AUTOSIZE], [(ID.IDC_CELL_WIDTH, "12"), (ID.IDC_FONT_SIZE, "11")],
             dict(fontpointsize=11, fontautosize="true", CharacterCellAdditionalWidth="09")),
        ]
        for mnemonic, title, shown, clicks, typed, stored in cases:
            with self.subTest(title):
                for button in (IDCANCEL, IDOK):
                    self.open_menu(mnemonic, title)
                    for control, state in shown.items():
                        self.assertEqual(checked(title, control), state, control)
                    for control in clicks:
                        self.click(title, control)
                    for control, text in typed:
                        self.type_into(title, control, text)
                    if button == IDOK:
                        screenshot(title.lower().replace(" ", "-"))
                        stored = {**stored, **self.font_choice(title)}
                    self.close(title, button)
                    self.assertFileBecomes(
                        self.written if button == IDCANCEL else
                        with_lines(self.written, **stored))
        self.assertToolBarRemade()

    def test_host_port_is_kept_within_its_range(self):
        self.start_file()
        for typed, stored in (("0", 1), ("99999", 65535)):
            with self.subTest(typed):
                self.open_menu("h", "Host Options")
                self.type_into("Host Options", ID.IDC_HOSTPORT, typed)
                self.close("Host Options", IDOK)
                self.assertFileBecomes(with_lines(self.written, hostport=stored))

    def font_choice(self, title):
        """The font list: sorted, each family once; a name no family has
        selects the first, which OK stores."""
        if title != "Font Options":
            return {}
        names = probe("items", title, ID.IDC_FONT_NAME)[1].splitlines()
        self.assertGreater(len(names), 1)
        self.assertEqual(names, sorted(names, key=str.lower))
        self.assertEqual(len({n.lower() for n in names}), len(names))
        self.assertEqual(probe("item", title, ID.IDC_FONT_NAME, CB_GETCURSEL, 0, 0)[1], "0")
        return {"fontname": f'"{names[0]}"'}

    def assertToolBarRemade(self):
        """Screen's OK made the toolbar anew in size 3x, its buttons as the
        host's labels left them."""
        self.assertIn(59, [w["rect"][3] for w in of_class("VDKCToolBar")])
        buttons = {w["id"]: w["rect"] for w in of_class("VDKCToolBarButton")}
        for button in (BACK, NEXT):
            self.terminal.mouse(*centre(buttons[button]), "click")
        # A click on BACK would have gone out first.
        self.host.expect(key_message(10))

    def test_field_options_keep_the_underline_box_hidden(self):
        self.start_file()
        self.open_menu("i", "Field Options")
        self.assertFalse(self.layout[ID.IDC_UNDERLINE_FIXED][0])
        self.close("Field Options", IDCANCEL)


class AccessModeTest(OptionsTest):
    def login(self, password, button=IDOK):
        self.open_menu("o", "Login")
        self.type_into("Login", ID.IDC_PASSWORD, password)
        screenshot("login")
        if button == IDCANCEL:
            self.close("Login", button)
        else:  # the Login stays under the box that tells the mode
            self.click("Login", button)

    def answer(self, title, text):
        self.assertTrue(self.terminal.wait_window(title), title)
        self.assertIn(text, [probe("text", title, c)[1] for c in controls(title)])
        screenshot(title.lower().replace(" ", "-"))
        self.terminal.press("Return", title=title)
        self.assertTrue(wait_until(lambda: not window_exists(title)), title)
        self.assertTrue(wait_until(lambda: not window_exists("Login")))

    def has_menu(self):
        return probe("menu", TITLE)[1] == "1"

    def assertMenu(self, admin):
        """The menu of the mode: the user one opens Login, the other Host Options."""
        title = "Host Options" if admin else "Login"
        self.open_menu("h" if admin else "o", title)
        self.close(title, IDCANCEL)

    def test_login_switches_the_mode_and_user_mode_survives_a_restart(self):
        self.start_file(CarrowinAdminMode="false")
        self.login("604318", IDCANCEL)
        self.assertEqual(self.file(), self.written)
        for password, box, text, admin in (("", "User Mode", "Terminal Locked", False),
                                           ("604318 ", "User Mode", "Terminal Locked", False),
                                           ("604318", "Admin Mode", "Terminal UnLocked", True)):
            with self.subTest(password=password):
                # The file says the other mode, so that the rewrite shows.
                self.written = with_lines(self.written, CarrowinAdminMode=str(not admin).lower())
                with open(self.terminal.settings_path, "wb") as f:
                    f.write(self.written)
                self.login(password)
                self.answer(box, text)
                self.assertFileBecomes(
                    with_lines(self.written, CarrowinAdminMode=str(admin).lower()))
                self.assertMenu(admin)
        self.terminal.press("alt+f", "u")
        self.assertFileBecomes(with_lines(self.written, CarrowinAdminMode="false"))
        self.assertMenu(False)
        self.terminal.kill()
        self.restart()
        self.assertMenu(False)

    def test_full_screen_login_switches_the_mode_without_a_menu(self):
        self.start_file(CarrowinAdminMode="false", fullscreen="true")
        self.login("604318")  # the menu is given at creation even in full screen
        self.answer("Admin Mode", "Terminal UnLocked")
        self.assertFalse(self.has_menu())
        self.terminal.command(ID.IDM_FULLSCREEN)
        self.assertTrue(wait_until(self.has_menu))
        # The file follows at once, so the dialog that reads it keeps the mode.
        self.assertFileBecomes(with_lines(self.written, fullscreen="false",
                                          CarrowinAdminMode="true"))
        self.assertMenu(True)
        self.terminal.command(ID.IDM_FULLSCREEN)
        self.assertTrue(wait_until(lambda: not self.has_menu()))
        # User Mode gives the user menu even in full screen.
        self.terminal.command(ID.IDM_USERMODE)
        self.assertTrue(wait_until(self.has_menu))
        self.assertMenu(False)

if __name__ == "__main__":
    unittest.main()

"""The options dialogs and the access mode under Wine, reached through the File
menu with keys and mouse as a user would: what OK writes, byte for byte, what
Cancel leaves alone, and what the window and the serial port do afterwards;
the sounds the dialogs play, seen in Wine's trace of the system's sound calls."""

import os
import pathlib
import re
import subprocess
import termios
import time

from exchanges import TOOLBAR_PAGE, key_message, screen, serial_bound
from records import entry_field, fixed_field, label, set_text
from terminal import (ID, IDCANCEL, IDOK, PORT, TITLE, WM_CLOSE, WS_CAPTION, WS_DISABLED,
                      SerialTest, TerminalTest, centre, probe, screenshot, serial_out,
                      wait_until, window_exists, windows)
from test_fields import NEXT

BM_GETCHECK, BST_CHECKED = 0x00F0, 1
INITIAL = pathlib.Path(__file__).resolve().parent.parent / "config" / "data" / "initial.ini"
SOUND_TITLES = [f"Options {name} Sound" for name in (
    "Normal", "Error", "Accept Scan", "Reject Scan", *(f"User {n}" for n in range(1, 5)))]
# Serial settings shares its mnemonic with Screen: reached by the arrow keys from About.
SERIAL_SETTINGS = ("Down",) * 6 + ("Return",)
VIBRATE = (ID.IDC_VIBRATE, ID.IDC_VIBRATE_ON, ID.IDC_VIBRATE_ON_SPIN, ID.IDC_VIBRATE_OFF,
           ID.IDC_VIBRATE_REPEAT)


def with_lines(text, **values):
    lines = text.split(b"\r\n")
    for key, value in values.items():
        at = next(i for i, line in enumerate(lines) if line.startswith(key.encode() + b"="))
        lines[at] = f"{key}={value}".encode("latin-1")
    return b"\r\n".join(lines)


def checked(title, control):
    return probe("item", title, control, BM_GETCHECK, 0, 0)[1] == str(BST_CHECKED)


class OptionsTest(TerminalTest):
    def settings_file(self, values):
        """A whole settings file, as the program writes it."""
        self.written = with_lines(INITIAL.read_bytes(), **values)
        return self.written

    def edit(self, **values):
        """The settings file changed by hand."""
        self.written = with_lines(self.written, **values)
        self.terminal.settings_path.write_bytes(self.written)

    def open_menu(self, keys, title):
        """File, then the item with that mnemonic (or the keys that reach it);
        the dialog that opens, its controls by id: (visible, screen rectangle)."""
        self.terminal.press("alt+f", *([keys] if isinstance(keys, str) else keys))
        self.assertTrue(self.terminal.wait_window(title), title)
        # A loaded machine's probe has missed a control of a shown dialog.
        self.assertTrue(wait_until(lambda: IDCANCEL in self.controls(title)), title)
        return title

    def controls(self, title):
        self.layout = {w["id"]: (w["visible"], w["rect"]) for w in windows(title)}
        return self.layout

    def click(self, title, control):
        self.terminal.mouse(*centre(self.layout[control][1]), "click", title=title)

    def type_into(self, title, control, text):
        self.click(title, control)
        self.terminal.press("End", "shift+Home", "BackSpace", title=title)
        if text:
            subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)
        # The probe's output loses trailing spaces.
        self.assertTrue(wait_until(lambda: probe("text", title, control)[1] == text.rstrip()),
                        text)

    def fill(self, title, *steps):
        for step in steps:
            self.type_into(title, *step) if isinstance(step, tuple) else self.click(title, step)

    def close(self, title, button, shot=None):
        if shot:
            screenshot(shot)
        self.click(title, button)
        self.assertTrue(wait_until(lambda: not window_exists(title)), title)

    def assertFileBecomes(self, **changes):
        """The file as last written, those lines changed."""
        expected, read = with_lines(self.written, **changes), self.terminal.settings_path.read_bytes
        self.assertTrue(wait_until(lambda: read() == expected, step=0.3),
                        f"{read()!r}\n!=\n{expected!r}")
        self.written = expected


class OptionsDialogTest(OptionsTest):
    def test_ok_stores_what_the_dialogs_show_and_cancel_nothing(self):
        # Without an audio device the system's sound call fails at once; Wine's
        # trace still shows what it was given.
        self.start(trace="trace+winmm", ScannerModeCallBack="true", toolbarsize=5,
                   fontname='"No Such Face"', CharacterCellAdditionalWidth="03",
                   ErrorSoundToneFrequency=440, NormalSoundToneFrequency=440,
                   NormalSoundType=7, NormalVibrateEnabled=1, NormalVibrateOnTime=50)
        self.page(TOOLBAR_PAGE + label(10, b"NEXT"))
        cases = [  # mnemonic, title, checked (None: hidden), steps of fill(), stored
            ("n", "Scanner Options", {ID.IDC_CALLBACK: True, ID.IDC_WEDGE_READER: False,
                                      ID.IDC_APPEND_F0: True},
             [ID.IDC_WEDGE_READER, ID.IDC_APPEND_ENTER, ID.IDC_OVERWRITE_FIELDS],
             dict(ScannerModeCallBack="false", scannerappendenter="true",
                  scanneroverwritefield="false")),
            ("s", "Screen Options", {ID.IDC_TOOLBAR_SIZE1: True, ID.IDC_WATERMARK: True},
             [ID.IDC_TOOLBAR_SIZE3, ID.IDC_CUSTOM_COLORS, (ID.IDC_SCREENCOLS, "999"),
              (ID.IDC_SCREENROWS, "30"), (ID.IDC_WATERMARK_TEXT, "W" * 30 + "XY")],
             dict(toolbarsize=2, screencols=207, screenrows=30, CustomColorMode="true",
                  WaterMarkText='"' + "W" * 30 + 'X"')),
            ("i", "Field Options", {ID.IDC_ENTER_TO_F0: True, ID.IDC_OVERWRITE_ENTRY: True,
                                    ID.IDC_UNDERLINE_FIXED: None},
             [ID.IDC_ENTER_TO_F0, (ID.IDC_VALID_NUMERICS, '1223"4')],
             dict(fieldentertof0="false", fieldnumericvalue='"1234"')),
            ("f", "Font Options", {ID.IDC_FONT_AUTOSIZE: False},
             [ID.IDC_FONT_AUTOSIZE, (ID.IDC_CELL_WIDTH, "12"), (ID.IDC_FONT_SIZE, "11")],
             dict(fontpointsize=11, fontautosize="true", CharacterCellAdditionalWidth="09")),
        ]
        for mnemonic, title, shown, steps, stored in cases:
            for button in (IDCANCEL, IDOK):
                self.open_menu(mnemonic, title)
                for control, state in shown.items():
                    self.assertEqual(checked(title, control) if state is not None else
                                     self.layout[control][0], bool(state), (title, control))
                self.fill(title, *steps)
                if button == IDOK and title == "Font Options":
                    # A name no family has selects the first, which OK stores.
                    names = probe("items", title, ID.IDC_FONT_NAME)[1].splitlines()
                    stored = dict(stored, fontname=f'"{names[0]}"')
                self.close(title, button, button == IDOK and title.lower().replace(" ", "-"))
                self.assertFileBecomes(**(stored if button == IDOK else {}))
        # Screen's OK made the toolbar anew in size 3x, its keys as the host's labels left them.
        buttons = self.assertToolBar(59)
        screenshot("toolbar-size-2")
        self.terminal.mouse(*centre(buttons[NEXT]), "click")
        self.host.expect(key_message(10))

        # Sounds edited by hand: only Normal reads the file again, so Error
        # shows the record's 440 until Normal has read the file.
        self.edit(ErrorSoundToneFrequency=777, NormalSoundToneFrequency=888)
        for event, frequency in [(1, "440"), (0, "888"), (1, "777"),
                                 *((event, None) for event in range(2, 8))]:
            title = self.open_sound(event)
            if frequency:
                self.dialog(title, ID.IDC_TONE_FREQUENCY, frequency)
            self.close(title, IDCANCEL)
        self.assertFileBecomes()
        self.assertPlays([])
        # Play leaves the settings alone, and OK stores them unclamped.
        title = self.open_sound(0)
        self.assertTrue(checked(title, ID.IDC_SOUND_SILENCE))
        # Checked but out of reach, and 50 is shown though the spin starts at 100.
        self.assertTrue(checked(title, ID.IDC_VIBRATE))
        self.dialog(title, ID.IDC_VIBRATE_ON, "50")
        for control in VIBRATE:
            self.assertTrue(int(probe("style", title, control)[1], 16) & WS_DISABLED, control)
        self.fill(title, ID.IDC_SOUND_TONE, (ID.IDC_TONE_FREQUENCY, "440"),
                  (ID.IDC_TONE_DURATION, "500"), ID.IDC_PLAY)
        self.assertPlays([22050])
        self.assertFileBecomes()
        self.type_into(title, ID.IDC_TONE_DURATION, "0")
        self.close(title, IDOK, "sound-options")
        # The file keeps 0; the event made anew plays its shortest tone.
        self.assertFileBecomes(NormalSoundType=2, NormalSoundToneFrequency=440,
                               NormalSoundToneDuration=0)
        self.assertPlays([22050, 44])
        title = self.open_sound(1)
        self.fill(title, ID.IDC_SOUND_WAVE, (ID.IDC_SOUND_FILE, r"C:\chime.wav"), ID.IDC_PLAY)
        self.assertPlays([22050, 44], [r"C:\\chime.wav"])
        self.close(title, IDCANCEL)
        self.assertFileBecomes()

    def open_sound(self, event):
        return self.open_menu(("d",) + ("Down",) * event + ("Return",), SOUND_TITLES[event])

    def assertPlays(self, tones, files=()):
        """What reached the system so far: the sample count of each tone, the name of each file."""
        def played():
            log = pathlib.Path(self.terminal.folder, "wine.log").read_bytes().decode("latin-1")
            return ([int(size, 16) // 2 for size in re.findall(r"ckid=data.*cksize=(\w+)", log)],
                    re.findall(r"SoundName=L\"([^\"]*\.wav)\"", log))
        self.assertTrue(wait_until(lambda: played() == (list(tones), list(files))), played())


class AccessModeTest(OptionsTest):
    def login(self, password, admin=None):
        """Login with the password: Cancel (admin None), or OK and Enter in the
        box that tells the mode, which comes over the Login."""
        self.open_menu("o", "Login")
        self.type_into("Login", ID.IDC_PASSWORD, password)
        if admin is None:
            return self.close("Login", IDCANCEL, "login")
        self.click("Login", IDOK)
        box, text = [("User Mode", "Terminal Locked"), ("Admin Mode", "Terminal UnLocked")][admin]
        self.assertTrue(self.terminal.wait_window(box), box)
        self.assertIn(text, [probe("text", box, w["id"])[1] for w in windows(box)])
        screenshot(box.lower().replace(" ", "-"))
        self.terminal.press("Return", title=box)
        for title in (box, "Login"):
            self.assertTrue(wait_until(lambda: not window_exists(title)), title)

    def has_menu(self):
        return probe("menu", TITLE)[1] == "1"

    def assertMenu(self, admin):
        """The menu of the mode: the user one opens Login, the other Host Options."""
        self.close(self.open_menu(*(("h", "Host Options") if admin else ("o", "Login"))), IDCANCEL)

    def test_login_switches_the_mode_and_user_mode_survives_a_restart(self):
        self.start(CarrowinAdminMode="false")
        self.login("604318")
        self.assertFileBecomes()
        for password, admin in (("", False), ("604318 ", False), ("604318", True)):
            # The file says the other mode, so that the rewrite shows.
            self.edit(CarrowinAdminMode=str(not admin).lower())
            self.login(password, admin)
            self.assertFileBecomes(CarrowinAdminMode=str(admin).lower())
            self.assertMenu(admin)
        self.terminal.press("alt+f", "u")
        self.assertFileBecomes(CarrowinAdminMode="false")
        self.assertMenu(False)

        # In full screen: no caption, close and exit ignored, the menu given
        # at creation, whatever the mode.
        self.start(CarrowinAdminMode="false", fullscreen="true")
        self.assertEqual(int(probe("style", TITLE)[1], 16) & WS_CAPTION, 0)
        self.terminal.command(0, TITLE, WM_CLOSE)
        self.terminal.command(ID.IDM_EXIT)
        self.assertIsNone(self.terminal.wait_exit(3))
        self.assertMenu(False)
        self.login("604318", True)
        self.assertFalse(self.has_menu())
        self.terminal.command(ID.IDM_FULLSCREEN)
        self.assertTrue(wait_until(self.has_menu))
        # The file follows at once, so the dialog that reads it keeps the mode.
        self.assertFileBecomes(fullscreen="false", CarrowinAdminMode="true")
        self.assertMenu(True)
        self.terminal.command(ID.IDM_FULLSCREEN)
        self.assertTrue(wait_until(lambda: not self.has_menu()))
        # User Mode gives the user menu even in full screen.
        self.terminal.command(ID.IDM_USERMODE)
        self.assertTrue(wait_until(self.has_menu))
        self.assertMenu(False)


class SerialPortTest(OptionsTest, SerialTest):
    def test_dialogs_reopen_the_port_for_output_and_input_until_unplugged(self):
        self.start_with_port(serial=f'"COM{PORT}:,4000,8,None,1"',
                             serialfeature="false,0,3,true,2,3", serialReadIntervalTimeout=5000)
        title = "Serial Port Options"
        for button in (IDCANCEL, IDOK):
            self.open_menu(SERIAL_SETTINGS, title)
            # 4000 is no entry of the list: 9600 stands in for it. 9 data bits
            # are none either: the setting stays.
            self.assertTexts(title, [ID.IDC_BAUD, ID.IDC_DATA_BITS, ID.IDC_PARITY,
                                     ID.IDC_STOP_BITS], ["9600", "8", "None", "1"])
            self.fill(title, (ID.IDC_BAUD, "19200"), (ID.IDC_DATA_BITS, "9"),
                      (ID.IDC_PARITY, "even"), ID.IDC_STOP_BITS)
            self.terminal.press("Down", "Down", title=title)
            self.dialog(title, ID.IDC_STOP_BITS, "2")
            self.close(title, button, "serial-port-options")
            self.assertFileBecomes(**({} if button == IDCANCEL else
                                      {"serial": f'"COM{PORT}:,19200,8,Even,2"'}))
        self.assertTrue(wait_until(lambda: self.device.line() == (termios.B19200, 2)),
                        self.device.line())

        title = self.open_menu("r", "Serial Feature Options")
        self.assertTexts(title, [ID.IDC_COMPORT, ID.IDC_SI_MODE, ID.IDC_SO_PREFIX,
                                 ID.IDC_READ_INTERVAL], [str(PORT), "Field", "2", "5000"])
        self.assertEqual([checked(title, ID.IDC_SERIAL_OUT), checked(title, ID.IDC_SERIAL_IN)],
                         [True, False])
        # Held down, the read interval's spin soon moves in hundreds.
        x, y, w, h = self.layout[ID.IDC_READ_INTERVAL_SPIN][1]
        self.terminal.mouse(x + w // 2, y + h // 4, "mousedown", title=title)
        try:
            self.assertTrue(wait_until(
                lambda: int(probe("text", title, ID.IDC_READ_INTERVAL)[1] or 0) >= 5300))
        finally:
            self.terminal.mouse(x + w // 2, y + h // 4, "mouseup", title=title)
        self.close(title, IDCANCEL)
        self.assertFileBecomes()
        for steps, stored in [  # an empty port number stands for 1
                ([(ID.IDC_COMPORT, ""), (ID.IDC_SI_PREFIX, "200"),
                  (ID.IDC_READ_INTERVAL, "20000"), ID.IDC_SERIAL_OUT],
                 dict(serial='"COM1:,19200,8,Even,2"', serialfeature="false,72,3,false,2,3",
                      serialReadIntervalTimeout=10000)),
                ([(ID.IDC_COMPORT, str(PORT)), (ID.IDC_SI_PREFIX, "2"), (ID.IDC_SO_SUFFIX, "13"),
                  (ID.IDC_SI_MODE, "command"), (ID.IDC_READ_INTERVAL, "50"), ID.IDC_SERIAL_OUT,
                  ID.IDC_SERIAL_IN],
                 dict(serial=f'"COM{PORT}:,19200,8,Even,2"', serialfeature="true,2,3,true,2,13",
                      serialcommand="true", serialReadIntervalTimeout=100))]:
            self.fill(self.open_menu("r", title), *steps)
            self.close(title, IDOK, "serial-feature-options")
            self.assertFileBecomes(**stored)
        self.assertTrue(wait_until(self.port_open))

        # The host's output framed by line-end mode, then a stream the write
        # thread keeps up with.
        self.page(screen(serial_out(0, b"AB"), serial_out(1, b"CD"), serial_out(2, b"EF"),
                         serial_out(1, b"G\0H"), fixed_field(5, 1, 0, b"HELLO"), serial_bound(5),
                         set_text(5, b"BYE"), entry_field(6, 2, 0, 4), serial_bound(6), focus=-1))
        want = (b"\x02AB\r" b"\x02CD\r\r" b"\x02\nEF\r\r" b"\x02G\r\r" b"\x02HELLO\r"
                b"\x02" b"BYE\r")
        self.assertEqual(self.device.read(len(want)), want)
        chunk = bytes(range(65, 91)) * 7
        self.page(b"Hs0E" + serial_out(0, chunk) * 20 + b"d0o/")
        want = (b"\x02" + chunk + b"\r") * 20
        self.assertEqual(self.device.read(len(want)), want)
        self.assertEqual(self.device.read(1, 1.5), b"")

        # An idle open port costs next to no CPU, and still reads: a scan the
        # line cut in two reads arrives whole.
        time.sleep(1)
        before = self.cpu_seconds()
        time.sleep(5)
        used = self.cpu_seconds() - before
        print(f"\nidle open port: {used:.2f} s of CPU in 5 s", flush=True)
        self.assertLess(used, 0.25)
        self.device.send(b"\x02" b"12")
        time.sleep(0.5)  # five read interval time-outs
        self.device.send(b"34\x03")
        self.host.expect(b"12R<1412" b"34")

        # The device going closes the port: output goes nowhere, keys reach the
        # host, and the exit, the port's close included, is not held up by a
        # port thread (a stuck one kept it for 20 s).
        self.device.unplug()
        self.assertTrue(wait_until(lambda: not self.port_open()))
        self.page(b"Hs0E" + serial_out(0, b"AB") + entry_field(2, 2, 0, 4) + b"d0o2")
        self.terminal.press("F3")
        self.host.expect(b"12RF32")
        self.assertExits()

    def assertTexts(self, title, controls, texts):
        self.assertEqual([probe("text", title, control)[1] for control in controls], texts)

    def cpu_seconds(self):
        with open(f"/proc/{self.terminal.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

"""The serial and sound options dialogs under Wine, reached through the File
menu as a user would: what OK writes, byte for byte, what Cancel leaves
alone, the serial port opened again with the new settings, and the sounds
the dialogs play, seen in Wine's trace of the system's sound calls."""

import os
import re
import termios
import unittest

from terminal import ARTIFACTS, ID, IDCANCEL, IDOK, probe, screenshot, wait_until
from test_options import OptionsTest, checked, with_lines
from test_serial import PORT, Device, SerialTest, serial_out, wine_process

# Serial settings shares its mnemonic with Screen: reached by the arrow keys
# from About.
SERIAL_SETTINGS = ("Down",) * 6 + ("Return",)
LINE = (ID.IDC_BAUD, ID.IDC_DATA_BITS, ID.IDC_PARITY, ID.IDC_STOP_BITS)
WS_DISABLED = 0x08000000


class SerialOptionsTest(OptionsTest, SerialTest):
    def start_device(self, **values):
        self.device = Device(os.path.join(ARTIFACTS, self.name + ".device"))
        self.start_file(**values)
        self.pid = wait_until(lambda: wine_process(self.terminal.folder))

    def line(self):
        """The speed and stop bits of the terminal's end of the cable as the
        port set it up (a pty keeps no data bits or parity of its own)."""
        fd = os.open(self.device.tty, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        try:
            _, _, cflag, _, _, speed, _ = termios.tcgetattr(fd)
        finally:
            os.close(fd)
        return speed, 2 if cflag & termios.CSTOPB else 1

    def test_serial_port_lists_and_the_port_opened_anew(self):
        self.start_device(serial=f'"COM{PORT}:,4000,8,None,1"', serialfeature="true,0,0,true,0,0")
        self.assertTrue(wait_until(self.port_open))
        title = "Serial Port Options"
        for button in (IDCANCEL, IDOK):
            self.open_menu(SERIAL_SETTINGS, title)
            # 4000 is no entry of the list: 9600 stands in for it.
            self.assertEqual([probe("text", title, c)[1] for c in LINE],
                             ["9600", "8", "None", "1"])
            self.type_into(title, ID.IDC_BAUD, "19200")
            self.type_into(title, ID.IDC_DATA_BITS, "9")  # no entry: the setting stays
            self.type_into(title, ID.IDC_PARITY, "even")
            self.click(title, ID.IDC_STOP_BITS)
            self.terminal.press("Down", "Down", title=title)
            self.dialog(title, ID.IDC_STOP_BITS, "2")
            if button == IDOK:
                screenshot("serial-port-options")
            self.close(title, button)
            self.assertFileBecomes(self.written if button == IDCANCEL else with_lines(
                self.written, serial=f'"COM{PORT}:,19200,8,Even,2"'))
        self.assertTrue(wait_until(lambda: self.line() == (termios.B19200, 2)),
                        self.line())

    def test_serial_feature_values_and_the_port_opened_anew(self):
        self.start_device(serial='"COM5:,9600,8,None,1"', serialfeature="false,0,3,true,2,3",
                          serialReadIntervalTimeout=5000)
        title = "Serial Feature Options"
        self.open_menu("r", title)
        self.assertEqual([probe("text", title, c)[1] for c in (
            ID.IDC_COMPORT, ID.IDC_SI_MODE, ID.IDC_SO_PREFIX, ID.IDC_READ_INTERVAL)],
            ["5", "Field", "2", "5000"])
        self.assertEqual(probe("items", title, ID.IDC_SI_MODE)[1].splitlines(),
                         ["Command", "Field"])
        self.assertTrue(checked(title, ID.IDC_SERIAL_OUT))
        self.assertFalse(checked(title, ID.IDC_SERIAL_IN))
        self.assertSpinSpeedsUp(title)
        self.close(title, IDCANCEL)
        self.assertEqual(self.file(), self.written)

        rounds = [  # typed, clicked, stored
            ([(ID.IDC_COMPORT, ""), (ID.IDC_SI_PREFIX, "200"), (ID.IDC_READ_INTERVAL, "50")],
             [ID.IDC_SERIAL_OUT],
             dict(serial='"COM1:,9600,8,None,1"', serialfeature="false,72,3,false,2,3",
                  serialReadIntervalTimeout=100)),
            ([(ID.IDC_COMPORT, str(PORT)), (ID.IDC_SO_SUFFIX, "13"),
              (ID.IDC_SI_MODE, "command"), (ID.IDC_READ_INTERVAL, "20000")],
             [ID.IDC_SERIAL_OUT, ID.IDC_SERIAL_IN],
             dict(serial=f'"COM{PORT}:,9600,8,None,1"', serialfeature="true,72,3,true,2,13",
                  serialcommand="true", serialReadIntervalTimeout=10000)),
        ]
        for typed, clicks, stored in rounds:
            self.open_menu("r", title)
            for control, text in typed:
                self.type_into(title, control, text)
            for control in clicks:
                self.click(title, control)
            screenshot("serial-feature-options")
            self.close(title, IDOK)
            self.assertFileBecomes(with_lines(self.written, **stored))
        self.assertTrue(wait_until(self.port_open))
        self.page(b"Hs0E" + serial_out(0, b"AB") + b"d0o/")
        self.assertEqual(self.device.read(4), b"\x02AB\r")

    def assertSpinSpeedsUp(self, title):
        """Held down, the read interval's spin soon moves in hundreds."""
        x, y, w, h = self.layout[ID.IDC_READ_INTERVAL_SPIN][1]
        self.terminal.mouse(x + w // 2, y + h // 4, "mousedown", title=title)
        try:
            self.assertTrue(wait_until(
                lambda: int(probe("text", title, ID.IDC_READ_INTERVAL)[1] or 0) >= 5300))
        finally:
            self.terminal.mouse(x + w // 2, y + h // 4, "mouseup", title=title)


SOUND_TITLES = ["Options Normal Sound", "Options Error Sound", "Options Accept Scan Sound",
                "Options Reject Scan Sound", "Options User 1 Sound", "Options User 2 Sound",
                "Options User 3 Sound", "Options User 4 Sound"]
VIBRATE = (ID.IDC_VIBRATE, ID.IDC_VIBRATE_ON, ID.IDC_VIBRATE_ON_SPIN, ID.IDC_VIBRATE_OFF,
           ID.IDC_VIBRATE_REPEAT)


class SoundOptionsTest(OptionsTest):
    # Without an audio device the system's sound call fails at once; Wine's
    # trace still shows what it was given.
    wine_trace = "trace+winmm"

    def open_sound(self, event):
        self.open_menu(("d",) + ("Down",) * event + ("Return",), SOUND_TITLES[event])
        return SOUND_TITLES[event]

    def played(self):
        """What reached the system so far: the sample count of each tone, the
        name of each file."""
        with open(os.path.join(self.terminal.folder, "wine.log"), "rb") as f:
            log = f.read().decode("latin-1")
        return ([int(size, 16) // 2 for size in re.findall(r"ckid=data.*cksize=(\w+)", log)],
                re.findall(r"SoundName=L\"([^\"]*\.wav)\"", log))

    def assertPlays(self, tones, files=()):
        self.assertTrue(wait_until(lambda: self.played() == (list(tones), list(files))),
                        self.played())

    def test_each_sound_item_opens_its_dialog(self):
        self.start_file(ErrorSoundToneFrequency=440, NormalSoundToneFrequency=440)
        # Edited by hand: only Normal reads the file again.
        self.written = with_lines(self.written, ErrorSoundToneFrequency=777,
                                  NormalSoundToneFrequency=888)
        with open(self.terminal.settings_path, "wb") as f:
            f.write(self.written)
        # Error shows the record's 440 until Normal has read the file.
        opened = [(1, "440"), (0, "888"), (1, "777"), *((event, None) for event in range(2, 8))]
        for event, frequency in opened:
            title = self.open_sound(event)
            if frequency:
                self.dialog(title, ID.IDC_TONE_FREQUENCY, frequency)
            self.close(title, IDCANCEL)
        self.assertEqual(self.file(), self.written)
        self.assertPlays([])

    def test_play_leaves_the_settings_and_ok_stores_them_unclamped(self):
        self.start_file(NormalSoundType=7, NormalVibrateEnabled=1, NormalVibrateOnTime=50)
        title = self.open_sound(0)
        self.assertTrue(checked(title, ID.IDC_SOUND_SILENCE))
        # Checked but out of reach, and 50 is shown though the spin starts at 100.
        self.assertTrue(checked(title, ID.IDC_VIBRATE))
        self.dialog(title, ID.IDC_VIBRATE_ON, "50")
        for control in VIBRATE:
            self.assertTrue(int(probe("style", title, control)[1], 16) & WS_DISABLED, control)
        self.click(title, ID.IDC_SOUND_TONE)
        self.type_into(title, ID.IDC_TONE_FREQUENCY, "440")
        self.type_into(title, ID.IDC_TONE_DURATION, "500")
        self.click(title, ID.IDC_PLAY)
        self.assertPlays([22050])
        screenshot("sound-options")
        self.assertEqual(self.file(), self.written)
        self.type_into(title, ID.IDC_TONE_DURATION, "0")
        self.close(title, IDOK)
        # The file keeps 0; the event made anew plays its shortest tone.
        self.assertFileBecomes(with_lines(self.written, NormalSoundType=2,
                                          NormalSoundToneFrequency=440,
                                          NormalSoundToneDuration=0))
        self.assertPlays([22050, 44])

        title = self.open_sound(1)
        self.click(title, ID.IDC_SOUND_WAVE)
        self.type_into(title, ID.IDC_SOUND_FILE, r"C:\chime.wav")
        self.click(title, ID.IDC_PLAY)
        self.assertPlays([22050, 44], [r"C:\\chime.wav"])
        self.close(title, IDCANCEL)
        self.assertEqual(self.file(), self.written)


if __name__ == "__main__":
    unittest.main()

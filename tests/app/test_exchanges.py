"""The exchanges of exchanges.py played through Ravelin.exe under Wine: keys by
xdotool, clicks in the windows' middle, dialogs by the probe, a pty device."""

import subprocess

from exchanges import COMMON, GROUPS, play
from terminal import (ID, IDCANCEL, IDOK, SerialTest, centre, field_window, of_class, probe,
                      wait_until)
from test_fields import BUTTONS

# The locale that gives Windows the ANSI code page.
LOCALES = {1251: "ru_RU.UTF-8"}
# xdotool's names for the headless terminal's keys.
KEYS = {"Enter": "Return", "BackTab": "shift+Tab", "Backspace": "BackSpace", "Space": "space"}
DIALOGS = {"advisory": ("Advisory", ID.IDC_ADVISORY_TEXT),
           "prompt": ("Hey You", ID.IDC_PROMPT_TEXT)}


class ExchangeTest(SerialTest):
    def run_group(self, group):
        settings = {**COMMON, **group.settings, "lang": LOCALES.get(group.codepage)}
        self.code_page = f"cp{group.codepage or 1252}"
        self.framing = [bytes([int(n)]) for n in settings.get("serialfeature", "").split(",")[1:3]]
        (self.start_with_port if "serialfeature" in settings else self.start)(**settings)
        play(group, self)

    def shows(self, kind, text):
        """The one dialog open is kind's (or none is), showing text."""
        counts = [str(int(k == kind)) for k in DIALOGS]
        self.assertTrue(wait_until(
            lambda: [probe("count", title)[1] for title, _ in DIALOGS.values()] == counts))
        if kind != "none":
            self.dialog(*DIALOGS[kind], text)

    def act(self, verb, rest):
        getattr(self, verb)(rest)

    def type(self, text):
        if text.isascii():
            self.terminal.focus()
            subprocess.run(["xdotool", "type", "--clearmodifiers", "--", text], check=True)
        else:
            # xdotool types only what the keyboard's layout has: pasted, each
            # character comes to the field as a WM_CHAR all the same.
            self.assertEqual(probe("clip", "-", text)[0], 0)
            self.terminal.press("ctrl+v")

    def key(self, name):
        name = KEYS.get(name, name).replace("Shift+", "shift+")
        self.terminal.press(name.replace("Ctrl+", "ctrl+"))

    def click(self, number):
        self.terminal.mouse(*centre(field_window(int(number))["rect"]), "click")

    def toolbar(self, name):
        button = next(w for w in of_class("VDKCToolBarButton") if w["id"] == BUTTONS.index(name))
        self.terminal.mouse(*centre(button["rect"]), "click")

    def advisory(self, _):
        self.close_dialog("Advisory", IDOK)

    def prompt(self, answer):
        if answer != "cancel":
            probe("settext", "Hey You", ID.IDC_PROMPT_ANSWER, answer)
        self.close_dialog("Hey You", IDCANCEL if answer == "cancel" else IDOK)

    def scan(self, text):
        prefix, suffix = self.framing
        self.device.send(prefix + text.encode(self.code_page) + suffix)
        self.assertTrue(self.device.wait_read())


for group in GROUPS:
    setattr(ExchangeTest, "test_" + group.name, lambda self, group=group: self.run_group(group))

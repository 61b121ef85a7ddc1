"""The Python module for host developers' tests, driving the real
ravelin-headless (found beside the module's copy in the build folder) against
the scripted host: the protocol exchanges of tests/app/exchanges.py, which
must send what Ravelin.exe sends under Wine, then what the module reads."""

import os
import pathlib
import sys
import tempfile
import unittest

from ravelin_headless import Terminal, TerminalError, quote
from ravelin_host import Host
from records import CHECK_BOX, entry_field, field_data, fixed_field, options, set_text

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app"))
from exchanges import COMMON, GROUPS, play  # noqa: E402

# The refusals that stand for the device dropping what the operator did.
DROPPED = ("input locked", "is disabled")
PAGE = (b"Hs0E" + fixed_field(1, 0, 0, b"Item:") + entry_field(2, 0, 6, 6) +
        entry_field(3, 1, 0, 8) + options(3, CHECK_BOX) + set_text(3, b" Urgent") + b"d0o2")
# Quotes, a backslash and a character outside ASCII must reach the field as typed.
TYPED = 'A"\\é'


class ExchangeTest(unittest.TestCase):
    def run_group(self, group):
        with tempfile.TemporaryDirectory() as folder, Host(0) as self.host:
            ini = pathlib.Path(folder, "Ravelin.ini")
            values = {"hostname": "127.0.0.1", "hostport": self.host.port, **COMMON,
                      **group.settings}
            ini.write_bytes("".join(f"{k}={v}\r\n" for k, v in values.items()).encode("latin-1"))
            with Terminal(ini=ini, codepage=group.codepage) as self.terminal:
                self.host.accept()
                self.host.expect(b"12I")
                play(group, self)

    def page(self, record):
        self.host.send(record)
        self.host.expect(b"12H")
        self.host.sync()
        self.assertEqual(self.terminal.wait_unlock(), [])

    def shows(self, kind, text):
        self.host.sync()  # the records' window work is done before the answer
        shown = self.terminal.status().dialog
        self.assertEqual((shown, "\r\n".join(self.terminal.dialog()) if shown != "none" else ""),
                         (kind, text))

    def act(self, verb, rest):
        if verb in ("type", "scan") or verb == "prompt" and rest != "cancel":
            rest = quote(rest)  # a text to the letter, with its line ends
        try:
            self.terminal.command(f"{verb} {rest}")
        except TerminalError as refused:
            if not refused.reason.endswith(DROPPED):
                raise

    def assertQuiet(self):
        """Nothing came before the answer to an empty record."""
        self.host.sync()
        self.assertEqual(self.host.pending, b"")


    def test_screen_fields_and_refusals(self):
        with Host(0) as self.host, Terminal(host="127.0.0.1", port=self.host.port, id=12,
                                            cols=16, rows=2) as self.terminal:
            self.host.accept()
            self.host.expect(b"12I")
            self.page(PAGE)
            self.assertEqual(self.terminal.state, (False, 0, 2, "none", "connected"))
            self.terminal.type(TYPED)
            self.terminal.click(3)
            self.assertEqual(self.terminal.screen(), ['Item: A"\\é      ', "[X]Urgen        "])
            self.assertEqual(self.terminal.fields()[2], (
                3, 1, 0, 8, "check", ("input", "focused", "modified"), "XUrgent"))
            self.terminal.key("F2")
            self.host.expect(b"12RF23" + field_data(2, TYPED.encode("cp1252")) +
                             field_data(3, b"XUrgent"))
            # The key awaits the host: typing now is refused.
            with self.assertRaises(TerminalError) as refused:
                self.terminal.type("X")
            self.assertEqual(refused.exception.reason, "input locked")
            self.assertTrue(refused.exception.status.locked)

    def test_a_program_that_ends_raises_with_its_complaint(self):
        with self.assertRaisesRegex(TerminalError, "status 2: .*--port takes a number"):
            Terminal(port=0)


for group in GROUPS:
    setattr(ExchangeTest, "test_" + group.name, lambda self, group=group: self.run_group(group))


if __name__ == "__main__":
    unittest.main()

"""The protocol exchanges of tests/app/exchanges.py played through
ravelin-headless, which must send what Ravelin.exe sends under Wine."""

import os
import sys
import tempfile
import unittest

from ravelin_headless import Terminal, TerminalError
from ravelin_host import Host

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app"))
from exchanges import COMMON, GROUPS  # noqa: E402

# The refusals that stand for the device dropping what the operator did.
DROPPED = ("input locked", "is disabled")


class ExchangeTest(unittest.TestCase):
    def play(self, group):
        with tempfile.TemporaryDirectory() as folder, Host(0) as self.host:
            ini = os.path.join(folder, "Ravelin.ini")
            values = {"hostname": "127.0.0.1", "hostport": self.host.port, **COMMON,
                      **group.settings}
            with open(ini, "wb") as f:
                f.write("".join(f"{k}={v}\r\n" for k, v in values.items()).encode("latin-1"))
            with Terminal(ini=ini, codepage=group.codepage) as self.terminal:
                self.host.accept()
                self.host.expect(b"12I")
                for name, steps in group.exchanges:
                    with self.subTest(name):
                        for verb, argument in steps:
                            self.step(verb, argument)
                        self.assertQuiet()

    def step(self, verb, argument):
        terminal = self.terminal
        if verb == "page":
            self.host.send(argument)
            self.host.expect(b"12H")
            self.host.sync()
            terminal.wait_unlock()
        elif verb == "send":
            self.host.send(argument)
        elif verb == "expect":
            self.host.expect(argument)
        elif verb == "quiet":
            self.assertQuiet()
        elif verb == "dialog":
            terminal.wait_dialog()
            self.assertEqual((terminal.state.dialog, "\r\n".join(terminal.dialog())), argument)
        elif verb == "advisory":
            terminal.advisory_ok()
        elif verb == "prompt":
            terminal.prompt_cancel() if argument is None else terminal.prompt(argument)
        else:
            try:
                getattr(terminal, verb)(argument)
            except TerminalError as refused:
                if not refused.reason.endswith(DROPPED):
                    raise

    def assertQuiet(self):
        """Nothing came before the answer to an empty record."""
        self.host.sync()
        self.assertEqual(self.host.pending, b"")


for group in GROUPS:
    setattr(ExchangeTest, "test_" + group.name, lambda self, group=group: self.play(group))


if __name__ == "__main__":
    unittest.main()

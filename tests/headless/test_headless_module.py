"""The Python module for host developers' tests, driving the real
ravelin-headless (found beside the module's copy in the build folder) against
the scripted host."""

import unittest

from ravelin_headless import Terminal, TerminalError
from ravelin_host import Host
from records import (CHECK_BOX, advisory, entry_field, field_data, fixed_field, focus, options,
                     prompt, set_text)

PAGE = (b"Hs0E" + fixed_field(1, 0, 0, b"Item:") + entry_field(2, 0, 6, 6) +
        entry_field(3, 1, 0, 8) + options(3, CHECK_BOX) + set_text(3, b" Urgent") + b"d0")
# Quotes, a backslash and a character outside ASCII must reach the field as typed.
TYPED = 'A"\\é'


class TerminalTest(unittest.TestCase):
    def test_operator_actions_reach_the_host(self):
        with Host(0) as host, Terminal(host="127.0.0.1", port=host.port, id=12, cols=16,
                                       rows=2) as terminal:
            host.accept()
            host.expect(b"12I")

            def show(record):
                host.send(record)
                host.expect(b"12H")
                host.sync()

            show(PAGE + focus(2))
            terminal.type(TYPED)
            terminal.key("Enter")
            host.expect(b"12RF02" + field_data(2, TYPED.encode("cp1252")))
            self.assertEqual(terminal.screen(), ['Item: A"\\é      ', "[ ]Urgen        "])
            show(PAGE + focus(2))
            terminal.click(3)
            terminal.key("F2")
            host.expect(b"12RF23" + field_data(3, b"XUrgent"))
            self.assertEqual(terminal.fields()[2],
                             (3, 1, 0, 8, "check", ("input", "focused"), "XUrgent"))

            show(PAGE + advisory(2, b"Wrong\r\nitem"))
            terminal.wait_dialog()
            self.assertEqual(terminal.dialog(), ["Wrong", "item"])
            self.assertEqual(terminal.state.dialog, "advisory")
            terminal.advisory_ok()
            terminal.wait_unlock()
            self.assertEqual(terminal.state, (False, 0, 2, "none", "connected"))

            show(PAGE + prompt(8, b"Reason?") + focus(2))
            terminal.wait_dialog()
            terminal.prompt("DAMAGED STOCK")
            host.expect(b"12R?8DAMAGED ")
            # The answer awaits the host: typing now is refused, and nothing goes out.
            with self.assertRaises(TerminalError) as refused:
                terminal.type("X")
            self.assertEqual(refused.exception.reason, "input locked")
            self.assertTrue(refused.exception.status.locked)
            host.sync()
            self.assertEqual(host.pending, b"")

    def test_a_program_that_ends_raises_with_its_complaint(self):
        with self.assertRaisesRegex(TerminalError, "status 2: .*--port takes a number"):
            Terminal(port=0)


if __name__ == "__main__":
    unittest.main()

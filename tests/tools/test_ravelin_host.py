"""Tests of the scripted host and the record builders, against a plain socket
on loopback as the terminal."""

import io
import socket
import threading
import unittest

import ravelin_host as rh
import records as r


def receive(sock, count):
    data = b""
    while len(data) < count and (chunk := sock.recv(count - len(data))):
        data += chunk
    return data


class HostTest(unittest.TestCase):
    def setUp(self):
        self.trace = io.StringIO()
        self.host = rh.Host(0, trace=self.trace)
        self.terminal = socket.create_connection(("127.0.0.1", self.host.port), timeout=10)
        self.host.accept(timeout=10)

    def tearDown(self):
        self.terminal.close()
        self.host.close_listener()

    def test_records_are_escaped_terminated_and_arrive_whole(self):
        for record, wire in [(b"", b"\xff\xef"), (b"Hu1\xff\xef", b"Hu1\xff\xff\xef\xff\xef"),
                             (b"\xff\xff", b"\xff\xff\xff\xff\xff\xef")]:
            with self.subTest(record=record):
                self.host.send(record)
                self.assertEqual(receive(self.terminal, len(wire)), wire)
        self.host.send(b"Hf1005Hello", pieces=[1, 5, 12], delay=0.01)
        self.assertEqual(receive(self.terminal, 13), b"Hf1005Hello\xff\xef")

    def test_messages_are_cut_at_terminators_and_checked(self):
        self.terminal.sendall(b"1I\xff\xef1H\xff")
        self.assertEqual(self.host.expect(b"1I"), b"1I")
        threading.Timer(0.1, self.terminal.sendall, [b"\xef\xff\xef1RF2/\xff\xef"]).start()
        self.assertEqual(self.host.next_message(), b"1H")
        self.assertEqual(self.host.next_message(), b"")
        with self.assertRaises(rh.HostError) as raised:
            self.host.expect(b"1RF23")
        self.assertIn("RF2/", str(raised.exception))
        with self.assertRaises(rh.HostError):
            self.host.expect(b"1I", timeout=0.2)
        self.assertIn("<-", self.trace.getvalue())
        self.terminal.sendall(b"1&\xff\xef")
        self.terminal.close()
        self.host.expect(b"1&")
        self.host.expect_end()


class ScriptTest(unittest.TestCase):
    def test_parse_and_run(self):
        steps = rh.parse_script(["# a comment\n", "\n", "accept\n", "expect 7I\r\n",
                                 "send Hs0f1005Hello\\sthere\n", "raw \\xFF\\xEF\n",
                                 "expect 7H\n", "wait 0.01\n", "expect-end\n"])
        self.assertEqual([(c, a) for _, c, a in steps][1:5], [
            ("expect", b"7I"), ("send", b"Hs0f1005Hello there"), ("raw", b"\xff\xef"),
            ("expect", b"7H")])
        with self.assertRaises(ValueError):
            rh.parse_script(["bogus step\n"])
        self.assertEqual(rh.split_terminal_id(b"12RF23"), (12, b"RF23"))
        self.assertEqual(rh.split_terminal_id(b""), (None, b""))
        with rh.Host(0) as host:
            def play():
                with socket.create_connection(("127.0.0.1", host.port), timeout=10) as sock:
                    sock.sendall(b"7I\xff\xef")
                    receive(sock, 23)  # the record and the raw terminator
                    sock.sendall(b"7H\xff\xef")

            threading.Thread(target=play).start()
            rh.run_script(host, steps)


class RecordsTest(unittest.TestCase):
    def test_commands(self):
        cases = [
            (r.long_number(207), b"\xff"),
            (r.long_number(208), b"!10"),
            (r.long_number(r.LONGEST), b"!\xff\xff"),
            (r.focus(-1, error=True), b"#o/"),
            (r.fixed_field(3, 0, 0, b""), b"f3000 "),  # an empty text still takes a byte
            (r.fixed_field(1, 0, 0, b"T", r.BOLD), b"f1001T+1A`"),
            (r.entry_field(2, 1, 0, 300, r.ENTRY | r.NUMERIC), b"i210c@!1\x8c"),
            (r.prompt(8, b"Why?") + r.label(3, b"BACK"), b"h84Why?S34BACK"),
            (r.field_data(3, b"AB"), b"=32AB"),
        ]
        for built, expected in cases:
            with self.subTest(expected=expected):
                self.assertEqual(built, expected)
        for wrong in (-1, 43264):
            self.assertRaises(ValueError, r.long_number, wrong)


if __name__ == "__main__":
    unittest.main()

"""Tests of the scripted host against a fake terminal on loopback."""

import io
import socket
import threading
import unittest

import ravelin_host as rh


class FakeTerminal:
    """Connects to the host and sends or receives raw bytes."""

    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=10)

    def send(self, data):
        self.sock.sendall(data)

    def receive(self, count):
        data = b""
        while len(data) < count:
            chunk = self.sock.recv(count - len(data))
            if not chunk:
                break
            data += chunk
        return data

    def close(self):
        self.sock.close()


class HostTest(unittest.TestCase):
    def setUp(self):
        self.trace = io.StringIO()
        self.host = rh.Host(0, trace=self.trace)
        self.terminal = FakeTerminal(self.host.port)
        self.host.accept(timeout=10)

    def tearDown(self):
        self.terminal.close()
        self.host.close_listener()

    def test_records_are_escaped_and_terminated(self):
        cases = [
            (b"", b"\xff\xef"),
            (b"Hs0", b"Hs0\xff\xef"),
            (b"Hu1\xff\xef", b"Hu1\xff\xff\xef\xff\xef"),
            (b"\xff\xff", b"\xff\xff\xff\xff\xff\xef"),
        ]
        for record, wire in cases:
            with self.subTest(record=record):
                self.host.send(record)
                self.assertEqual(self.terminal.receive(len(wire)), wire)

    def test_pieces_arrive_whole(self):
        self.host.send(b"Hf1005Hello", pieces=[1, 5, 12], delay=0.01)
        self.assertEqual(self.terminal.receive(13), b"Hf1005Hello\xff\xef")

    def test_messages_are_cut_at_terminators(self):
        self.terminal.send(b"1I\xff\xef1H\xff")
        self.assertEqual(self.host.expect(b"1I"), b"1I")
        threading.Timer(0.1, self.terminal.send, [b"\xef\xff\xef"]).start()
        self.assertEqual(self.host.next_message(), b"1H")
        self.assertEqual(self.host.next_message(), b"")
        self.assertIn("<-", self.trace.getvalue())

    def test_expect_reports_the_difference(self):
        self.terminal.send(b"1RF2/\xff\xef")
        with self.assertRaises(rh.HostError) as raised:
            self.host.expect(b"1RF23")
        self.assertIn("RF2/", str(raised.exception))
        with self.assertRaises(rh.HostError):
            self.host.expect(b"1I", timeout=0.2)

    def test_end_of_connection(self):
        self.terminal.send(b"1&\xff\xef")
        self.terminal.close()
        self.host.expect(b"1&")
        self.host.expect_end()


class ScriptTest(unittest.TestCase):
    def test_parse(self):
        steps = rh.parse_script(
            ["# a comment\n", "\n", "send Hs0f1005Hello\\sthere\n", "expect 1H\r\n",
             "raw \\xFF\\xEF\n", "wait 0.5\n", "expect-end\n"])
        self.assertEqual(
            [(c, a) for _, c, a in steps],
            [("send", b"Hs0f1005Hello there"), ("expect", b"1H"), ("raw", b"\xff\xef"),
             ("wait", 0.5), ("expect-end", None)])
        with self.assertRaises(ValueError):
            rh.parse_script(["bogus step\n"])

    def test_split_terminal_id(self):
        self.assertEqual(rh.split_terminal_id(b"12RF23"), (12, b"RF23"))
        self.assertEqual(rh.split_terminal_id(b""), (None, b""))

    def test_run_against_a_terminal(self):
        with rh.Host(0) as host:
            terminal = FakeTerminal(host.port)

            def play():
                terminal.send(b"7I\xff\xef")
                terminal.receive(4)
                terminal.send(b"7H\xff\xef")
                terminal.close()

            threading.Thread(target=play).start()
            steps = rh.parse_script(["accept\n", "expect 7I\n", "send Hz\n", "expect 7H\n",
                                     "expect-end\n"])
            rh.run_script(host, steps)


if __name__ == "__main__":
    unittest.main()

"""Tests of the scripted host and the record builders, against a plain socket
on loopback as the terminal, and of the trace reader."""

import io
import os
import socket
import threading
import unittest

import ravelin_host as rh
import records as r
import wire_trace as wt

# What the terminal's trace writer writes: its unit test checks against the same file.
WRITTEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "link", "data",
                       "wire-trace.txt")


class HostTest(unittest.TestCase):
    def test_records_messages_sync_and_a_script_on_the_wire(self):
        trace = io.StringIO()
        with rh.Host(0, trace=trace) as host, socket.create_connection(
                ("127.0.0.1", host.port), timeout=10) as terminal:
            host.accept(timeout=10)
            wire = terminal.makefile("rb")
            # 0xFF doubled, 0xFF 0xEF at the end, whole however it is cut.
            host.send(b"Hu1\xff\xef", pieces=[1, 5], delay=0.01)
            self.assertEqual(wire.read(8), b"Hu1\xff\xff\xef\xff\xef")
            terminal.sendall(b"1I\xff\xef1H\xff")
            self.assertEqual(host.expect(b"1I"), b"1I")
            threading.Timer(0.1, terminal.sendall, [b"\xef\xff\xef1RF2/\xff\xef"]).start()
            self.assertEqual(host.next_message(), b"1H")
            self.assertEqual(host.next_message(), b"")
            with self.assertRaisesRegex(rh.HostError, "RF2/"):
                host.expect(b"1RF23")
            self.assertRaises(rh.HostError, host.expect, b"1I", timeout=0.2)
            self.assertIn("<-", trace.getvalue())
            # sync keeps the messages before the answer to its empty record.
            terminal.sendall(b"1H\xff\xef")
            replies = threading.Thread(target=lambda: (
                wire.read(2), terminal.sendall(b"1RX\xff\xef\xff\xef")))
            replies.start()
            host.sync(timeout=10)
            replies.join()
            self.assertEqual([host.next_message(), host.next_message()], [b"1H", b"1RX"])
            terminal.shutdown(socket.SHUT_RDWR)
            host.expect_end()
            # A script plays the next connection; the terminal's side is sent up front.
            with socket.create_connection(("127.0.0.1", host.port), timeout=10) as again:
                again.sendall(b"7I\xff\xef7H\xff\xef")
                again.shutdown(socket.SHUT_WR)
                rh.run_script(host, rh.parse_script([
                    "# a comment\n", "\n", "accept\n", "expect 7I\r\n",
                    "send Hs0f1005Hello\\sthere\n", "raw \\xFF\\xEF\n", "expect 7H\n", "wait 0.01\n",
                    "expect-end\n"]))
                self.assertEqual(again.makefile("rb").read(23),
                                 b"Hs0f1005Hello there\xff\xef\xff\xef")
        self.assertRaises(ValueError, rh.parse_script, ["bogus step\n"])

    def test_record_builders(self):
        for built, expected in [
            (r.long_number(207) + r.long_number(208), b"\xff!10"),
            # An empty text still takes a byte.
            (r.fixed_field(3, 0, 0, b"") + r.fixed_field(1, 0, 0, b"T", r.BOLD),
             b"f3000 f1001T+1A`"),
            (r.entry_field(2, 1, 0, 300, r.ENTRY | r.NUMERIC) + r.field_data(3, b"AB"),
             b"i210c@!1\x8c=32AB"),
            (r.prompt(8, b"Why?") + r.label(3, b"BACK") + r.focus(-1, error=True),
             b"h84Why?S34BACK#o/"),
        ]:
            self.assertEqual(built, expected)
        self.assertRaises(ValueError, r.long_number, 43264)

    def test_trace_reader_reads_the_writers_lines_and_plays_them_back(self):
        entries = wt.read_trace(WRITTEN)
        self.assertEqual([entries[0], entries[4], entries[-1]], [
            (0, "open", b"2024-05-01T12:34:56Z"), (10, "in", b"A\\ b\x7f\x00\xff\xef"),
            (0, "connect", b"connecting h\xe9te:1")])
        script = wt.to_script(entries)
        self.assertEqual(script[2:6], ["accept", "expect 12I", r"send A\x5C\sb\x7F\x00", "expect"])
        # The script's steps carry the traced bytes, terminators aside.
        steps = [(command, data) for _, command, data in rh.parse_script(script)]
        exchanged = [("send" if direction == "in" else "expect", data[:-2])
                     for _, direction, data in entries if direction in ("in", "out")]
        self.assertEqual([step for step in steps if step[0] != "accept"], exchanged)


if __name__ == "__main__":
    unittest.main()

"""The trace reader against the lines the terminal's trace writer writes: the
unit test of the writer checks its output against the same file."""

import os
import unittest

import ravelin_host as rh
import wire_trace as wt

WRITTEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "link", "data",
                       "wire-trace.txt")


class WireTraceTest(unittest.TestCase):
    def test_reads_the_writers_lines_and_plays_them_back(self):
        entries = wt.read_trace(WRITTEN)
        self.assertEqual(entries[:6], [
            (0, "open", b"2024-05-01T12:34:56Z"),
            (0, "connect", b"connecting 10.0.0.5:4000"),
            (3, "connect", b"connected"),
            (3, "out", b"12I\xff\xef"),
            (10, "in", b"A\\ b\x7f\x00\xff\xef"),
            (10, "out", b"\xff\xef")])
        self.assertEqual(entries[-1], (0, "connect", b"connecting h\xe9te:1"))
        script = wt.to_script(entries)
        self.assertEqual(script[2:6], ["accept", "expect 12I", r"send A\x5C\sb\x7F\x00", "expect"])
        # The script's steps carry the traced bytes, terminators aside.
        steps = [(command, data) for _, command, data in rh.parse_script(script)]
        exchanged = [("send" if direction == "in" else "expect", data[:-2])
                     for _, direction, data in entries if direction in ("in", "out")]
        self.assertEqual([step for step in steps if step[0] != "accept"], exchanged)


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/env python3
"""Reads the wire trace that "Ravelin.exe --trace FILE" appends to, and prints
its exchanges as a script of the scripted host, so that a captured session
can be read, and played back against a terminal:

    tools/host/wire_trace.py FILE

Each line of the trace is "MS DIRECTION [BYTES]": milliseconds since the
trace was opened, then open, connect, disconnect, in (a host record with its
terminator), out (a terminal message with its terminator) or error, then the
bytes with every byte that is not printable ASCII, and the backslash, as \\xHH.
"""

import argparse
import re

from ravelin_host import TERMINATOR

ESCAPED = re.compile(rb"\\x([0-9A-Fa-f]{2})")


def read_trace(path):
    """The (ms, direction, bytes) of each line of the trace."""
    entries = []
    with open(path, "rb") as trace:
        for line in trace:
            ms, direction, *rest = line.rstrip(b"\r\n").split(b" ", 2)
            data = ESCAPED.sub(lambda m: bytes([int(m[1], 16)]), rest[0] if rest else b"")
            entries.append((int(ms), direction.decode("ascii"), data))
    return entries


def script_text(data):
    """Bytes in the notation of script steps (see README.md)."""
    return "".join("\\s" if b == 32 else chr(b) if 32 < b < 127 and b != 92 else f"\\x{b:02X}"
                   for b in data)


def to_script(entries):
    """Script lines for the exchanges: host records become "send", terminal
    messages "expect", the connection's events "accept" and comments."""
    lines = []
    for ms, direction, data in entries:
        if direction in ("in", "out"):
            step = "send" if direction == "in" else "expect"
            lines.append(f"{step} {script_text(data.removesuffix(TERMINATOR))}".rstrip())
        elif (direction, data) == ("connect", b"connected"):
            lines.append("accept")
        else:
            lines.append(f"# {ms} ms: {direction} {data.decode('latin-1')}".rstrip())
    return lines


def main(argv=None):
    parser = argparse.ArgumentParser(description="Print a terminal's wire trace as a script.")
    parser.add_argument("trace", help="the file Ravelin.exe --trace wrote")
    for line in to_script(read_trace(parser.parse_args(argv).trace)):
        print(line)


if __name__ == "__main__":
    main()

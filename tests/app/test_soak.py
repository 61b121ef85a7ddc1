"""A minute of seeded random host records through the terminal under Wine.

Every command of the host stream comes up, with operands that mostly name
pages and fields that exist and texts of any byte values. After each record
the terminal must acknowledge it; at the end it must still be running and
answer a status request. The records follow from the seed alone, so a failure
names the seed and the record's index and comes back with the same seed.
"""

import os
import random
import re
import time
import unittest

from ravelin_host import Host, HostError
from records import long_number
from terminal import ARTIFACTS, TIMEOUT, Terminal, screenshot

SEED = int(os.environ.get("RAVELIN_SOAK_SEED", "20240607"))
SECONDS = float(os.environ.get("RAVELIN_SOAK_SECONDS", "60"))
TERMINAL_ID = b"12"

# The operands of each command in stream order: N a short number, B a raw
# byte, L a long number, n or l a short or long count with its text. "P", "Z"
# and "w" have operands of their own (see Records.command).
OPERANDS = {
    "!": "", "#": "", "$": "n", "%": "n", "+": "NBB", ">": "NNl", "@": "N", "A": "l", "B": "",
    "C": "", "D": "B" * 11, "E": "", "F": "N", "I": "n", "K": "N", "L": "NNn", "M": "l",
    "N": "l", "O": "l", "Q": "", "R": "", "S": "Nn", "W": "N", "X": "N", "a": "Nl", "b": "NB",
    "c": "N", "d": "N", "e": "N", "f": "NNNl", "h": "Nl", "i": "NNNBBL", "j": "Nn", "k": "NN",
    "l": "", "m": "", "o": "N", "p": "BB", "r": "N", "s": "N", "u": "Nl", "v": "Nl", "y": "NNn",
    "z": "", "P": None, "Z": None, "w": None,
}
COMMANDS = sorted(OPERANDS)


class Records:
    """The host records of one seed, in order."""

    def __init__(self, seed):
        self.random = random.Random(seed)

    def short(self):
        """Mostly a small page, field or size; sometimes any byte."""
        r = self.random
        return bytes([48 + r.randint(-1, 24) if r.random() < 0.85 else r.randrange(256)])

    def length(self):
        r = self.random
        roll = r.random()
        if roll < 0.7:
            return r.randint(0, 30)
        return r.randint(31, 400) if roll < 0.97 else r.randint(401, 3000)

    def text(self, count_kind):
        """A count and its text of any bytes, now and then shorter than the count says."""
        r = self.random
        n = self.length()
        if count_kind == "n":
            n = min(n, 207)
            count = bytes([48 + n]) if r.random() < 0.95 else bytes([r.randrange(48)])
        else:
            count = long_number(n)
        cut = r.randint(0, n) if r.random() < 0.05 else n
        return count + r.randbytes(cut)

    def raw(self):
        r = self.random
        return bytes([r.randint(0x40, 0x5F) if r.random() < 0.7 else r.randrange(256)])

    def operand(self, kind):
        if kind == "N":
            return self.short()
        if kind == "B":
            return self.raw()
        if kind == "L":
            return long_number(self.length())
        return self.text(kind)

    def command(self):
        r = self.random
        c = r.choice(COMMANDS)
        if c == "P":
            return b"P" + r.randbytes(r.randint(0, 8)) + r.choice([b"B", b"Q", b""])
        if c == "Z":
            sub = r.choice([b"e", b"s", b"v", self.raw()])
            operands = {b"e": self.short(), b"s": self.short(),
                        b"v": b"".join(long_number(self.length()) for _ in range(3))}
            return b"Z" + sub + operands.get(sub, b"")
        if c == "w":
            options = b"".join(b"@" + r.choice([b"A", b"B", b"H", b"M", b"P", b"S", b"F", b"X"])
                               + r.choice([b"B", b"C", b"R", b"S", b"0", b"1", b"07FF", b"0010",
                                           self.short(), b""])
                               for _ in range(r.randint(0, 4)))
            return b"w" + self.short() + long_number(self.length()) + options
        return c.encode() + b"".join(self.operand(kind) for kind in OPERANDS[c])

    def next(self):
        """(record, the last message that acknowledges it)."""
        r = self.random
        roll = r.random()
        if roll < 0.03:
            return b"A" + bytes([r.randint(0x20, 0x7E)]), b""
        if roll < 0.06:
            return b"H" + r.randbytes(r.randint(1, 60)), TERMINAL_ID + b"H"
        body = b"".join(self.command() for _ in range(r.randint(1, 12)))
        return (b"IH" if roll < 0.12 else b"H") + body, TERMINAL_ID + b"H"


class SoakTest(unittest.TestCase):
    def test_a_minute_of_random_records(self):
        os.makedirs(ARTIFACTS, exist_ok=True)
        with open(os.path.join(ARTIFACTS, "soak.trace"), "w") as trace, Host(
                0, trace=trace) as host:
            terminal = Terminal("soak", {
                "hostname": "127.0.0.1", "hostport": host.port, "terminalid": 12,
                "screencols": 40, "screenrows": 16, "windowstate": 0,
                "windowpos": "20,20,480,360", "CarrowinAdminMode": "true"}).start()
            try:
                host.accept(TIMEOUT)
                host.expect(TERMINAL_ID + b"I", TIMEOUT)
                sent = self.soak(host, terminal)
                screenshot("soak-end")
                host.send(b"H!")
                self.acknowledged(host, terminal, sent, b"H!", TERMINAL_ID + b"H")
                self.assertTrue(host.next_message(TIMEOUT).startswith(TERMINAL_ID + b"R!"))
                self.assertIsNone(terminal.process.poll())
                print(f"\nsoak: seed {SEED}, {sent} records, peak memory "
                      f"{terminal.peak_memory_mb()} MB", flush=True)
            finally:
                terminal.kill()

    def soak(self, host, terminal):
        """Sends records for SECONDS; returns how many."""
        records = Records(SEED)
        end = time.monotonic() + SECONDS
        index = 0
        while time.monotonic() < end:
            record, last = records.next()
            host.send(record)
            self.acknowledged(host, terminal, index, record, last)
            index += 1
        return index

    def acknowledged(self, host, terminal, index, record, last):
        """Takes messages up to the one that acknowledges the record."""
        try:
            while (message := host.next_message(TIMEOUT)) != last:
                if message is None:
                    raise HostError("the terminal closed the connection")
        except HostError as error:
            self.fail(f"seed {SEED}, record {index}: {error}\n record {record.hex(' ')}\n"
                      f" {self.crash(terminal)}")

    def crash(self, terminal):
        code = terminal.wait_exit(10)
        if code is None:
            return "the terminal is still running"
        path = os.path.join(terminal.folder, "crash-backtrace.txt")
        lines = open(path, errors="replace").read().splitlines() if os.path.exists(path) else []
        # The exception and the frames without their arguments.
        frames = lines[lines.index("Backtrace:") + 1:] if "Backtrace:" in lines else []
        summary = lines[:1] + [re.sub(r"\(.*\)(?= \[)", "", frame) for frame in frames[:25]]
        return "\n".join([f"the terminal ended with {code:#x}"] + summary)


if __name__ == "__main__":
    unittest.main()

"""A minute of seeded random host records, every command with operands that
mostly name pages and fields that exist and texts of any bytes: the terminal
acknowledges each and at the end still runs and answers a status request. A
failure names the seed and the record, which the seed alone brings back."""

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

# Each command with its operands in stream order: N a short number, B a raw
# byte, L a long number, n or l a short or long count with its text. "P", "Z"
# and "w" have operands of their own (see Records.command).
OPERANDS = {word[0]: word[1:] for word in (
    "! # $n %n +NBB >NNl @N Al B C D" + "B" * 11 + " E FN In KN LNNn Ml Nl Ol Q R SNn WN XN "
    "aNl bNB cN dN eN fNNNl hNl iNNNBBL jNn kNN l m oN pBB rN sN uNl vNl yNNn z P Z w").split()}
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
        return r.randint(0, 30) if roll < 0.7 else (
            r.randint(31, 400) if roll < 0.97 else r.randint(401, 3000))

    def raw(self):
        r = self.random
        return bytes([r.randint(0x40, 0x5F) if r.random() < 0.7 else r.randrange(256)])

    def operand(self, kind):
        """N, B or L; or a count and its text of any bytes, now and then
        shorter than the count says."""
        r = self.random
        if kind in "NBL":
            return {"N": self.short, "B": self.raw,
                    "L": lambda: long_number(self.length())}[kind]()
        n = self.length()
        if kind == "n":
            n = min(n, 207)
            count = bytes([48 + n]) if r.random() < 0.95 else bytes([r.randrange(48)])
        else:
            count = long_number(n)
        return count + r.randbytes(r.randint(0, n) if r.random() < 0.05 else n)

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
            options = b"".join(b"@" + bytes([r.choice(b"ABHMPSFX")])
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
            self.host = host
            self.terminal = Terminal("soak", {
                "hostname": "127.0.0.1", "hostport": host.port, "terminalid": 12,
                "screencols": 40, "screenrows": 16, "windowstate": 0,
                "windowpos": "20,20,480,360", "CarrowinAdminMode": "true"}).start()
            try:
                host.accept(TIMEOUT)
                host.expect(TERMINAL_ID + b"I", TIMEOUT)
                records, end, sent = Records(SEED), time.monotonic() + SECONDS, 0
                while time.monotonic() < end:
                    self.acknowledged(sent, *records.next())
                    sent += 1
                screenshot("soak-end")
                self.acknowledged(sent, b"H!", TERMINAL_ID + b"H")
                self.assertTrue(host.next_message(TIMEOUT).startswith(TERMINAL_ID + b"R!"))
                self.assertIsNone(self.terminal.process.poll())
                print(f"\nsoak: seed {SEED}, {sent} records, peak memory "
                      f"{self.terminal.peak_memory_mb()} MB", flush=True)
            finally:
                self.terminal.kill()

    def acknowledged(self, index, record, last):
        """Sends a record and takes messages up to the one that acknowledges it."""
        self.host.send(record)
        try:
            while (message := self.host.next_message(TIMEOUT)) != last:
                if message is None:
                    raise HostError("the terminal closed the connection")
        except HostError as error:
            self.fail(f"seed {SEED}, record {index}: {error}\n record {record.hex(' ')}\n"
                      f" {self.crash()}")

    def crash(self):
        code = self.terminal.wait_exit(10)
        if code is None:
            return "the terminal is still running"
        path = os.path.join(self.terminal.folder, "crash-backtrace.txt")
        backtrace = open(path, errors="replace").read() if os.path.exists(path) else ""
        # Without the frames' arguments.
        return f"the terminal ended with {code:#x}\n" + re.sub(
            r"\(.*\)(?= \[)", "", backtrace)[:4000]


if __name__ == "__main__":
    unittest.main()

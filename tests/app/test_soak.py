"""Records that ask for the largest fields, places and font must not cost the
terminal hundreds of megabytes: on a handheld that would end the program.
Then a minute of seeded random host records, every command with operands that
mostly name pages and fields that exist and texts of any bytes: the terminal
acknowledges each and at the end still runs and answers a status request. A
failure names the seed and the record, which the seed alone brings back."""

import os
import random
import time

from ravelin_host import HostError
from records import LONGEST, entry_field, fixed_field, long_number, set_text
from terminal import IDOK, TIMEOUT, TerminalTest

SEED = int(os.environ.get("RAVELIN_SOAK_SEED", "20240607"))
SECONDS = float(os.environ.get("RAVELIN_SOAK_SECONDS", "60"))
LARGEST = 207  # the largest short number
# Measured under Wine: under 40 MB with paint bitmaps bounded to what shows,
# close to a gigabyte without.
BOUND_MB = 80

# Operands in stream order: N short number, B raw byte, L long number, n or l a
# short or long count with its text; "P", "Z" and "w" have their own (Records.command).
OPERANDS = {word[0]: word[1:] for word in (
    "! # $n %n +NBB >NNl @N Al B C D" + "B" * 11 + " E FN In KN LNNn Ml Nl Ol Q R SNn WN XN "
    "aNl bNB cN dN eN fNNNl hNl iNNNBBL jNn kNN l m oN pBB rN sN uNl vNl yNNn z P Z w").split()}
COMMANDS = sorted(OPERANDS)


class Records(random.Random):
    def short(self):
        """Mostly a small page, field or size; sometimes any byte."""
        return bytes([48 + self.randint(-1, 24) if self.random() < 0.85 else self.randrange(256)])

    def length(self):
        roll = self.random()
        return self.randint(0, 30) if roll < 0.7 else (
            self.randint(31, 400) if roll < 0.97 else self.randint(401, 3000))

    def raw(self):
        return bytes([self.randint(0x40, 0x5F) if self.random() < 0.7 else self.randrange(256)])

    def operand(self, kind):
        """N, B, L, or a count and its text, now and then shorter than the count says."""
        if kind in "NBL":
            return {"N": self.short, "B": self.raw}.get(kind, lambda: long_number(self.length()))()
        n = self.length()
        if kind == "n":
            n = min(n, 207)
            count = bytes([48 + n]) if self.random() < 0.95 else bytes([self.randrange(48)])
        else:
            count = long_number(n)
        return count + self.randbytes(self.randint(0, n) if self.random() < 0.05 else n)

    def command(self):
        c = self.choice(COMMANDS)
        if c == "P":
            return b"P" + self.randbytes(self.randint(0, 8)) + self.choice([b"B", b"Q", b""])
        if c == "Z":
            sub = self.choice([b"e", b"s", b"v", self.raw()])
            operands = {b"e": self.short(), b"s": self.short(),
                        b"v": b"".join(long_number(self.length()) for _ in range(3))}
            return b"Z" + sub + operands.get(sub, b"")
        if c == "w":
            options = b"".join(b"@" + bytes([self.choice(b"ABHMPSFX")]) + self.choice(
                [b"B", b"C", b"R", b"S", b"0", b"1", b"07FF", b"0010", self.short(), b""])
                               for _ in range(self.randint(0, 4)))
            return b"w" + self.short() + long_number(self.length()) + options
        return c.encode() + b"".join(self.operand(kind) for kind in OPERANDS[c])

    def next(self):
        """(record, the last message that acknowledges it)."""
        roll = self.random()
        if roll < 0.03:
            return b"A" + bytes([self.randint(0x20, 0x7E)]), b""
        if roll < 0.06:
            return b"H" + self.randbytes(self.randint(1, 60)), b"12H"
        body = b"".join(self.command() for _ in range(self.randint(1, 12)))
        return (b"IH" if roll < 0.12 else b"H") + body, b"12H"


class SoakTest(TerminalTest):
    def test_largest_fields_and_font_then_a_minute_of_random_records(self):
        self.start(screencols=40, screenrows=16)
        # The filled entry field's scrolled text image grows with the font, to
        # gigabytes at the largest one unless only what shows is painted.
        self.page(b"Hs0E" + fixed_field(1, 3, 0, b"Hello") + entry_field(5, 0, 0, 1000) +
                  set_text(5, b"y" * 1000) + entry_field(2, 1, 0, LONGEST) +
                  entry_field(3, LARGEST, LARGEST, LONGEST) +
                  entry_field(4, 2, LARGEST, LONGEST) + b"d0o2")
        self.host.send(b"Ha2" + long_number(LONGEST) + b"A" * LONGEST)
        self.host.expect(b"12H")
        self.assertTrue(self.terminal.wait_window("Advisory"))
        self.close_dialog("Advisory", IDOK)
        for points in (b"\xff", b"0", b"\xff"):  # +207, -48, +207 points
            self.page(b"Hs0F" + points + b"o2")
            self.assertLess(self.peak_memory_mb(), BOUND_MB, f"after F {points!r}")

        records, end, sent = Records(SEED), time.monotonic() + SECONDS, 0
        while time.monotonic() < end:
            self.acknowledged(sent, *records.next())
            sent += 1
        self.acknowledged(sent, b"H!", b"12H")
        self.assertTrue(self.host.next_message(TIMEOUT).startswith(b"12R!"))
        self.assertIsNone(self.terminal.process.poll())
        print(f"\nsoak: seed {SEED}, {sent} records, peak memory {self.peak_memory_mb()} MB",
              flush=True)

    def peak_memory_mb(self):
        """The most resident memory the running process has had."""
        with open(f"/proc/{self.terminal.process.pid}/status") as status:
            return next(int(line.split()[1]) // 1024
                        for line in status if line.startswith("VmHWM:"))

    def acknowledged(self, index, record, last):
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
        return f"the terminal ended with {code:#x}: see {self.terminal.folder}/crash-backtrace.txt"

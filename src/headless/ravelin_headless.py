"""Drives ravelin-headless, the terminal without windows, from Python tests
(pytest, unittest or Robot Framework):

    with Terminal(host="127.0.0.1", port=9999, cols=26, rows=10) as terminal:
        terminal.wait_unlock()
        terminal.type("ANNA")
        terminal.key("Enter")
        terminal.wait_unlock()
        assert terminal.state.field == 6

Each method sends one command and returns its data lines; terminal.state is
the status that came with the last answer. A command the terminal refuses, a
wait that times out and an expectation that fails raise TerminalError.
"""

import contextlib
import os
import re
import shutil
import subprocess
import tempfile
from collections import namedtuple

PROGRAM = "ravelin-headless"
# Terminal's keyword options, each the program's --NAME option.
OPTIONS = ("host", "port", "id", "cols", "rows", "utf8", "ini", "trace", "timeout", "codepage")

Status = namedtuple("Status", "locked page field dialog link")
Field = namedtuple("Field", "number row col length kind flags text")

STATUS = re.compile(r"([LU]) page=(-?\d+) field=(-?\d+) dialog=(\w+) link=(\w+)$")


class TerminalError(AssertionError):
    """The terminal refused a command (status: the status it gave with the
    refusal), or the program ended (status None)."""

    def __init__(self, reason, status=None):
        super().__init__(reason)
        self.reason = reason
        self.status = status


def find_program(program=None):
    """The program given, else the one beside this module, else on PATH."""
    beside = os.path.join(os.path.dirname(os.path.abspath(__file__)), PROGRAM)
    found = program or (beside if os.access(beside, os.X_OK) else shutil.which(PROGRAM))
    if not found:
        raise FileNotFoundError(f"{PROGRAM} is neither beside {__file__} nor on PATH")
    return found


def quote(text):
    """Any text as a quoted argument: what would end it, or its line, as \\xHH."""
    return '"' + re.sub(r'["\\\x00-\x1f\x7f]', lambda c: f"\\x{ord(c[0]):02X}", text) + '"'


def field_text(escaped):
    """A text of the fields list, where \\xHH stands for a byte of its UTF-8."""
    raw = re.sub(rb"\\x([0-9A-F]{2})", lambda c: bytes([int(c[1], 16)]), escaped.encode())
    return raw.decode("utf-8", "replace")


def word(name):
    """A key or button name, which the command line takes unquoted."""
    if not re.fullmatch(r"[^\s\x00-\x1f]+", name):
        raise ValueError(f"not a name: {name!r}")
    return name


def seconds_text(seconds):
    return "" if seconds is None else f" {seconds:.3f}"


class Terminal:
    """One ravelin-headless in peer mode; options as Terminal(port=2001, utf8=True)."""

    def __init__(self, program=None, **options):
        args = [find_program(program)]
        for name, value in options.items():
            if name not in OPTIONS:
                raise TypeError(f"unknown option {name}; known: {', '.join(OPTIONS)}")
            if value is True:
                args.append(f"--{name}")
            elif value is not None and value is not False:
                args += [f"--{name}", str(value)]
        # A file, not a pipe: nobody reads it until the program has ended.
        self.errors = tempfile.TemporaryFile("w+", encoding="utf-8", errors="replace")
        self.process = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=self.errors, text=True, encoding="utf-8",
                                        errors="replace")
        # Only "\n" ends an answer: an error may quote a lone "\r" typed in.
        self.process.stdout.reconfigure(newline="\n")
        self.state = None
        try:
            self.status()
        except TerminalError:
            self.close(check=False)
            raise

    def __enter__(self):
        return self

    def __exit__(self, failing, *rest):
        self.close(check=failing is None)

    def ended(self):
        self.process.wait()
        self.errors.seek(0)
        return TerminalError(f"{PROGRAM} exited with status {self.process.returncode}: "
                             f"{self.errors.read().strip()}")

    def command(self, line):
        """Sends one command line; its data lines, or TerminalError."""
        try:
            self.process.stdin.write(line + "\n")
            self.process.stdin.flush()
        except BrokenPipeError:
            raise self.ended() from None
        data = []
        while answer := self.process.stdout.readline():
            answer = answer.rstrip("\n")
            if answer.startswith("data: "):
                data.append(answer[len("data: "):])
            elif answer == "ok":
                return data
            elif answer.startswith("error: "):
                raise TerminalError(answer[len("error: "):], self.state)
            elif match := STATUS.match(answer):
                locked, page, field, dialog, link = match.groups()
                self.state = Status(locked == "L", int(page), int(field), dialog, link)
            else:
                raise TerminalError(f"unexpected answer {answer!r}", self.state)
        raise self.ended()

    def screen(self):
        return self.command("screen")

    def fields(self):
        records = []
        for line in self.command("fields"):
            number, row, col, length, kind, flags, text = line.split("\t", 6)
            records.append(Field(int(number), int(row), int(col), int(length), kind,
                                 () if flags == "-" else tuple(flags.split(",")),
                                 field_text(text)))
        return records

    def type(self, text):
        """Into the focused entry field; a data line tells of characters dropped."""
        return self.command("type " + quote(text))

    def key(self, name):
        return self.command("key " + word(name))

    def click(self, number):
        return self.command(f"click {number}")

    def toolbar(self, name):
        return self.command("toolbar " + word(name))

    def advisory_ok(self):
        return self.command("advisory ok")

    def prompt(self, text):
        return self.command("prompt " + quote(text))

    def prompt_cancel(self):
        return self.command("prompt cancel")

    def dialog(self):
        return self.command("dialog")

    def scan(self, text):
        return self.command("scan " + quote(text))

    def wait_unlock(self, seconds=None):
        return self.command("wait unlock" + seconds_text(seconds))

    def wait_text(self, text, seconds=None):
        return self.command("wait text " + quote(text) + seconds_text(seconds))

    def wait_dialog(self, seconds=None):
        return self.command("wait dialog" + seconds_text(seconds))

    def wait_connected(self, seconds=None):
        return self.command("wait connected" + seconds_text(seconds))

    def expect(self, text, row=None, col=None):
        """Text anywhere on the page shown, or at row and col (from 0)."""
        return self.command("expect " + quote(text) + ("" if row is None else f" {row} {col}"))

    def status(self):
        self.command("status")
        return self.state

    def close(self, check=True):
        """Quits the program and waits for it; with check, an exit status
        other than 0 raises."""
        if self.process.poll() is None:
            try:
                self.command("quit")
            except TerminalError:
                pass
        self.process.wait()
        with contextlib.suppress(BrokenPipeError):
            self.process.stdin.close()
        self.process.stdout.close()
        error = self.ended() if check and self.process.returncode != 0 else None
        self.errors.close()
        if error:
            raise error

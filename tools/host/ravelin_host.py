#!/usr/bin/env python3
"""Plays the host for a Ravelin II terminal: listens on a loopback port,
accepts the terminal, sends records and checks the terminal's messages.

Records to the terminal: every data byte 0xFF is doubled and 0xFF 0xEF ends
the record. Messages from the terminal: the terminal id in decimal, the text
(not escaped) and 0xFF 0xEF.

As a module:
    with Host(port=0) as host:
        host.accept()
        host.expect(b"1I")
        host.send(b"Hs0Ef1005Hello")
        host.expect(b"1H")

As a program, running a script file against a real terminal:
    ravelin_host.py --port 2001 script.txt
"""

import argparse
import socket
import struct
import sys
import time

TERMINATOR = b"\xff\xef"
DEFAULT_TIMEOUT = 30.0


class HostError(AssertionError):
    """The terminal did not do what the script expected."""


def encode_record(record: bytes) -> bytes:
    """The bytes of one record on the wire."""
    return record.replace(b"\xff", b"\xff\xff") + TERMINATOR


def printable(data: bytes) -> str:
    return "".join(chr(b) if 32 <= b < 127 else "." for b in data)


def describe(data: bytes) -> str:
    return f"{data.hex(' ')}  |{printable(data)}|"


def split_terminal_id(message: bytes):
    """(terminal id or None, text) of a message without its terminator."""
    digits = len(message) - len(message.lstrip(b"0123456789"))
    if digits == 0:
        return None, message
    return int(message[:digits]), message[digits:]


class Host:
    """The host's end of the terminal's one TCP connection."""

    def __init__(self, port=0, address="127.0.0.1", trace=None):
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind((address, port))
        self.listener.listen(4)
        self.port = self.listener.getsockname()[1]
        self.connection = None
        self.pending = b""
        self.trace = trace
        self.started = time.monotonic()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close_listener()

    def log(self, direction, data):
        if self.trace:
            stamp = time.monotonic() - self.started
            self.trace.write(f"{stamp:9.3f} {direction} {describe(data)}\n")
            self.trace.flush()

    def accept(self, timeout=DEFAULT_TIMEOUT):
        """Waits for the terminal to connect (again)."""
        self.close()
        self.listener.settimeout(timeout)
        try:
            self.connection, peer = self.listener.accept()
        except socket.timeout:
            raise HostError(f"no terminal connected within {timeout} s") from None
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.pending = b""
        self.log("==", f"terminal connected from {peer[0]}:{peer[1]}".encode())

    def send_raw(self, data: bytes, pieces=None, delay=0.0):
        """Sends bytes as they are, optionally cut at the given offsets."""
        cuts = [0] + sorted(pieces or []) + [len(data)]
        for start, end in zip(cuts, cuts[1:]):
            if start < end:
                self.log("->", data[start:end])
                self.connection.sendall(data[start:end])
                if delay:
                    time.sleep(delay)

    def send(self, record: bytes, pieces=None, delay=0.0):
        """Sends one record: data 0xFF doubled, terminator added."""
        self.send_raw(encode_record(record), pieces, delay)

    def next_message(self, timeout=DEFAULT_TIMEOUT):
        """The next message from the terminal without its terminator, or None
        when the terminal closed the connection."""
        deadline = time.monotonic() + timeout
        while TERMINATOR not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise HostError(f"no message within {timeout} s; have {describe(self.pending)}")
            self.connection.settimeout(left)
            try:
                data = self.connection.recv(65536)
            except socket.timeout:
                continue
            except ConnectionResetError:
                data = b""
            if not data:
                self.log("==", b"terminal closed the connection")
                if self.pending:
                    raise HostError(f"connection ended inside a message: {describe(self.pending)}")
                return None
            self.log("<-", data)
            self.pending += data
        message, self.pending = self.pending.split(TERMINATOR, 1)
        return message

    def sync(self, timeout=DEFAULT_TIMEOUT):
        """Returns once the terminal has done all it does for the records sent
        so far: it handles records in turn, and answers an empty one with a
        bare terminator only after the work of those before it. Messages that
        come before that answer stay to be read."""
        self.send(b"")
        before = []
        while (message := self.next_message(timeout)) != b"":
            if message is None:
                raise HostError("the terminal closed the connection before the answer")
            before.append(message)
        self.pending = b"".join(m + TERMINATOR for m in before) + self.pending

    def expect(self, expected: bytes, timeout=DEFAULT_TIMEOUT):
        """Fails unless the next message is exactly expected."""
        message = self.next_message(timeout)
        if message != expected:
            got = "the end of the connection" if message is None else describe(message)
            raise HostError(f"expected {describe(expected)}\n     got {got}")
        return message

    def expect_end(self, timeout=DEFAULT_TIMEOUT):
        """Fails unless the terminal closes the connection."""
        message = self.next_message(timeout)
        if message is not None:
            raise HostError(f"expected the end of the connection, got {describe(message)}")

    def close(self):
        if self.connection:
            self.log("==", b"host closes the connection")
            self.connection.close()
            self.connection = None

    def reset(self):
        """Closes with a reset instead of an orderly end."""
        if self.connection:
            self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.log("==", b"host resets the connection")
            self.connection.close()
            self.connection = None

    def close_listener(self):
        self.close()
        self.listener.close()


def unescape(text: str) -> bytes:
    r"""Script text to bytes: \xHH, \\, \n, \r, \t and \s (a space)."""
    out = bytearray()
    i = 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out += c.encode("latin-1")
            i += 1
            continue
        kind = text[i + 1 : i + 2]
        if kind == "x":
            out.append(int(text[i + 2 : i + 4], 16))
            i += 4
        else:
            out += {"\\": b"\\", "n": b"\n", "r": b"\r", "t": b"\t", "s": b" "}[kind]
            i += 2
    return bytes(out)


COMMANDS = ("accept", "send", "raw", "expect", "expect-any", "expect-end", "wait", "close", "reset")


def parse_script(lines):
    """(line number, command, argument bytes or text) for each step."""
    steps = []
    for number, line in enumerate(lines, 1):
        line = line.rstrip("\r\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        command, _, argument = line.partition(" ")
        if command not in COMMANDS:
            raise ValueError(f"line {number}: unknown step {command!r}")
        if command in ("send", "raw", "expect"):
            steps.append((number, command, unescape(argument)))
        elif command == "wait":
            steps.append((number, command, float(argument)))
        else:
            steps.append((number, command, None))
    return steps


def run_script(host, steps, out=sys.stdout):
    for number, command, argument in steps:
        try:
            run_step(host, number, command, argument, out)
        except HostError as error:
            raise HostError(f"line {number}: {error}") from None


def run_step(host, number, command, argument, out):
    if command == "accept":
        host.accept()
    elif command == "send":
        host.send(argument)
    elif command == "raw":
        host.send_raw(argument)
    elif command == "expect":
        host.expect(argument)
    elif command == "expect-any":
        message = host.next_message()
        out.write(f"line {number}: {describe(message or b'')}\n")
    elif command == "expect-end":
        host.expect_end()
    elif command == "wait":
        time.sleep(argument)
    elif command == "close":
        host.close()
    elif command == "reset":
        host.reset()


def main(argv=None):
    parser = argparse.ArgumentParser(description="Play the host for a Ravelin II terminal.")
    parser.add_argument("script", help="script file (see tools/host/README.md)")
    parser.add_argument("--port", type=int, default=9999, help="port to listen on (default 9999)")
    parser.add_argument("--address", default="127.0.0.1", help="address to listen on")
    parser.add_argument("--trace", help="write the trace to this file instead of stderr")
    args = parser.parse_args(argv)
    with open(args.script, encoding="utf-8") as script:
        steps = parse_script(script)
    trace = open(args.trace, "w", encoding="utf-8") if args.trace else sys.stderr
    with Host(args.port, args.address, trace) as host:
        print(f"listening on {args.address}:{host.port}", file=sys.stderr)
        try:
            run_script(host, steps)
        except HostError as error:
            print(f"FAILED: {error}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""A small warehouse host for Ravelin II terminals: sign-on, a menu, picking
with location checks and short-pick reasons, and a stock enquiry.

    demo_host.py --port 9999 [--address 127.0.0.1] [--once] [--utf8]

One terminal is served at a time. Every message in and every record out is
logged to stderr, one line each. The record builders (sign_on_record,
menu_record, picking_record, stock_record, update_record) and the response
parser (parse_response) are importable for tests.
"""

import argparse
import dataclasses
import os
import sys
import time
from dataclasses import dataclass

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "host"))

from ravelin_host import Host, HostError, describe, split_terminal_id  # noqa: E402
from records import (BOLD, COMPLETE_ON_LEAVE, ENTRY, NUMERIC, PASSWORD, PLAIN,  # noqa: E402
                     REVERSE, advisory, display_page, entry_field, fixed_field, focus, label,
                     prompt, select_page, set_text)

ANSI = "cp1252"
IDLE_TIMEOUT = 3600.0  # an idle terminal is dropped; it reconnects and signs on again
ACCEPT_WAIT = 3600.0

KEY_ENTER = 0
KEY_HELP = 1
KEY_BACK = 3
BACK_LABEL_SLOT = KEY_BACK  # the toolbar's BACK button then reports F3

REASON_LENGTH = 12


# ------------------------------------------------------------------ screens


@dataclass(frozen=True)
class Text:
    row: int
    column: int
    text: str
    attribute: int = PLAIN


@dataclass(frozen=True)
class Entry:
    name: str
    row: int
    column: int
    length: int
    type_byte: int = ENTRY


class Screen:
    """One host page; field numbers are the items' places in the list, from 1,
    so the terminal's focus order is the order of the entries."""

    def __init__(self, name, page, items, help_text):
        self.name = name
        self.page = page
        self.items = items
        self.help_text = help_text

    def field(self, name):
        for number, item in enumerate(self.items, 1):
            if isinstance(item, Entry) and item.name == name:
                return number
        raise KeyError(name)

    def entry_name(self, number):
        if 1 <= number <= len(self.items) and isinstance(self.items[number - 1], Entry):
            return self.items[number - 1].name
        return None

    def first_entry(self):
        return next(n for n, item in enumerate(self.items, 1) if isinstance(item, Entry))

    def record(self, encoding=ANSI, advisory_text=None, extra=b""):
        """The whole page, shown, with the focus on its first entry."""
        commands = select_page(self.page) + b"E"
        for number, item in enumerate(self.items, 1):
            if isinstance(item, Text):
                data = item.text.encode(encoding, "replace")
                commands += fixed_field(number, item.row, item.column, data, item.attribute)
            else:
                commands += entry_field(number, item.row, item.column, item.length, item.type_byte)
        commands += display_page(self.page) + extra
        if advisory_text:
            commands += advisory(self.first_entry(), advisory_text.encode(encoding, "replace"))
        return b"H" + commands + focus(self.first_entry())


def hint(text):
    return Text(9, 0, text, REVERSE)


SIGN_ON = Screen(
    "sign-on",
    0,
    [
        Text(0, 0, "RAVELIN WAREHOUSE", BOLD),
        Text(2, 0, "Please sign on"),
        Text(4, 0, "User:"),
        Entry("user", 4, 10, 10, ENTRY | COMPLETE_ON_LEAVE),
        Text(5, 0, "Password:"),
        Entry("password", 5, 10, 10, ENTRY | PASSWORD | COMPLETE_ON_LEAVE),
        hint("F1 Help  F3 Exit"),
    ],
    "Enter your user name and password, then press Enter. F3 ends the session.",
)


def menu_screen(user):
    return Screen(
        "menu",
        1,
        [
            Text(0, 0, f"MAIN MENU  {user}"[:26], BOLD),
            Text(2, 0, "1 Picking"),
            Text(3, 0, "2 Stock enquiry"),
            Text(4, 0, "3 Sign off"),
            Text(6, 0, "Choice:"),
            Entry("choice", 6, 8, 1, ENTRY | NUMERIC | COMPLETE_ON_LEAVE),
            hint("F1 Help  F3 Sign off"),
        ],
        "Type the number of a function. F3 signs off.",
    )


@dataclass(frozen=True)
class Article:
    description: str
    location: str
    on_hand: int


STOCK = {
    "100234": Article("Bolts M8x40", "A-01-02", 340),
    "100871": Article("Washers M8", "A-03-01", 1200),
    "200415": Article("Hinge 60 mm", "B-02-04", 35),
    "300120": Article("Cable tie 200", "C-01-01", 900),
}

USERS = {"ANNA": "1234", "DEMO": "demo"}

# Order number and its lines: item and quantity wanted.
ORDERS = [
    ("4711", [("100234", 12), ("100871", 24), ("200415", 4)]),
    ("4712", [("300120", 50), ("100234", 6)]),
]


def picking_screen(order, line):
    number, lines = ORDERS[order]
    item, wanted = lines[line]
    article = STOCK[item]
    return Screen(
        "picking",
        2,
        [
            Text(0, 0, f"PICK {number}  {line + 1}/{len(lines)}", BOLD),
            Text(1, 0, "Location:"),
            Text(1, 12, article.location),
            Text(2, 0, "Item:"),
            Text(2, 12, item),
            Text(3, 12, article.description),
            Text(4, 0, "Qty wanted:"),
            Text(4, 12, str(wanted)),
            Text(6, 0, "Scan loc:"),
            Entry("location", 6, 12, 10, ENTRY | COMPLETE_ON_LEAVE),
            Text(7, 0, "Qty picked:"),
            Entry("quantity", 7, 12, 4, ENTRY | NUMERIC | COMPLETE_ON_LEAVE),
            hint("F1 Help  F3 Menu"),
        ],
        "Go to the location shown, scan it, then enter the quantity picked. F3 returns to the menu.",
    )


def stock_screen(item=None):
    result = []
    if item in STOCK:
        article = STOCK[item]
        result = [
            Text(4, 0, f"{item} {article.description}"),
            Text(5, 0, f"Location: {article.location}"),
            Text(6, 0, f"On hand:  {article.on_hand}"),
        ]
    return Screen(
        "stock",
        3,
        [
            Text(0, 0, "STOCK ENQUIRY", BOLD),
            Text(2, 0, "Item:"),
            Entry("item", 2, 12, 8, ENTRY | NUMERIC | COMPLETE_ON_LEAVE),
        ]
        + result
        + [hint("F1 Help  F3 Menu")],
        "Scan or type an item number and press Enter. F3 returns to the menu.",
    )


def sign_on_record(advisory_text=None, encoding=ANSI):
    return SIGN_ON.record(encoding, advisory_text, label(BACK_LABEL_SLOT, b"BACK"))


def menu_record(user, advisory_text=None, encoding=ANSI):
    return menu_screen(user).record(encoding, advisory_text)


def picking_record(order, line, encoding=ANSI):
    return picking_screen(order, line).record(encoding)


def stock_record(item=None, encoding=ANSI):
    return stock_screen(item).record(encoding)


def update_record(screen, number, clear=(), advisory_text=None, prompt_text=None, error=False, encoding=ANSI):
    """A record for the page on show: empty some entries, maybe an Advisory or
    the prompt, and the focus on field number (-1: the first entry)."""
    commands = select_page(screen.page)
    for name in clear:
        commands += set_text(screen.field(name), b"")
    if advisory_text:
        commands += advisory(number, advisory_text.encode(encoding, "replace"))
    if prompt_text:
        commands += prompt(REASON_LENGTH, prompt_text.encode(encoding, "replace"))
    # "o" comes last: the dialogs above do not release input, "o" does.
    return b"H" + commands + focus(number, error)


# ---------------------------------------------------------------- responses


@dataclass
class Response:
    """One message of the terminal. kind: identify, host (the "H" answer), ack
    (bare terminator), end ("&"), status, key, field, prompt, serial, unknown."""

    kind: str
    terminal: int | None = None
    key: int | None = None
    field: int | None = None
    data: dict = dataclasses.field(default_factory=dict)  # field number -> bytes
    answer: bytes = b""
    text: bytes = b""


def read_length(text, at):
    """(length, position after it) of a length at text[at]."""
    if text[at] == ord("!"):
        return (text[at + 1] - 48) * 208 + (text[at + 2] - 48), at + 3
    return text[at] - 48, at + 1


def read_bytes(text, at, count):
    if count < 0 or at + count > len(text):
        raise ValueError("text cut short")
    return text[at : at + count], at + count


def parse_field_data(text):
    data = {}
    at = 0
    while at < len(text):
        if text[at] != ord("="):
            raise ValueError("field data must start with '='")
        number = text[at + 1] - 48
        length, at = read_length(text, at + 2)
        data[number], at = read_bytes(text, at, length)
    return data


SIMPLE_KINDS = {b"I": "identify", b"H": "host", b"": "ack", b"&": "end"}


def parse_response(message):
    """The Response of one message without its terminator."""
    terminal, text = split_terminal_id(message)
    if text in SIMPLE_KINDS:
        return Response(SIMPLE_KINDS[text], terminal, text=text)
    try:
        kind, body = text[:2], text[2:]
        if kind == b"RF":
            return Response("key", terminal, key=(body[0] - 48) & 0xFF, field=body[1] - 48,
                            data=parse_field_data(body[2:]), text=text)
        if kind == b"R%":
            return Response("field", terminal, field=body[0] - 48, data=parse_field_data(body[1:]), text=text)
        if kind == b"R?":
            length, at = read_length(body, 0)
            answer, at = read_bytes(body, at, length)
            if at == len(body):
                return Response("prompt", terminal, answer=answer, text=text)
        if kind == b"R!" and len(body) == 8:
            return Response("status", terminal, text=text)
        if kind == b"R<" and body[:1] == b"1":
            return Response("serial", terminal, answer=body[2:], text=text)
    except (IndexError, ValueError):
        pass
    return Response("unknown", terminal, text=text)


# ------------------------------------------------------------------ the app


class TerminalSession:
    """The warehouse application for one connected terminal. handle() takes
    each message and gives the record to send back, or None."""

    def __init__(self, encoding=ANSI):
        self.encoding = encoding
        self.screen = None  # nothing is shown before the terminal identifies itself
        self.values = {}  # entry name -> text the terminal reported for the page on show
        self.user = ""
        self.order = 0
        self.line = 0
        self.short_picks = 0
        self.pending_short = False
        self.finished = False

    def handle(self, message):
        response = parse_response(message)
        if response.kind == "identify":
            return self.show_sign_on()
        if self.screen is None:
            return None
        if response.kind == "unknown" and response.text.startswith(b"R"):
            # Likely a response we cannot read; the terminal waits for us.
            return self.update(-1, error=True)
        if response.kind not in ("key", "field", "prompt"):
            return None
        self.merge(response.data)
        if response.kind == "prompt":
            return self.on_prompt(response.answer.decode(self.encoding, "replace"))
        key = KEY_ENTER if response.kind == "field" else response.key
        number = response.field if self.screen.entry_name(response.field) else -1
        if key == KEY_HELP:
            return self.update(number, advisory_text=self.screen.help_text)
        if key not in (KEY_ENTER, KEY_BACK):
            return self.update(number, error=True)
        return self.HANDLERS[self.screen.name](self, key == KEY_BACK, number)

    def merge(self, data):
        for number, raw in data.items():
            name = self.screen.entry_name(number)
            if name:
                self.values[name] = raw.decode(self.encoding, "replace").strip()

    def show(self, screen, record):
        self.screen = screen
        self.values = {}
        return record

    def update(self, number, clear=(), advisory_text=None, prompt_text=None, error=False):
        for name in clear:
            self.values.pop(name, None)
        return update_record(self.screen, number, clear, advisory_text, prompt_text, error, self.encoding)

    def show_sign_on(self, advisory_text=None):
        self.user = ""
        return self.show(SIGN_ON, sign_on_record(advisory_text, self.encoding))

    def show_menu(self, advisory_text=None):
        return self.show(menu_screen(self.user), menu_record(self.user, advisory_text, self.encoding))

    def show_picking(self):
        screen = picking_screen(self.order, self.line)
        return self.show(screen, picking_record(self.order, self.line, self.encoding))

    def show_stock(self, item=None):
        return self.show(stock_screen(item), stock_record(item, self.encoding))

    def on_sign_on(self, back, number):
        if back:
            self.finished = True
            return None
        user = self.values.get("user", "").upper()
        password = self.values.get("password", "")
        if not user:
            return self.update(self.screen.field("user"))
        if not password:
            return self.update(self.screen.field("password"))
        if USERS.get(user) != password:
            return self.show_sign_on("Unknown user or wrong password.")
        self.user = user
        return self.show_menu()

    def on_menu(self, back, number):
        choice = self.values.get("choice", "")
        if back or choice == "3":
            return self.show_sign_on()
        if choice == "1":
            return self.show_picking()
        if choice == "2":
            return self.show_stock()
        return self.update(self.screen.field("choice"), clear=["choice"], error=bool(choice))

    def on_picking(self, back, number):
        if back:
            self.pending_short = False
            return self.show_menu()
        location_field = self.screen.field("location")
        quantity_field = self.screen.field("quantity")
        item, wanted = ORDERS[self.order][1][self.line]
        expected = STOCK[item].location
        scanned = self.values.get("location", "").upper()
        if not scanned:
            return self.update(location_field)
        if scanned != expected:
            return self.update(location_field, ["location"], f"Wrong location {scanned}. Go to {expected}.")
        quantity = self.values.get("quantity", "")
        if not quantity:
            return self.update(quantity_field)
        if not quantity.isdigit():
            return self.update(quantity_field, ["quantity"], "Enter the quantity as a whole number.")
        if int(quantity) > wanted:
            return self.update(quantity_field, ["quantity"], f"Only {wanted} wanted.")
        if int(quantity) < wanted:
            self.pending_short = True
            return self.update(quantity_field, prompt_text="Short pick? Reason:")
        return self.next_pick()

    def on_prompt(self, reason):
        if self.screen.name != "picking" or not self.pending_short:
            return self.update(-1, error=True)
        self.pending_short = False
        if not reason.strip():
            # No reason given: the quantity is taken back.
            return self.update(self.screen.field("quantity"), ["quantity"])
        self.short_picks += 1
        return self.next_pick()

    def next_pick(self):
        number, lines = ORDERS[self.order]
        self.line += 1
        if self.line < len(lines):
            return self.show_picking()
        done = f"Order {number} picked."
        if self.short_picks:
            done += f" Short picks: {self.short_picks}."
        self.order = (self.order + 1) % len(ORDERS)
        self.line = 0
        self.short_picks = 0
        return self.show_menu(done)

    def on_stock(self, back, number):
        if back:
            return self.show_menu()
        item = self.values.get("item", "")
        if not item:
            return self.update(self.screen.field("item"))
        if item not in STOCK:
            return self.update(self.screen.field("item"), ["item"], f"Item {item} not found.")
        return self.show_stock(item)

    HANDLERS = {"sign-on": on_sign_on, "menu": on_menu, "picking": on_picking, "stock": on_stock}


# ------------------------------------------------------------------ serving


def log_line(log, direction, text):
    log.write(f"{time.strftime('%H:%M:%S')} {direction} {text}\n")
    log.flush()


def run_connection(host, session, log):
    """Talks to the connected terminal until it hangs up or signs off with F3."""
    try:
        while not session.finished:
            message = host.next_message(IDLE_TIMEOUT)
            if message is None:
                break
            log_line(log, "<-", describe(message))
            record = session.handle(message)
            if record is not None:
                log_line(log, "->", describe(record))
                host.send(record)
    except (HostError, OSError) as error:
        log_line(log, "==", f"connection dropped: {error}")
    host.close()
    log_line(log, "==", "connection closed")


def serve(host, once=False, log=sys.stderr, encoding=ANSI):
    """Serves one terminal after another; with once, only the first."""
    while True:
        try:
            host.accept(ACCEPT_WAIT)
        except HostError:
            continue
        address, port = host.connection.getpeername()[:2]
        log_line(log, "==", f"terminal connected from {address}:{port}")
        run_connection(host, TerminalSession(encoding), log)
        if once:
            return


def main(argv=None):
    parser = argparse.ArgumentParser(description="Demo warehouse host for Ravelin II terminals.")
    parser.add_argument("--port", type=int, required=True, help="port to listen on")
    parser.add_argument("--address", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    parser.add_argument("--once", action="store_true", help="end after the first connection closes")
    parser.add_argument("--utf8", action="store_true", help="texts in UTF-8 (for fieldIsUTF8 on)")
    args = parser.parse_args(argv)
    with Host(args.port, args.address) as host:
        print(f"listening on {args.address}:{host.port}", file=sys.stderr)
        try:
            serve(host, args.once, sys.stderr, "utf-8" if args.utf8 else ANSI)
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())

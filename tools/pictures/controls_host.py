#!/usr/bin/env python3
"""The host of the README's pictures of the clickable fields and of the lock:
it shows one page of check boxes, radio buttons and buttons, with labels that
enable three of the toolbar's buttons, and then answers nothing, so that the
first key the terminal sends leaves its input locked until the program ends.

    controls_host.py --port N

The trace of both directions goes to stderr, with a line "page shown" once
the terminal has shown the page and "key held" once a key has come.
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "host"))

from ravelin_host import Host  # noqa: E402
from records import (BOLD, BUTTON, CHECK_BOX, ENTRY, RADIO_BUTTON, REVERSE,  # noqa: E402
                     SELECT_BUTTON, box_size, display_page, entry_field, fixed_field, focus,
                     label, options, select_page, set_text)

WAIT = 600.0


def control(number, row, column, cells, kind, data, *more):
    return (entry_field(number, row, column, cells, ENTRY) + options(number, kind, *more) +
            set_text(number, data))


def page():
    box = box_size(2)
    return (b"H" + select_page(0) + b"E" +
            fixed_field(1, 0, 0, b"GOODS IN  PO 5520", BOLD) +
            control(2, 2, 0, 14, CHECK_BOX, b"XCounted", box) +
            control(3, 3, 0, 14, CHECK_BOX, b" Damaged", box) +
            control(4, 5, 0, 8, RADIO_BUTTON, b"XPallet", box) +
            control(5, 5, 9, 8, RADIO_BUTTON, b" Carton", box) +
            control(6, 5, 18, 8, RADIO_BUTTON, b" Loose", box) +
            control(7, 7, 0, 8, BUTTON, b"Book") +
            control(8, 7, 9, 8, BUTTON, b"Cancel") +
            control(9, 7, 18, 8, SELECT_BUTTON, b"XLabel") +
            fixed_field(10, 9, 0, b"F2 Book  F3 Back", REVERSE) +
            display_page(0) + label(2, b"SAVE") + label(3, b"BACK") + label(4, b"NEXT") +
            focus(2))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, required=True)
    args = parser.parse_args(argv)
    with Host(args.port, trace=sys.stderr) as host:
        host.accept(WAIT)
        host.next_message(WAIT)  # the identification
        host.send(page())
        host.next_message(WAIT)  # its answer
        host.sync(WAIT)
        print("page shown", file=sys.stderr, flush=True)
        host.next_message(WAIT)
        print("key held", file=sys.stderr, flush=True)
        time.sleep(WAIT)
    return 0


if __name__ == "__main__":
    sys.exit(main())

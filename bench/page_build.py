#!/usr/bin/env python3
"""Time to build a full 80 x 24 page of 97 fields under Wine.

From sending a record that builds the page to receiving the "R!" of a
following "H!" record, against the same for an empty record, in one run: a
page of labels and entry fields, and a page of clickable fields (buttons,
check boxes, radio buttons and select buttons). Then a bare program of ours
(RAVELIN_CHILD_WINDOWS) makes, paints and destroys as many child windows in
the same prefix: the floor of making the windows anew. Prints the medians,
then each page's time over the empty record's as a ratio to the bare
program's time, the entry page last (goals: at most 0.5 for the clickable
page, 0.25 for the entry page).
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "app"))
from ravelin_host import Host  # noqa: E402
from records import (BUTTON, CHECK_BOX, RADIO_BUTTON, SELECT_BUTTON, entry_field,  # noqa: E402
                     fixed_field, options, set_text, short_number)
from terminal import WINE_RUN, Terminal  # noqa: E402

ROUNDS = 60


CLICKABLE = (BUTTON, CHECK_BOX, RADIO_BUTTON, SELECT_BUTTON)


def full_page(page=0, clickable=False):
    """24 rows of a label and three entry fields, or three clickable fields of
    the kinds in turn, 97 fields in all."""
    record = b"Hs" + short_number(page) + b"E"
    number = 1
    for row in range(24):
        record += fixed_field(number, row, 0, b"Row %02d item" % row)
        for column in (12, 34, 56):
            number += 1
            record += entry_field(number, row, column, 20)
            if clickable:
                kind = CLICKABLE[number % len(CLICKABLE)]
                record += set_text(number, b"Item %d" % number) + options(number, kind)
        number += 1
    return record + fixed_field(number, 23, 78, b"ok") + b"d" + short_number(page) + b"o2"


def timed(host, record):
    started = time.perf_counter()
    host.send(record)
    host.send(b"H!")
    host.expect(b"1H")
    host.expect(b"1H")
    assert host.next_message().startswith(b"1R!")
    return time.perf_counter() - started


def connected_terminal(host, name):
    """An 80 x 24 terminal started and connected to the host."""
    t = Terminal(name, {"hostname": "127.0.0.1", "hostport": host.port, "terminalid": 1,
                        "screencols": 80, "screenrows": 24, "windowpos": "0,0,1000,700",
                        "CarrowinAdminMode": "true"})
    t.start()
    try:
        host.accept(60)
        host.expect(b"1I", 60)
    except Exception:
        t.kill()
        raise
    return t


def page_over_empty_ms(record, name):
    """Median milliseconds of the page record over the empty one's."""
    with Host(0) as host:
        t = connected_terminal(host, name)
        try:
            for _ in range(5):
                timed(host, record)
            full, empty = [], []
            for _ in range(ROUNDS):
                full.append(timed(host, record))
                empty.append(timed(host, b"H"))
        finally:
            t.kill()
    full_ms = statistics.median(full) * 1e3
    empty_ms = statistics.median(empty) * 1e3
    print(f"{name}: record of {len(record)} bytes, 97 fields; medians of {ROUNDS}:"
          f" empty record then H! {empty_ms:.2f} ms, page then H! {full_ms:.2f} ms")
    return full_ms - empty_ms


def main():
    clickable_ms = page_over_empty_ms(full_page(clickable=True), "clickable page")
    entry_ms = page_over_empty_ms(full_page(), "entry page")
    bare_ms = bare_windows_ms()
    print(f"bare program, 97 child windows made, painted, destroyed: {bare_ms:.2f} ms")
    print(f"clickable page over empty record: {clickable_ms:.2f} ms")
    print(f"entry page over empty record: {entry_ms:.2f} ms")
    print(f"clickable page over empty record / bare program's windows: {clickable_ms / bare_ms:.2f}")
    print(f"entry page over empty record / bare program's windows: {entry_ms / bare_ms:.2f}")


def bare_windows_ms():
    """Median milliseconds of the bare program's rounds, after a warm-up."""
    out = subprocess.run([WINE_RUN, os.environ["RAVELIN_CHILD_WINDOWS"], str(ROUNDS + 5)],
                         check=True, capture_output=True, timeout=600).stdout.decode()
    rounds = [sum(float(x) for x in line.split()) for line in out.splitlines()[5:]]
    return statistics.median(rounds)


if __name__ == "__main__":
    main()

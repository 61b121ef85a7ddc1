#!/usr/bin/env python3
"""Time to build a full 80 x 24 page of about 100 fields under Wine.

From sending a record that builds the page to receiving the "R!" of a
following "H!" record, against the same for an empty record, in one run.
Then a bare program of ours (RAVELIN_CHILD_WINDOWS) makes, paints and
destroys as many child windows in the same prefix: the floor of making the
windows anew. Prints the medians, last the terminal's full-page time over the
empty record's, as a ratio to the bare program's time (goal: at most 0.5).
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "app"))
from ravelin_host import Host  # noqa: E402
from records import entry_field, fixed_field, short_number  # noqa: E402
from terminal import WINE_RUN, Terminal  # noqa: E402

ROUNDS = 60


def full_page(page=0):
    """24 rows of a label and three entry fields, 97 fields in all."""
    record = b"Hs" + short_number(page) + b"E"
    number = 1
    for row in range(24):
        record += fixed_field(number, row, 0, b"Row %02d item" % row)
        for column in (12, 34, 56):
            record += entry_field(number + 1, row, column, 20)
            number += 1
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


def main():
    page = full_page()
    with Host(0) as host:
        t = connected_terminal(host, "bench_page")
        try:
            for _ in range(5):
                timed(host, page)
            full, empty = [], []
            for _ in range(ROUNDS):
                full.append(timed(host, page))
                empty.append(timed(host, b"H"))
        finally:
            t.kill()
    full_ms = statistics.median(full) * 1e3
    empty_ms = statistics.median(empty) * 1e3
    bare_ms = bare_windows_ms()
    print(f"record of {len(page)} bytes, 97 fields")
    print(f"empty record then H!: {empty_ms:.2f} ms (median of {ROUNDS})")
    print(f"full page then H!:    {full_ms:.2f} ms (median of {ROUNDS})")
    print(f"full page over empty record: {full_ms - empty_ms:.2f} ms")
    print(f"bare program, 97 child windows made, painted, destroyed: {bare_ms:.2f} ms")
    print(f"full page over empty record / bare program's windows: {(full_ms - empty_ms) / bare_ms:.2f}")


def bare_windows_ms():
    """Median milliseconds of the bare program's rounds, after a warm-up."""
    out = subprocess.run([WINE_RUN, os.environ["RAVELIN_CHILD_WINDOWS"], str(ROUNDS + 5)],
                         check=True, capture_output=True, timeout=600).stdout.decode()
    rounds = [sum(float(x) for x in line.split()) for line in out.splitlines()[5:]]
    return statistics.median(rounds)


if __name__ == "__main__":
    main()

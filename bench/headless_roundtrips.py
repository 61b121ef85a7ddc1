#!/usr/bin/env python3
"""Host round trips per second through ravelin-headless, natively: "H!"
answered by "H" and "R!".

The terminal answers that record by itself, so its stdin driver stays idle
and the figure is the terminal's link and interpreter alone. Baseline: the
native build of bench/bare_client, answering the same way with Nagle's
algorithm off. Both stay connected and take turns, a block of round trips
each, so that load on the machine falls on both alike. Prints the medians,
last the median over the blocks of the ratio of the terminal's time per
round trip to the bare client's. Environment: RAVELIN_HEADLESS (the program,
with ravelin_headless.py beside it as the build leaves them) and
RAVELIN_NATIVE_BARE_CLIENT; PYTHONPATH as for bench/terminal_roundtrips.py.
"""

import os
import statistics
import sys

sys.path.insert(0, os.path.dirname(os.environ["RAVELIN_HEADLESS"]))
from ravelin_headless import Terminal  # noqa: E402
from ravelin_host import Host  # noqa: E402
from terminal_roundtrips import connected_bare_client, round_trips  # noqa: E402

BLOCKS = 9
ROUNDS = 1000


def connected_headless(host):
    """An 80 x 24 ravelin-headless connected to the host, terminal id 1."""
    t = Terminal(host="127.0.0.1", port=host.port, id=1, cols=80, rows=24)
    try:
        host.accept(10)
        host.expect(b"1I", 10)
    except Exception:
        t.close(check=False)
        raise
    return t


def main():
    bare, ours = [], []
    with Host(0) as bare_host, Host(0) as headless_host, \
            connected_bare_client(bare_host, [os.environ["RAVELIN_NATIVE_BARE_CLIENT"]]), \
            connected_headless(headless_host):
        for _ in range(BLOCKS):
            bare.append(round_trips(bare_host, b"1", ROUNDS))
            ours.append(round_trips(headless_host, b"1", ROUNDS))
    ratio = statistics.median(o / b for o, b in zip(ours, bare))
    bare, ours = statistics.median(bare), statistics.median(ours)
    print(f"{BLOCKS} blocks of {ROUNDS} round trips each, medians:")
    print(f"bare native client, Nagle off: {1 / bare:8.0f} round trips/s ({bare * 1e6:.0f} us)")
    print(f"ravelin-headless:              {1 / ours:8.0f} round trips/s ({ours * 1e6:.0f} us)")
    print(f"ravelin-headless time per round trip / bare client's, median of {BLOCKS} pairs of"
          f" blocks: {ratio:.2f}")


if __name__ == "__main__":
    main()

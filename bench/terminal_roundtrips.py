#!/usr/bin/env python3
"""Host round trips per second under Wine: "H!" answered by "H" and "R!".

The terminal (Ravelin.exe) against a bare Winsock client of ours that answers
the same way with Nagle's algorithm off, in the same run and prefix; both
stay connected and take turns, a block of round trips each, so that load on
the machine falls on both alike. Then the bare client with Nagle's algorithm
on, which stalls the second send on the host's delayed acknowledgement.
Prints the medians, last the median over the blocks of the ratio of the
terminal's time per round trip to the bare client's (goal: at most 1.2).
Environment as for the end-to-end tests (scripts/bench sets it), plus
RAVELIN_BARE_CLIENT.
"""

import contextlib
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "app"))
from ravelin_host import Host  # noqa: E402
from page_build import connected_terminal  # noqa: E402
from terminal import WINE_RUN  # noqa: E402

BLOCKS = 9
ROUNDS = 1000
NAGLE_ROUNDS = 40


def round_trips(host, terminal_id, rounds):
    """Seconds per round trip over rounds, after a warm-up."""
    expect_h, expect_status = terminal_id + b"H", terminal_id + b"R!"
    for _ in range(50):
        host.send(b"H!")
        host.expect(expect_h)
        assert host.next_message().startswith(expect_status)
    started = time.perf_counter()
    for _ in range(rounds):
        host.send(b"H!")
        host.expect(expect_h)
        host.next_message()
    return (time.perf_counter() - started) / rounds


@contextlib.contextmanager
def connected_bare_client(host, command, nagle=False):
    """bench/bare_client, started by command and connected to the host; it
    ends when the host closes the connection."""
    args = command + ["127.0.0.1", str(host.port)]
    client = subprocess.Popen(args + (["nagle"] if nagle else []))
    try:
        host.accept(60)
        host.expect(b"1I", 60)
        yield
    finally:
        host.close()
        client.wait(60)


def bare_client(command, rounds, nagle=False):
    with Host(0) as host, connected_bare_client(host, command, nagle):
        return round_trips(host, b"1", rounds)


def main():
    command = [WINE_RUN, os.environ["RAVELIN_BARE_CLIENT"]]
    bare, ours = [], []
    with Host(0) as bare_host, Host(0) as terminal_host, \
            connected_bare_client(bare_host, command):
        t = connected_terminal(terminal_host, "bench_roundtrips")
        try:
            for _ in range(BLOCKS):
                bare.append(round_trips(bare_host, b"1", ROUNDS))
                ours.append(round_trips(terminal_host, b"1", ROUNDS))
        finally:
            t.kill()
    nagle = bare_client(command, NAGLE_ROUNDS, nagle=True)
    ratio = statistics.median(o / b for o, b in zip(ours, bare))
    bare, ours = statistics.median(bare), statistics.median(ours)
    print(f"{BLOCKS} blocks of {ROUNDS} round trips each, medians:")
    print(f"bare Winsock client, Nagle off: {1 / bare:8.0f} round trips/s ({bare * 1e3:.3f} ms)")
    print(f"bare Winsock client, Nagle on:  {1 / nagle:8.0f} round trips/s ({nagle * 1e3:.3f} ms)")
    print(f"terminal (TCP_NODELAY):         {1 / ours:8.0f} round trips/s ({ours * 1e3:.3f} ms)")
    print(f"terminal time per round trip / bare client's, median of {BLOCKS} pairs of blocks:"
          f" {ratio:.2f}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Time from starting Ravelin.exe under a warm Wine prefix to its first "I".

Baseline: the same for the bare Winsock client, which is mostly the cost of
starting a Wine process. A device's desktop is always there, whereas Wine
starts its desktop process with the first window and ends it after the last:
a bare window program (RAVELIN_IDLE_WINDOW) stays open through both, so that
neither start pays for the desktop. Prints the medians of several starts,
last the ratio of the terminal's to the bare client's (goal: at most 3).
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "app"))
from ravelin_host import Host  # noqa: E402
from terminal import WINE_RUN, Terminal  # noqa: E402

STARTS = 5


def first_identification(start):
    """Seconds from start(port) to the first "I"; start returns a stopper."""
    with Host(0) as host:
        began = time.perf_counter()
        stop = start(host.port)
        host.accept(60)
        message = host.next_message(60)
        took = time.perf_counter() - began
        stop()
        assert message.endswith(b"I"), message
        return took


def start_terminal(port):
    t = Terminal("bench_startup", {"hostname": "127.0.0.1", "hostport": port, "terminalid": 1,
                                   "CarrowinAdminMode": "true"})
    t.start()
    return t.kill


def start_bare_client(port):
    client = subprocess.Popen([WINE_RUN, os.environ["RAVELIN_BARE_CLIENT"], "127.0.0.1",
                               str(port)])
    return lambda: (client.kill(), client.wait())


def main():
    desktop = subprocess.Popen([WINE_RUN, os.environ["RAVELIN_IDLE_WINDOW"]])
    try:
        time.sleep(3)  # the desktop process starts with the first window
        bare = statistics.median(first_identification(start_bare_client) for _ in range(STARTS))
        ours = statistics.median(first_identification(start_terminal) for _ in range(STARTS))
    finally:
        desktop.kill()
        desktop.wait()
    print(f"bare Winsock client start to first I: {bare:.3f} s (median of {STARTS})")
    print(f"terminal start to first I: {ours:.3f} s (median of {STARTS})")
    print(f"terminal start / bare client's: {ours / bare:.2f}")


if __name__ == "__main__":
    main()

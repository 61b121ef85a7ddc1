#!/usr/bin/env python3
"""Memory of all 16 pages built full under Wine, and of rebuilding them.

The resident memory of the terminal's process and of its window server (the
wineserver of the prefix) together: idle after connecting, after 16 pages of
97 fields each were built and shown in turn, and after 1000 more rebuilds.
Prints the figures, last the extra memory of the 16 full pages over the idle
terminal in MB (goal: at most 5, and no growth over the rebuilds).
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "app"))
from page_build import connected_terminal, full_page, timed  # noqa: E402
from ravelin_host import Host  # noqa: E402

PAGES = 16
REBUILDS = 1000


def status_mb(pid, field):
    """A figure of /proc/PID/status in MB: VmRSS resident now, VmHWM its peak."""
    with open(f"/proc/{pid}/status") as status:
        return next(int(line.split()[1]) / 1024 for line in status
                    if line.startswith(field + ":"))


def window_server_pid():
    """The wineserver serving this run's prefix."""
    prefix = os.environ["WINEPREFIX"].encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if not os.path.basename(os.readlink(f"/proc/{pid}/exe")).startswith("wineserver"):
                continue
            with open(f"/proc/{pid}/environ", "rb") as f:
                if b"WINEPREFIX=" + prefix in f.read().split(b"\0"):
                    return int(pid)
        except OSError:
            continue
    raise RuntimeError("no wineserver for " + os.environ["WINEPREFIX"])


def main():
    server = window_server_pid()
    with Host(0) as host:
        t = connected_terminal(host, "bench_memory")
        try:
            def settled_mb():
                time.sleep(2)
                return status_mb(t.process.pid, "VmRSS") + status_mb(server, "VmRSS")

            idle = settled_mb()
            pages = [full_page(p) for p in range(PAGES)]
            for page in pages:
                timed(host, page)
            built = settled_mb()
            for i in range(REBUILDS):
                timed(host, pages[i % PAGES])
            rebuilt = settled_mb()
        finally:
            t.kill()
    print(f"idle terminal and window server: {idle:.1f} MB")
    print(f"after {REBUILDS} more rebuilds: {rebuilt - built:+.1f} MB")
    print(f"{PAGES} full pages over idle: {built - idle:.1f} MB")


if __name__ == "__main__":
    main()

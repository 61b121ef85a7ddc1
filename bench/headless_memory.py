#!/usr/bin/env python3
"""Peak memory of ravelin-headless with all 16 pages built full, natively.

The peak resident set (VmHWM) of the program idle after connecting, the
baseline, and after the host has built the 16 pages of 97 fields each that
bench/page_memory.py builds, and shown them in turn. Prints the figures in MB, last
the ratio of the full pages' peak to the idle one. Environment as for
bench/headless_roundtrips.py.
"""

from headless_roundtrips import connected_headless
from page_build import full_page, timed
from page_memory import PAGES, status_mb
from ravelin_host import Host


def main():
    with Host(0) as host, connected_headless(host) as t:
        idle = status_mb(t.process.pid, "VmHWM")
        for page in range(PAGES):
            timed(host, full_page(page))
        full = status_mb(t.process.pid, "VmHWM")
    print(f"ravelin-headless peak, idle after connecting: {idle:.1f} MB")
    print(f"ravelin-headless peak, {PAGES} full pages:         {full:.1f} MB"
          f" ({full - idle:+.1f} MB)")
    print(f"ravelin-headless peak with {PAGES} full pages / idle: {full / idle:.2f}")


if __name__ == "__main__":
    main()

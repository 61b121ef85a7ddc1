#!/usr/bin/env python3
"""What an idle terminal costs under Wine.

The terminal shows a page of a label and a button, connected to a host
that sends nothing more; over 30 seconds, the CPU time of the terminal and of
the Wine server, and how often the terminal's threads woke. Then the same
with a label and a clock on the page (goal: at most two wake-ups a second),
and the same for a bare program of ours with a shown window and 40 static
child windows (RAVELIN_IDLE_WINDOW): the floor.
Prints the figures, last the terminal's idle CPU over the bare program's
(goal: at most 1.5).
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "app"))
from ravelin_host import Host  # noqa: E402
from records import BUTTON, SYSTEM, entry_field, fixed_field, options, set_text, short_number  # noqa: E402
from terminal import WINE_RUN, Terminal  # noqa: E402
from page_memory import window_server_pid  # noqa: E402

SECONDS = 30
SETTLE = 5
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def switches(pid):
    """The voluntary context switches of all the process's threads."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status") as f:
                total += next(int(line.split()[1]) for line in f
                              if line.startswith("voluntary_ctxt_switches"))
        except (OSError, StopIteration):
            continue
    return total


def idle_cost(pid):
    """(CPU seconds of the process and the Wine server, wake-ups a second)
    over SECONDS, after SETTLE seconds. A wake-up is a sampling interval of
    10 ms in which a thread of the process ran: one tick's repaint takes
    several Wine server requests, each a context switch, but wakes the
    processor once."""
    time.sleep(SETTLE)
    server = window_server_pid()
    cpu = cpu_seconds(pid) + cpu_seconds(server)
    end = time.monotonic() + SECONDS
    woke, last = 0, switches(pid)
    while time.monotonic() < end:
        time.sleep(0.01)
        now = switches(pid)
        woke += now != last
        last = now
    return cpu_seconds(pid) + cpu_seconds(server) - cpu, woke / SECONDS


def page(clock):
    """A label and a button with the focus: an input field, so the host is not
    awaited, without the caret, which blinks by a timer of the system's."""
    record = b"Hs" + short_number(0) + b"E" + fixed_field(1, 2, 2, b"Item")
    record += entry_field(2, 2, 10, 12) + set_text(2, b"OK") + options(2, BUTTON)
    if clock:
        record += entry_field(3, 0, 70, 5, type_byte=SYSTEM)
    return record + b"d" + short_number(0) + b"o2"


def terminal_cost(clock):
    with Host(0) as host:
        t = Terminal("bench_idle", {"hostname": "127.0.0.1", "hostport": host.port,
                                    "terminalid": 1, "screencols": 80, "screenrows": 24,
                                    "windowpos": "0,0,1000,700", "CarrowinAdminMode": "true"})
        t.start()
        try:
            host.accept(60)
            host.expect(b"1I", 60)
            host.send(page(clock))
            host.send(b"H!")
            host.expect(b"1H", 60)
            return idle_cost(t.process.pid)
        finally:
            t.kill()


def bare_cost():
    bare = subprocess.Popen([WINE_RUN, os.environ["RAVELIN_IDLE_WINDOW"]])
    try:
        return idle_cost(bare.pid)
    finally:
        bare.kill()
        bare.wait()


def main():
    bare_cpu, bare_woke = bare_cost()
    plain_cpu, plain_woke = terminal_cost(clock=False)
    clock_cpu, clock_woke = terminal_cost(clock=True)
    print(f"over {SECONDS} s: CPU seconds of the program and the Wine server, wake-ups a second")
    print(f"bare program, 40 static windows: {bare_cpu:.2f} s, {bare_woke:.1f}/s")
    print(f"terminal, a clock shown:         {clock_cpu:.2f} s, {clock_woke:.1f}/s")
    print(f"terminal, nothing blinking:      {plain_cpu:.2f} s, {plain_woke:.1f}/s")
    print(f"idle terminal CPU / bare program's: {plain_cpu / max(bare_cpu, 0.01):.2f}")


if __name__ == "__main__":
    main()

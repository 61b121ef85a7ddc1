#!/usr/bin/env python3
"""The serial feature port under Wine, a pty as the device.

Prints the device-to-host latency (device write to the host's "R<") for
several read interval time-outs, without framing so that the end of each read
ends the input, and then the bytes per second the write thread passes to the
device from the host's ">" output, the main figure, last. Environment as for
the end-to-end tests (scripts/bench sets it), WINEPREFIX included.
"""

import os
import statistics
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "app"))
from ravelin_host import Host  # noqa: E402
from terminal import ARTIFACTS, PORT, Device, Terminal, serial_out  # noqa: E402

SAMPLES = 20
INTERVALS = (20, 100, 500)
CHUNK = bytes(range(65, 65 + 26)) * 7  # 182 bytes, one ">" each
RECORDS, PER_RECORD = 40, 20


def run(name, feature, interval, work):
    os.makedirs(ARTIFACTS, exist_ok=True)
    device = Device()
    try:
        with Host(0) as host:
            terminal = Terminal(name, {
                "hostname": "127.0.0.1", "hostport": host.port, "terminalid": 1,
                "CarrowinAdminMode": "true", "serial": f'"COM{PORT}:,115200,8,None,1"',
                "serialcommand": "true", "serialfeature": feature,
                "serialReadIntervalTimeout": interval}).start()
            try:
                host.accept(60)
                host.expect(b"1I", 60)
                return work(host, device)
            finally:
                terminal.kill()
    finally:
        device.close()


def latency(host, device):
    times = []
    for i in range(SAMPLES):
        data = b"%02d" % i
        sent = time.perf_counter()
        device.send(data)
        host.expect(b"1R<12" + data, 10)
        times.append(time.perf_counter() - sent)
        time.sleep(0.05)
    return statistics.median(times)


def throughput(host, device):
    """The device reads while the host sends: a full pty would hold the
    writes back and the queue would fill and drop requests."""
    record = b"Hs0E" + serial_out(0, CHUNK) * PER_RECORD + b"d0o/"
    want = len(CHUNK) * PER_RECORD * RECORDS
    got = []
    reader = threading.Thread(target=lambda: got.append(device.read(want, 30)))
    reader.start()
    started = time.perf_counter()
    for _ in range(RECORDS):
        host.send(record)
        host.expect(b"1H")
    reader.join()
    return len(got[0]) / (time.perf_counter() - started), len(got[0]), want


def main():
    for interval in INTERVALS:
        seconds = run("bench_serial_latency", "true,0,0,false,0,0", interval, latency)
        print(f"device to host, read interval time-out {interval} ms: "
              f"{seconds * 1000:.1f} ms (median of {SAMPLES})")
    rate, got, want = run("bench_serial_write", "false,0,0,true,0,0", 500, throughput)
    print(f"bytes to the device: {got} of {want}")
    print(f"write thread: {rate:.0f} bytes/s")


if __name__ == "__main__":
    main()

"""The serial feature port under Wine. A socat pty pair stands for the cable:
one end is linked as the prefix's COMn, the test is the device at the other."""

import fcntl
import os
import select
import shutil
import signal
import subprocess
import termios
import time
import unittest

from exchanges import SERIAL, serial_bound
from records import entry_field, fixed_field, set_text, short_number, text
from terminal import ARTIFACTS, TIMEOUT, TITLE, WM_CLOSE, wait_until
from test_shell import TerminalTest

PORT = 37  # COM37: far from the ports a prefix maps to real devices
# The prefix of the test run, or the one cmake/wine-run.sh takes without one.
PREFIX = os.environ.get("WINEPREFIX") or os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "wineprefix")


def serial_out(mode, data):
    """The ">" command: text for the device, with line ends by mode."""
    return b">0" + short_number(mode) + text(data)


def wine_process(folder):
    """The pid of the Windows process started from folder, or None."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read().split(b"\0")[0].decode("utf-8", "replace")
        except OSError:
            continue
        if command.endswith("Ravelin.exe") and os.path.basename(folder) in command:
            return int(pid)
    return None


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def open_files(pid):
    files = set()
    for fd in os.listdir(f"/proc/{pid}/fd"):
        try:
            files.add(os.readlink(f"/proc/{pid}/fd/{fd}"))
        except OSError:
            pass
    return files


class Device:
    """A socat pty pair: COMn of the prefix at one end, this object at the other."""

    def __init__(self, end):
        self.com = os.path.join(PREFIX, "dosdevices", f"com{PORT}")
        self.end = end
        for link in (self.com, self.end):
            if os.path.lexists(link):
                os.remove(link)
        self.socat = subprocess.Popen(
            ["socat", "pty,raw,echo=0,link=" + self.com, "pty,raw,echo=0,link=" + self.end],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not wait_until(lambda: os.path.exists(self.com) and os.path.exists(self.end)):
            raise RuntimeError("socat made no pty pair")
        self.tty = os.path.realpath(self.com)
        self.fd = os.open(self.end, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        termios.tcflush(self.fd, termios.TCIOFLUSH)

    def send(self, data):
        os.write(self.fd, data)

    def read(self, count, timeout=TIMEOUT):
        """Exactly count bytes, or what came before the time-out."""
        got = b""
        end = time.monotonic() + timeout
        while len(got) < count and time.monotonic() < end:
            if select.select([self.fd], [], [], 0.1)[0]:
                got += os.read(self.fd, count - len(got))
        return got

    def wait_read(self):
        """Whether the terminal read all the device sent (socat took it, the
        terminal read it); then a second for its window to take it."""
        com = os.open(self.tty, os.O_RDONLY | os.O_NOCTTY | os.O_NONBLOCK)
        queues = [(self.fd, termios.TIOCOUTQ), (com, termios.FIONREAD)]
        read = wait_until(lambda: all(fcntl.ioctl(fd, request, bytes(4)) == bytes(4)
                                      for fd, request in queues))
        os.close(com)
        time.sleep(1)
        return read

    def quiet(self, seconds=1.5):
        return self.read(1, seconds) == b""

    def unplug(self):
        """The cable goes: socat ends and both ptys close."""
        if self.socat.poll() is None:
            self.socat.send_signal(signal.SIGKILL)
            self.socat.wait()
        if self.fd is not None:
            os.close(self.fd)
            self.fd = None

    def close(self):
        self.unplug()
        for link in (self.com, self.end):
            if os.path.lexists(link):
                os.remove(link)


class SerialTest(TerminalTest):
    def setUp(self):
        super().setUp()
        if not shutil.which("socat"):
            self.skipTest("socat is not installed")
        self.device = None

    def tearDown(self):
        super().tearDown()
        if self.device:
            self.device.close()

    def start_with_port(self, command=False, port=PORT, **settings):
        values = {"serial": f'"COM{port}:,9600,8,None,1"',
                  "serialcommand": "true" if command else "false", **SERIAL, **settings}
        self.start(**values)
        self.pid = wait_until(lambda: wine_process(self.terminal.folder))
        self.assertIsNotNone(self.pid)

    def start(self, **settings):
        self.device = Device(os.path.join(ARTIFACTS, self.name + ".device"))
        super().start(**settings)

    def port_open(self):
        # Once the pty has gone, the link reads "/dev/pts/N (deleted)".
        return any(f.split(" ")[0] == self.device.tty for f in open_files(self.pid))

    def assertWorksWithoutThePort(self):
        """Output for the device goes nowhere; keys reach the host; exit is quick."""
        self.page(b"Hs0E" + serial_out(0, b"AB") + entry_field(2, 2, 0, 4) + b"d0o2")
        self.terminal.press("F3")
        self.host.expect(b"12RF32")
        self.assertExitsInASecond()

    def assertExitsInASecond(self):
        """WM_CLOSE to exit; the window's own part of it, the port's close
        included, is well inside the second."""
        self.terminal.command(0, TITLE, WM_CLOSE)
        asked = time.monotonic()
        self.assertEqual(self.terminal.wait_exit(), 0)
        self.assertLess(time.monotonic() - asked, 1.0)


class SerialOutputTest(SerialTest):
    def test_host_output_reaches_the_device_framed(self):
        self.start_with_port()
        self.assertTrue(wait_until(self.port_open))
        self.page(b"Hs0E" + serial_out(0, b"AB") + serial_out(1, b"CD") + serial_out(2, b"EF") +
                  serial_out(1, b"G\0H") + fixed_field(5, 1, 0, b"HELLO") + serial_bound(5) +
                  set_text(5, b"BYE") + entry_field(6, 2, 0, 4) + serial_bound(6) +
                  b"d0o" + short_number(-1))
        want = (b"\x02AB\r" b"\x02CD\r\r" b"\x02\nEF\r\r" b"\x02G\r\r" b"\x02HELLO\r"
                b"\x02" b"BYE\r")
        self.assertEqual(self.device.read(len(want)), want)
        self.assertTrue(self.device.quiet())
        self.assertExitsInASecond()

    def test_write_thread_keeps_up_with_a_stream(self):
        self.start_with_port(serialfeature="false,0,0,true,0,0",
                             serial=f'"COM{PORT}:,115200,8,None,1"')
        chunk = bytes(range(65, 65 + 26)) * 7  # 182 bytes
        self.page(b"Hs0E" + serial_out(0, chunk) * 20 + b"d0o/")
        self.assertEqual(self.device.read(len(chunk) * 20), chunk * 20)
        self.assertExitsInASecond()


class SerialLifeTest(SerialTest):
    def test_both_directions_off_open_nothing(self):
        self.start_with_port(serialfeature="false,2,3,false,2,13")
        self.page(b"Hs0E" + serial_out(0, b"AB") + b"d0o/")
        self.device.send(b"\x02ABC\x03")
        self.assertTrue(self.device.quiet())
        self.assertQuiet()
        self.assertFalse(self.port_open())
        self.assertExitsInASecond()

    def test_a_port_that_does_not_exist_leaves_the_terminal_working(self):
        self.start_with_port(command=True, port=PORT + 1)
        self.assertWorksWithoutThePort()

    def test_the_device_going_closes_the_port(self):
        self.start_with_port(command=True)
        self.assertTrue(wait_until(self.port_open))
        self.device.unplug()
        self.assertTrue(wait_until(lambda: not self.port_open()))
        self.assertWorksWithoutThePort()

    def test_an_idle_open_port_costs_next_to_no_cpu(self):
        self.start_with_port(command=True)
        self.assertTrue(wait_until(self.port_open))
        self.page(b"Hs0Ed0o/")
        time.sleep(1)
        before = cpu_seconds(self.pid)
        time.sleep(5)
        used = cpu_seconds(self.pid) - before
        print(f"\nidle open port: {used:.2f} s of CPU in 5 s", flush=True)
        self.assertLess(used, 0.25)
        # The port still reads, and a scan the line cut in two reads arrives whole.
        self.device.send(b"\x02" b"12")
        time.sleep(0.5)  # ten read interval time-outs
        self.device.send(b"34\x03")
        self.host.expect(b"12R<1412" b"34")
        self.assertExitsInASecond()


if __name__ == "__main__":
    unittest.main()

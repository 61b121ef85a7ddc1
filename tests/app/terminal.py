"""Ravelin.exe under Wine against a scripted host, in a folder of its own with
its "Ravelin.ini"; its windows seen through the probe, a pty for its serial
port. CTest sets the environment; DISPLAY and WINEPREFIX come from the test run."""

import contextlib
import fcntl
import os
import pathlib
import re
import select
import shutil
import subprocess
import termios
import time
import tty
import unittest
from types import SimpleNamespace

from exchanges import SERIAL
from ravelin_host import Host, HostError
from records import short_number, text

EXE = os.environ.get("RAVELIN_EXE", "")
PROBE = os.environ.get("RAVELIN_PROBE", "")
WINE_RUN = os.environ.get("RAVELIN_WINE_RUN", "")
ARTIFACTS = os.environ.get("RAVELIN_ARTIFACTS", "/tmp/ravelin-e2e")

TITLE = "Ravelin"
WM_CLOSE, WM_COMMAND, IDOK, IDCANCEL = 0x0010, 0x0111, 1, 2
WS_CAPTION, WS_DISABLED = 0x00C00000, 0x08000000
# Generous: a loaded machine may take seconds to start a Wine process.
TIMEOUT = 60
# The frame's windows that are neither pages nor fields, and the child id of
# a spare field window, kept for the page's next fields.
FRAME_CLASSES, SPARE_ID = ("VDKCToolBar", "VDKCToolBarButton", "VDKCAnimate"), -1


def read_ids(source=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")):
    """Menu commands, control ids and messages: "#define NAME 1" and "NAME = 1," in headers."""
    ids = {}
    for folder, _, files in os.walk(source):
        for name in (f for f in files if f.endswith(".h")):
            with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as header:
                for match in re.finditer(r"^\s*(?:#define\s+(\w+)\s+|(\w+)\s*=\s*)(\d+)\b",
                                         header.read(), re.MULTILINE):
                    ids.setdefault(match[1] or match[2], int(match[3]))
    return SimpleNamespace(**ids)


ID = read_ids()


def wait_until(predicate, timeout=TIMEOUT, step=0.1):
    end = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > end:
            return None
        time.sleep(step)
    return value


def probe(*args, timeout=20, attempts=3):
    """(exit code, output) of the probe. One started as the Wine server shuts down can hang."""
    for attempt in range(attempts):
        try:
            done = subprocess.run([WINE_RUN, PROBE, *map(str, args)], capture_output=True,
                                  timeout=timeout)
            return done.returncode, done.stdout.decode("utf-8", "replace").strip()
        except subprocess.TimeoutExpired:
            if attempt == attempts - 1:
                raise


def window_exists(title, command="count"):
    return probe(command, title)[1] not in ("", "0")


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def screenshot(name):
    path = os.path.join(ARTIFACTS, f"{name}.png")
    subprocess.run(["import", "-window", "root", path], capture_output=True)
    return path


def colours_in(path, rect):
    """Every colour in a screen rectangle of a screenshot, as 0xRRGGBB."""
    x, y, w, h = rect
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "-format", "%c",
                          "histogram:info:-"], capture_output=True, text=True).stdout
    return {int(m, 16) for m in re.findall(r"#([0-9A-Fa-f]{6})", out)}


def windows(title=TITLE):
    """Every window inside the terminal's (or a dialog's), its screen rect among the rest."""
    rows = [line.split() for line in probe("children", title)[1].splitlines()]
    return [{"handle": r[0], "class": r[1], "id": int(r[2]), "visible": r[3] == "1",
             "rect": tuple(map(int, r[4:]))} for r in rows]


def children(page=False):
    """The terminal's field windows (or its page windows), spares left out."""
    return [w for w in windows() if w["class"] not in FRAME_CLASSES and w["id"] != SPARE_ID and
            (w["class"] == "VDKCPage") == page]


def of_class(name):
    return [w for w in windows() if w["class"] == name]


def field_window(number):
    return next((w for w in children() if w["id"] == number), None)


def client(title=TITLE):
    return tuple(map(int, probe("client", title)[1].split()))


class Terminal:
    def __init__(self, name, settings=None):
        """settings: the values of the settings file, or its bytes."""
        self.folder = os.path.join(ARTIFACTS, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.exe = shutil.copy(EXE, self.folder)
        self.settings_path = pathlib.Path(self.folder, "Ravelin.ini")
        if isinstance(settings, dict):
            settings = "".join(f"{k}={v}\r\n" for k, v in settings.items()).encode("latin-1")
        if settings is not None:
            self.settings_path.write_bytes(settings)
        self.process = None

    def start(self, trace=None, args=(), lang=None):
        """trace: Wine debug channels for wine.log; lang: the locale of the ANSI code page."""
        self.log = open(os.path.join(self.folder, "wine.log"), "wb")
        wine = {"RAVELIN_WINEDEBUG": trace, "RAVELIN_WINE_LANG": lang}
        env = {**os.environ, **{k: v for k, v in wine.items() if v}}
        self.process = subprocess.Popen([WINE_RUN, self.exe, *args], cwd=self.folder, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        return self

    def wait_window(self, title=TITLE, timeout=TIMEOUT):
        # A dialog is shown only once its controls are made and filled in.
        return wait_until(lambda: window_exists(title, "shown"), timeout)

    def settings(self):
        lines = self.settings_path.read_bytes().decode("latin-1").split("\r\n")
        return dict(line.split("=", 1) for line in lines if "=" in line)

    def command(self, command_id, title=TITLE, message=WM_COMMAND):
        return probe("post", title, message, command_id, 0)[0] == 0

    def focus(self, title=TITLE):
        window = wait_until(lambda: subprocess.run(
            ["xdotool", "search", "--name", f"^{title}$"], capture_output=True).stdout.split())
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)

    def press(self, *keys, title=TITLE):
        self.focus(title)
        for key in keys:
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)

    def mouse(self, x, y, *actions, title=TITLE):
        """The left button's actions ("click", "mousedown", "mouseup") at a point of the screen."""
        self.focus(title)
        here = subprocess.run(["xdotool", "getmouselocation", "--shell"], capture_output=True,
                              text=True, check=True).stdout
        # --sync waits for the pointer to move, in vain when it is there already.
        if f"X={x}\nY={y}\n" not in here:
            subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=True)
        for action in actions:
            subprocess.run(["xdotool", action, "1"], check=True)

    def wait_exit(self, timeout=TIMEOUT):
        """The exit code, or None while it runs on."""
        with contextlib.suppress(subprocess.TimeoutExpired):
            return self.process.wait(timeout)

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
            # The Windows process may outlive its Unix starter for a moment.
            wait_until(lambda: not window_exists(TITLE), 10)
        if self.process:
            self.log.close()


class TerminalTest(unittest.TestCase):
    def setUp(self):
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.name = self.id().split(".")[-1]
        self.trace = open(os.path.join(ARTIFACTS, self.name + ".trace"), "w")
        self.host = Host(0, trace=self.trace)
        self.terminal = None

    def tearDown(self):
        if self.terminal:
            self.terminal.kill()
        self.host.close_listener()
        self.trace.close()

    def start(self, connect=True, args=(), lang=None, trace=None, **extra):
        if self.terminal:
            self.terminal.kill()
        values = {"hostname": "127.0.0.1", "hostport": self.host.port, "terminalid": 12,
                  "screencols": 80, "screenrows": 24, "windowstate": 0,
                  "windowpos": "20,20,480,360", "fieldentertof0": "true",
                  "CarrowinAdminMode": "true", **extra}
        self.terminal = Terminal(self.name, self.settings_file(values)).start(trace, args, lang)
        if connect:
            self.connect()
        self.assertTrue(self.terminal.wait_window())

    def settings_file(self, values):
        return values

    def connect(self):
        self.host.accept(TIMEOUT)
        self.host.expect(b"12I", TIMEOUT)

    def page(self, record):
        self.host.send(record)
        self.host.expect(b"12H")
        # Input opens while the record is read, before the window work that
        # shows its page is done.
        self.host.sync()
        self.assertTrue(wait_until(
            lambda: probe("send", TITLE, ID.UM_GETINPUTSTATE, 0, 0)[1] == "0"))

    def dialog(self, title, control, text):
        self.assertTrue(wait_until(lambda: probe("text", title, control)[1] == text))

    def close_dialog(self, title, button=IDCANCEL):
        self.terminal.command(button, title)
        self.assertTrue(wait_until(lambda: not window_exists(title)), title)

    def assertQuiet(self, seconds=1.5):
        with contextlib.suppress(HostError):
            self.fail(f"the terminal sent {self.host.next_message(seconds)!r}")

    def assertExits(self, *command):
        """The command (WM_CLOSE by default) ends the terminal well inside the 20 s that a
        stuck port thread or look-up held it."""
        self.terminal.command(*(command or (0, TITLE, WM_CLOSE)))
        self.assertEqual(self.terminal.wait_exit(10), 0)

    def assertToolBar(self, height):
        """The toolbar of that height (0: none) across the top, its buttons in a row, the
        page below; the buttons' rectangles."""
        x, y, width, _ = client()
        buttons = of_class("VDKCToolBarButton")
        self.assertEqual([w["rect"] for w in of_class("VDKCToolBar")],
                         [(x, y, width, height)] if height else [])
        side = height - 7  # the picture and its bevel, 4 pixels down and 3 up from the edges
        self.assertEqual([w["rect"] for w in buttons],
                         [(x + 4 + i * height, y + 4, side, side) for i in range(5)] if height
                         else [])
        self.assertEqual({w["rect"][1] for w in of_class("VDKCPage")}, {y + height})
        return {w["id"]: w["rect"] for w in buttons}

    def assertPainted(self, name, probes):
        """Waits until a screenshot shows each probe's colour: (field or 0 for the page, x
        and y in it, from the far side below 0, or "mid", 0xRRGGBB); the screenshot."""
        wrong = None

        def painted():
            nonlocal wrong
            path, wrong = screenshot(name), []
            rects = {w["id"]: w["rect"] for w in children()}
            rects[0] = next(w["rect"] for w in children(page=True) if w["visible"])
            for number, dx, dy, colour in probes:
                x, y, w, h = rects.get(number, (-9, -9, 1, 1))
                at = (x + (w // 2 if dx == "mid" else dx % w),
                      y + (h // 2 if dy == "mid" else dy % h), 1, 1)
                if (found := colours_in(path, at)) != {colour}:
                    wrong.append((number, dx, dy, f"{colour:06X}", [f"{c:06X}" for c in found]))
            return None if wrong else path

        path = wait_until(painted, step=0.5)
        self.assertTrue(path, wrong)
        return path


PORT = 37  # COM37: far from the ports a prefix maps to real devices
# The prefix of the test run, or the one cmake/wine-run.sh takes without one.
PREFIX = os.environ.get("WINEPREFIX") or os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "wineprefix")


def serial_out(mode, data):
    """The ">" command: text for the device, with line ends by mode."""
    return b">0" + short_number(mode) + text(data)


class Device:
    """A pty for the cable: its terminal end linked as the prefix's COMn, the
    test the device at the other. The test holds the terminal end as well, so
    that the port can close and open again; the device's end closing unplugs it."""

    def __init__(self):
        self.fd, self.held = os.openpty()
        tty.setraw(self.held)
        os.set_blocking(self.fd, False)
        self.tty, self.com = os.ttyname(self.held), os.path.join(PREFIX, f"dosdevices/com{PORT}")
        if os.path.lexists(self.com):
            os.remove(self.com)
        os.symlink(self.tty, self.com)

    def send(self, data):
        os.write(self.fd, data)

    def read(self, count, timeout=TIMEOUT):
        got, end = b"", time.monotonic() + timeout
        while len(got) < count and time.monotonic() < end:
            if select.select([self.fd], [], [], 0.1)[0]:
                got += os.read(self.fd, count - len(got))
        return got

    def wait_read(self):
        """Whether the terminal read all the device sent; then a second for its window."""
        read = wait_until(lambda: fcntl.ioctl(self.held, termios.FIONREAD, bytes(4)) == bytes(4))
        time.sleep(1)
        return read

    def line(self):
        """The speed and stop bits the port set (a pty keeps no data bits or parity of its own)."""
        _, _, cflag, _, _, speed, _ = termios.tcgetattr(self.held)
        return speed, 2 if cflag & termios.CSTOPB else 1

    def unplug(self):
        if self.fd is not None:
            os.close(self.fd)
            self.fd = None

    def close(self):
        self.unplug()
        os.close(self.held)
        os.remove(self.com)


class SerialTest(TerminalTest):
    def setUp(self):
        super().setUp()
        self.device = Device()
        self.addCleanup(self.device.close)

    def start_with_port(self, **settings):
        self.start(**{"serial": f'"COM{PORT}:,9600,8,None,1"', **SERIAL, **settings})
        self.assertTrue(wait_until(self.port_open))

    def port_open(self):
        """Whether the terminal has the pty open: once it has gone, the link
        reads "/dev/pts/N (deleted)". Wine runs the program in the process it started."""
        fds = f"/proc/{self.terminal.process.pid}/fd"
        return any(os.path.realpath(os.path.join(fds, fd)) == self.device.tty
                   for fd in os.listdir(fds))

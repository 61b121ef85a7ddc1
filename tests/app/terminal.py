"""Runs Ravelin.exe under Wine for end-to-end tests, each in its own folder
with a copy of the program and the test's "Ravelin.ini". CTest sets the
environment; DISPLAY and WINEPREFIX come from the test run."""

import os
import re
import shutil
import subprocess
import time
from types import SimpleNamespace

EXE = os.environ.get("RAVELIN_EXE", "")
PROBE = os.environ.get("RAVELIN_PROBE", "")
WINE_RUN = os.environ.get("RAVELIN_WINE_RUN", "")
ARTIFACTS = os.environ.get("RAVELIN_ARTIFACTS", "/tmp/ravelin-e2e")

TITLE = "Ravelin"
WM_CLOSE, WM_COMMAND, IDOK, IDCANCEL = 0x0010, 0x0111, 1, 2
# Generous: a loaded machine may take seconds to start a Wine process.
TIMEOUT = 60


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
    """Returns the first true value of predicate(), or None after timeout."""
    end = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > end:
            return None
        time.sleep(step)
    return value


def probe(*args, timeout=20, attempts=3):
    """Runs the probe in the test run's prefix; returns (exit code, output). A Wine
    process started just as the Wine server shuts down can hang: such a probe runs again."""
    for attempt in range(attempts):
        try:
            done = subprocess.run([WINE_RUN, PROBE, *map(str, args)], capture_output=True,
                                  timeout=timeout)
            return done.returncode, done.stdout.decode("utf-8", "replace").strip()
        except subprocess.TimeoutExpired:
            if attempt == attempts - 1:
                raise


def window_exists(title):
    return probe("count", title)[1] not in ("", "0")


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def screenshot(name):
    path = os.path.join(ARTIFACTS, f"{name}.png")
    subprocess.run(["import", "-window", "root", path], capture_output=True)
    return path


class Terminal:
    """One Ravelin.exe with its own folder and settings file."""

    def __init__(self, name, settings=None):
        self.folder = os.path.join(ARTIFACTS, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.exe = os.path.join(self.folder, "Ravelin.exe")
        shutil.copy(EXE, self.exe)
        self.settings_path = os.path.join(self.folder, "Ravelin.ini")
        if settings is not None:
            with open(self.settings_path, "wb") as f:
                f.write("".join(f"{k}={v}\r\n" for k, v in settings.items()).encode("latin-1"))
        self.process = None

    def start(self, trace=None, args=(), lang=None):
        """Starts the program with the command-line args; trace names Wine
        debug channels whose messages go to wine.log with its output, lang
        the locale that gives Windows its ANSI code page."""
        self.log = open(os.path.join(self.folder, "wine.log"), "wb")
        wine = {"RAVELIN_WINEDEBUG": trace, "RAVELIN_WINE_LANG": lang}
        env = {**os.environ, **{k: v for k, v in wine.items() if v}}
        self.process = subprocess.Popen([WINE_RUN, self.exe, *args], cwd=self.folder, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        return self

    def wait_window(self, title=TITLE, timeout=TIMEOUT):
        # A dialog is shown only once its controls are made and filled in.
        return wait_until(lambda: probe("shown", title)[1] not in ("", "0"), timeout)

    def settings(self):
        """The key=value lines of the settings file (the last one wins)."""
        with open(self.settings_path, "rb") as f:
            lines = f.read().decode("latin-1").split("\r\n")
        return dict(line.split("=", 1) for line in lines if "=" in line)

    def peak_memory_mb(self):
        """The most resident memory the running process has had."""
        with open(f"/proc/{self.process.pid}/status") as status:
            return next(int(line.split()[1]) // 1024
                        for line in status if line.startswith("VmHWM:"))

    def command(self, command_id, title=TITLE, message=WM_COMMAND):
        """Posts a command (or another message) to a window."""
        return probe("post", title, message, command_id, 0)[0] == 0

    def focus(self, title=TITLE):
        window = wait_until(lambda: subprocess.run(
            ["xdotool", "search", "--name", f"^{title}$"], capture_output=True).stdout.split())
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)

    def press(self, *keys, title=TITLE):
        """Types keys (xdotool names) into the window with that title."""
        self.focus(title)
        for key in keys:
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)

    def mouse(self, x, y, *actions, title=TITLE):
        """Moves the mouse to a point of the screen, then does the actions
        ("click", "mousedown", "mouseup") with its left button."""
        self.focus(title)
        here = subprocess.run(["xdotool", "getmouselocation", "--shell"], capture_output=True,
                              text=True, check=True).stdout
        # --sync waits for the pointer to move, in vain when it is there already.
        if f"X={x}\nY={y}\n" not in here:
            subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=True)
        for action in actions:
            subprocess.run(["xdotool", action, "1"], check=True)

    def wait_exit(self, timeout=TIMEOUT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
            # The Windows process may outlive its Unix starter for a moment.
            wait_until(lambda: not window_exists(TITLE), 10)
        if self.process:
            self.log.close()

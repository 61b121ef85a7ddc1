"""The terminal as a whole under Wine: link, trace, dialogs at 96 and 144
pixels per inch, first start, shutdown, and the lock animation: after five
seconds of a lock in the top-right corner, following the window, gone when
the host answers; the connecting picture while no host answers."""

import contextlib
import os
import re
import socket
import subprocess
import threading
import time

from exchanges import HELLO, WORKED_RECORD, control, entry, key_message, screen
from ravelin_host import HostError, encode_record
from records import (BUTTON, CHECK_BOX, ENTRY, HIDDEN, PLAIN, advisory, box_size, entry_field,
                     fixed_field, label, set_text)
from terminal import (ID, IDOK, TIMEOUT, TITLE, WINE_RUN, WS_CAPTION, Terminal, TerminalTest,
                      client, colours_in, field_window, of_class, probe, screenshot, wait_until,
                      window_exists, windows)
from wire_trace import read_trace

PANEL = (200, 70)  # the animation's client size
# A pixel of the terminal picture's scan button, which only the connecting
# picture has, in the animation's client area.
SCAN_BUTTON, AMBER = (12, 63), 0xFAB428
SCALE_PAGE = screen(fixed_field(1, 0, 0, b"Location:"), entry_field(2, 0, 10, 8),
                    set_text(2, b"A-12-03"), control(3, CHECK_BOX, b"XDamaged", ENTRY, box_size(2)),
                    control(4, BUTTON, b" Confirm"), label(5, b"SAVE"), label(7, b"NEXT"))
DIALOGS = {ID.IDM_HOST: "Host Options", ID.IDM_SCANNER: "Scanner Options",
           ID.IDM_SCREEN: "Screen Options", ID.IDM_FIELDS: "Field Options",
           ID.IDM_FONT: "Font Options", ID.IDM_SERIALSETTINGS: "Serial Port Options",
           ID.IDM_SERIALFEATURE: "Serial Feature Options",
           ID.IDM_SOUND_NORMAL: "Options Normal Sound", ID.IDM_ABOUT: "About Ravelin II",
           ID.IDM_OPTIONS: "Login"}


def shown_animation():
    return next((w["rect"] for w in of_class("VDKCAnimate") if w["visible"]), None)


def scan_button(name, rect):
    """Whether a screenshot shows the scan button amber: the window less its frame and caption."""
    x, y, w, h = rect
    border = (w - PANEL[0]) // 2
    left, top = x + border + SCAN_BUTTON[0], y + h - border - PANEL[1] + SCAN_BUTTON[1]
    return colours_in(screenshot(name), (left, top, 1, 1)) == {AMBER}


def set_scale(dpi):
    """The pixels per inch of the Wine programs started from now on."""
    subprocess.run([WINE_RUN, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], check=True, capture_output=True)


class ShellTest(TerminalTest):
    def test_status_reconnect_trace_dialogs_and_exit_while_the_host_streams(self):
        self.start(args=["--trace", "wire.trace"])
        connected = time.gmtime().tm_sec
        self.host.send(b"H!")
        self.host.expect(b"12H")
        # 80 columns, 24 rows, terminal 12, and the second of the clock.
        status = self.host.next_message()
        self.assertEqual(status[:11], b"12R!\x822" b"10" + bytes([48 + 40, 48 + 0xA0 + 12]) + b"@")
        second = status[11] - 48
        self.assertLessEqual(min((second - connected) % 60, (connected - second) % 60), 2)
        # The host closes: the terminal says goodbye and comes back a second later.
        self.host.connection.shutdown(socket.SHUT_WR)
        closed = time.monotonic()
        self.host.expect(b"12&")
        self.host.expect_end()
        self.host.accept(TIMEOUT)
        self.assertTrue(0.9 <= time.monotonic() - closed <= 2.0)
        self.host.expect(b"12I")
        # The trace, which the command line asked for, goes on across the links.
        traced = [e[1:] for e in read_trace(os.path.join(self.terminal.folder, "wire.trace"))]
        self.assertEqual(traced[-5:], [
            ("disconnect", b"closed by host"), ("out", b"12&\xff\xef"),
            ("connect", f"connecting 127.0.0.1:{self.host.port}".encode()),
            ("connect", b"connected"), ("out", b"12I\xff\xef")])

        self.terminal.command(ID.IDM_HOST)
        self.assertTrue(self.terminal.wait_window("Host Options"))
        for host, answer in (("127.0.0.1", r"^time=\d+ms TTL=\d+ms$"),
                             ("no-such-host.invalid", r"^Unknown error=\d+$")):
            probe("settext", "Host Options", ID.IDC_HOSTNAME, host)
            self.terminal.command(ID.IDC_PING, "Host Options")
            self.assertTrue(wait_until(lambda: re.match(
                answer, probe("text", "Host Options", ID.IDC_PING_RESULT)[1]), step=0.5), host)
        self.close_dialog("Host Options")

        # Records without pause must not starve the operator's keys and menu.
        stop = threading.Event()

        def stream():
            with contextlib.suppress(OSError):
                while not stop.is_set():
                    self.host.send_raw(encode_record(WORKED_RECORD) * 20)
                    with contextlib.suppress(HostError):
                        while True:
                            self.host.next_message(0.001)

        sender = threading.Thread(target=stream, daemon=True)
        sender.start()
        time.sleep(2)
        # File, then Exit at the foot of its menu, with the window at 20,20.
        # A starved menu never ends the terminal while the host streams; how
        # soon it ends depends on the machine, which is not for a test to say.
        self.terminal.mouse(37, 53, "click")
        time.sleep(0.5)
        self.terminal.mouse(52, 306, "click")
        self.assertEqual(self.terminal.wait_exit(), 0)
        stop.set()
        sender.join(10)

    def test_first_start_asks_for_the_host_unless_the_settings_cannot_be_read(self):
        # A settings file that is there but cannot be read (here a folder in
        # its place) must not bring up a first start that overwrites it.
        self.terminal = Terminal("unreadable_settings")
        os.makedirs(self.terminal.settings_path)
        self.assertEqual(self.terminal.start().wait_exit(), 0)
        self.assertTrue(os.path.isdir(self.terminal.settings_path))
        self.terminal.kill()  # its log
        self.terminal = Terminal("first_start").start()
        self.assertTrue(self.terminal.wait_window("Host Options"))
        self.assertFalse(window_exists(TITLE))
        screenshot("host-options-first-start")
        self.terminal.press("Return", title="Host Options")
        self.assertTrue(self.terminal.wait_window())
        self.assertEqual(self.terminal.settings()["CarrowinAdminMode"], "true")

    def test_connecting_awaiting_moves_and_exit_while_no_host_answers(self):
        # A listener whose accept queue is full: a connect to it gets no answer.
        with socket.create_server(("127.0.0.1", 0), backlog=0) as silent, \
                socket.create_connection(silent.getsockname()):
            silent_port = silent.getsockname()[1]
            self.start(connect=False, hostport=silent_port, fontautosize="true")
            self.assertNotEqual(int(probe("style", TITLE)[1], 16) & WS_CAPTION, 0)
            rect = wait_until(shown_animation, 5 + TIMEOUT)
            self.assertInCorner(rect)
            self.assertTrue(scan_button("animation-connecting", rect))
            # A new host in Host Options: the session that waits ends at once.
            self.set_host_port(self.host.port)
            asked = time.monotonic()
            self.connect()
            self.assertLess(time.monotonic() - asked, 10)

            self.page(screen(HELLO, entry(2, 1, 8), entry(3, 2, 8, attribute=PLAIN | HIDDEN)))
            before = field_window(2)["rect"]
            self.move((20, 20, 800, 600), lambda: field_window(2)["rect"][2] > before[2])
            self.terminal.press("F2")
            self.host.expect(key_message(2))
            locked = time.monotonic()
            rect = wait_until(shown_animation, 5 + TIMEOUT)
            self.assertGreater(time.monotonic() - locked, 4.0)
            self.assertInCorner(rect)
            self.assertFalse(scan_button("animation-awaiting-host", rect))
            # Records that leave input locked do not hide the picture again.
            self.host.send(b"Ax")
            self.host.expect(b"12I")
            self.host.expect(b"")
            self.host.sync()
            self.assertIsNone(wait_until(lambda: shown_animation() is None, timeout=2))
            # Smaller, the fields follow with the font; the hidden one stays hidden.
            self.move((50, 60, 400, 300), lambda: field_window(2)["rect"][2] < before[2] and
                      (shown_animation() or rect)[:2] != rect[:2])
            self.assertInCorner(shown_animation())
            self.page(WORKED_RECORD)
            self.assertTrue(wait_until(lambda: not of_class("VDKCAnimate")))
            self.terminal.press("F3")
            self.host.expect(key_message(3))

            # Back to the host that never answers, and File, Exit meanwhile.
            self.set_host_port(silent_port)
            self.host.expect_end()
            time.sleep(2)  # well inside the connect
            os.remove(self.terminal.settings_path)
            self.assertExits(ID.IDM_EXIT)
            saved = self.terminal.settings()
            self.assertEqual((saved["hostport"], saved["windowstate"], saved["windowpos"]),
                             (str(silent_port), "0", "50,60,400,300"))

    def set_host_port(self, port):
        self.terminal.command(ID.IDM_HOST)
        self.assertTrue(self.terminal.wait_window("Host Options"))
        probe("settext", "Host Options", ID.IDC_HOSTPORT, port)
        self.terminal.command(IDOK, "Host Options")

    def move(self, place, moved):
        self.assertEqual(probe("move", TITLE, *place)[0], 0)
        self.assertTrue(wait_until(moved, timeout=10))
        self.assertFalse(field_window(3)["visible"])

    def assertInCorner(self, rect):
        (x, y, w, _), (cx, cy, cw, _) = rect, client()
        self.assertEqual((x + w, y), (cx + cw, cy))

    def test_page_and_dialogs_fit_at_each_scale(self):
        # The cells follow the font, the toolbar keeps its pictures' size above
        # the page, every dialog holds all its controls: scale-DPI-NAME.png.
        cells = []
        for dpi in (96, 144):
            set_scale(dpi)
            try:
                self.start(toolbarsize=1)
            finally:
                set_scale(96)  # read once by each program as it starts
            self.page(SCALE_PAGE)
            self.assertToolBar(43)  # toolbarsize 1 at any scale
            cells.append(field_window(2)["rect"][3])
            screenshot(f"scale-{dpi}-page")
            for command, title in DIALOGS.items():
                self.terminal.command(command)
                self.assertFitsAndClose(title, f"scale-{dpi}-{title.lower().replace(' ', '-')}")
            self.host.send(b"H" + advisory(2, b"Wrong location: scan the shelf label again."))
            self.host.expect(b"12H")
            self.assertFitsAndClose("Advisory", f"scale-{dpi}-advisory")
        self.assertGreater(cells[1], cells[0])  # the field font follows the scale

    def assertFitsAndClose(self, title, shot):
        self.assertTrue(self.terminal.wait_window(title), title)
        x, y, width, height = client(title)
        for left, top, w, h in (c["rect"] for c in windows(title) if c["visible"]):
            self.assertTrue(x <= left and y <= top and left + w <= x + width and
                            top + h <= y + height, (title, left, top, w, h))
        screenshot(shot)
        self.close_dialog(title)

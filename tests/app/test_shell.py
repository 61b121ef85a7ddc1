"""The terminal as a whole under Wine: link, keys, window, dialogs, shutdown."""

import contextlib
import os
import re
import socket
import threading
import time
import unittest

from exchanges import WORKED_RECORD
from ravelin_host import Host, HostError, encode_record
from wire_trace import read_trace
from terminal import (ARTIFACTS, ID, IDCANCEL, IDOK, TIMEOUT, TITLE, WM_CLOSE, WM_COMMAND,
                      Terminal, probe, screenshot, wait_until, window_exists)

WS_CAPTION = 0x00C00000


class TerminalTest(unittest.TestCase):
    """A scripted host on a free loopback port and one terminal."""

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

    def start(self, connect=True, args=(), lang=None, **extra):
        values = {"hostname": "127.0.0.1", "hostport": self.host.port, "terminalid": 12,
                  "screencols": 80, "screenrows": 24, "windowstate": 0,
                  "windowpos": "20,20,480,360", "fieldentertof0": "true",
                  "CarrowinAdminMode": "true", **extra}
        self.terminal = Terminal(self.name, values).start(args=args, lang=lang)
        if connect:
            self.connect()
        self.assertTrue(self.terminal.wait_window())

    def connect(self):
        self.host.accept(TIMEOUT)
        self.host.expect(b"12I", TIMEOUT)

    def page(self, record):
        """Sends a record and waits until it has released input."""
        self.host.send(record)
        self.host.expect(b"12H")
        # Input opens while the record is read, before the window work that
        # shows its page is done.
        self.host.sync()
        self.assertTrue(wait_until(
            lambda: probe("send", TITLE, ID.UM_GETINPUTSTATE, 0, 0)[1] == "0"))

    def dialog(self, title, control, text):
        self.assertTrue(wait_until(lambda: probe("text", title, control)[1] == text))

    def assertQuiet(self, seconds=1.5):
        """Nothing arrives from the terminal for a while."""
        with contextlib.suppress(HostError):
            self.fail(f"the terminal sent {self.host.next_message(seconds)!r}")


class LinkTest(TerminalTest):
    def test_identification_status_and_reconnect(self):
        self.start(args=["--trace", "wire.trace"])
        connected = time.gmtime().tm_sec
        self.host.send(b"H!")
        self.host.expect(b"12H")
        status = self.host.next_message()
        self.assertEqual(status[:11], b"12R!\x822" b"10" + bytes([48 + 40, 48 + 0xA0 + 12]) + b"@")
        self.assertEqual(len(status), 12)
        second = status[11] - 48
        self.assertLessEqual(min((second - connected) % 60, (connected - second) % 60), 2)
        # The host closes: the terminal says goodbye and comes back a second later.
        self.host.connection.shutdown(socket.SHUT_WR)
        closed = time.monotonic()
        self.host.expect(b"12&")
        self.host.expect_end()
        self.host.accept(TIMEOUT)
        delay = time.monotonic() - closed
        self.host.expect(b"12I")
        self.assertGreaterEqual(delay, 0.9)
        self.assertLessEqual(delay, 2.0)
        # The trace has each message of both sides and why the link ended.
        trace = os.path.join(self.terminal.folder, "wire.trace")
        traced = [entry[1:] for entry in read_trace(trace)]
        self.assertEqual(traced[1:6], [
            ("connect", f"connecting 127.0.0.1:{self.host.port}".encode()),
            ("connect", b"connected"), ("out", b"12I\xff\xef"), ("in", b"H!\xff\xef"),
            ("out", b"12H\xff\xef")])
        self.assertIn(("out", status + b"\xff\xef"), traced)
        self.assertEqual(traced[-5:], [("disconnect", b"closed by host"), ("out", b"12&\xff\xef"),
                                       *traced[1:4]])


class WindowTest(TerminalTest):
    def test_full_screen_has_no_caption_and_ignores_close_and_exit(self):
        self.start(connect=False, fullscreen="true")
        self.assertEqual(int(probe("style", TITLE)[1], 16) & WS_CAPTION, 0)
        self.terminal.command(0, TITLE, WM_CLOSE)
        self.terminal.command(ID.IDM_EXIT)
        self.assertIsNone(self.terminal.wait_exit(3))
        self.assertTrue(window_exists(TITLE))

    def test_first_start_asks_for_the_host_in_admin_mode(self):
        self.terminal = Terminal("first_start").start()
        self.assertTrue(self.terminal.wait_window("Host Options"))
        self.assertFalse(window_exists(TITLE))
        screenshot("host-options-first-start")
        self.terminal.press("Return", title="Host Options")
        self.assertTrue(self.terminal.wait_window())
        self.assertEqual(self.terminal.settings()["CarrowinAdminMode"], "true")

    def test_settings_that_cannot_be_read_are_no_first_start(self):
        # A settings file that is there but cannot be read (here a folder in
        # its place) must not bring up a first start that overwrites it.
        self.terminal = Terminal("unreadable_settings")
        os.makedirs(self.terminal.settings_path)
        self.terminal.start()
        self.assertEqual(self.terminal.wait_exit(), 0)
        self.assertFalse(window_exists("Host Options"))
        self.assertTrue(os.path.isdir(self.terminal.settings_path))

    def test_file_exit_while_the_host_streams(self):
        # Records without pause must not starve the operator's keys and menu.
        self.start()
        os.remove(self.terminal.settings_path)
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
        self.assertEqual(self.terminal.settings()["hostport"], str(self.host.port))

    def test_exit_while_connecting_to_a_host_that_never_answers(self):
        # A listener whose accept queue is full: a connect to it gets no answer.
        with socket.create_server(("127.0.0.1", 0), backlog=0) as silent, \
                socket.create_connection(silent.getsockname()):
            silent_port = silent.getsockname()[1]
            self.start(connect=False, hostport=silent_port)
            time.sleep(2)  # well inside the connect
            # A new host in Host Options: the session that waits ends at once.
            self.set_host_port(self.host.port)
            asked = time.monotonic()
            self.connect()
            self.assertLess(time.monotonic() - asked, 10)
            # Back to the host that never answers, and File, Exit meanwhile.
            self.set_host_port(silent_port)
            self.host.expect_end()
            time.sleep(2)  # well inside the connect
            os.remove(self.terminal.settings_path)
            self.assertExitsAtOnce(ID.IDM_EXIT)
            self.assertEqual(self.terminal.settings()["hostport"], str(silent_port))

    def set_host_port(self, port):
        self.terminal.command(ID.IDM_HOST)
        self.assertTrue(self.terminal.wait_window("Host Options"))
        probe("settext", "Host Options", ID.IDC_HOSTPORT, port)
        self.terminal.command(IDOK, "Host Options")

    def assertExitsAtOnce(self, *command):
        self.terminal.command(*command)
        asked = time.monotonic()
        self.assertEqual(self.terminal.wait_exit(), 0)
        self.assertLess(time.monotonic() - asked, 2.0)


class DialogTest(TerminalTest):
    def test_about_text_and_ping_from_host_options(self):
        self.start()
        self.terminal.command(ID.IDM_ABOUT)
        self.dialog("About Ravelin II", ID.IDC_ABOUT_TEXT,
                    "Ravelin\r\nVersion: 2.0.0.1\r\nCopyright (C) 2026 the Ravelin II team")
        probe("post", "About Ravelin II", WM_COMMAND, IDOK, 0)
        self.assertTrue(wait_until(lambda: not window_exists("About Ravelin II")))
        self.terminal.command(ID.IDM_HOST)
        self.assertTrue(self.terminal.wait_window("Host Options"))
        for host, answer in (("127.0.0.1", r"^time=\d+ms TTL=\d+ms$"),
                             ("no-such-host.invalid", r"^Unknown error=\d+$")):
            probe("settext", "Host Options", ID.IDC_HOSTNAME, host)
            probe("post", "Host Options", WM_COMMAND, ID.IDC_PING, 0)
            self.assertTrue(wait_until(lambda: re.match(
                answer, probe("text", "Host Options", ID.IDC_PING_RESULT)[1]), step=0.5), host)
        probe("post", "Host Options", WM_COMMAND, IDCANCEL, 0)
        self.assertTrue(wait_until(lambda: not window_exists("Host Options")))


if __name__ == "__main__":
    unittest.main()

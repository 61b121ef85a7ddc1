"""The terminal as a whole under Wine: link, keys, window, dialogs, shutdown."""

import os
import re
import socket
import threading
import time
import unittest

from ravelin_host import Host, HostError
from terminal import (ARTIFACTS, ID, IDCANCEL, IDOK, TIMEOUT, TITLE, WM_CLOSE, WM_COMMAND,
                      Terminal, probe, screenshot, wait_until, window_exists)

WORKED_RECORD = b"Hs0Ef1005Helloi210C@8d0o2"
WS_CAPTION = 0x00C00000


def settings(port, **extra):
    values = {
        "hostname": "127.0.0.1", "hostport": port, "terminalid": 12,
        "screencols": 80, "screenrows": 24, "windowstate": 0,
        "windowpos": "20,20,480,360", "fieldentertof0": "true",
        "CarrowinAdminMode": "true",
    }
    values.update(extra)
    return values


def key_message(key, field=2):
    return b"12RF" + bytes([48 + key, 48 + field])


class TerminalTest(unittest.TestCase):
    """A scripted host on a free loopback port and one terminal."""

    def setUp(self):
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.trace = open(os.path.join(ARTIFACTS, self.id().split(".")[-1] + ".trace"), "w")
        self.host = Host(0, trace=self.trace)
        self.terminal = None

    def tearDown(self):
        if self.terminal:
            self.terminal.kill()
        self.host.close_listener()
        self.trace.close()

    def start(self, **extra):
        self.terminal = Terminal(self.id().split(".")[-1], settings(self.host.port, **extra))
        self.terminal.start()
        return self.terminal

    def connect(self):
        self.host.accept(TIMEOUT)
        self.host.expect(b"12I", TIMEOUT)

    def show_worked_page(self):
        """Sends the worked record and waits until input is released."""
        self.host.send(WORKED_RECORD)
        self.host.expect(b"12H")
        self.wait_input_released()

    def wait_input_released(self):
        self.assertTrue(wait_until(
            lambda: probe("send", TITLE, ID.UM_GETINPUTSTATE, 0, 0)[1] == "0"))

    def dialog_text(self, title, control):
        return probe("text", title, control)[1]

    def assertQuiet(self, seconds=1.5):
        """Nothing arrives from the terminal for a while."""
        try:
            message = self.host.next_message(seconds)
        except HostError:
            return
        self.fail(f"the terminal sent {message!r}")


class LinkTest(TerminalTest):
    def test_identification_and_status(self):
        self.start()
        self.connect()
        connected = time.gmtime().tm_sec
        self.host.send(b"Ax")
        self.host.expect(b"12I")
        self.host.expect(b"")  # the terminator itself is acknowledged
        self.host.send(b"H!")
        self.host.expect(b"12H")
        status = self.host.next_message()
        self.assertEqual(status[:11], b"12R!\x822" b"10" + bytes([48 + 40, 48 + 0xA0 + 12]) + b"@")
        self.assertEqual(len(status), 12)
        second = status[11] - 48
        self.assertLessEqual(min((second - connected) % 60, (connected - second) % 60), 2)

    def test_reconnects_a_second_after_the_host_closes(self):
        self.start()
        self.connect()
        self.host.connection.shutdown(socket.SHUT_WR)
        closed = time.monotonic()
        self.host.expect(b"12&")
        self.host.expect_end()
        self.host.accept(TIMEOUT)
        delay = time.monotonic() - closed
        self.host.expect(b"12I")
        self.assertGreaterEqual(delay, 0.9)
        self.assertLessEqual(delay, 2.0)

    def test_keeps_trying_while_no_host_listens(self):
        port = self.host.port
        self.host.close_listener()
        self.terminal = Terminal("keeps_trying", settings(port)).start()
        self.assertTrue(self.terminal.wait_window())
        time.sleep(3)
        self.host = Host(port, trace=self.trace)
        listening = time.monotonic()
        self.host.accept(TIMEOUT)
        self.host.expect(b"12I")
        self.assertLessEqual(time.monotonic() - listening, 2.5)


class KeyTest(TerminalTest):
    def test_a_page_without_input_stops_takes_the_keys(self):
        self.start()
        self.connect()
        self.host.send(b"Hs0Ef1005Hellod0o/")
        self.host.expect(b"12H")
        self.wait_input_released()
        self.terminal.press("F3")
        self.host.expect(key_message(3, -1))
        self.show_worked_page()
        self.terminal.press("F4")
        self.host.expect(key_message(4))

    def test_keys_reach_the_host_once_a_record_releases_input(self):
        self.start()
        self.connect()
        self.assertTrue(self.terminal.wait_window())
        self.terminal.press("F1")  # input starts locked: nothing goes out
        self.assertQuiet()
        for key, number in [("F1", 1), ("shift+F1", 11), ("ctrl+3", 23), ("Return", 0)]:
            with self.subTest(key=key):
                self.show_worked_page()
                self.terminal.press(key)  # in the entry field, which has the focus
                self.host.expect(key_message(number))
                self.terminal.press("F2")  # the terminal awaits the host
                self.assertQuiet()
        screenshot("main-window")


class WindowTest(TerminalTest):
    def test_full_screen_has_no_caption_and_ignores_close_and_exit(self):
        self.start(fullscreen="true")
        self.assertTrue(self.terminal.wait_window())
        self.assertEqual(int(probe("style", TITLE)[1], 16) & WS_CAPTION, 0)
        probe("post", TITLE, WM_CLOSE, 0, 0)
        self.terminal.command(ID.IDM_EXIT)
        self.assertIsNone(self.terminal.wait_exit(3))
        self.assertTrue(window_exists(TITLE))

    def test_closing_a_moved_window_saves_its_place(self):
        self.start()
        self.assertTrue(self.terminal.wait_window())
        self.assertNotEqual(int(probe("style", TITLE)[1], 16) & WS_CAPTION, 0)
        self.assertEqual(probe("move", TITLE, 50, 60, 500, 400)[0], 0)
        self.assertTrue(wait_until(lambda: probe("rect", TITLE)[1] == "50 60 500 400"))
        self.assertEqual(self.terminal.close(), 0)
        saved = self.terminal.settings()
        self.assertEqual(saved["windowstate"], "0")
        self.assertEqual(saved["windowpos"], "50,60,500,400")

    def test_shutdown_while_the_host_streams(self):
        self.start()
        self.connect()
        os.remove(self.terminal.settings_path)
        streaming = threading.Event()
        streaming.set()

        def stream():
            try:
                while streaming.is_set():
                    self.host.send(WORKED_RECORD + b"!")
                    while self.host.connection and self.host.next_message(0.001) is not None:
                        pass
            except (OSError, HostError):
                pass

        sender = threading.Thread(target=stream, daemon=True)
        sender.start()
        time.sleep(2)
        probe("post", TITLE, WM_CLOSE, 0, 0)
        asked = time.monotonic()
        code = self.terminal.wait_exit()
        took = time.monotonic() - asked
        streaming.clear()
        sender.join(10)
        self.assertEqual(code, 0)
        self.assertLess(took, 2.0)
        self.assertEqual(self.terminal.settings()["hostport"], str(self.host.port))

    def test_exit_while_connecting_to_a_host_that_never_answers(self):
        # A listener whose accept queue is full: a connect to it gets no answer.
        silent = socket.socket()
        silent.bind(("127.0.0.1", 0))
        silent.listen(0)
        queued = socket.create_connection(silent.getsockname())
        try:
            self.start(hostport=silent.getsockname()[1])
            self.assertTrue(self.terminal.wait_window())
            time.sleep(2)  # well inside the connect

            # A new host in Host Options: the session that waits ends at once.
            self.terminal.command(ID.IDM_HOST)
            self.assertTrue(self.terminal.wait_window("Host Options"))
            probe("settext", "Host Options", ID.IDC_HOSTPORT, self.host.port)
            probe("post", "Host Options", WM_COMMAND, IDOK, 0)
            asked = time.monotonic()
            self.connect()
            self.assertLess(time.monotonic() - asked, 10)

            # Back to the host that never answers, and File, Exit meanwhile.
            self.terminal.command(ID.IDM_HOST)
            self.assertTrue(self.terminal.wait_window("Host Options"))
            probe("settext", "Host Options", ID.IDC_HOSTPORT, silent.getsockname()[1])
            probe("post", "Host Options", WM_COMMAND, IDOK, 0)
            self.host.expect_end()
            time.sleep(2)  # well inside the connect
            os.remove(self.terminal.settings_path)

            self.terminal.command(ID.IDM_EXIT)
            asked = time.monotonic()
            code = self.terminal.wait_exit()
            took = time.monotonic() - asked
            self.assertEqual(code, 0)
            self.assertLess(took, 2.0)
            self.assertEqual(self.terminal.settings()["hostport"],
                             str(silent.getsockname()[1]))
        finally:
            queued.close()
            silent.close()


class FirstStartTest(TerminalTest):
    def test_first_start_asks_for_the_host_in_admin_mode(self):
        self.terminal = Terminal("first_start").start()
        self.assertTrue(self.terminal.wait_window("Host Options"))
        self.assertFalse(window_exists(TITLE))
        screenshot("host-options-first-start")
        self.terminal.press("Return", title="Host Options")
        self.assertTrue(self.terminal.wait_window())
        self.assertEqual(self.terminal.settings()["CarrowinAdminMode"], "true")


class DialogTest(TerminalTest):
    def test_ping_from_host_options(self):
        self.start()
        self.assertTrue(self.terminal.wait_window())
        self.terminal.command(ID.IDM_HOST)
        self.assertTrue(self.terminal.wait_window("Host Options"))
        probe("post", "Host Options", WM_COMMAND, ID.IDC_PING, 0)
        answer = wait_until(lambda: self.dialog_text("Host Options", ID.IDC_PING_RESULT))
        self.assertRegex(answer, r"^time=\d+ms TTL=\d+ms$")
        screenshot("host-options-ping")
        probe("settext", "Host Options", ID.IDC_HOSTNAME, "no-such-host.invalid")
        probe("post", "Host Options", WM_COMMAND, ID.IDC_PING, 0)
        answer = wait_until(lambda: re.match(r"^Unknown error=\d+$", self.dialog_text(
            "Host Options", ID.IDC_PING_RESULT)), step=0.5)
        self.assertIsNotNone(answer)
        probe("post", "Host Options", WM_COMMAND, IDCANCEL, 0)
        self.assertTrue(wait_until(lambda: not window_exists("Host Options")))

    def test_about_shows_name_and_version(self):
        self.start()
        self.assertTrue(self.terminal.wait_window())
        self.terminal.command(ID.IDM_ABOUT)
        self.assertTrue(self.terminal.wait_window("About Ravelin II"))
        lines = self.dialog_text("About Ravelin II", ID.IDC_ABOUT_TEXT).split("\r\n")
        self.assertEqual(lines[:2], ["Ravelin", "Version: 2.0.0.1"])
        self.assertIn("Copyright", lines[2])
        screenshot("about")
        probe("post", "About Ravelin II", WM_COMMAND, IDOK, 0)
        self.assertTrue(wait_until(lambda: not window_exists("About Ravelin II")))

    def test_advisory_shows_the_host_text(self):
        self.start()
        self.connect()
        text = b"  Wrong location"
        self.host.send(b"Hs0Ef1005Helloi210C@8d0a2" + bytes([48 + len(text)]) + text + b"o2")
        self.host.expect(b"12H")
        self.assertTrue(self.terminal.wait_window("Advisory"))
        self.assertTrue(wait_until(
            lambda: self.dialog_text("Advisory", ID.IDC_ADVISORY_TEXT) == "Wrong location"))
        screenshot("advisory")
        probe("post", "Advisory", WM_COMMAND, IDOK, 0)
        self.assertTrue(wait_until(lambda: not window_exists("Advisory")))
        self.terminal.press("F3")
        self.host.expect(key_message(3))

    def test_prompt_answer_goes_to_the_host_cut_to_its_room(self):
        self.start()
        self.connect()
        question = b"Short pick? Reason:"
        # 8 characters, then 0 and -2 (-1 asks for no prompt): no room, no answer.
        for length, answer in [(b"8", b"8DAMAGED "), (b"0", b"0"), (b".", b"0")]:
            with self.subTest(length=length):
                self.host.send(b"Hs0Ef1005Helloi210C@8d0o2h" + length + bytes(
                    [48 + len(question)]) + question)
                self.host.expect(b"12H")
                self.assertTrue(self.terminal.wait_window("Hey You"))
                self.assertTrue(wait_until(
                    lambda: self.dialog_text("Hey You", ID.IDC_PROMPT_TEXT) == question.decode()))
                probe("settext", "Hey You", ID.IDC_PROMPT_ANSWER, "DAMAGED STOCK")
                screenshot("prompt")
                probe("post", "Hey You", WM_COMMAND, IDOK, 0)
                self.host.expect(b"12R?" + answer)

    def test_one_host_dialog_at_a_time(self):
        self.start()
        self.connect()
        self.host.send(b"Hs0Ef1005Helloi210C@8d0o2")
        self.host.expect(b"12H")
        for n in range(5):
            text = b"Message %d" % n
            self.host.send(b"Ha2" + bytes([48 + len(text)]) + text)
            self.host.expect(b"12H")
        self.assertTrue(wait_until(
            lambda: self.dialog_text("Advisory", ID.IDC_ADVISORY_TEXT) == "Message 4"))
        self.assertEqual(probe("count", "Advisory")[1], "1")
        screenshot("one-advisory")

        # A prompt closes the Advisory and takes its place.
        self.host.send(b"Hh8" + bytes([48 + 4]) + b"Why?")
        self.host.expect(b"12H")
        self.assertTrue(self.terminal.wait_window("Hey You"))
        self.assertTrue(wait_until(lambda: not window_exists("Advisory")))
        self.assertEqual(probe("count", "Hey You")[1], "1")

        # The host's reset closes the one dialog there is.
        self.host.send(b"I")
        self.host.expect(b"")
        self.assertTrue(wait_until(lambda: not window_exists("Hey You")))
        self.assertEqual(probe("count", "Advisory")[1], "0")


if __name__ == "__main__":
    unittest.main()

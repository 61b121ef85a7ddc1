"""The lock animation under Wine: hidden for the first five seconds of a lock,
then in the top-right corner, following the window, gone when the host
answers; the connecting picture while no host answers."""

import socket
import subprocess
import time
import unittest

from exchanges import WORKED_RECORD, key_message
from terminal import TIMEOUT, TITLE, probe, screenshot, wait_until
from test_fields import of_class
from test_shell import TerminalTest

PANEL = (200, 70)  # the animation's client size
# A pixel of the terminal picture's scan button, which only the connecting
# picture has, in the animation's client area.
SCAN_BUTTON, AMBER = (12, 63), 0xFAB428


def shown_animation():
    return next((w["rect"] for w in of_class("VDKCAnimate") if w["visible"]), None)


def client_corner():
    """The top-right corner of the main window's client area."""
    x, y, w, _ = map(int, probe("client", TITLE)[1].split())
    return x + w, y


def pixel(path, rect, point):
    """A pixel of the animation's client area: the window less its frame and caption."""
    x, y, w, h = rect
    border = (w - PANEL[0]) // 2
    left, top = x + border + point[0], y + h - border - PANEL[1] + point[1]
    out = subprocess.run(["convert", path, "-crop", f"1x1+{left}+{top}", "-format",
                          "%[hex:p{0,0}]", "info:-"], capture_output=True, text=True).stdout
    return int(out.strip()[:6], 16)


class AnimationTest(TerminalTest):
    def assertInCorner(self, rect):
        x, y, w, _ = rect
        self.assertEqual((x + w, y), client_corner())

    def test_awaiting_the_host_shows_after_five_seconds_moves_and_goes(self):
        self.start()
        self.page(WORKED_RECORD)
        self.terminal.press("F2")
        self.host.expect(key_message(2))
        locked = time.monotonic()
        time.sleep(1.5)
        self.assertIsNone(shown_animation())
        rect = wait_until(shown_animation, 5 + TIMEOUT)
        self.assertGreater(time.monotonic() - locked, 4.0)
        self.assertInCorner(rect)
        path = screenshot("animation-awaiting-host")
        self.assertNotEqual(pixel(path, rect, SCAN_BUTTON), AMBER)
        # Records that leave input locked do not hide the picture again.
        self.host.send(b"Ax")
        self.host.expect(b"12I")
        self.host.expect(b"")
        self.host.send(b"")
        self.host.expect(b"")
        self.assertIsNone(wait_until(lambda: shown_animation() is None, timeout=2))

        probe("move", TITLE, 60, 50, 560, 400)
        self.assertTrue(wait_until(lambda: (shown_animation() or (0, 0, 0, 0))[0:2] !=
                                   rect[0:2]))
        self.assertInCorner(shown_animation())

        self.page(WORKED_RECORD)
        self.assertTrue(wait_until(lambda: not of_class("VDKCAnimate")))
        self.terminal.press("F3")
        self.host.expect(key_message(3))

    def test_connecting_picture_while_no_host_answers(self):
        # A listener whose accept queue is full: a connect to it gets no answer.
        with socket.create_server(("127.0.0.1", 0), backlog=0) as silent, \
                socket.create_connection(silent.getsockname()):
            self.start(connect=False, hostport=silent.getsockname()[1])
            rect = wait_until(shown_animation, 5 + TIMEOUT)
            self.assertInCorner(rect)
            path = screenshot("animation-connecting")
            self.assertEqual(pixel(path, rect, SCAN_BUTTON), AMBER)


if __name__ == "__main__":
    unittest.main()

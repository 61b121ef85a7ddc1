"""Tests of the demo warehouse host: its records, its reading of terminal
messages, and a session on loopback with a plain socket as the terminal."""

import io
import os
import socket
import sys
import threading
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "demo-host"))

import demo_host as dh  # noqa: E402
import ravelin_host as rh  # noqa: E402
from records import field_data, short_number  # noqa: E402


class DemoHostTest(unittest.TestCase):
    def test_records_and_pick_decisions(self):
        hello = dh.Screen("x", 0, [dh.Text(0, 0, "Hello"), dh.Entry("name", 1, 0, 8)], "")
        self.assertEqual(hello.record(), b"Hs0Ef1005Helloi210C@8d0o2")
        self.assertEqual(dh.update_record(dh.SIGN_ON, 4, ["password"], prompt_text="Why?"),
                         b"Hs0u60h<4Why?o4")
        screen = dh.picking_screen(0, 0)
        location, quantity = screen.field("location"), screen.field("quantity")
        next_line = dh.picking_record(0, 1)

        def enter(where, count=None):
            data = [(location, where)] + ([(quantity, count)] if count else [])
            return b"1RF0" + short_number(quantity) + b"".join(field_data(*d) for d in data)

        short = enter(b"A-01-02", b"7")
        for name, messages, expected in [
            ("wrong location", [enter(b"A-09-09")], b"Hs2u:0a:"),
            ("short pick asks why", [short], b"Hs2h<"),
            ("reason goes on", [short, b"1R?3bad"], next_line),
            ("right pick goes on", [enter(b"a-01-02", b"12")], next_line),
            ("F3 to the menu", [b"1RF3/"], dh.menu_record("ANNA")),
        ]:
            with self.subTest(name):
                session = dh.TerminalSession()
                session.user = "ANNA"
                session.show_picking()
                for message in messages:
                    record = session.handle(message)
                self.assertTrue(record.startswith(expected), record)

    def test_sign_on_menu_and_back_on_loopback(self):
        host, log = rh.Host(0), io.StringIO()
        server = threading.Thread(target=dh.serve, args=(host, True, log))
        server.start()
        user, password = dh.SIGN_ON.field("user"), dh.SIGN_ON.field("password")
        with socket.create_connection(("127.0.0.1", host.port), timeout=10) as terminal:
            wire = terminal.makefile("rb")

            def exchange(message, answer=None):
                terminal.sendall(message + rh.TERMINATOR)
                received = b""
                while not received.endswith(rh.TERMINATOR) and (byte := wire.read(1)):
                    received += byte
                if answer is not None:
                    self.assertTrue(received.startswith(answer), received)
                    terminal.sendall(b"1H" + rh.TERMINATOR)  # needs no answer
                return received

            exchange(b"1I", rh.encode_record(dh.sign_on_record()))
            exchange(b"1RF1" + short_number(user), b"Hs0a" + short_number(user))
            exchange(b"1R%" + short_number(password) + field_data(user, b"anna") +
                     field_data(password, b"1234"), rh.encode_record(dh.menu_record("ANNA")))
            exchange(b"1RF3/", rh.encode_record(dh.sign_on_record()))
            self.assertEqual(exchange(b"1RF3/"), b"")  # F3 on the sign-on ends the session
        server.join(10)
        host.close_listener()
        self.assertFalse(server.is_alive())
        self.assertIn("<- 31 52 46 31", log.getvalue())


if __name__ == "__main__":
    unittest.main()

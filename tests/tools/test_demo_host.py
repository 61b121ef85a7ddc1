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

SIGN_ON_USER = dh.SIGN_ON.field("user")
SIGN_ON_PASSWORD = dh.SIGN_ON.field("password")


class RecordTest(unittest.TestCase):
    def test_record_bytes(self):
        hello = dh.Screen("x", 0, [dh.Text(0, 0, "Hello"), dh.Entry("name", 1, 0, 8)], "")
        cases = [
            (hello.record(), b"Hs0Ef1005Helloi210C@8d0o2"),
            (dh.update_record(dh.SIGN_ON, 6, ["password"]), b"Hs0u60o6"),
            (dh.update_record(dh.SIGN_ON, 4, prompt_text="Why?"), b"Hs0h<4Why?o4"),
        ]
        for built, expected in cases:
            self.assertEqual(built, expected)


class ParseTest(unittest.TestCase):
    def test_messages(self):
        long_value = b"x" * 300
        cases = [
            (b"1I", "identify", {}),
            (b"", "ack", {}),
            (b"12R!\x82210X\xdc@5", "status", {"terminal": 12}),
            (b"1RF23=32AB=70", "key", {"key": 2, "field": 3, "data": {3: b"AB", 7: b""}}),
            (b"1RF0/", "key", {"key": 0, "field": -1, "data": {}}),
            (b"1R%5=5!1\x8c" + long_value, "field", {"field": 5, "data": {5: long_value}}),
            (b"1R%4=43=a=", "field", {"data": {4: b"=a="}}),  # "=" inside a value
            (b"1R?5Dmgd!", "prompt", {"answer": b"Dmgd!"}),
            (b"1R?0", "prompt", {"answer": b""}),
            (b"1R<13abc", "serial", {"answer": b"abc"}),
            (b"1RF2", "unknown", {}),  # cut short
            (b"1R%3=59ab", "unknown", {}),
            (b"1R?3abcd", "unknown", {}),
        ]
        for message, kind, fields in cases:
            with self.subTest(message=message):
                response = dh.parse_response(message)
                self.assertEqual(response.kind, kind)
                for name, value in fields.items():
                    self.assertEqual(getattr(response, name), value)


class PickingTest(unittest.TestCase):
    def test_pick_decisions(self):
        screen = dh.picking_screen(0, 0)
        location, quantity = screen.field("location"), screen.field("quantity")
        next_line = dh.picking_record(0, 1)

        def enter(*data):
            return b"1RF0" + short_number(quantity) + b"".join(field_data(*d) for d in data)

        short = enter((location, b"A-01-02"), (quantity, b"7"))
        cases = [
            ("wrong location", [enter((location, b"A-09-09"))], b"Hs2u:0a:"),
            ("location, no quantity yet", [enter((location, b"a-01-02"))], b"Hs2o<"),
            ("too many", [enter((location, b"A-01-02"), (quantity, b"13"))], b"Hs2u<0a<"),
            ("short pick asks why", [short], b"Hs2h<"),
            ("reason goes on", [short, b"1R?3bad"], next_line),
            ("no reason takes it back", [short, b"1R?0"], b"Hs2u<0o<"),
            ("prompt answer unasked", [b"1R?3bad"], b"Hs2#o/"),
            ("right pick goes on", [enter((location, b"A-01-02"), (quantity, b"12"))], next_line),
            ("F3 to the menu", [b"1RF3/"], dh.menu_record("ANNA")),
            ("F2 is refused", [b"1RF2<"], b"Hs2#o<"),
        ]
        for name, messages, expected in cases:
            with self.subTest(name):
                session = dh.TerminalSession()
                session.user = "ANNA"
                session.show_picking()
                for message in messages:
                    record = session.handle(message)
                self.assertTrue(record.startswith(expected), record)


class SessionTest(unittest.TestCase):
    def setUp(self):
        self.host = rh.Host(0)
        self.log = io.StringIO()
        self.server = threading.Thread(target=dh.serve, args=(self.host, True, self.log))
        self.server.start()
        self.terminal = socket.create_connection(("127.0.0.1", self.host.port), timeout=10)
        self.pending = b""

    def tearDown(self):
        self.terminal.close()
        self.server.join(10)
        self.host.close_listener()

    def send(self, text):
        self.terminal.sendall(text + rh.TERMINATOR)

    def wire_record(self):
        while rh.TERMINATOR not in self.pending:
            chunk = self.terminal.recv(65536)
            if not chunk:
                return None
            self.pending += chunk
        wire, self.pending = self.pending.split(rh.TERMINATOR, 1)
        return wire + rh.TERMINATOR

    def test_sign_on_menu_and_back(self):
        self.send(b"1I")
        self.assertEqual(self.wire_record(), rh.encode_record(dh.sign_on_record()))
        self.send(b"1H")  # the terminal's answer to a record needs none
        self.send(b"1RF1" + short_number(SIGN_ON_USER))
        self.assertTrue(self.wire_record().startswith(b"Hs0a" + short_number(SIGN_ON_USER)))
        self.send(b"1H")
        self.send(b"1R%" + short_number(SIGN_ON_PASSWORD)
                  + field_data(SIGN_ON_USER, b"anna") + field_data(SIGN_ON_PASSWORD, b"1234"))
        self.assertEqual(self.wire_record(), rh.encode_record(dh.menu_record("ANNA")))
        self.send(b"1RF3/")
        self.assertEqual(self.wire_record(), rh.encode_record(dh.sign_on_record()))
        self.send(b"1RF3/")  # F3 on the sign-on ends the session
        self.assertIsNone(self.wire_record())
        self.server.join(10)
        self.assertFalse(self.server.is_alive())
        self.assertIn("<- 31 52 46 31", self.log.getvalue())


if __name__ == "__main__":
    unittest.main()

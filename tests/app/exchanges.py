"""What a host sees of the terminal, in one table that Ravelin.exe under Wine
(test_exchanges.py) and ravelin-headless (tests/headless/) both play.

A group is one terminal start: Ravelin.ini values besides the host's address,
the ANSI code page, and exchanges played in turn once the terminal has said
"12I". An exchange is a list of steps:
    str             the operator's action as a headless command ("type TEXT", "key NAME",
                    "click N", "toolbar NAME", "advisory ok", "prompt TEXT", "prompt
                    cancel", "scan TEXT"), lost while input is locked, as on a disabled
                    button (the headless terminal refuses it and says why)
    bytes / None    the next message the host receives / nothing comes
    ("page", RECORD)  the host sends a record; the terminal answers, does its work, opens input
    ("send", RECORD)  the host sends a record, no more
    ("shows", KIND, TEXT)  the one dialog open, "advisory" or "prompt", shows TEXT; or none
"""

from collections import namedtuple

from records import (AUTO_ADVANCE, BUTTON, CHECK_BOX, COMPLETE_ON_LEAVE, ENTRY, FIXED, PLAIN,
                     RADIO_BUTTON, SELECT_BUTTON, advisory, entry_field, field_data as data,
                     fixed_field, label, options, prompt, set_text, short_number, text)

Group = namedtuple("Group", "name settings codepage exchanges")

# Every group's, as the end-to-end tests have always run the terminal.
COMMON = {"terminalid": 12, "screencols": 80, "screenrows": 24, "fieldentertof0": "true"}
# Serial input framed by STX and ETX, output by STX and CR.
SERIAL = {"serialfeature": "true,2,3,true,2,13", "serialReadIntervalTimeout": 50}

WORKED_RECORD = b"Hs0Ef1005Helloi210C@8d0o2"
REPORT = ENTRY | COMPLETE_ON_LEAVE
HELLO = fixed_field(1, 0, 0, b"Hello")


def key_message(key, field=2):
    return b"12RF" + bytes([48 + key, 48 + field])


def entry(number, row, length, type_byte=ENTRY, attribute=PLAIN):
    return entry_field(number, row, 0, length, type_byte, attribute)


def screen(*fields, focus=2):
    return b"Hs0E" + b"".join(fields) + b"d0o" + short_number(focus)


def control(number, kind, shown, type_byte=ENTRY, *more):
    """A control of 8 cells on row number; display-only when type_byte is FIXED."""
    if type_byte == FIXED:
        return fixed_field(number, number, 0, shown) + options(number, kind, *more)
    return (entry(number, number, 8, type_byte) + options(number, kind, *more) +
            set_text(number, shown))


def serial_bound(number):
    """An entry field the device types into; a fixed field whose text it gets."""
    return b"b" + short_number(number) + b"1"


def on(*fields, focus=2):
    """The host's page of these fields, the operator's turn."""
    return ("page", screen(*fields, focus=focus))


def asking(length, question, answer, message, code_page="cp1252"):
    """A prompt for an answer of length characters, and the message it gives."""
    return [("send", WORKED_RECORD + prompt(length, question.encode(code_page))), b"12H",
            ("shows", "prompt", question), answer, message]


def play(group, runner):
    """Plays the group's exchanges, each a subTest of runner: a TestCase with the
    host in runner.host, assertQuiet(), page(RECORD), shows(KIND, TEXT), act(VERB, REST)."""
    for number, steps in enumerate(group.exchanges):
        with runner.subTest(number, actions=[s for s in steps if isinstance(s, str)]):
            for step in steps:
                if step is None:
                    runner.assertQuiet()
                elif isinstance(step, bytes):
                    runner.host.expect(step)
                elif isinstance(step, str):
                    runner.act(*step.partition(" ")[::2])
                elif step[0] == "send":
                    runner.host.send(step[1])
                else:
                    getattr(runner, step[0])(*step[1:])


TOOLBAR_PAGE = screen(entry_field(2, 2, 0, 8))
SERIAL_PAGE = on(entry(2, 2, 8), serial_bound(2), entry(3, 3, 10), serial_bound(3),
                 entry(4, 4, 6), focus=4)
# Three radio buttons, the first one chosen; the second one reports at once.
RADIOS = (control(2, RADIO_BUTTON, b"XOne") + control(3, RADIO_BUTTON, b" Two", REPORT) +
          control(4, RADIO_BUTTON, b" Thr"))
OK_BUTTON, YES = control(2, BUTTON, b"OK"), control(2, CHECK_BOX, b" Yes")
PICK = "Short pick? Reason:"
CYRILLIC = "Щит №5"

GROUPS = [
    Group("keys_fields_dialogs_and_toolbar", {}, None, [
        ["key F1", None],  # input starts locked
        [("page", b"Hs0Ef1005Hellod0o/"), "key F3", key_message(3, -1)],  # no input stop
        *([("page", WORKED_RECORD), "key " + key, key_message(number), "key F2", None]
          for key, number in [("F1", 1), ("Shift+F1", 11), ("Ctrl+3", 23), ("Enter", 0)]),
        [on(entry(2, 1, 3, REPORT)), "type abc", b"12R%2" + data(2, b"abc")],
        [on(entry(2, 1, 2, ENTRY, PLAIN | AUTO_ADVANCE), entry(3, 2, 4)), "type abc",
         "key Enter", b"12RF03" + data(2, b"ab") + data(3, b"c")],
        # Tab and the arrows follow the field numbers, not the rows.
        [on(entry(2, 1, 4), entry(4, 2, 4), entry(3, 3, 4)), "key Tab", "type x", "key Enter",
         b"12RF03" + data(3, b"x")],
        [("page", b"Hs0o2"), "key Up", "type y", "key Enter", b"12RF04" + data(4, b"y")],
        # 8 characters, then 0 and -2 (-1 asks for no prompt): no room, no answer.
        *(asking(length, PICK, "prompt DAMAGED STOCK", b"12R?" + answer)
          for length, answer in [(8, b"8DAMAGED "), (0, b"0"), (-2, b"0")]),
        asking(8, PICK, "prompt cancel", None),
        # OK in the Advisory focuses its field.
        [("send", WORKED_RECORD[:-2] + advisory(2, b"  Wrong\r\nlocation") + b"o2"), b"12H",
         ("shows", "advisory", "Wrong\r\nlocation"), "advisory ok", "key F3", key_message(3)],
        # The last Advisory shows, a prompt takes its place, the host's reset closes it.
        [("page", WORKED_RECORD),
         *(step for n in range(5) for step in [("send", b"Ha2" + text(b"Message %d" % n)), b"12H"]),
         ("shows", "advisory", "Message 4"), ("send", b"H" + prompt(8, b"Why?")), b"12H",
         ("shows", "prompt", "Why?"), ("send", b"I"), b"", ("shows", "none", "")],
        # Buttons report key 0; check boxes, select buttons and radio buttons
        # toggle, some at once: the key that follows finds input locked.
        *([on(OK_BUTTON), "key " + key, message] for key, message in [
            ("Enter", b"12RF02"), ("F2", b"12RF22"), ("Shift+F2", b"12RF<2"), ("Space", None)]),
        *([on(field), action, "key F2", message] for field, action, message in [
            (YES, "key Space", b"12RF22" + data(2, b"XYes")),
            (control(2, CHECK_BOX, b" Yes", REPORT), "click 2", b"12R%2" + data(2, b"XYes")),
            (control(2, SELECT_BUTTON, b"XOn", REPORT), "key Space", b"12R%2" + data(2, b" On")),
            (control(2, SELECT_BUTTON, b" On"), "click 2", b"12RF22" + data(2, b"XOn")),
            # One group: choosing one gives up the other.
            (RADIOS, "click 3", b"12R%3" + data(2, b" One") + data(3, b"XTwo")),
            (RADIOS, "click 2", b"12RF22")]),
        [on(RADIOS, focus=4), "key Space", "key F2",
         b"12RF24" + data(2, b" One") + data(4, b"XThr")],
        # Display-only: a click only focuses; check box and radio button
        # answer Enter alone, the select button every key but Space.
        *([on(control(2, kind, b" Dis", FIXED), entry_field(3, 3, 0, 8), focus=3), "click 2",
           *quiet, None, last, message] for kind, quiet, last, message in [
              (CHECK_BOX, ["key Space", "key Tab", "key F2"], "key Enter", b"12RF02"),
              (RADIO_BUTTON, ["key Space", "key Tab", "key F2"], "key Enter", b"12RF02"),
              (SELECT_BUTTON, ["key Space"], "key F2", b"12RF22"),
              (BUTTON, [], "key Enter", b"12RF02")]),
        # Focus stops in field-number order, past display-only fields, wrapping.
        [on(OK_BUTTON, control(3, CHECK_BOX, b" Dis", FIXED), control(4, CHECK_BOX, b" Yes"),
            control(5, RADIO_BUTTON, b" One")),
         "key Tab", "key Down", "key Right", "key BackTab", "key F2", b"12RF25"],
        # A toolbar button is disabled until a label names it, then sends its slot's
        # key (two labels of a slot both count) until that slot's next label.
        [("page", TOOLBAR_PAGE), "toolbar EXIT", None,
         ("page", TOOLBAR_PAGE + label(7, b"NEXT") + label(7, b"SAVE")), "toolbar NEXT",
         key_message(7), ("page", TOOLBAR_PAGE + label(9, b"NEXT") + label(8, b"EXIT")),
         "toolbar NEXT", key_message(9), ("page", TOOLBAR_PAGE + label(9, b"GO")),
         "toolbar NEXT", None, "toolbar EXIT", key_message(8)],
    ]),
    # The bound fields fill in turn; a carriage return is the focused field's
    # Enter; nothing is typed while the host is awaited.
    Group("serial_field_mode", {"serialcommand": "false", **SERIAL}, None, [
        [SERIAL_PAGE, "scan ABCDEFGHIJKL", "key F2",
         b"12RF24" + data(2, b"ABCDEFGH") + data(3, b"IJKL")],
        [SERIAL_PAGE, "scan 0123456789XY\r", b"12RF04" + data(2, b"01234567") + data(3, b"89XY")],
        ["scan LOCKED", ("page", b"Hd0o4"), "key F2", b"12RF24"],
    ]),
    # Scans as commands, Enter moving on where it is no key, and texts both ways
    # in the ANSI code page.
    Group("serial_commands_enter_moving_on_and_code_page_1251",
          {"serialcommand": "true", **SERIAL, "fieldentertof0": "false"}, 1251, [
        ["scan ABC", b"12R<13ABC", "scan XY", b"12R<12XY"],
        *([on(OK_BUTTON, control(3, BUTTON, b"Next")), action, "key F2", b"12RF23" + sent]
          for action, sent in [("key Enter", b""), ("click 2", data(2, b"OK"))]),
        [on(fixed_field(1, 0, 0, "Имя:".encode("cp1251")), entry(2, 1, 8)), "type " + CYRILLIC,
         "key F2", b"12RF22" + data(2, CYRILLIC.encode("cp1251"))],
        asking(8, "Причина?", "prompt Ящик разбит", b"12R?8" + "Ящик раз".encode("cp1251"),
               "cp1251"),
    ]),
]

"""Pages on screen under Wine: field windows, host changes, colours, how
controls and the toolbar are drawn and pressed. What clicks and keys send is
in exchanges.py."""

from exchanges import HELLO, TOOLBAR_PAGE, control, entry, key_message, screen
from records import (BUTTON, CHECK_BOX, ENTRY, FIXED, RADIO_BUTTON, REVERSE, SELECTED, box_size,
                     field_data, fixed_field, label, set_text)
from terminal import (TerminalTest, centre, children, colours_in, field_window, of_class,
                      screenshot)

BUTTONS = ("SAVE", "BACK", "EXIT", "NEXT", "CLEAR")
SAVE, EXIT, NEXT = 0, 2, 3
RAISED = 0xE6E6E6  # the outer top and left bevel of an enabled toolbar button
BLACK, GREYED_BLACK, WHITE, GREY = 0x000000, 0x5F5F5F, 0xFFFFFF, 0x7F7F7F
# Button faces, top to bottom: plain and selected.
FACES = {False: ((255, 255, 239), (165, 158, 148)), True: ((255, 247, 158), (255, 204, 0))}


def gradient(selected, n, i):
    """Entry i of the n of a button face, as 0xRRGGBB."""
    start, end = FACES[selected]
    red, green, blue = (int(a + i * (b - a) / n) % 256 for a, b in zip(start, end))
    return red << 16 | green << 8 | blue


def marks(width, height):
    """Points well inside the check mark and the radio dot of a box two cells wide, of eight."""
    size = min(2 * (width // 8), height)
    top = (height - size) // 2
    return ((1 + (size - 1) // 2, top + 1 + (size - 1) // 2 + (size - 1) // 4),
            ((1 + size) // 2, top + size // 2))


class PageTest(TerminalTest):
    def test_changes_remake_only_the_changed_windows(self):
        self.start(toolbarsize=-1)
        self.page(b"Hs0E" + HELLO + entry(2, 1, 8) + entry(3, 2, 8) + b"d0o2")
        self.assertToolBar(0)
        screenshot("toolbar-size--1")
        before = {n: field_window(n) for n in (1, 2, 3)}
        # A font size moves and sizes the fields without remaking them.
        self.page(b"Hs0F4o2")
        after = {n: field_window(n) for n in (1, 2, 3)}
        self.assertEqual([after[n]["handle"] for n in after], [before[n]["handle"] for n in after])
        self.assertGreater(after[3]["rect"][1] - after[1]["rect"][1],
                           before[3]["rect"][1] - before[1]["rect"][1])
        self.assertGreater(after[2]["rect"][2], before[2]["rect"][2])
        # A new text leaves the other fields' windows alone.
        self.page(b"Hs0" + set_text(3, b"new") + b"o2")
        after = [field_window(n)["handle"] for n in (1, 2, 3)]
        self.assertEqual(after[:2], [before[1]["handle"], before[2]["handle"]])
        self.page(b"Hs0c3o2")
        self.assertEqual(field_window(3)["handle"], after[2])
        self.page(b"Hs0e3o2")
        self.assertIsNone(field_window(3))
        # Another page is built while the first shows, then shown alone.
        self.page(b"Hs2E" + fixed_field(5, 0, 0, b"Second") + b"o2")
        self.assertTrue(field_window(1)["visible"])
        self.page(b"Hs2d2o/")
        self.assertEqual(len([w for w in children(page=True) if w["visible"]]), 1)
        self.assertTrue(field_window(5)["visible"])
        self.page(b"Hs0Eo/")
        self.assertEqual([w["id"] for w in children()], [5])

    def test_colours_bevels_watermark_and_controls(self):
        # A plain fixed field, a focused and an unfocused entry field; two
        # reverse-video fields side by side on row 4 and one under them.
        fields = (b"Hs0E" + fixed_field(1, 0, 0, b"Label") + entry(2, 1, 8) + entry(3, 2, 8) +
                  fixed_field(4, 4, 0, b"LEFT", REVERSE) +
                  fixed_field(5, 4, 4, b"RIGHT", REVERSE) +
                  fixed_field(6, 5, 0, b"BELOW", REVERSE) + b"d0o2")
        page_colour = 0x95B2C3
        plain = [
            (0, -2, -2, page_colour), (2, -3, "mid", 0xFFF09E), (3, -3, "mid", WHITE),
            (1, -3, -2, WHITE), (1, -1, 2, page_colour),  # underline, cell edge
            # The blocks side by side: bevel outside, none where they meet.
            (4, 0, "mid", page_colour), (4, -1, "mid", WHITE),
            (5, 0, "mid", WHITE), (5, -1, "mid", page_colour),
            # The field below: no bevel on its top under the blocks above it.
            (6, "mid", 0, WHITE), (6, "mid", -1, page_colour)]
        custom = [(0, -2, -2, 0x102030), (2, -3, "mid", 0xA0B0C0), (3, -3, "mid", 0x708090),
                  (4, 1, "mid", 0x405060)]  # flat, no bevel
        size = box_size(2)
        controls = [control(2, BUTTON, b"OK"), control(3, BUTTON, b"Go", ENTRY, SELECTED),
                    control(4, CHECK_BOX, b"XYes", ENTRY, size),
                    control(5, CHECK_BOX, b" No", ENTRY, size),
                    control(6, CHECK_BOX, b" Sel", ENTRY, size, SELECTED),
                    control(7, RADIO_BUTTON, b"XOne", ENTRY, size),
                    control(8, CHECK_BOX, b"XDisplay", FIXED, size)]
        watermark = {"ShowWaterMark": "true", "WaterMarkText": '"WWWW"'}
        for name, settings, points, shade, focus in [
                ("plain", watermark, plain, 0x9FB5C3, 2),
                ("custom", dict(watermark, CustomColorMode="true", BackGroundColor="102030",
                                ForeGroundColor="405060", InputBackGroundColor="708090",
                                FocusBackGroundColor="A0B0C0",
                                CheckBoxCheckAndRadioButtonDotColor="C01050"),
                 custom, 0x152535, 4)]:
            with self.subTest(name):
                self.start(**settings)
                self.page(fields)
                path = self.assertPainted("colours-" + name, points)
                px, py, pw, ph = next(w["rect"] for w in children(page=True) if w["visible"])
                self.assertIn(shade, colours_in(path, (px, py + ph // 2, pw, ph // 2)))

                self.page(screen(*controls, focus=focus))
                w, h = field_window(2)["rect"][2:]
                n = h - 1  # rows of the button's gradient
                mark, dot = marks(w, h)
                probes = [(2, 3, 0, 0x73716B), (2, 3, 3, gradient(False, n, 2)),
                          (2, 3, -4, gradient(False, n, n - 4)),
                          (3, 3, 3, gradient(True, n, 2)), (3, 5, 1, gradient(True, n, 0))]
                if name == "plain":
                    probes += [(2, 5, 1, BLACK), (4, *mark, BLACK), (5, *mark, WHITE),
                               (6, -4, "mid", 0xFFCC33), (7, *dot, BLACK), (8, *mark, GREY)]
                else:
                    probes += [(2, 5, 1, gradient(False, n, 0)), (4, -1, 4, BLACK),
                               (4, *mark, 0xC01050), (7, *dot, 0xC01050),
                               (5, -3, "mid", 0x102030)]
                self.assertPainted("controls-" + name, probes)
                # Held down, the button turns its face upside down; it
                # reports when let go, beside it too.
                x, y = centre(field_window(2)["rect"])
                self.terminal.mouse(x, y, "mousedown")
                self.assertPainted(f"controls-{name}-pressed",
                                   [(2, 3, 3, gradient(False, n, n - 3))])
                self.assertQuiet()
                self.terminal.mouse(x + 2 * w, y, "mouseup")
                self.host.expect(b"12RF02" + field_data(2, b"OK"))

    def test_toolbar_looks_and_presses_where_the_mouse_went_down(self):
        # Which buttons the labels enable, and their keys, are in exchanges.py.
        self.start()
        self.page(TOOLBAR_PAGE)
        buttons = self.assertToolBar(27)
        off, on = (False, False, True), (True, True, False)  # raised, black, greyed black
        self.assertEqual(self.button_looks(buttons, "unlabelled"), [off] * 5)
        self.page(TOOLBAR_PAGE + label(7, b"NEXT") + label(7, b"SAVE"))
        self.assertEqual(self.button_looks(buttons, "next", SAVE, NEXT), [on, on])
        # A release that began elsewhere is no press; one that began on the
        # button is, wherever it ends.
        page_spot, next_spot = centre(of_class("VDKCPage")[0]["rect"]), centre(buttons[NEXT])
        self.terminal.mouse(*page_spot, "mousedown")
        self.terminal.mouse(*next_spot, "mouseup")
        self.assertQuiet()
        self.terminal.mouse(*next_spot, "mousedown")
        self.terminal.mouse(*page_spot, "mouseup")
        self.host.expect(key_message(7))
        # Another text for the slot of NEXT disables it again.
        self.page(TOOLBAR_PAGE + label(9, b"NEXT") + label(8, b"EXIT") + label(9, b"GO"))
        self.assertEqual(self.button_looks(buttons, "exit", NEXT, EXIT), [off, on])

    def button_looks(self, buttons, name, *which):
        shot = screenshot("toolbar-size-0-" + name)
        return [(RAISED in colours, BLACK in colours, GREYED_BLACK in colours)
                for colours in (colours_in(shot, buttons[i]) for i in which or range(5))]

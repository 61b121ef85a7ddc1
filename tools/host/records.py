"""Builders of host records and of the field data in terminal messages, shared
by the demo host, the end-to-end tests and the benchmarks.

Numbers on the wire are offset by 48 ("0" is 0, "/" is -1). A short number is
one byte; a long number is one byte up to 207, else "!" and two bytes of
value // 208 and value % 208. A text goes as its long length and its bytes.
"""

# Type byte: bits 0-1 the field class, the rest options; 0x40 keeps it printable.
FIXED = 0x41
SYSTEM = 0x42  # a field the terminal fills itself: five cells show the time
ENTRY = 0x43
COMPLETE_ON_LEAVE = 0x04
PASSWORD = 0x08
NUMERIC = 0x20

# Attribute byte: bits 4-5 the video style, below them the options.
PLAIN = 0x40
HIDDEN = 0x02
PROTECTED = 0x04
AUTO_ADVANCE = 0x08
BOLD = 0x60
REVERSE = 0x70

# Field options of "w": the control a field is shown as, and its looks.
BUTTON = b"@AB"
CHECK_BOX = b"@AC"
RADIO_BUTTON = b"@AR"
SELECT_BUTTON = b"@AS"
SELECTED = b"@H1"

LONGEST = 43263


def short_number(value):
    if not -48 <= value <= 207:
        raise ValueError(f"{value} does not fit a short number")
    return bytes([48 + value])


def long_number(value):
    if 0 <= value <= 207:
        return short_number(value)
    if 208 <= value <= LONGEST:
        return b"!" + bytes([48 + value // 208, 48 + value % 208])
    raise ValueError(f"{value} does not fit a long number")


def text(data):
    return long_number(len(data)) + data


def select_page(page):
    return b"s" + short_number(page)


def display_page(page):
    return b"d" + short_number(page)


def focus(number, error=False):
    # "#" right before "o" plays the Error sound in place of the Normal one.
    return (b"#" if error else b"") + b"o" + short_number(number)


def fixed_field(number, row, column, data, attribute=PLAIN):
    # "f" takes one text byte even for an empty text.
    command = b"f" + short_number(number) + short_number(row) + short_number(column)
    command += long_number(len(data)) + (data or b" ")
    if attribute != PLAIN:
        command += b"+" + short_number(number) + bytes([FIXED, attribute])
    return command


def entry_field(number, row, column, length, type_byte=ENTRY, attribute=PLAIN):
    return (b"i" + short_number(number) + short_number(row) + short_number(column) +
            bytes([type_byte, attribute]) + long_number(length))


def options(number, *chosen):
    """Field options, e.g. options(2, CHECK_BOX, box_size(2))."""
    return b"w" + short_number(number) + long_number(0) + b"".join(chosen)


def box_size(cells):
    """A check box's or radio button's box, in cells (none without it)."""
    return b"@S" + short_number(cells)


def set_text(number, data):
    return b"u" + short_number(number) + text(data)


def advisory(number, data):
    """The Advisory dialog; afterwards the focus goes to field number."""
    return b"a" + short_number(number) + text(data)


def prompt(length, data):
    """The prompt dialog, answered with at most length characters."""
    return b"h" + short_number(length) + text(data)


def label(slot, data):
    return b"S" + short_number(slot) + short_number(len(data)) + data


def field_data(number, data):
    """One field's data as the terminal's messages carry it."""
    return b"=" + short_number(number) + text(data)

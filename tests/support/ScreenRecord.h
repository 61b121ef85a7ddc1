#pragma once

#include <string>

// The commands of one host-data record that clears page 0 and builds a full
// 80 x 24 screen of 60 fields: per row a label, an entry field with options,
// prefix and text, and on every other row a fixed value; then "d0" and "o2".
// Without record type and terminator.
std::string ScreenRecord();

// Six rows of clickable controls: per row a button, a check box, a radio
// button and a select button, taking input on even rows and display-only on
// odd ones, a video style a row, every third row selected; the focus on the
// first button.
std::string ControlsRecord();

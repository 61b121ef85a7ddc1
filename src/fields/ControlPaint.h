#pragma once

#include <string_view>

#include "screen/FieldWindowClass.h"

class CDrawing;
class CField;
class CSettings;

// One paint of a button, key cap, select button, check box or radio button
// field of width x height pixels: the background, the control in the state
// its field holds, and the focus mark when focused. A check box's, radio
// button's or select button's state follows the first character of its text,
// and the paint sets the field's onState from it.
void PaintControl(CDrawing& dc, CField& field, FieldWindowClass kind, int width, int height,
                  bool focused, const CSettings& settings);

// The first character of the text is 'X': checked or chosen.
bool IsMarked(std::u16string_view text);

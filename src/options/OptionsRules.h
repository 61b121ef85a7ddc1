#pragma once

#include <array>
#include <string_view>

// The rules of the Screen and Font options dialogs that need no window.

// The toolbar radio buttons in dialog order: Disabled, Size 1x, 2x, 3x.
constexpr int kToolbarRadioCount = 4;

// Which radio button shows a toolbarsize: -1, 1 and 2 their own, any other
// value "Size 1x".
int ToolbarRadioFor(int toolbarSize);

// The toolbarsize of the first checked radio button; 0 when none is.
int ToolbarSizeFromRadios(const std::array<bool, kToolbarRadioCount>& checked);

// The watermark text the Screen dialog stores: its first 31 characters.
std::u16string_view DialogWaterMark(std::u16string_view text);

// The additional cell width the Font dialog stores: 0 to 9.
int DialogCellWidth(int typed);

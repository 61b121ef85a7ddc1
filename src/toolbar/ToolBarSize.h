#pragma once

#include <array>

constexpr int kToolBarButtonCount = 5;

// The toolbar's height and the picture of each button (in the order SAVE,
// BACK, EXIT, NEXT, CLEAR) for one toolbarsize.
struct CToolBarSize {
    int height;
    std::array<int, kToolBarButtonCount> pictureIds;
};

// Sizes 1 and 2 are the larger toolbars; any other value, the smallest.
CToolBarSize ToolBarSizeFor(int toolbarSize);

// Where a button's window stands: the buttons are one toolbar height apart.
int ToolBarButtonLeft(int index, int height);
constexpr int kToolBarButtonTop = 4;

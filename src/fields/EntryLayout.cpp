#include "fields/EntryLayout.h"

CEntryPlacement PlaceEntryText(int textWidth, int caretOffset, int width, bool rightAligned) {
    const int T = textWidth, C = caretOffset, W = width;
    CEntryPlacement p{0, 1, C};
    if (T >= W) {
        // A text wider than the box scrolls so that the caret stays inside.
        if (C >= W)
            p = {C - W, 1, rightAligned ? W - 2 : W};
        else if (rightAligned)
            p = {0, 2, C};
    } else if (rightAligned) {
        p = {0, W - T, W - T + C - 1};
    }
    p.caretX = ClampEntryCaret(p.caretX, W);
    return p;
}

int ClampEntryCaret(int caretX, int width) {
    if (caretX < 1) return 2;
    if (caretX >= width) return width - 2;
    return caretX;
}

int EntryTextImageWidth(int length, int displayLength, int cellWidth, int additionalWidth) {
    return static_cast<int>((length + displayLength) * (cellWidth + additionalWidth) * 1.7);
}

#pragma once

// Where an entry field's text image goes in its frame, and its caret.
struct CEntryPlacement {
    int sourceX;  // first column of the text image shown
    int destX;    // where it lands in the frame
    int caretX;
};

// textWidth and caretOffset are pixel widths of the whole shown text and of
// the text before the caret; width is the field's client width.
CEntryPlacement PlaceEntryText(int textWidth, int caretOffset, int width, bool rightAligned);

// A caret x kept inside a box of the given width.
int ClampEntryCaret(int caretX, int width);

// The width of the off-screen text image for a text of length characters.
int EntryTextImageWidth(int length, int displayLength, int cellWidth, int additionalWidth);

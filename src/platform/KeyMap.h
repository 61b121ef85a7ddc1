#pragma once

// The key number a key press reports to the host, or -1 when the key sends
// nothing. virtualKey is the Windows virtual-key code; the main window and
// the page window share this map.
struct CKeyPress {
    unsigned virtualKey = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

constexpr int kNoKeyNumber = -1;

int KeyNumber(const CKeyPress& key, bool enterToF0);

#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

// A memory device context with a bitmap of its own, compatible with dc, that
// holds only the given area of a drawing: drawing goes in the drawing's own
// coordinates and whatever falls outside the area is dropped. A window far
// larger than the screen so needs a bitmap only of the part that shows.
//
// Making a context and its bitmap costs the window system several requests
// at every paint, so each thread keeps those it made for the sizes it last
// drew and lends them again: black, with the context's state as it was made.
// What it keeps is bounded in bytes as well as in number.
class CMemoryCanvas {
public:
    CMemoryCanvas(HDC dc, const RECT& area);
    ~CMemoryCanvas();
    CMemoryCanvas(const CMemoryCanvas&) = delete;
    CMemoryCanvas& operator=(const CMemoryCanvas&) = delete;
    HDC Dc() const { return memory; }
    explicit operator bool() const { return memory != nullptr; }

private:
    struct Slot;
    // A kept context of the size that is not lent, or a new one; null when
    // none can be made.
    static Slot* Lend(HDC dc, int width, int height);
    static void MakeRoom(std::vector<std::unique_ptr<Slot>>& kept, size_t bytes);

    Slot* slot = nullptr;
    HDC memory = nullptr;
    int savedState = 0;
};

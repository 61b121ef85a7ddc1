#include "fields/MemoryCanvas.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Handles_win.h"

// A context with its bitmap selected for as long as it is kept.
struct CMemoryCanvas::Slot {
    Slot(HDC dc, int width, int height)
        : memory(CreateCompatibleDC(dc)),
          bitmap(CreateCompatibleBitmap(dc, width, height)),
          selection(memory.Get(), bitmap.Get()),
          width(width),
          height(height) {
        BITMAP info = {};
        if (bitmap && GetObjectW(bitmap.Get(), sizeof info, &info)) {
            bytes = static_cast<size_t>(info.bmWidthBytes) * static_cast<size_t>(info.bmHeight);
        }
    }
    bool Made() const { return memory && bitmap; }

    CMemoryDc memory;
    CBitmap bitmap;
    CSelection selection;
    int width, height;
    size_t bytes = 0;
    bool lent = false;
    uint64_t lastLent = 0;
};

namespace {

// Enough for every size a page's paint uses, nested canvases included.
constexpr size_t kMostKept = 24;
// Room for a page canvas of a large desktop window and the field canvases
// besides it: a resize drag, which paints the page at a new size every step,
// must not keep a bitmap for each step. One canvas larger than this is kept
// alone.
constexpr size_t kMostKeptBytes = size_t{12} << 20;

int Side(LONG length) {
    return length > 0 ? static_cast<int>(length) : 1;
}

}  // namespace

// Frees the canvases lent longest ago, none of those lent now, until room
// for one more of that many bytes is left.
void CMemoryCanvas::MakeRoom(std::vector<std::unique_ptr<Slot>>& kept, size_t bytes) {
    size_t total = bytes;
    for (const std::unique_ptr<Slot>& slot : kept) total += slot->bytes;
    while (kept.size() >= kMostKept || total > kMostKeptBytes) {
        auto oldest = kept.end();
        for (auto slot = kept.begin(); slot != kept.end(); ++slot) {
            if ((*slot)->lent) continue;
            if (oldest == kept.end() || (*slot)->lastLent < (*oldest)->lastLent) oldest = slot;
        }
        if (oldest == kept.end()) return;
        total -= (*oldest)->bytes;
        kept.erase(oldest);
    }
}

CMemoryCanvas::Slot* CMemoryCanvas::Lend(HDC dc, int width, int height) {
    thread_local std::vector<std::unique_ptr<Slot>> kept;
    thread_local uint64_t lendings = 0;
    Slot* found = nullptr;
    for (std::unique_ptr<Slot>& slot : kept) {
        if (!slot->lent && slot->width == width && slot->height == height) {
            found = slot.get();
            break;
        }
    }
    if (!found) {
        auto made = std::make_unique<Slot>(dc, width, height);
        if (!made->Made()) return nullptr;
        MakeRoom(kept, made->bytes);
        found = made.get();
        kept.push_back(std::move(made));
    }
    found->lent = true;
    found->lastLent = ++lendings;
    return found;
}

CMemoryCanvas::CMemoryCanvas(HDC dc, const RECT& area) {
    int width = Side(area.right - area.left), height = Side(area.bottom - area.top);
    slot = Lend(dc, width, height);
    if (!slot) return;
    memory = slot->memory.Get();
    savedState = SaveDC(memory);
    // As a new bitmap: nothing of the last drawing may show through.
    PatBlt(memory, 0, 0, width, height, BLACKNESS);
    SetWindowOrgEx(memory, area.left, area.top, nullptr);
}

CMemoryCanvas::~CMemoryCanvas() {
    if (!slot) return;
    RestoreDC(memory, savedState);
    slot->lent = false;
}

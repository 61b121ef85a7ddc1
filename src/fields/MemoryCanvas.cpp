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
          height(height) {}
    bool Made() const { return memory && bitmap; }

    CMemoryDc memory;
    CBitmap bitmap;
    CSelection selection;
    int width, height;
    bool lent = false;
    uint64_t lastLent = 0;
};

namespace {

// Enough for every size a page's paint uses, nested canvases included.
constexpr size_t kMostKept = 24;

int Side(LONG length) {
    return length > 0 ? static_cast<int>(length) : 1;
}

}  // namespace

CMemoryCanvas::Slot* CMemoryCanvas::Lend(HDC dc, int width, int height) {
    thread_local std::vector<std::unique_ptr<Slot>> kept;
    thread_local uint64_t lendings = 0;
    std::unique_ptr<Slot>* oldest = nullptr;
    Slot* found = nullptr;
    for (std::unique_ptr<Slot>& slot : kept) {
        if (slot->lent) continue;
        if (slot->width == width && slot->height == height) {
            found = slot.get();
            break;
        }
        if (!oldest || slot->lastLent < (*oldest)->lastLent) oldest = &slot;
    }
    if (!found) {
        auto made = std::make_unique<Slot>(dc, width, height);
        if (!made->Made()) return nullptr;
        found = made.get();
        if (kept.size() >= kMostKept && oldest) {
            *oldest = std::move(made);
        } else {
            kept.push_back(std::move(made));
        }
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

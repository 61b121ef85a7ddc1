// The two pictures of the lock animation, drawn off-screen: connecting (the
// plug and socket meeting between terminal and host) and awaiting the host
// (pages flying out of it).
#include "fields/GdiScope.h"
#include "fields/MemoryCanvas.h"
#include "toolbar/ActivityDots.h"
#include "toolbar/LockAnimation.h"

namespace {

constexpr COLORREF kDotColour = RGB(0, 0, 0);
constexpr int kMargin = 2;
// Where the plug and the socket stand when the counter is 0.
constexpr POINT kPlugAt = {47, 17};
constexpr POINT kSocketAt = {88, 16};

}  // namespace

void CLockAnimation::PaintConnecting(HDC dc) {
    int c = counter.Value();
    int height = sizes[kBackground].cy;
    Draw(dc, kBackground, 0, 0);
    Draw(dc, kTerminal, kMargin, (height - sizes[kTerminal].cy) / 2);
    DrawHost(dc);
    Draw(dc, kPlug, kPlugAt.x - c, kPlugAt.y);
    Draw(dc, kSocket, kSocketAt.x + c, kSocketAt.y);
}

void CLockAnimation::PaintAwaitingHost(HDC dc, int clientHeight) {
    int height = sizes[kBackground].cy;
    Draw(dc, kBackground, 0, 0);
    DrawHost(dc);
    Draw(dc, kWaves, HostX() - sizes[kWaves].cx, (height - sizes[kWaves].cy) / 2);
    particles.Step(clientHeight);
    const SIZE& full = sizes[kFirstParticle];
    for (const Particle& p : particles.Particles()) {
        if (!p.visible) continue;
        DrawScaled(dc, static_cast<Picture>(kFirstParticle + p.frame), static_cast<int>(p.x),
                   static_cast<int>(p.y), CParticleField::DrawnSide(full.cx, p.age),
                   CParticleField::DrawnSide(full.cy, p.age));
    }
}

int CLockAnimation::HostX() const {
    return sizes[kBackground].cx - sizes[kHost].cx - kMargin;
}

// The host with a fresh pattern of activity dots.
void CLockAnimation::DrawHost(HDC dc) {
    int x = HostX();
    int y = (sizes[kBackground].cy - sizes[kHost].cy) / 2;
    Draw(dc, kHost, x, y);
    for (int column : ActivityDotColumns(random.Next())) {
        SetPixel(dc, x + column, y + kActivityDotRow, kDotColour);
    }
}

void CLockAnimation::Draw(HDC dc, Picture picture, int x, int y) const {
    DrawScaled(dc, picture, x, y, sizes[picture].cx, sizes[picture].cy);
}

// Keyed out by the colour of the picture's top-left pixel. A picture drawn
// smaller is shrunk first in whole pixels: shrunk by TransparentBlt itself,
// under some systems, its pixels blend and the key colour shows at its edges.
void CLockAnimation::DrawScaled(HDC dc, Picture picture, int x, int y, int width,
                                int height) const {
    const SIZE& size = sizes[picture];
    if (!*pictures[picture] || size.cx <= 0 || size.cy <= 0) return;
    CMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    CSelection selected(source.Get(), pictures[picture]->Get());
    COLORREF key = GetPixel(source.Get(), 0, 0);
    if (width == size.cx && height == size.cy) {
        TransparentBlt(dc, x, y, width, height, source.Get(), 0, 0, size.cx, size.cy, key);
        return;
    }
    CMemoryCanvas shrunk(dc, RECT{0, 0, width, height});
    if (!shrunk) return;
    SetStretchBltMode(shrunk.Dc(), COLORONCOLOR);
    StretchBlt(shrunk.Dc(), 0, 0, width, height, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    TransparentBlt(dc, x, y, width, height, shrunk.Dc(), 0, 0, width, height, key);
}

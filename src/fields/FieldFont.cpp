#include "fields/FieldFont.h"

#include <cstring>
#include <vector>

#include "config/Settings.h"
#include "fields/CellGrid.h"
#include "platform/Handles_win.h"
#include "platform/WideText_win.h"

namespace {

constexpr BYTE kModernFamily = 0x30;

LOGFONTW FontDescription(int height, int width, bool bold) {
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfWeight = bold ? FW_BOLD : FW_DONTCARE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = static_cast<BYTE>(gSettings->FontOutPrecision());
    font.lfQuality = static_cast<BYTE>(gSettings->FontQuality());
    const std::u16string& name = gSettings->FontName();
    if (name.empty()) {
        font.lfPitchAndFamily = kModernFamily;
    } else {
        lstrcpynW(font.lfFaceName, Wide(name), LF_FACESIZE);
    }
    return font;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

CFontMetrics MeasureFont(HDC dc, const LOGFONTW& description) {
    CFont font(CreateFontIndirectW(&description));
    CSelection selected(dc, font.Get());
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    // The pitch bit set means a variable-pitch font.
    return {tm.tmHeight,       tm.tmInternalLeading, tm.tmExternalLeading,
            tm.tmAveCharWidth, tm.tmMaxCharWidth,    (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0};
}

// Every page paint lays the grid out again, trying font after font; making
// a font reads the system's font tables, so each size is measured once.
CFontMetrics Measure(HDC dc, int height, int width) {
    struct Measured {
        LOGFONTW font;
        CFontMetrics metrics;
    };
    constexpr size_t kMostKept = 256;
    static std::vector<Measured> measured;
    LOGFONTW description = FontDescription(height, width, false);
    for (const Measured& m : measured) {
        if (SameFont(m.font, description)) return m.metrics;
    }
    if (measured.size() == kMostKept) measured.clear();
    measured.push_back({description, MeasureFont(dc, description)});
    return measured.back().metrics;
}

}  // namespace

HFONT FieldFont(bool bold) {
    // Made once for each description: every field paints with one of two.
    static CFont fonts[2] = {CFont(nullptr), CFont(nullptr)};
    static LOGFONTW made[2];
    LOGFONTW description =
        FontDescription(-gSettings->FieldFontHeight(), gSettings->FieldFontWidth(), bold);
    int i = bold ? 1 : 0;
    if (!fonts[i] || !SameFont(made[i], description)) {
        fonts[i].Reset(CreateFontIndirectW(&description));
        made[i] = description;
    }
    return fonts[i].Get();
}

void ComputeCellGrid(HWND pageWindow) {
    CWindowDc dc(pageWindow);
    auto measure = [&dc](int height, int width) { return Measure(dc.Get(), height, width); };
    CCellGrid grid;
    if (gSettings->FontAutoSize()) {
        RECT client;
        GetClientRect(pageWindow, &client);
        grid = AutoSizeGrid(client.right, client.bottom, gSettings->ScreenCols(),
                            gSettings->ScreenRows(), measure);
    } else {
        grid =
            PointSizeGrid(GetDeviceCaps(dc.Get(), LOGPIXELSY), gSettings->EffectiveFontPointSize(),
                          gSettings->CharacterCellAdditionalWidth(), measure);
    }
    gSettings->SetCellWidth(grid.cellWidth);
    gSettings->SetCellHeight(grid.cellHeight);
    gSettings->SetFieldFontHeight(grid.fontHeight);
    gSettings->SetFieldFontWidth(grid.fontWidth);
}

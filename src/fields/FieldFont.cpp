#include "fields/FieldFont.h"

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

CFontMetrics Measure(HDC dc, int height, int width) {
    LOGFONTW description = FontDescription(height, width, false);
    CFont font(CreateFontIndirectW(&description));
    CSelection selected(dc, font.Get());
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    // The pitch bit set means a variable-pitch font.
    return {tm.tmHeight,       tm.tmInternalLeading, tm.tmExternalLeading,
            tm.tmAveCharWidth, tm.tmMaxCharWidth,    (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0};
}

}  // namespace

CFont CreateFieldFont(bool bold) {
    LOGFONTW description =
        FontDescription(-gSettings->FieldFontHeight(), gSettings->FieldFontWidth(), bold);
    return CFont(CreateFontIndirectW(&description));
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

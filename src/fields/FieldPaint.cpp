#include "fields/FieldPaint.h"

#include "config/Settings.h"
#include "fields/BevelBlock.h"
#include "fields/FieldFont.h"
#include "fields/FieldLook.h"
#include "fields/GdiScope.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

constexpr int kReverseBlockStyle = 4;  // plain control, reverse video

}  // namespace

void DrawLine(HDC dc, int x0, int y0, int x1, int y1, uint32_t colour) {
    CPen pen(CreatePen(PS_SOLID, 1, Rgb(colour)));
    CSelection selected(dc, pen.Get());
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void DrawCellEdge(HDC dc, const CField& field, int width, int height) {
    uint32_t page = field.page ? field.page->backColour : kPageColour;
    DrawLine(dc, width - 1, 0, width - 1, height - 1, page);
    DrawLine(dc, 0, height - 1, width, height - 1, page);
}

void DrawBevelBlock(HDC dc, const CField& field, int width, int height, uint32_t blockColour) {
    FillArea(dc, 0, 0, width, height, blockColour);
    if (!field.page) return;
    const CFieldList& fields = field.page->fields;
    auto inBlock = [&fields](int column, int row) {
        return row >= 0 && (fields.FieldStyleAt(column, static_cast<uint32_t>(row)) & 0xFF) ==
                               kReverseBlockStyle;
    };
    for (const CBevelStroke& s : BevelStrokes(field, width, height, gSettings->ScreenRows(),
                                              field.page->backColour, blockColour, inBlock)) {
        CPen pen(CreatePen(PS_SOLID, 1, Rgb(s.colour)));
        CSelection selected(dc, pen.Get());
        MoveToEx(dc, s.x[0], s.y[0], nullptr);
        for (int i = 1; i < s.count; ++i) LineTo(dc, s.x[i], s.y[i]);
    }
}

void DrawFieldText(HDC dc, const CField& field, const wchar_t* text, int length, RECT area,
                   UINT format, uint32_t colour) {
    CSelection selected(dc, FieldFont(VideoStyle(field) == kBoldVideo));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Rgb(colour));
    DrawTextW(dc, text, length, &area, format);
}

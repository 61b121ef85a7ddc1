#include "fields/FixedWindow.h"

#include "config/Settings.h"
#include "fields/EntryEditor.h"
#include "fields/FieldLook.h"
#include "fields/FieldPaint.h"
#include "fields/FieldWindow.h"
#include "fields/GdiScope.h"
#include "platform/AppMessages.h"
#include "platform/WideText_win.h"
#include "screen/Field.h"

namespace {

void PaintFixed(HDC dc, const CField& field, int width, int height) {
    CFixedLook look = FixedLook(field, *gSettings);
    if (look.bevel) {
        DrawBevelBlock(dc, field, width, height, look.fill);
    } else {
        FillArea(dc, 0, 0, width, height, look.fill);
    }
    if (look.cellEdge) DrawCellEdge(dc, field, width, height);
    if (look.underline) DrawLine(dc, 0, height - 2, width, height - 2, field.colorFrame);
    int cells = static_cast<int>(field.displayLength);
    int cell = cells ? width / cells : 0;
    RECT area = {1, 1, cells * cell, height - 2};
    UINT align = field.optionM ? DT_CENTER : (field.typeByte & kRightAligned) ? DT_RIGHT : DT_LEFT;
    std::u16string text = field.text.Get();
    DrawFieldText(dc, field, Wide(text), static_cast<int>(text.size()), area,
                  DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | align, look.text);
}

}  // namespace

LRESULT CALLBACK FixedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const CFieldWindowKind kind = {
        [](CField& field) { SetFixedColourSlots(field, *gSettings); },
        [](HWND, HDC dc, CField& field, int w, int h) { PaintFixed(dc, field, w, h); },
        [](HWND window, CField& field, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
            return message == UM_BLINK && OnBlink(window, field, lParam, false);
        },
    };
    return FieldWindowMessage(kind, window, message, wParam, lParam);
}

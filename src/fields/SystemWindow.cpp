#include "fields/SystemWindow.h"

#include <algorithm>
#include <iterator>

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

constexpr uint8_t kDateField = 0x08;
constexpr uint32_t kBlack = 0x000000;

// The clock as the field shows it now: the date, or the time whose colon
// blinks with the seconds.
void UpdateClockText(CField& field) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[64] = L"";
    if (field.typeByte & kDateField) {
        GetDateFormatW(LOCALE_USER_DEFAULT, 0, &now, L"dd-MMM-yy", text,
                       static_cast<int>(std::size(text)));
    } else {
        GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now,
                       now.wSecond % 2 ? L"HH mm" : L"HH:mm", text,
                       static_cast<int>(std::size(text)));
    }
    std::u16string clock = FromWide(text);
    field.text.Set(clock.substr(0, field.displayLength));
}

// One character a cell; the cells run out at the right edge, after which the
// characters are right-aligned in theirs.
void DrawCells(HDC dc, const CField& field, int width, int height, uint32_t colour) {
    std::u16string text = field.text.Get();
    int cells = static_cast<int>(field.displayLength);
    if (cells == 0) return;
    int cell = width / cells;
    int length = static_cast<int>(text.size());
    const wchar_t* chars = Wide(text);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (cells == 1 && length == 1) {
        DrawFieldText(dc, field, chars, 1, RECT{0, 1, cell, height - 2}, format | DT_CENTER,
                      colour);
        return;
    }
    int k = (field.typeByte & kRightAligned) ? cells - length : 0;
    bool rightAligned = false;
    for (int i = 0; i < length; ++i) {
        int x0 = (i + k) * cell + 1;
        int x1 = x0 + cell;
        if (x1 > width - 2) {
            x1 = width - 2;
            x0 = x1 - cell;
            rightAligned = true;
        }
        DrawFieldText(dc, field, chars + i, 1, RECT{x0, 1, x1, height - 2},
                      format | (rightAligned ? DT_RIGHT : DT_LEFT), colour);
    }
}

void PaintSystem(HDC dc, CField& field, int width, int height) {
    UpdateClockText(field);
    uint8_t style = VideoStyle(field);
    uint32_t text = kBlack;
    if (field.controlKind == 2) {
        CBrush fill(
            CreateSolidBrush(Rgb(field.selected ? field.colorShadow : field.colorSelectedFill)));
        CPen frame(CreatePen(PS_SOLID, 1,
                             Rgb(field.selected ? field.colorSelectedFrame : field.colorFrame)));
        CSelection brushSelected(dc, fill.Get());
        CSelection penSelected(dc, frame.Get());
        FillArea(dc, 0, 0, width, height, kPageColour);
        Rectangle(dc, 0, 0, width - 1, height - 1);
        DrawCellEdge(dc, field, width, height);
    } else if (style == kReverseVideo) {
        DrawBevelBlock(dc, field, width, height, field.colorReverseBack);
        text = field.colorReverseText;
    } else {
        FillArea(dc, 0, 0, width, height, kPageColour);
        if (style == kBlinkVideo) text = field.blinkOn ? kPageColour : field.colorText;
        DrawCellEdge(dc, field, width, height);
    }
    DrawCells(dc, field, width, height, text);
}

}  // namespace

LRESULT CALLBACK SystemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const CFieldWindowKind kind = {
        SetSystemColourSlots,
        [](HWND, HDC dc, CField& field, int w, int h) { PaintSystem(dc, field, w, h); },
        // The clock repaints with every blink, whatever its style.
        [](HWND window, CField& field, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
            return message == UM_BLINK && OnBlink(window, field, lParam, true);
        },
    };
    return FieldWindowMessage(kind, window, message, wParam, lParam);
}

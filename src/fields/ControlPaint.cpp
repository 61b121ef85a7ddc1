#include "fields/ControlPaint.h"

#include <string>

#include "config/Settings.h"
#include "fields/Button.h"
#include "fields/CheckBox.h"
#include "fields/Drawing.h"
#include "fields/FieldLook.h"
#include "fields/RadioButton.h"
#include "fields/SelectButton.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

constexpr char16_t kPadding = 0x7F;

uint32_t PageColour(const CField& field) {
    return field.page ? field.page->backColour : kPageColour;
}

// Yellow for the blinking and reverse styles, else grey.
int StyleValue(const CField& field) {
    uint8_t style = VideoStyle(field);
    return style == kBlinkVideo || style == kReverseVideo ? 2 : 0;
}

std::u16string Label(const std::u16string& text) {
    return text.empty() ? text : text.substr(1);
}

// The radio button's label: what follows the mark and any padding after it,
// within the field's length. The text itself stays whole for the host.
std::u16string RadioLabel(const CField& field, const std::u16string& text) {
    std::u16string shown = text.substr(0, field.displayLength);
    size_t start = shown.empty() ? 0 : 1;
    while (start < shown.size() && shown[start] == kPadding) ++start;
    return shown.substr(start);
}

void PaintButton(CDrawing& dc, CField& field, int width, int height, bool focused, int style) {
    uint8_t video = VideoStyle(field);
    CButton button(dc, 0, 0, width - 1, height - 1, field.text.Get(), style, video == kBlinkVideo,
                   field.blinkOn, video == kReverseVideo, field.Class() == kFixedField, field);
    if (field.onState) {
        button.DrawPressed();
    } else {
        button.DrawRaised();
    }
    if (!focused) return;
    button.DrawFocus();
    button.DrawLabel();
}

void PaintSelectButton(CDrawing& dc, CField& field, int width, int height, bool focused) {
    CSelectButton button(dc, 0, 0, width - 1, height - 1, field.text.Get(), field);
    if (field.onState) {
        button.DrawPressed();
    } else {
        button.DrawRaised();
    }
    if (focused) button.DrawFocus();
}

template <typename Control>
void PaintBoxControl(CDrawing& dc, CField& field, int width, int height, bool focused,
                     const CSettings& s, bool labelAfterFocus) {
    std::u16string text = field.text.Get();
    field.onState = IsMarked(text);
    std::u16string label = labelAfterFocus ? RadioLabel(field, text) : Label(text);
    Control control(dc, 0, 0, width, height, std::move(label),
                    static_cast<int>(field.displayLength), field.typeByte & 0x10, field.optionS,
                    field.Class() == kFixedField, field, s);
    if (field.onState) {
        control.DrawChecked();
    } else {
        control.DrawUnchecked();
    }
    if (!focused) return;
    control.DrawFocus();
    if (labelAfterFocus) control.DrawLabel();
}

}  // namespace

bool IsMarked(std::u16string_view text) {
    return !text.empty() && text[0] == u'X';
}

void PaintControl(CDrawing& dc, CField& field, FieldWindowClass kind, int width, int height,
                  bool focused, const CSettings& s) {
    bool boxControl = kind == FieldWindowClass::CheckBox || kind == FieldWindowClass::RadioButton;
    uint32_t back = boxControl && s.CustomColorMode() ? s.BackGroundColor() : PageColour(field);
    dc.Fill(0, 0, width, height, back);
    switch (kind) {
        case FieldWindowClass::Button:
            PaintButton(dc, field, width, height, focused, field.selected ? 2 : 0);
            break;
        case FieldWindowClass::Keys:
            PaintButton(dc, field, width, height, focused, StyleValue(field));
            break;
        case FieldWindowClass::SelectButton:
            PaintSelectButton(dc, field, width, height, focused);
            break;
        case FieldWindowClass::CheckBox:
            PaintBoxControl<CCheckBox>(dc, field, width, height, focused, s, false);
            break;
        case FieldWindowClass::RadioButton:
            PaintBoxControl<CRadioButton>(dc, field, width, height, focused, s, true);
            break;
        default:
            break;
    }
}

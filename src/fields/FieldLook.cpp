#include "fields/FieldLook.h"

#include <utility>

#include "config/Settings.h"
#include "screen/Field.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kEntryFocusBack = 0x9EF0FF;
constexpr uint32_t kSelectedYellow = 0x33CCFF;

}  // namespace

uint8_t VideoStyle(const CField& field) {
    return field.attrByte & 0x30;
}

void SetEntryColourSlots(CField& field, const CSettings& s) {
    bool custom = s.CustomColorMode();
    field.colorBack = custom ? s.InputBackGroundColor() : kWhite;
    field.colorText = custom && field.selected ? s.SelectedForeGround() : kBlack;
    field.colorFocusBack = custom ? s.FocusBackGroundColor() : kEntryFocusBack;
    field.colorFrame = kPageColour;
    field.colorSelectedBack = custom ? s.SelectedBackGroundColor() : kSelectedYellow;
    field.colorSelectedFrame = kSelectedYellow;
}

void SetFixedColourSlots(CField& field, const CSettings& s) {
    bool custom = s.CustomColorMode();
    field.colorText = custom ? s.ForeGroundColor() : kBlack;
    field.colorTextAlt = custom ? s.SelectedForeGround() : kBlack;
    field.colorBack = custom ? s.BackGroundColor() : kPageColour;
    field.colorFrame = kWhite;
    field.colorReverseBack = custom ? s.ForeGroundColor() : kWhite;
    field.colorSelectedBack = custom ? s.SelectedBackGroundColor() : kSelectedYellow;
}

void SetSystemColourSlots(CField& field) {
    field.colorText = 0x0000FF;
    field.colorFrame = kWhite;
    field.colorReverseText = 0xA66A5C;
    field.colorReverseBack = kWhite;
    field.colorSelectedFill = 0xBCCBCC;
    field.colorSelectedFrame = kSelectedYellow;
    field.colorShadow = 0x4B9EC3;
}

CEntryLook EntryLook(const CField& field, const CSettings& s, bool focused) {
    bool custom = s.CustomColorMode();
    CEntryLook look;
    if (focused) {
        look = custom ? CEntryLook{s.FocusBackGroundColor(), s.FocusForeGroundColor(),
                                   s.InputForeGroundColor()}
                      : CEntryLook{field.colorFocusBack, field.colorText, field.colorFrame};
    } else if (field.selected) {
        look = custom
                   ? CEntryLook{s.SelectedBackGroundColor(), s.SelectedForeGround(),
                                field.colorSelectedFrame}
                   : CEntryLook{field.colorSelectedBack, field.colorText, field.colorSelectedFrame};
    } else {
        look = custom ? CEntryLook{s.InputBackGroundColor(), s.InputForeGroundColor(),
                                   s.InputForeGroundColor()}
                      : CEntryLook{field.colorBack, field.colorText, field.colorFrame};
    }
    uint8_t style = VideoStyle(field);
    if (style == kReverseVideo || (style == kBlinkVideo && !field.blinkOn)) {
        std::swap(look.back, look.text);
    }
    return look;
}

namespace {

CFixedLook CustomFixedLook(const CField& field, const CSettings& s) {
    uint8_t style = VideoStyle(field);
    uint32_t text = field.selected ? s.SelectedForeGround() : s.ForeGroundColor();
    uint32_t back = field.selected ? s.SelectedBackGroundColor() : s.BackGroundColor();
    CFixedLook look{back, text, false, s.UnderlineFixedTextMode(), false};
    if (style == kReverseVideo) {
        std::swap(look.fill, look.text);
    } else if (style == kBlinkVideo && field.blinkOn) {
        // Unselected the text vanishes into the background; selected it swaps.
        if (field.selected) {
            std::swap(look.fill, look.text);
        } else {
            look.text = look.fill;
        }
    }
    return look;
}

CFixedLook PlainFixedLook(const CField& field) {
    uint8_t style = VideoStyle(field);
    if (field.selected) {
        CFixedLook look{field.colorSelectedBack, field.colorTextAlt, false, true, false};
        if (style == kReverseVideo || (style == kBlinkVideo && field.blinkOn)) {
            std::swap(look.fill, look.text);
        }
        return look;
    }
    if (style == kReverseVideo) return {field.colorReverseBack, kBlack, false, false, true};
    CFixedLook look{field.colorBack, field.colorText, true, true, false};
    if (style == kBlinkVideo && !field.blinkOn) look.text = field.colorBack;
    return look;
}

}  // namespace

CFixedLook FixedLook(const CField& field, const CSettings& s) {
    return s.CustomColorMode() ? CustomFixedLook(field, s) : PlainFixedLook(field);
}

uint32_t WatermarkColour(const CSettings& s) {
    if (!s.CustomColorMode()) return 0xC3B59F;
    uint32_t colour = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t channel = ((s.BackGroundColor() >> shift) & 0xFF) + 5;
        colour |= (channel > 255 ? 250 : channel) << shift;
    }
    return colour;
}

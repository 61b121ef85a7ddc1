#pragma once

#include <cstdint>

#include "platform/WindowPort.h"
#include "screen/FieldText.h"

class CPage;

// Control kinds set by the '@A' field option.
enum ControlKind : uint8_t {
    kPlainControl = 0,
    kButtonControl = 1,
    kSelectButtonControl = 3,
    kCheckBoxControl = 4,
    kRadioButtonControl = 5,
    kKeysControl = 6,
};

// Field classes: the low two bits of the type byte.
enum FieldClass : int { kNoField = 0, kFixedField = 1, kSystemField = 2, kEntryField = 3 };

// The plain members of a field record, which a reset sets back at once.
struct CFieldValues {
    uint8_t changed = 0;  // the window must be made again at the next refresh
    uint8_t isNew = 1;    // no window yet
    int32_t column = 0;
    uint32_t row = 0;
    uint8_t typeByte = 0;  // bits 0-1 field class, bits 2-5 options
    uint8_t attrByte = 0;  // 0x02 hidden, 0x04 copied to attrFlag4, 0x30 video style
    uint8_t stateByte = 0;
    uint8_t skipFocus = 0;  // bound to the serial feature port
    uint8_t attrFlag4 = 0;
    uint8_t controlKind = kPlainControl;
    uint32_t displayLength = 0;  // width in character cells
    int32_t maxLength = 0;       // capacity of text in characters
    uint8_t optionM = 0;
    int32_t optionS = 1;
    uint8_t modified = 0;
    uint8_t completing = 0;
    uint8_t prefixSet = 0;
    uint8_t prefixMode = 0;
    uint8_t prefixFlag4 = 0;
    uint8_t prefixFlag8 = 0;
    uint8_t prefixFlag16 = 0;
    int32_t prefixLength = 0;
    int32_t fieldNumber = 0;
    int32_t lastColumn = 0;
    CPage* page = nullptr;
    CField* previous = nullptr;
    CField* next = nullptr;
    CField* previousInRow = nullptr;
    CField* nextInRow = nullptr;

    // Members only the field windows use.
    uint8_t selected = 0;
    uint8_t blinkOn = 0;
    uint8_t onState = 0;
    uint8_t hasCaret = 0;
    uint8_t freshFocus = 0;
    int32_t caretIndex = 0;
    int32_t caretX = 0;
    int32_t textImageWidth = 0;
    uint32_t colorText = 0;
    uint32_t colorTextAlt = 0;
    uint32_t colorBack = 0;
    uint32_t colorFocusBack = 0;
    uint32_t colorFrame = 0;
    uint32_t colorReverseText = 0;
    uint32_t colorReverseBack = 0;
    uint32_t colorSelectedFill = 0;
    uint32_t colorSelectedFrame = 0;
    uint32_t colorSelectedBack = 0;
    uint32_t colorShadow = 0;

    WindowHandle fieldWindow = nullptr;
};

// One field of a page. Owned by the page's CFieldList; a field window keeps a
// pointer to it but never owns it.
class CField : public CFieldValues {
public:
    CFieldText text;
    CFieldText prefixText;

    // Back to the values of a record never used, texts null. The field list
    // reuses deleted records, and their text storage, for new fields.
    void Reset();

    int Class() const { return typeByte & 3; }
    // An input stop: an entry field the focus does not pass over.
    bool IsInputStop() const { return Class() == kEntryField && !skipFocus; }
};

#include "screen/FieldWindowClass.h"

#include "screen/Field.h"

namespace {

// The classes that fixed and entry fields share for their control kinds;
// None for a kind that takes the field class's own window.
FieldWindowClass ControlWindowClass(uint8_t controlKind) {
    switch (controlKind) {
        case kButtonControl:
            return FieldWindowClass::Button;
        case kSelectButtonControl:
            return FieldWindowClass::SelectButton;
        case kCheckBoxControl:
            return FieldWindowClass::CheckBox;
        case kRadioButtonControl:
            return FieldWindowClass::RadioButton;
        default:
            return FieldWindowClass::None;
    }
}

}  // namespace

FieldWindowClass WindowClassFor(const CField& field) {
    switch (field.Class()) {
        case kFixedField: {
            if (field.controlKind == kKeysControl) return FieldWindowClass::Keys;
            FieldWindowClass control = ControlWindowClass(field.controlKind);
            return control != FieldWindowClass::None ? control : FieldWindowClass::Fixed;
        }
        case kSystemField:
            return FieldWindowClass::System;
        case kEntryField: {
            FieldWindowClass control = ControlWindowClass(field.controlKind);
            return control != FieldWindowClass::None ? control : FieldWindowClass::Entry;
        }
        default:
            return FieldWindowClass::None;
    }
}

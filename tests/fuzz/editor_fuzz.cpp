// Keys and characters through an entry field's editor. After each: the caret
// stays in the text, typing stays within the field's length, a protected field
// keeps its text against the keyboard, a change is marked for the host, a
// numeric field takes nothing outside its set, and reports name real keys.
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const uint8_t flags = in.Byte();
    CSettings settings(u"Ravelin.ini");
    SetEditingSettings(settings, flags, in);

    CField field;
    field.fieldNumber = 7;
    field.typeByte = in.Byte() | kEntryField;
    field.attrByte = in.Byte();
    field.attrFlag4 = flags & 0x10;
    field.prefixSet = flags & 0x20;
    field.completing = flags & 0x40;
    field.hasCaret = flags & 0x80;
    field.freshFocus = in.Byte() & 1;
    field.maxLength = in.Byte() % 64;
    field.text.Allocate(field.maxLength);
    field.text.Set(in.CountedText());
    field.caretIndex = in.Byte() % (field.text.Length() + 1);
    CCheckedWork work;  // the current field: this one, another or none
    work.field = field.fieldNumber;
    work.current = in.Byte() & 1 ? 9 : -1;
    CEntryEditor editor(field, settings, work);

    while (!in.AtEnd()) {
        const uint8_t op = in.Byte();
        const std::u16string before = field.text.Get();
        const bool keyboard = op % 4 < 2;
        switch (op % 4) {
            case 0:
                editor.KeyDown(KeyPress(in.Byte(), op >> 2));
                break;
            case 1:
            case 2: {
                char16_t code = in.Byte();
                if (op & 0x80) code = static_cast<char16_t>(code << 8 | in.Byte());
                editor.Character(code, op % 4 == 2, KeyPress(0, op >> 2));
                break;
            }
            default:
                op & 0x20 ? editor.Clear() : editor.LoseFocus();
                break;
        }
        const std::u16string after = field.text.Get();
        Require(after.size() == size_t(field.text.Length()));
        Require(after.size() <= size_t(field.text.Capacity()));
        Require(field.caretIndex >= 0 && field.caretIndex <= field.text.Length());
        if (after.size() > before.size()) Require(field.text.Length() <= field.maxLength);
        if (after != before) Require(field.modified && !(keyboard && field.attrFlag4));
        if (field.typeByte & kNumericEntry && NumericAllows(settings, before))
            Require(NumericAllows(settings, after));
    }
    return 0;
}

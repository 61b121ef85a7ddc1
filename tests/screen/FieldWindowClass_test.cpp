#include "screen/FieldWindowClass.h"

#include <gtest/gtest.h>

#include "screen/Field.h"

namespace {

TEST(FieldWindowClassTest, ByFieldClassAndControlKind) {
    using W = FieldWindowClass;
    // Columns: controlKind 0 to 7.
    const W table[4][8] = {
        {W::None, W::None, W::None, W::None, W::None, W::None, W::None, W::None},
        {W::Fixed, W::Button, W::Fixed, W::SelectButton, W::CheckBox, W::RadioButton, W::Keys,
         W::Fixed},
        {W::System, W::System, W::System, W::System, W::System, W::System, W::System, W::System},
        {W::Entry, W::Button, W::Entry, W::SelectButton, W::CheckBox, W::RadioButton, W::Entry,
         W::Entry},
    };
    CField field;
    for (int fieldClass = 0; fieldClass < 4; ++fieldClass) {
        for (int kind = 0; kind < 8; ++kind) {
            // The option bits above the class do not matter.
            field.typeByte = static_cast<uint8_t>(0x3C | fieldClass);
            field.controlKind = static_cast<uint8_t>(kind);
            EXPECT_EQ(WindowClassFor(field), table[fieldClass][kind]) << fieldClass << "," << kind;
        }
    }
}

}  // namespace

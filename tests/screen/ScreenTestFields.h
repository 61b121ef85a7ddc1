#pragma once

#include <cstdint>
#include <vector>

#include "screen/Field.h"
#include "screen/FieldList.h"

// A field as a test describes it; the type byte 0x43 makes an entry field.
struct CFieldDescription {
    int number;
    uint32_t row = 0;
    int column = 0;
    int length = 1;
    uint8_t typeByte = 0x43;
    uint8_t skipFocus = 0;
};

inline void AddFields(CFieldList& list, const std::vector<CFieldDescription>& descriptions) {
    for (const CFieldDescription& wanted : descriptions) {
        CField* field = list.CreateField(wanted.number, wanted.row, wanted.column, wanted.length);
        field->typeByte = wanted.typeByte;
        field->skipFocus = wanted.skipFocus;
    }
}

// Field numbers in list order, read along the links without the cursor.
inline std::vector<int> Numbers(const CFieldList& list) {
    std::vector<int> numbers;
    for (CField* field = list.Head(); field; field = field->next)
        numbers.push_back(field->fieldNumber);
    return numbers;
}

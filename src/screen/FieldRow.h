#pragma once

#include <cstdint>

class CField;

// One screen row of a page's row index; exists while the row holds a field.
class CFieldRow {
public:
    uint32_t row = 0;
    CField* first = nullptr;  // fields of the row in ascending column
    CField* last = nullptr;
    CFieldRow* previous = nullptr;
    CFieldRow* next = nullptr;
};

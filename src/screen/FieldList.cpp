#include "screen/FieldList.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "screen/Field.h"
#include "screen/FieldRow.h"
#include "screen/Page.h"

CFieldList::~CFieldList() {
    Clear();
    while (spareFields) delete std::exchange(spareFields, spareFields->next);
    while (spareRows) delete std::exchange(spareRows, spareRows->next);
}

CField* CFieldList::FindField(int number) const {
    CField* field = FindFieldOrNext(number);
    return field && field->fieldNumber == number ? field : nullptr;
}

CField* CFieldList::FindFieldOrNext(int number) const {
    // Commands mostly address the field made last: the tail answers at once.
    if (!tail || number > tail->fieldNumber) return nullptr;
    if (number == tail->fieldNumber) return tail;
    CField* field = head;
    while (field->fieldNumber < number) field = field->next;
    return field;
}

CField* CFieldList::CreateField(int number, uint32_t row, int column, int length) {
    // Numbers are unique and ascending: none can equal one above the tail's.
    if (tail && number <= tail->fieldNumber) DeleteField(number);

    // A negative length would become an enormous unsigned width.
    int width = std::max(length, 0);
    CField* field = spareFields ? std::exchange(spareFields, spareFields->next) : new CField;
    field->next = nullptr;
    field->column = column;
    field->row = row;
    field->displayLength = static_cast<uint32_t>(width);
    field->maxLength = width;
    field->fieldNumber = number;
    field->lastColumn = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{column} + width - 1, INT32_MIN, INT32_MAX));
    field->page = &page;

    LinkByNumber(field);
    LinkIntoRow(field);
    return field;
}

void CFieldList::DeleteField(int number) {
    for (CField* field = head; field && field->fieldNumber <= number; field = field->next) {
        if (field->fieldNumber == number) {
            if (field->fieldWindow) page.port.CloseFieldWindow(*field);
            Remove(field);
            return;
        }
    }
}

void CFieldList::Clear() {
    // One field at a time, so the list stays whole while each window closes.
    while (head) {
        if (head->fieldWindow) page.port.CloseFieldWindow(*head);
        Remove(head);
    }
}

int CFieldList::FieldStyleAt(int column, uint32_t row) const {
    CFieldRow* entry = FindRow(row);
    if (!entry) return 0;
    // Columns ascend along the row: no field past the cell can cover it.
    for (CField* field = entry->first; field && field->column <= column; field = field->nextInRow) {
        if (column <= field->lastColumn) {
            return (field->controlKind * 4 + ((field->attrByte & 0x30) >> 4) + 1) & 0xFF;
        }
    }
    return 0;
}

CField* CFieldList::NextSerialTarget() const {
    CField* last = nullptr;
    for (CField* field = head; field; field = field->next) {
        if (field->Class() != kEntryField || !field->skipFocus) continue;
        if (!field->modified) return field;
        last = field;
    }
    return last;
}

int CFieldList::FirstInputField() const {
    for (CField* field = head; field; field = field->next) {
        if (field->IsInputStop()) return field->fieldNumber;
    }
    return -1;
}

int CFieldList::LastInputField() const {
    for (CField* field = tail; field; field = field->previous) {
        if (field->IsInputStop()) return field->fieldNumber;
    }
    return -1;
}

int CFieldList::NextInputField(int current) const {
    CField* from = FindFieldOrNext(current);
    for (CField* field = from ? from->next : nullptr; field; field = field->next) {
        if (field->IsInputStop()) return field->fieldNumber;
    }
    return -1;
}

int CFieldList::PreviousInputField(int current) const {
    CField* from = FindFieldOrNext(current);
    for (CField* field = from ? from->previous : nullptr; field; field = field->previous) {
        if (field->IsInputStop()) return field->fieldNumber;
    }
    return -1;
}

void CFieldList::LinkByNumber(CField* field) {
    if (!head) {
        head = tail = field;
        return;
    }
    if (field->fieldNumber < head->fieldNumber) {
        field->next = head;
        head->previous = field;
        head = field;
        return;
    }
    if (field->fieldNumber > tail->fieldNumber) {
        field->previous = tail;
        tail->next = field;
        tail = field;
        return;
    }
    CField* after = head;
    while (after->fieldNumber < field->fieldNumber) after = after->next;
    field->next = after;
    field->previous = after->previous;
    after->previous->next = field;
    after->previous = field;
}

void CFieldList::LinkIntoRow(CField* field) {
    // The first entry with a row not less than the field's: its own entry, or
    // the one a new entry goes before (none: at the end). Hosts build their
    // screens top down, so the search runs from the last row backwards.
    CFieldRow* at = nullptr;
    for (CFieldRow* entry = lastRow; entry && entry->row >= field->row; entry = entry->previous) {
        at = entry;
    }
    CFieldRow* entry = at;
    if (!at || at->row != field->row) {
        entry = spareRows ? std::exchange(spareRows, spareRows->next) : new CFieldRow;
        *entry = CFieldRow();
        entry->row = field->row;
        entry->next = at;
        entry->previous = at ? at->previous : lastRow;
        (entry->previous ? entry->previous->next : firstRow) = entry;
        (at ? at->previous : lastRow) = entry;
    }

    // Before the first field of a greater column, or at the end: equal
    // columns keep their order of creation.
    CField* after = nullptr;
    for (CField* f = entry->last; f && f->column > field->column; f = f->previousInRow) after = f;
    field->nextInRow = after;
    field->previousInRow = after ? after->previousInRow : entry->last;
    (field->previousInRow ? field->previousInRow->nextInRow : entry->first) = field;
    (after ? after->previousInRow : entry->last) = field;
}

void CFieldList::Remove(CField* field) {
    (field->previous ? field->previous->next : head) = field->next;
    (field->next ? field->next->previous : tail) = field->previous;

    CFieldRow* entry = FindRow(field->row);
    (field->previousInRow ? field->previousInRow->nextInRow : entry->first) = field->nextInRow;
    (field->nextInRow ? field->nextInRow->previousInRow : entry->last) = field->previousInRow;
    if (!entry->first) {
        (entry->previous ? entry->previous->next : firstRow) = entry->next;
        (entry->next ? entry->next->previous : lastRow) = entry->previous;
        entry->next = spareRows;
        spareRows = entry;
    }

    field->Reset();
    field->next = spareFields;
    spareFields = field;
}

CFieldRow* CFieldList::FindRow(uint32_t row) const {
    if (!lastRow || lastRow->row < row) return nullptr;
    for (CFieldRow* entry = firstRow; entry && entry->row <= row; entry = entry->next) {
        if (entry->row == row) return entry;
    }
    return nullptr;
}

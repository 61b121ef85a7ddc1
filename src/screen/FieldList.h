#pragma once

#include <cstdint>

class CField;
class CFieldRow;
class CPage;

// The fields of one page in ascending field number, with a row index.
// Lookups and walks change nothing: they may run while the focus is walked.
class CFieldList {
public:
    explicit CFieldList(CPage& owner) : page(owner) {}
    ~CFieldList();
    CFieldList(const CFieldList&) = delete;
    CFieldList& operator=(const CFieldList&) = delete;

    // The field with that number, or null.
    CField* FindField(int number) const;
    // For plain walks: follow next from here.
    CField* Head() const { return head; }
    bool IsEmpty() const { return head == nullptr; }

    // Replaces any field with that number. A negative length counts as 0.
    CField* CreateField(int number, uint32_t row, int column, int length);
    // Closes the field's window and frees the field; no-op when missing.
    void DeleteField(int number);
    // Closes every field window and empties the list and the row index.
    void Clear();

    // controlKind * 4 + video style + 1 of the field covering the cell, or 0.
    int FieldStyleAt(int column, uint32_t row) const;
    // The entry field where serial port input is typed, or null.
    CField* NextSerialTarget() const;

    // Focus stops by field number, or -1 when there is none.
    int FirstInputField() const;
    int LastInputField() const;
    // The stop after (before) the field current; when current is missing,
    // the walk starts from the next greater field, which does not count.
    int NextInputField(int current) const;
    int PreviousInputField(int current) const;

private:
    void LinkByNumber(CField* field);
    void LinkIntoRow(CField* field);
    void Remove(CField* field);
    CFieldRow* FindRow(uint32_t row) const;
    // The field with that number or else the first greater one; null past
    // the end of the list.
    CField* FindFieldOrNext(int number) const;

    CPage& page;
    CField* head = nullptr;
    CField* tail = nullptr;
    CFieldRow* firstRow = nullptr;
    CFieldRow* lastRow = nullptr;
    // Deleted records kept for reuse, linked through next; there are never
    // more than the page once held at a time.
    CField* spareFields = nullptr;
    CFieldRow* spareRows = nullptr;
};

#include "screen/FieldList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScreenTestFields.h"
#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

constexpr uint8_t kFixed = 0x41;
constexpr uint8_t kEntry = 0x43;

class FieldListTest : public testing::Test {
protected:
    // Gives every field of the page a window, as a page refresh would.
    void MakeWindows() {
        for (CField* field = list.Head(); field; field = field->next) {
            field->fieldWindow = port.MakeFieldWindow(*field);
        }
        port.Clear();
    }

    CRecordingPort port;
    CSettings settings{u"Ravelin.ini"};
    CPage page{0, port, settings};
    CFieldList& list = page.fields;
};

// Field numbers of one row in column order, found from any field of the row.
std::vector<int> RowNumbers(CField* field) {
    while (field->previousInRow) field = field->previousInRow;
    std::vector<int> numbers;
    for (; field; field = field->nextInRow) numbers.push_back(field->fieldNumber);
    return numbers;
}

TEST_F(FieldListTest, KeepsNumberAndRowOrder) {
    AddFields(list, {{5, 3, 10}, {2, 3, 10}, {9, 3, 4}, {7, 3, 20}, {3, 3, 10}, {1, 8, 0}});
    EXPECT_EQ(Numbers(list), (std::vector<int>{1, 2, 3, 5, 7, 9}));
    // Column 4 goes first; the three at column 10 keep their creation order.
    EXPECT_EQ(RowNumbers(list.FindField(5)), (std::vector<int>{9, 5, 2, 3, 7}));
    EXPECT_EQ(RowNumbers(list.FindField(1)), (std::vector<int>{1}));
}

TEST_F(FieldListTest, NegativeLengthCoversNoCell) {
    CField* field = list.CreateField(4, 2, 6, -3);
    EXPECT_EQ(field->displayLength, 0u);
    EXPECT_EQ(field->lastColumn, 5);
    EXPECT_EQ(list.FieldStyleAt(6, 2), 0);
}

TEST_F(FieldListTest, FindFieldLeavesCursor) {
    AddFields(list, {{2}, {5}, {9}});
    struct Case {
        int number;
        bool found;
        int cursor;  // -1: null
    } cases[] = {{5, true, 5}, {4, false, 5}, {1, false, 2}, {9, true, 9}, {10, false, -1}};
    for (const Case& c : cases) {
        CField* field = list.FindField(c.number);
        EXPECT_EQ(field != nullptr, c.found) << c.number;
        CField* cursor = list.Cursor();
        EXPECT_EQ(cursor ? cursor->fieldNumber : -1, c.cursor) << c.number;
    }
    EXPECT_EQ(list.Next(), nullptr);  // a null cursor stays null
    EXPECT_EQ(list.Previous(), nullptr);
    list.FindField(5);
    list.DeleteField(5);
    EXPECT_EQ(list.Cursor(), list.Head());
}

TEST_F(FieldListTest, FieldStyleAtReadsRowIndex) {
    AddFields(list, {{1, 3, 10, 5}, {2, 3, 10, 5}, {3, 3, 20, 2}, {4, 1, 0, 3}, {5, 7, 0, 80}});
    list.FindField(1)->attrByte = 0x30;
    list.FindField(2)->attrByte = 0x10;  // hidden behind field 1 at the same column
    list.FindField(3)->controlKind = kCheckBoxControl;
    list.FindField(3)->attrByte = 0x20;
    list.FindField(4)->attrByte = 0x42;  // invisible window, still reported
    struct Case {
        int column;
        uint32_t row;
        int style;
    } cases[] = {
        {10, 3, 4}, {14, 3, 4}, {15, 3, 0}, {9, 3, 0},  {20, 3, 19}, {21, 3, 19}, {22, 3, 0},
        {0, 1, 1},  {2, 1, 1},  {3, 1, 0},  {40, 7, 1}, {0, 2, 0},   {0, 9, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.FieldStyleAt(c.column, c.row), c.style) << c.column << "," << c.row;
    }

    // Emptying a row drops its entry; the rows around it stay reachable.
    list.DeleteField(4);
    EXPECT_EQ(list.FieldStyleAt(0, 1), 0);
    list.DeleteField(1);
    list.DeleteField(2);
    EXPECT_EQ(list.FieldStyleAt(20, 3), 19);
    list.DeleteField(3);
    EXPECT_EQ(list.FieldStyleAt(20, 3), 0);
    EXPECT_EQ(list.FieldStyleAt(0, 7), 1);
    AddFields(list, {{6, 5, 0, 1}, {7, 3, 0, 1}, {8, 1, 0, 1}});
    for (uint32_t row : {1u, 3u, 5u, 7u}) EXPECT_EQ(list.FieldStyleAt(0, row), 1) << row;
}

TEST_F(FieldListTest, InputStops) {
    AddFields(list, {{2}, {5}, {7, 0, 0, 1, kFixed}, {9, 0, 0, 1, kEntry, 1}, {12}});
    EXPECT_EQ(list.FirstInputField(), 2);
    EXPECT_EQ(list.LastInputField(), 12);
    struct Case {
        int current;
        int next;
        int previous;
    } cases[] = {
        {2, 5, -1},
        {5, 12, 2},
        {12, -1, 5},
        {9, 12, 5},
        // A missing number: the lookup stops on the next greater field, and
        // that field is no candidate either way.
        {4, 12, 2},
        {10, -1, 5},
        {-1, 5, -1},
        // Past the end the cursor is null and neither walk finds a stop.
        {20, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.NextInputField(c.current), c.next) << c.current;
        EXPECT_EQ(list.PreviousInputField(c.current), c.previous) << c.current;
    }

    list.Clear();
    AddFields(list, {{1, 0, 0, 1, kEntry, 1}, {2, 0, 0, 1, kFixed}, {3, 0, 0, 1, kEntry, 1}});
    EXPECT_EQ(list.FirstInputField(), -1);
    EXPECT_EQ(list.LastInputField(), -1);
    EXPECT_EQ(list.NextInputField(1), -1);
}

// Only fields with both prefix bits count, and all of them must be modified.
TEST_F(FieldListTest, AllPrefixFieldsModified) {
    struct Case {
        std::vector<uint8_t> flags;  // per field: prefixSet, prefixFlag4, modified as bits 2, 1, 0
        bool all;
    } cases[] = {{{}, false},  {{4, 2}, false},      {{7}, true},
                 {{6}, false}, {{7, 4, 2, 7}, true}, {{7, 6}, false}};
    for (const Case& c : cases) {
        list.Clear();
        int number = 0;
        for (uint8_t flags : c.flags) {
            CField* field = list.CreateField(number++, 0, 0, 1);
            field->prefixSet = flags >> 2 & 1;
            field->prefixFlag4 = flags >> 1 & 1;
            field->modified = flags & 1;
        }
        EXPECT_EQ(list.AllPrefixFieldsModified(), c.all) << c.flags.size();
    }
}

TEST_F(FieldListTest, NextSerialTarget) {
    EXPECT_EQ(list.NextSerialTarget(), nullptr);
    AddFields(list,
              {{3, 0, 0, 1, kEntry, 1}, {6, 0, 0, 1, kFixed, 1}, {8, 0, 0, 1, kEntry, 1}, {10}});
    struct Case {
        std::vector<int> modified;
        int target;
    } cases[] = {{{}, 3}, {{3}, 8}, {{6, 10}, 3}, {{3, 8}, 8}};
    for (const Case& c : cases) {
        for (CField* field = list.Head(); field; field = field->next) field->modified = 0;
        for (int number : c.modified) list.FindField(number)->modified = 1;
        CField* target = list.NextSerialTarget();
        EXPECT_EQ(target ? target->fieldNumber : -1, c.target);
    }
}

TEST_F(FieldListTest, ClosesEachWindowOnceBeforeFreeing) {
    AddFields(list, {{5}, {2}, {9}, {4}});
    MakeWindows();
    // Replacing field 5 closes its window; the new field 5 has none yet.
    list.CreateField(5, 1, 0, 3);
    list.DeleteField(7);
    list.DeleteField(4);
    EXPECT_EQ(port.Events(), (std::vector<std::string>{"close field5", "close field4"}));
    port.Clear();
    list.Clear();
    EXPECT_EQ(port.Events(), (std::vector<std::string>{"close field2", "close field9"}));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Cursor(), nullptr);
    EXPECT_EQ(list.FieldStyleAt(0, 0), 0);
    EXPECT_EQ(list.FieldStyleAt(0, 1), 0);
}

}  // namespace

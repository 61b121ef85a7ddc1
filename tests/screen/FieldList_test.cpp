#include "screen/FieldList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <initializer_list>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

using Numbers = std::vector<int>;
constexpr uint8_t kFixed = 0x41;
constexpr uint8_t kEntry = 0x43;

class FieldListTest : public testing::Test {
protected:
    // Number, row, column, length, fixed (else entry) and skipFocus of each field.
    void Add(std::initializer_list<std::array<int, 6>> fields) {
        for (const auto& [number, row, column, length, fixed, skip] : fields) {
            CField* field = list.CreateField(number, row, column, length);
            field->typeByte = fixed ? kFixed : kEntry;
            field->skipFocus = skip;
        }
    }

    CRecordingPort port;
    CSettings settings{u"Ravelin.ini"};
    CPage page{0, port, settings};
    CFieldList& list = page.fields;
};

TEST_F(FieldListTest, KeepsOrderAndClosesEachWindowOnce) {
    Add({{5, 3, 10}, {2, 3, 10}, {9, 3, 4}, {7, 3, 20}, {3, 3, 10}, {1, 8, 0}});
    Numbers numbers, row;
    for (CField* f = list.Head(); f; f = f->next) {
        numbers.push_back(f->fieldNumber);
        f->fieldWindow = port.MakeFieldWindow(*f);
    }
    EXPECT_EQ(numbers, (Numbers{1, 2, 3, 5, 7, 9}));
    // Column 4 goes first; the three at column 10 keep their creation order.
    CField* field = list.FindField(5);
    while (field->previousInRow) field = field->previousInRow;
    for (; field; field = field->nextInRow) row.push_back(field->fieldNumber);
    EXPECT_EQ(row, (Numbers{9, 5, 2, 3, 7}));

    // Replacing field 5 closes its window; the new field 5 has none yet.
    port.Clear();
    list.CreateField(5, 1, 0, 3);
    list.DeleteField(4);
    list.DeleteField(3);
    list.Clear();
    EXPECT_EQ(port.Events(),
              (std::vector<std::string>{"close field5", "close field3", "close field1",
                                        "close field2", "close field7", "close field9"}));
    EXPECT_TRUE(list.IsEmpty());
}

// The lookup goes through the row index, which must follow every change.
TEST_F(FieldListTest, FieldStyleAtReadsRowIndex) {
    Add({{1, 3, 10, 5}, {2, 3, 10, 5}, {3, 3, 20, 2}, {4, 1, 0, 3}, {5, 7, 0, 80}, {6, 2, 6, -3}});
    EXPECT_EQ(list.FindField(6)->displayLength, 0u);  // a negative length covers no cell
    list.FindField(1)->attrByte = 0x30;
    list.FindField(2)->attrByte = 0x10;  // hidden behind field 1 at the same column
    list.FindField(3)->controlKind = kCheckBoxControl;
    list.FindField(3)->attrByte = 0x20;
    list.FindField(4)->attrByte = 0x42;  // invisible window, still reported
    // Column, row and the style there.
    const int cases[][3] = {{10, 3, 4},  {14, 3, 4}, {15, 3, 0}, {9, 3, 0}, {20, 3, 19},
                            {21, 3, 19}, {22, 3, 0}, {0, 1, 1},  {2, 1, 1}, {3, 1, 0},
                            {40, 7, 1},  {6, 2, 0},  {0, 9, 0}};
    for (const auto& [column, row, style] : cases) {
        EXPECT_EQ(list.FieldStyleAt(column, row), style) << column << "," << row;
    }

    // Emptying a row drops its entry; the rows around it stay reachable.
    for (int number : {4, 1, 2}) list.DeleteField(number);
    EXPECT_EQ(list.FieldStyleAt(0, 1), 0);
    EXPECT_EQ(list.FieldStyleAt(20, 3), 19);
    list.DeleteField(3);
    EXPECT_EQ(list.FieldStyleAt(20, 3), 0);
    Add({{7, 5, 0, 1}, {8, 3, 0, 1}, {9, 1, 0, 1}});
    for (uint32_t row : {1u, 3u, 5u, 7u}) EXPECT_EQ(list.FieldStyleAt(0, row), 1) << row;
}

TEST_F(FieldListTest, InputStops) {
    Add({{2}, {5}, {7, 0, 0, 0, 1}, {9, 0, 0, 0, 0, 1}, {12}});
    EXPECT_EQ(list.FirstInputField(), 2);
    EXPECT_EQ(list.LastInputField(), 12);
    // A missing number stops the lookup on the next greater field, which is no
    // candidate either way; past the end neither walk finds a stop.
    const int cases[][3] = {{2, 5, -1}, {5, 12, 2},  {12, -1, 5}, {9, 12, 5},
                            {4, 12, 2}, {10, -1, 5}, {-1, 5, -1}, {20, -1, -1}};
    for (const auto& [current, next, previous] : cases) {
        EXPECT_EQ(list.NextInputField(current), next) << current;
        EXPECT_EQ(list.PreviousInputField(current), previous) << current;
    }
    // The window thread walks the focus while the connection thread looks
    // fields up: a lookup must not move what a walk stands on.
    std::atomic<bool> done{false};
    std::thread lookups([&] {
        while (!done) {
            for (int number : {12, 7, 3}) list.FindField(number);
        }
    });
    int wrong = 0;
    for (int i = 0; i < 200000; ++i) {
        wrong += list.FirstInputField() != 2 || list.NextInputField(5) != 12 ||
                 list.PreviousInputField(12) != 5;
    }
    done = true;
    lookups.join();
    EXPECT_EQ(wrong, 0);

    list.DeleteField(5);
    EXPECT_EQ(list.NextInputField(2), 12);
}

// Serial input goes to the first unmodified skip-focus entry field, else to
// the last modified one. Only fields with both prefix bits count for
// AllPrefixFieldsModified, and there must be one.
TEST_F(FieldListTest, ModifiedFields) {
    Add({{3, 0, 0, 0, 0, 1}, {6, 0, 0, 0, 1, 1}, {8, 0, 0, 0, 0, 1}, {10}});
    for (CField* f = list.Head(); f; f = f->next) f->modified = 1;
    EXPECT_FALSE(list.AllPrefixFieldsModified());
    for (int number : {3, 10}) list.FindField(number)->prefixSet = 1;
    for (int number : {3, 8, 10}) list.FindField(number)->prefixFlag4 = 1;
    list.FindField(6)->prefixSet = 1;
    // The modified fields, the serial target and whether all prefix fields are modified.
    const std::tuple<Numbers, int, bool> cases[] = {{{}, 3, false},      {{3}, 8, false},
                                                    {{6, 10}, 3, false}, {{3, 8}, 8, false},
                                                    {{3, 10}, 8, true},  {{3, 6, 8, 10}, 8, true}};
    for (const auto& [modified, target, all] : cases) {
        for (CField* f = list.Head(); f; f = f->next)
            f->modified = std::count(modified.begin(), modified.end(), f->fieldNumber);
        CField* found = list.NextSerialTarget();
        EXPECT_EQ(found ? found->fieldNumber : -1, target);
        EXPECT_EQ(list.AllPrefixFieldsModified(), all) << target;
    }
}

}  // namespace

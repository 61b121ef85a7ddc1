// The fields of a page, their texts, and the pages, with their windows.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <initializer_list>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/FieldList.h"
#include "screen/FieldText.h"
#include "screen/Page.h"
#include "screen/PageList.h"
#include "support/RecordingPort.h"

namespace {

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
    // Gives each page two fields with windows.
    void AddWindowedFields() {
        for (int i = 0; i < pages.Count(); ++i)
            for (int number = 10 * i + 1; number <= 10 * i + 2; ++number) {
                CField* field = pages.PageAt(i).fields.CreateField(number, number % 10, 0, 1);
                field->fieldWindow = port.MakeFieldWindow(*field);
            }
        port.Clear();
    }
    // The port's calls since the last look, ", " between them.
    std::string Calls() {
        std::string calls;
        for (const std::string& call : port.Events()) calls += (calls.empty() ? "" : ", ") + call;
        port.Clear();
        return calls;
    }

    CRecordingPort port;
    CSettings settings{u"Ravelin.ini"};
    CPage page{0, port, settings};
    CFieldList& list = page.fields;
    WindowHandle mainWindow = port.RegisterMainWindow();
    CPageList pages{port, settings};
};
using PageListTest = FieldListTest;

TEST_F(FieldListTest, KeepsNumberOrderAndClosesEachWindowOnce) {
    Add({{5, 3, 10}, {2, 3, 10}, {9, 3, 4}, {1, 8, 0}});
    for (CField* f = list.Head(); f; f = f->next) f->fieldWindow = port.MakeFieldWindow(*f);
    EXPECT_EQ(Calls(), "make field1, make field2, make field5, make field9");
    // Replacing field 5 closes its window; the new field 5 has none yet.
    list.CreateField(5, 1, 0, 3);
    list.DeleteField(4);
    list.Clear();
    EXPECT_EQ(Calls(), "close field5, close field1, close field2, close field9");
    EXPECT_TRUE(list.IsEmpty());
}

// The lookup goes through the row index, which must follow every change:
// columns ascend along a row, equal ones in their order of creation.
TEST_F(FieldListTest, FieldStyleAtReadsRowIndex) {
    Add({{1, 3, 10, 5}, {2, 3, 10, 5}, {3, 3, 20, 2}, {4, 1, 0, 3}, {5, 7, 0, 80}, {6, 2, 6, -3}});
    Add({{7, 3, 0, 2}});
    EXPECT_EQ(list.FindField(6)->displayLength, 0u);  // a negative length covers no cell
    list.FindField(1)->attrByte = 0x30;
    list.FindField(2)->attrByte = 0x10;  // hidden behind field 1 at the same column
    list.FindField(3)->controlKind = kCheckBoxControl;
    list.FindField(3)->attrByte = 0x20;
    list.FindField(4)->attrByte = 0x42;  // invisible window, still reported
    // Column, row and the style there.
    const int cases[][3] = {{10, 3, 4},  {14, 3, 4}, {15, 3, 0}, {9, 3, 0}, {1, 3, 1},
                            {20, 3, 19}, {2, 1, 1},  {40, 7, 1}, {6, 2, 0}, {0, 9, 0}};
    for (const auto& [column, row, style] : cases)
        EXPECT_EQ(list.FieldStyleAt(column, row), style) << column << "," << row;
    // Emptying a row drops its entry; the rows around it stay reachable.
    for (int number : {4, 1, 2, 7}) list.DeleteField(number);
    EXPECT_EQ(list.FieldStyleAt(0, 1), 0);
    EXPECT_EQ(list.FieldStyleAt(20, 3), 19);
    list.DeleteField(3);
    EXPECT_EQ(list.FieldStyleAt(20, 3), 0);
    Add({{8, 5, 0, 1}, {9, 3, 0, 1}, {10, 1, 0, 1}});
    for (uint32_t row : {1u, 3u, 5u, 7u}) EXPECT_EQ(list.FieldStyleAt(0, row), 1) << row;
}

TEST_F(FieldListTest, InputStops) {
    // Field 7 is fixed and bound to the port, 9 an entry field bound to it.
    Add({{2}, {5}, {7, 0, 0, 0, 1, 1}, {9, 0, 0, 0, 0, 1}, {12}});
    EXPECT_EQ(list.FirstInputField(), 2);
    EXPECT_EQ(list.LastInputField(), 12);
    EXPECT_EQ(list.NextSerialTarget()->fieldNumber, 9);  // the rest in SerialInput_test.cpp
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
        while (!done) list.FindField(12), list.FindField(7), list.FindField(3);
    });
    int wrong = 0;
    for (int i = 0; i < 200000; ++i)
        wrong += list.FirstInputField() != 2 || list.NextInputField(5) != 12 ||
                 list.PreviousInputField(12) != 5;
    done = true;
    lookups.join();
    EXPECT_EQ(wrong, 0);
    list.DeleteField(5);
    EXPECT_EQ(list.NextInputField(2), 12);
}

TEST_F(PageListTest, ShowsExistingPagesAndUnbindsAllBeforeClosing) {
    pages.Create(2, mainWindow);
    EXPECT_EQ(Calls(), "create page0, create page1, place page0 show, place page1 hide");
    EXPECT_EQ(pages.PageAt(1).parentWindow, mainWindow);
    const std::pair<int, const char*> cases[] = {
        {1, "place page0 hide, place page1 show, refresh page1"},
        {2, "place page0 hide, place page1 hide"}};
    for (const auto& [number, calls] : cases) {
        pages.ShowPage(number);
        pages.RefreshPage(number);
        EXPECT_EQ(Calls(), calls) << number;
        for (int i = 0; i < 2; ++i) EXPECT_EQ(pages.PageAt(i).shown, i == number) << number;
    }
    AddWindowedFields();
    pages.ClearAllPages();
    EXPECT_EQ(Calls(), "close field1, close field2, close field11, close field12");
    // Closing a focused field's window reaches the main window, which must find
    // no window still bound to a record of the pages being freed.
    AddWindowedFields();
    pages.DestroyWindows();
    EXPECT_EQ(Calls(),
              "unbind page0, unbind page1, close field1, close field2, close field11, "
              "close field12");

    // Without page windows there is nothing to place, refresh or unbind.
    port.SetMakePageWindows(false);
    CPageList bare(port, settings);
    bare.Create(2, mainWindow);
    EXPECT_EQ(std::pair(bare.PageAt(0).parentWindow, bare.PageAt(0).shown),
              std::pair(WindowHandle{}, uint8_t{1}));
    bare.ShowPage(1);
    bare.RefreshPage(1);
    bare.DestroyWindows();
    EXPECT_EQ(Calls(), "create page0, create page1");
}

using Text = CFieldText;
constexpr unsigned char kLatin1[] = {'H', 'I', 0xE9};

TEST(FieldTextTest, CapacityBoundsTheText) {
    // Steps on a fresh text and a second one; the capacity after (-1: null), the text.
    const std::tuple<void (*)(Text&, Text&), int, std::u16string> cases[] = {
        // Negative capacities are 0; Allocate empties; cuts stop before a pair.
        {[](Text& t, Text&) { t.Reallocate(-1), t.Set(u"A"), t.Allocate(-2); }, 0, u""},
        {[](Text& t, Text&) { t.Set(u"HI"), t.Allocate(4); }, 4, u""},
        {[](Text& t, Text&) { t.Allocate(2), t.Set(u"A\U0001F600"); }, 2, u"A"},
        {[](Text& t, Text&) { t.Set(u"AB\U0001F600"), t.Reallocate(3); }, 3, u"AB"},
        // Clear keeps the buffer; a freed text is null, and its storage grows.
        {[](Text& t, Text&) { t.Set(u"HI"), t.Clear(); }, 2, u""},
        {[](Text& t, Text&) { t.Set(u"HI"), t.Free(), t.Insert(0, u'X', 9); }, -1, u""},
        {[](Text& t, Text&) { t.Set(u"HI"), t.Free(), t.Allocate(3), t.Set(u"HEY"); }, 3, u"HEY"},
        // Move and copy keep the text; decoding into a null text sizes its buffer.
        {[](Text& t, Text& s) { t.Allocate(4), t.Set(u"HI"), s = std::move(t), t = s; }, 4, u"HI"},
        {[](Text& t, Text&) { t.Decode(kLatin1, 3, false); }, 3, u"HI\u00E9"},
        // Insert at the index, at -1 before all, within the room and the capacity.
        {[](Text& t, Text&) { t.Allocate(4), t.Set(u"AC"), t.Insert(1, u'B', 4); }, 4, u"ABC"},
        {[](Text& t, Text&) { t.Allocate(4), t.Set(u"BC"), t.Insert(-1, u'A', 4); }, 4, u"ABC"},
        {[](Text& t, Text&) { t.Allocate(4), t.Set(u"AB"), t.Insert(0, u'X', 2); }, 4, u"AB"},
        {[](Text& t, Text&) { t.Set(u"AB"), t.Insert(0, u'X', 9); }, 2, u"AB"},
        {[](Text& t, Text&) { t.Set(u"ABC"), t.Erase(1), t.Erase(2), t.Erase(-1); }, 3, u"AC"},
        // A copy cut to the capacity; from the text itself.
        {[](Text& t, Text& s) { t.Set(u"abc"), s.Set(u"WXYZ"), t.CopyFrom(s, 4); }, 3, u"WXY"},
        {[](Text& t, Text&) { t.Set(u"abc"), t.CopyFrom(t, 2); }, 3, u"abc"}};
    for (const auto& c : cases) {
        const auto& [steps, capacity, expected] = c;
        Text text, second;
        steps(text, second);
        EXPECT_EQ(text.Capacity(), capacity) << "case " << &c - cases;
        EXPECT_TRUE(text.Get() == expected) << "case " << &c - cases;
    }
}

}  // namespace

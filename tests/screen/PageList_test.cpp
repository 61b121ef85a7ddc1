#include "screen/PageList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScreenTestFields.h"
#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

using Events = std::vector<std::string>;

class PageListTest : public testing::Test {
protected:
    CRecordingPort port;
    WindowHandle mainWindow = port.RegisterMainWindow();
    CSettings settings{u"Ravelin.ini"};
    CPageList pages{port, settings};
};

TEST_F(PageListTest, CreateMakesWindowsAndShowsPageZero) {
    pages.Create(3, mainWindow);
    EXPECT_EQ(port.Events(), (Events{"create page0", "create page1", "create page2",
                                     "place page0 show", "place page1 hide", "place page2 hide"}));
    for (int i = 0; i < pages.Count(); ++i) {
        EXPECT_EQ(pages.PageAt(i).pageNumber, i);
        EXPECT_EQ(pages.PageAt(i).parentWindow, mainWindow);
        EXPECT_EQ(pages.PageAt(i).shown, i == 0);
    }
}

TEST_F(PageListTest, WithoutPageWindows) {
    port.SetMakePageWindows(false);
    pages.Create(2, mainWindow);
    EXPECT_EQ(port.Events(), (Events{"create page0", "create page1"}));
    EXPECT_EQ(pages.PageAt(0).parentWindow, nullptr);
    EXPECT_EQ(pages.PageAt(0).shown, 1);
    port.Clear();
    pages.ShowPage(1);
    pages.RefreshPage(1);
    pages.DestroyWindows();
    EXPECT_TRUE(port.Events().empty());
    EXPECT_EQ(pages.Count(), 0);
}

TEST_F(PageListTest, ShowAndRefreshOnlyExistingPages) {
    pages.Create(16, mainWindow);
    for (int number : {2, 16, -1}) {
        port.Clear();
        pages.ShowPage(number);
        pages.RefreshPage(number);
        Events events = port.Events();
        ASSERT_EQ(events.size(), number == 2 ? 17u : 16u) << number;
        EXPECT_EQ(events[2], number == 2 ? "place page2 show" : "place page2 hide");
        for (int i = 0; i < 16; ++i) EXPECT_EQ(pages.PageAt(i).shown, i == number);
    }
    EXPECT_EQ(port.Events().back(), "place page15 hide");
}

// Gives each page a few fields with windows and returns how many windows.
int AddWindowedFields(CPageList& pages, CRecordingPort& port) {
    int windows = 0;
    for (int i = 0; i < pages.Count(); ++i) {
        CFieldList& list = pages.PageAt(i).fields;
        AddFields(list, {{10 * i + 1}, {10 * i + 2, 1}, {10 * i + 3, 2}});
        for (CField* field = list.Head(); field; field = field->next, ++windows) {
            field->fieldWindow = port.MakeFieldWindow(*field);
        }
    }
    port.Clear();
    return windows;
}

TEST_F(PageListTest, ClearAllPagesClosesFieldWindows) {
    pages.Create(2, mainWindow);
    AddWindowedFields(pages, port);
    pages.ClearAllPages();
    EXPECT_EQ(port.Events(), (Events{"close field1", "close field2", "close field3",
                                     "close field11", "close field12", "close field13"}));
    EXPECT_TRUE(pages.PageAt(0).fields.IsEmpty());
    EXPECT_EQ(pages.Count(), 2);
}

// Closing a focused field's window reaches the main window, which must find
// no window still bound to a record of the pages being freed.
TEST_F(PageListTest, DestroyWindowsUnbindsEveryWindowBeforeClosingAny) {
    pages.Create(2, mainWindow);
    AddWindowedFields(pages, port);
    pages.DestroyWindows();
    EXPECT_EQ(
        port.Events(),
        (Events{"unbind field1", "unbind field2", "unbind field3", "unbind page0", "unbind field11",
                "unbind field12", "unbind field13", "unbind page1", "close field1", "close field2",
                "close field3", "close field11", "close field12", "close field13"}));
    EXPECT_EQ(pages.Count(), 0);
    EXPECT_EQ(pages.FindPage(0), nullptr);
}

TEST(PageTest, BackColourFollowsCustomColorMode) {
    CRecordingPort port;
    CSettings settings(u"Ravelin.ini");
    EXPECT_EQ(CPage(1, port, settings).backColour, 0x00C3B295u);
    settings.SetCustomColorMode(true);
    EXPECT_EQ(CPage(2, port, settings).backColour, settings.BackGroundColor());
}

}  // namespace

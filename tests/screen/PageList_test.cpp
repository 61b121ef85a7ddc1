#include "screen/PageList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

using Events = std::vector<std::string>;

class PageListTest : public testing::Test {
protected:
    // Gives each page two fields with windows.
    void AddWindowedFields() {
        for (int i = 0; i < pages.Count(); ++i) {
            for (int number = 10 * i + 1; number <= 10 * i + 2; ++number) {
                CField* field = pages.PageAt(i).fields.CreateField(number, number % 10, 0, 1);
                field->fieldWindow = port.MakeFieldWindow(*field);
            }
        }
        port.Clear();
    }

    CRecordingPort port;
    WindowHandle mainWindow = port.RegisterMainWindow();
    CSettings settings{u"Ravelin.ini"};
    CPageList pages{port, settings};
};

TEST_F(PageListTest, ShowsAndRefreshesOnlyExistingPages) {
    pages.Create(3, mainWindow);
    EXPECT_EQ(port.Events(), (Events{"create page0", "create page1", "create page2",
                                     "place page0 show", "place page1 hide", "place page2 hide"}));
    EXPECT_EQ(pages.PageAt(2).parentWindow, mainWindow);
    const std::pair<int, Events> cases[] = {
        {2, {"place page0 hide", "place page1 hide", "place page2 show", "refresh page2"}},
        {3, {"place page0 hide", "place page1 hide", "place page2 hide"}},
        {-1, {"place page0 hide", "place page1 hide", "place page2 hide"}}};
    for (const auto& [number, events] : cases) {
        port.Clear();
        pages.ShowPage(number);
        pages.RefreshPage(number);
        EXPECT_EQ(port.Events(), events) << number;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(pages.PageAt(i).shown, i == number) << number;
    }
}

TEST_F(PageListTest, WithoutPageWindows) {
    port.SetMakePageWindows(false);
    pages.Create(2, mainWindow);
    EXPECT_EQ(pages.PageAt(0).parentWindow, nullptr);
    EXPECT_EQ(pages.PageAt(0).shown, 1);
    pages.ShowPage(1);
    pages.RefreshPage(1);
    pages.DestroyWindows();
    EXPECT_EQ(port.Events(), (Events{"create page0", "create page1"}));
    EXPECT_EQ(pages.Count(), 0);
}

// Closing a focused field's window reaches the main window, which must find
// no window still bound to a record of the pages being freed.
TEST_F(PageListTest, ClosesFieldWindowsAfterUnbindingAll) {
    pages.Create(2, mainWindow);
    AddWindowedFields();
    pages.ClearAllPages();
    EXPECT_EQ(port.Events(),
              (Events{"close field1", "close field2", "close field11", "close field12"}));
    EXPECT_EQ(pages.Count(), 2);
    AddWindowedFields();
    pages.DestroyWindows();
    EXPECT_EQ(port.Events(),
              (Events{"unbind field1", "unbind field2", "unbind page0", "unbind field11",
                      "unbind field12", "unbind page1", "close field1", "close field2",
                      "close field11", "close field12"}));
    EXPECT_EQ(pages.FindPage(0), nullptr);
}

}  // namespace

// The dialogs that show host messages, under the Windows build.
#include <gtest/gtest.h>
#include <windows.h>

#include "config/Settings.h"
#include "options/AdvisoryDialog.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"

namespace {

CTerminalState* gDialogTerminal = nullptr;

// Destroys the open dialog from inside its modal loop, as the system does
// when the dialog's owner goes.
void CALLBACK DestroyOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    DestroyWindow(static_cast<HWND>(gDialogTerminal->openDialog.load()));
}

TEST(HostMessageDialogTest, TheTerminalNeverKeepsADialogThatHasGone) {
    CRecordingPort port;
    CSettings settings(u"Ravelin.ini");
    CTerminalState terminal(port, port.RegisterMainWindow(), settings);
    terminal.dialogText = u"Wrong location";
    gDialogTerminal = &terminal;
    ASSERT_NE(SetTimer(nullptr, 0, 100, DestroyOpenDialog), 0u);
    RunAdvisoryDialog(nullptr, terminal);
    gDialogTerminal = nullptr;
    EXPECT_EQ(terminal.openDialog.load(), nullptr);

    // A reset after the dialog has gone asks nothing of any window.
    port.Clear();
    terminal.CloseOpenDialog();
    EXPECT_TRUE(port.Events().empty());
}

}  // namespace

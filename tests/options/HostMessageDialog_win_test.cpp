// The dialogs that show host messages, under the Windows build.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/App.h"
#include "link/Session.h"
#include "options/AdvisoryDialog.h"
#include "support/RecordingPort.h"

namespace {

CSession* gDialogSession = nullptr;

// Destroys the open dialog from inside its modal loop, as the system does
// when the dialog's owner goes.
void CALLBACK DestroyOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    DestroyWindow(static_cast<HWND>(gDialogSession->openDialog.load()));
}

TEST(HostMessageDialogTest, ASessionNeverKeepsADialogThatHasGone) {
    gInstance = GetModuleHandleW(nullptr);
    CRecordingPort port;
    CSession session(port.RegisterMainWindow(), port);
    session.dialogText = u"Wrong location";
    gDialogSession = &session;
    ASSERT_NE(SetTimer(nullptr, 0, 100, DestroyOpenDialog), 0u);
    RunAdvisoryDialog(nullptr, session);
    gDialogSession = nullptr;
    EXPECT_EQ(session.openDialog.load(), nullptr);

    // A reset after the dialog has gone asks nothing of any window.
    port.Clear();
    session.CloseOpenDialog();
    EXPECT_TRUE(port.Events().empty());
}

}  // namespace

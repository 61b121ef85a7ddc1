// The application messages that reach the main window.
#include <iterator>

#include "app/MainWindow.h"
#include "app/Win32WindowPort.h"
#include "link/Session.h"
#include "options/AdvisoryDialog.h"
#include "options/HostMessageDialog.h"
#include "options/PromptDialog.h"
#include "platform/AppMessages.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

constexpr UINT kFirstAppMessage = UM_CONNECT;
constexpr UINT kLastAppMessage = UM_HOSTSIGNAL;
// Every keyboard message, WM_KEYDOWN to WM_SYSDEADCHAR.
constexpr UINT kFirstKeyboardMessage = 0x0100;
constexpr UINT kLastKeyboardMessage = 0x0109;

BOOL CALLBACK RelayoutChild(HWND child, LPARAM) {
    SendMessageW(child, UM_RELAYOUT, 0, 0);
    return TRUE;
}

}  // namespace

bool CMainWindow::IsAppMessage(UINT message) const {
    return message >= kFirstAppMessage && message <= kLastAppMessage;
}

bool CMainWindow::AwaitingHost() const {
    return !session || session->inputState >= 2;
}

LRESULT CMainWindow::OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case UM_CONNECT:
            if (session) session->StartConnection();
            return 0;
        case UM_SESSIONENDED:
            OnSessionEnded(wParam);
            return 0;
        case UM_KEY:
            OnKey(wParam, lParam);
            return 0;
        case UM_MOVEFOCUS:
            OnMoveFocus(wParam);
            return 0;
        case UM_TOOLBARLABEL:
            // There is no toolbar to show the label.
            return 0;
        case UM_TOOLBARKEY:
            if (session) SendMessageW(window, UM_KEY, session->currentField, wParam);
            return 0;
        case UM_SETCURRENTFIELD:
            if (session) session->currentField = static_cast<int32_t>(wParam);
            return 0;
        case UM_FIELDCOMPLETE:
            OnFieldComplete(wParam);
            return 0;
        case UM_ADVISORY:
            OnAdvisory(wParam, lParam);
            return 0;
        case UM_PROMPT:
            OnPrompt(wParam, lParam);
            return 0;
        case UM_ANIMATION:
            OnAnimation(wParam, lParam);
            return 0;
        case UM_LOCKINPUT:
            OnLockInput();
            return 0;
        case UM_UNLOCKINPUT:
            OnUnlockInput();
            return 0;
        case UM_STOPANIMATION:
            SendMessageW(window, UM_ANIMATION, 1, 0);
            return 0;
        case UM_RELAYOUT:
            EnumChildWindows(window, RelayoutChild, 0);
            return 0;
        case UM_GETCURRENTPAGE:
            return OnGetCurrentPage(lParam);
        case UM_GETCURRENTFIELD:
            return OnGetCurrentField(lParam);
        case UM_SERIALOUT:
            OnSerialOut(lParam);
            return 0;
        case UM_GETINPUTSTATE:
            return session ? session->inputState.load() : 0;
        case UM_LAYOUTFRAME:
            LayoutFrame();
            return 0;
        case UM_HOSTSIGNAL:
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void CMainWindow::OnSessionEnded(WPARAM stopFlag) {
    if (session) session->Stop();
    SetFocus(window);
    if (stopFlag == 0) StartReconnectTimer();
}

void CMainWindow::OnKey(WPARAM field, LPARAM keyNumber) {
    if (AwaitingHost()) return;
    SendMessageW(window, UM_ANIMATION, 1, 1);
    session->currentField = static_cast<int32_t>(field);
    session->SendKey(keyNumber & 0xFFFF);
}

void CMainWindow::OnMoveFocus(WPARAM direction) {
    if (!session) return;
    switch (static_cast<int>(direction)) {
        case 1:
            session->FocusNext();
            break;
        case -1:
            session->FocusPrevious();
            break;
        default:
            session->ApplyFocus();
            break;
    }
}

void CMainWindow::OnFieldComplete(WPARAM field) {
    if (AwaitingHost()) return;
    SendMessageW(window, UM_ANIMATION, 1, 1);
    session->currentField = static_cast<int32_t>(field);
    session->SendFieldComplete();
}

void CMainWindow::OnAdvisory(WPARAM wParam, LPARAM field) {
    CHostRequest request{UM_ADVISORY, wParam, field};
    if (!session || TakeOverHostDialog(request)) return;
    SendMessageW(window, UM_UNLOCKINPUT, 0, 0);
    INT_PTR result = 0;
    if (!RunHostDialog(request, RunAdvisoryDialog, result)) return;
    if (request.wParam != 1) {
        SendMessageW(window, UM_LOCKINPUT, 0, 0);
        return;
    }
    session->currentField = static_cast<int32_t>(request.lParam & 0xFFFF);
    session->ApplyFocus();
}

void CMainWindow::OnPrompt(WPARAM wParam, LPARAM lParam) {
    CHostRequest request{UM_PROMPT, wParam, lParam};
    if (!session || session->promptLength == -1 || TakeOverHostDialog(request)) return;
    SendMessageW(window, UM_UNLOCKINPUT, 0, 0);
    INT_PTR result = 0;
    if (!RunHostDialog(request, RunPromptDialog, result)) return;
    SendMessageW(window, UM_LOCKINPUT, 0, 0);
    if (result == IDOK) session->SendPromptAnswer();
}

// At most one host dialog is open: each would otherwise open inside the one
// before, without end, and a reset closes only the last. A request of the
// kind on screen takes it over with the host's latest text; one of the other
// kind closes it and comes again once it has gone.
bool CMainWindow::TakeOverHostDialog(const CHostRequest& request) {
    if (!hostRequest.message) return false;
    HWND open = static_cast<HWND>(session->openDialog.load());
    if (open && request.message == hostRequest.message) {
        hostRequest = request;
        RefreshHostMessageDialog(open);
        return true;
    }
    session->CloseOpenDialog();
    PostMessageW(window, request.message, request.wParam, request.lParam);
    return true;
}

bool CMainWindow::RunHostDialog(CHostRequest& request, INT_PTR (*run)(HWND, CSession&),
                                INT_PTR& result) {
    hostRequest = request;
    CSession& s = *session;
    if (!RunDialog([&s, run](HWND owner) { return run(owner, s); }, result)) return false;
    request = hostRequest;
    hostRequest = CHostRequest();
    return true;
}

void CMainWindow::OnAnimation(WPARAM, LPARAM) {
    // The lock animation shows the wait; without one nothing runs.
    if (port) port->SetAnimationRunning(false);
}

void CMainWindow::OnLockInput() {
    if (!session) return;
    session->inputLocked = 1;
    for (int i = 0; i < session->pages->Count(); ++i) {
        CPage& page = session->pages->PageAt(i);
        if (page.pageWindow) EnableWindow(static_cast<HWND>(page.pageWindow), FALSE);
    }
}

void CMainWindow::OnUnlockInput() {
    if (!session) return;
    // Keys typed while the host was busy are not meant for the new screen.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, kFirstKeyboardMessage, kLastKeyboardMessage, PM_REMOVE)) {
    }
    session->inputLocked = 0;
    session->inputState = 0;
    CPage* page = session->CurrentPage();
    if (page && page->pageWindow) EnableWindow(static_cast<HWND>(page->pageWindow), TRUE);
    session->ApplyFocus();
}

LRESULT CMainWindow::OnGetCurrentPage(LPARAM out) {
    CPage* page = session ? session->CurrentPage() : nullptr;
    *reinterpret_cast<CPage**>(out) = page;
    return page ? 1 : 0;
}

LRESULT CMainWindow::OnGetCurrentField(LPARAM out) {
    CField* field = session ? session->CurrentPageField(session->currentField) : nullptr;
    *reinterpret_cast<CField**>(out) = field;
    return field ? 1 : 0;
}

void CMainWindow::OnSerialOut(LPARAM block) {
    // There is no serial feature port to queue the bytes; the block is ours.
    HeapFree(GetProcessHeap(), 0, reinterpret_cast<void*>(block));
}

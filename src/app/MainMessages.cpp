// The application messages that reach the main window.
#include <iterator>
#include <utility>

#include "app/MainWindow.h"
#include "app/Win32WindowPort.h"
#include "link/Session.h"
#include "options/AdvisoryDialog.h"
#include "options/HostMessageDialog.h"
#include "options/PromptDialog.h"
#include "platform/AppMessages.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "screen/TerminalState.h"
#include "toolbar/LockAnimation.h"
#include "toolbar/ToolBar.h"

namespace {

constexpr UINT kFirstAppMessage = UM_CONNECT;
constexpr UINT kLastAppMessage = UM_HELDWORK;
// The keyboard messages but the system keys' (WM_SYSKEYDOWN to WM_SYSDEADCHAR).
constexpr std::pair<UINT, UINT> kScreenKeyMessages[] = {{0x0100, 0x0103}, {0x0108, 0x0109}};

// Keys typed while the host was busy are not meant for the new screen. The
// menu's keys stay, the system keys that open it and all keys while it is
// open: the menu is the operator's way out, also from a host that sends
// records without pause.
void DropScreenKeys() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE)) return;
    MSG msg;
    for (auto [first, last] : kScreenKeyMessages) {
        while (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) {
        }
    }
}

BOOL CALLBACK RelayoutChild(HWND child, LPARAM) {
    SendMessageW(child, UM_RELAYOUT, 0, 0);
    return TRUE;
}

}  // namespace

bool CMainWindow::IsAppMessage(UINT message) const {
    return message >= kFirstAppMessage && message <= kLastAppMessage;
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
            OnToolBarLabel(wParam, lParam);
            return 0;
        case UM_TOOLBARKEY:
            if (terminal) SendMessageW(window, UM_KEY, terminal->currentField, wParam);
            return 0;
        case UM_SETCURRENTFIELD:
            if (session) session->input.SetCurrentField(static_cast<int32_t>(wParam));
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
            SendMessageW(window, UM_ANIMATION, static_cast<WPARAM>(LockAnimationKind::AwaitingHost),
                         0);
            return 0;
        case UM_RELAYOUT:
            EnumChildWindows(window, RelayoutChild, 0);
            return 0;
        case UM_GETCURRENTPAGE:
            return OnGetCurrentPage(lParam);
        case UM_GETCURRENTFIELD:
            return OnGetCurrentField(lParam);
        case UM_SERIALOUT:
            OnSerialOut(wParam, lParam);
            return 0;
        case UM_SERIALFAULT:
            OnSerialFault(wParam);
            return 0;
        case UM_SERIALIN:
            OnSerialIn(wParam, lParam);
            return 0;
        case UM_GETINPUTSTATE:
            return terminal ? static_cast<LRESULT>(terminal->inputState.load()) : 0;
        case UM_LAYOUTFRAME:
            LayoutFrame();
            return 0;
        case UM_HOSTSIGNAL:
            return 0;
        case UM_HELDWORK:
            if (port) port->DoSentWork(lParam);
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
    if (session) session->input.Key(static_cast<int>(field), static_cast<int>(keyNumber));
}

void CMainWindow::OnMoveFocus(WPARAM direction) {
    if (session) session->input.MoveFocus(static_cast<int>(direction));
}

// Without a toolbar, the buttons' state waits here for the next one made.
void CMainWindow::OnToolBarLabel(WPARAM slot, LPARAM text) {
    if (slot >= kLabelSlotCount || !text) return;
    const auto& label = *reinterpret_cast<const std::u16string*>(text);
    if (toolbar) {
        toolbar->AssignLabel(static_cast<int>(slot), label);
    } else {
        toolBarKeys.AssignLabel(static_cast<int>(slot), label);
    }
}

void CMainWindow::OnFieldComplete(WPARAM field) {
    if (session) session->input.CompleteField(static_cast<int>(field));
}

void CMainWindow::OnAdvisory(WPARAM wParam, LPARAM field) {
    CHostRequest request{UM_ADVISORY, wParam, field};
    if (!terminal || TakeOverHostDialog(request)) return;
    SendMessageW(window, UM_UNLOCKINPUT, 0, 0);
    INT_PTR result = 0;
    if (!RunHostDialog(request, RunAdvisoryDialog, result)) return;
    if (request.wParam != 1) {
        SendMessageW(window, UM_LOCKINPUT, 0, 0);
        return;
    }
    session->input.EndAdvisory(static_cast<int>(request.lParam));
}

void CMainWindow::OnPrompt(WPARAM wParam, LPARAM lParam) {
    CHostRequest request{UM_PROMPT, wParam, lParam};
    if (!terminal || terminal->promptLength == -1 || TakeOverHostDialog(request)) return;
    SendMessageW(window, UM_UNLOCKINPUT, 0, 0);
    INT_PTR result = 0;
    if (!RunHostDialog(request, RunPromptDialog, result)) return;
    SendMessageW(window, UM_LOCKINPUT, 0, 0);
    if (result == IDOK) session->input.AnswerPrompt();
}

// At most one host dialog is open: each would otherwise open inside the one
// before, without end, and a reset closes only the last. A request of the
// kind on screen takes it over with the host's latest text; one of the other
// kind closes it and comes again once it has gone.
bool CMainWindow::TakeOverHostDialog(const CHostRequest& request) {
    if (!hostRequest.message) return false;
    HWND open = static_cast<HWND>(terminal->openDialog.load());
    if (open && request.message == hostRequest.message) {
        hostRequest = request;
        RefreshHostMessageDialog(open);
        return true;
    }
    terminal->CloseOpenDialog();
    PostMessageW(window, request.message, request.wParam, request.lParam);
    return true;
}

bool CMainWindow::RunHostDialog(CHostRequest& request, INT_PTR (*run)(HWND, CTerminalState&),
                                INT_PTR& result) {
    hostRequest = request;
    CTerminalState& s = *terminal;
    if (!RunDialog([&s, run](HWND owner) { return run(owner, s); }, result)) return false;
    request = hostRequest;
    hostRequest = CHostRequest();
    return true;
}

void CMainWindow::OnAnimation(WPARAM kind, LPARAM start) {
    if (!animation) return;
    if (start == 1) {
        SendMessageW(window, UM_LOCKINPUT, 0, 0);
        animation->Start(static_cast<LockAnimationKind>(kind));
    } else {
        animation->Stop();
    }
    port->SetAnimationRunning(animation->Running(), animation->Kind());
}

void CMainWindow::OnLockInput() {
    if (!terminal) return;
    CStateTurn turn(port->state);
    terminal->inputLocked = 1;
    for (int i = 0; i < terminal->pages->Count(); ++i) {
        // Every lock disables them all again: most are disabled already.
        HWND page = static_cast<HWND>(terminal->pages->PageAt(i).pageWindow);
        if (page && IsWindowEnabled(page)) EnableWindow(page, FALSE);
    }
}

void CMainWindow::OnUnlockInput() {
    if (!terminal) return;
    CStateTurn turn(port->state);
    DropScreenKeys();
    CPage* page = terminal->CurrentPage();
    if (page && page->pageWindow) EnableWindow(static_cast<HWND>(page->pageWindow), TRUE);
    terminal->ReleaseInput();
}

LRESULT CMainWindow::OnGetCurrentPage(LPARAM out) {
    CStateTurn turn(port->state);
    CPage* page = terminal ? terminal->CurrentPage() : nullptr;
    *reinterpret_cast<CPage**>(out) = page;
    return page ? 1 : 0;
}

LRESULT CMainWindow::OnGetCurrentField(LPARAM out) {
    CStateTurn turn(port->state);
    CField* field = terminal ? terminal->CurrentPageField(terminal->currentField) : nullptr;
    *reinterpret_cast<CField**>(out) = field;
    return field ? 1 : 0;
}

#include "app/Win32WindowPort.h"

#include <windows.h>

#include <cstring>
#include <iterator>

#include "app/App.h"
#include "fields/FieldWindow.h"
#include "fields/FieldWindowClasses.h"
#include "fields/SpareFieldWindows.h"
#include "options/SoundEvent.h"
#include "platform/AppMessages.h"
#include "platform/SoundOutput.h"
#include "platform/WideText_win.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "toolbar/LockAnimation.h"

namespace {

HWND Hwnd(WindowHandle window) {
    return static_cast<HWND>(window);
}

constexpr UINT kRaiseFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE;
constexpr uint8_t kHiddenAttribute = 0x02;
// The hit test and mouse message of a left click on a client area.
constexpr LPARAM kClickParam = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);

// How long one wait for a sent message lasts before the caller looks again
// whether what it waits for has happened.
constexpr DWORD kServeWaitMs = 20;

// A spare window of the page takes the field as a new window would: its
// record, number, text and place, at the top of its siblings.
HWND BindSpareFieldWindow(HWND page, const wchar_t* className, CField& field, const RECT& place,
                          bool visible) {
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    auto windowClass = static_cast<ATOM>(GetClassInfoExW(gInstance, className, &info));
    HWND window = windowClass ? SpareFieldWindowsOf(page).Take(windowClass) : nullptr;
    if (!window) return nullptr;
    SetWindowLongPtrW(window, GWLP_ID, field.fieldNumber);
    SetWindowTextW(window, Wide(field.text.Get()));
    SendMessageW(window, UM_BINDFIELD, 0, reinterpret_cast<LPARAM>(&field));
    SetWindowPos(window, HWND_TOP, place.left, place.top, place.right, place.bottom,
                 SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : 0));
    InvalidateRect(window, nullptr, TRUE);
    return window;
}

}  // namespace

// Every record the host sends while the terminal awaits it ends with a stop
// of the waiting animation and then a start of it again. Each crossing of
// threads costs a good part of a host round trip, and the window would be
// made anew, hidden again for its first seconds although the lock goes on.
// So off the window thread such a stop is held back until the record's
// closing start or stop: a start of the waiting animation takes its place
// and only hides the running one again for its first seconds; anything else
// sends it first.
void CWin32WindowPort::Animation(LockAnimationKind kind, bool start) {
    constexpr int kWaiting = static_cast<int>(LockAnimationKind::AwaitingHost);
    bool held = stopHeld.exchange(false);
    if (!start) {
        // A stop of an animation that does not run has no effect.
        if (runningKind == kNone) return;
        if (!held && runningKind == kWaiting && OffWindowThread()) {
            stopHeld = true;
            return;
        }
        SendAnimation(kind, false);
        return;
    }
    bool renewal = held && kind == LockAnimationKind::AwaitingHost && runningKind == kWaiting;
    // The lock goes on: while the picture is still hidden, nothing shows it.
    if (renewal && lockAnimation && lockAnimation->RenewWhileHidden()) return;
    if (held && !renewal) SendAnimation(LockAnimationKind::AwaitingHost, false);
    SendAnimation(kind, true);
}

void CWin32WindowPort::SendAnimation(LockAnimationKind kind, bool start) {
    SendMessageW(Hwnd(mainWindow), UM_ANIMATION, static_cast<WPARAM>(kind), start ? 1 : 0);
}

bool CWin32WindowPort::OffWindowThread() const {
    return GetWindowThreadProcessId(Hwnd(mainWindow), nullptr) != GetCurrentThreadId();
}

// Asking the window thread for the focus costs a crossing of threads, for
// nothing when the window has it already, or while input is locked: a
// disabled page takes no focus, and the release that enables it applies the
// focus again.
bool CWin32WindowPort::FocusNeeded(WindowHandle page, WindowHandle target) const {
    if (!page || !IsWindowEnabled(Hwnd(page))) return false;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(Hwnd(mainWindow), nullptr);
    return !GetGUIThreadInfo(thread, &info) || info.hwndFocus != Hwnd(target);
}

void CWin32WindowPort::StartLockAnimation(LockAnimationKind kind) {
    Animation(kind, true);
}

void CWin32WindowPort::StopLockAnimation(LockAnimationKind kind) {
    Animation(kind, false);
}

void CWin32WindowPort::UnlockInput() {
    SendMessageW(Hwnd(mainWindow), UM_UNLOCKINPUT, 0, 0);
}

// The dialogs are modal: posted, they run from the main window's own loop
// and never hold up the connection thread.
void CWin32WindowPort::AskForAdvisory(int focusField) {
    PostMessageW(Hwnd(mainWindow), UM_ADVISORY, 1, focusField);
}

void CWin32WindowPort::AskForPrompt(int answerLength) {
    PostMessageW(Hwnd(mainWindow), UM_PROMPT, 1, answerLength);
}

void CWin32WindowPort::OfferLabel(int slot) {
    SendMessageW(Hwnd(mainWindow), UM_TOOLBARLABEL, static_cast<WPARAM>(slot), 0);
}

void CWin32WindowPort::SignalDevice(int value) {
    SendMessageW(Hwnd(mainWindow), UM_HOSTSIGNAL, static_cast<WPARAM>(value), 0);
}

void CWin32WindowPort::RelayoutAll() {
    SendMessageW(Hwnd(mainWindow), UM_RELAYOUT, 0, 0);
}

void CWin32WindowPort::SendToSerialPort(const std::string& bytes) {
    HWND window = Hwnd(mainWindow);
    if (!IsWindow(window)) return;
    HANDLE heap = GetProcessHeap();
    void* block = HeapAlloc(heap, 0, bytes.size() ? bytes.size() : 1);
    if (!block) return;
    std::memcpy(block, bytes.data(), bytes.size());
    // The receiver frees the block.
    SendMessageW(window, UM_SERIALOUT, bytes.size(), reinterpret_cast<LPARAM>(block));
}

void CWin32WindowPort::ReportSessionEnded(bool stopped) {
    PostMessageW(Hwnd(mainWindow), UM_SESSIONENDED, stopped ? 1 : 0, 0);
}

void CWin32WindowPort::CloseDialog(WindowHandle dialog) {
    PostMessageW(Hwnd(dialog), WM_COMMAND, IDCANCEL, 0);
}

void CWin32WindowPort::PlaySound(SoundEventKind kind) {
    CSoundEventTable::Instance().Play(kind, SystemSoundOutput());
}

void CWin32WindowPort::ServeSentMessages() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kServeWaitMs, QS_SENDMESSAGE);
    // Looking at the queue runs every message another thread is sending.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

WindowHandle CWin32WindowPort::CreatePageWindow(CPage& page, WindowHandle parent) {
    RECT area;
    GetClientRect(Hwnd(parent), &area);
    // Input starts locked: only the host's release enables a page.
    DWORD style = WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateWindowExW(0, kPageWindowClass, L"", style, 0, 0, area.right, area.bottom,
                           Hwnd(parent), nullptr, gInstance, &page);
}

void CWin32WindowPort::RefreshPage(CPage& page) {
    InvalidateRect(Hwnd(page.pageWindow), nullptr, FALSE);
    SendMessageW(Hwnd(page.pageWindow), UM_REFRESHPAGE, 0, 0);
}

void CWin32WindowPort::PlacePageWindow(CPage& page, bool show) {
    HWND window = Hwnd(page.pageWindow);
    if (!show) {
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        return;
    }
    // The lock animation stays on top of the page shown.
    HWND first = GetWindow(GetParent(window), GW_CHILD);
    wchar_t className[20];
    if (!first || !GetClassNameW(first, className, static_cast<int>(std::size(className)))) return;
    HWND after =
        lstrcmpW(className, kLockAnimationClass) == 0 && first != window ? first : HWND_TOP;
    SetWindowPos(window, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CWin32WindowPort::RelayoutPage(CPage& page) {
    SendMessageW(Hwnd(page.pageWindow), UM_RELAYOUT, 0, 0);
}

void CWin32WindowPort::FocusPage(CPage& page) {
    if (!FocusNeeded(page.pageWindow, page.pageWindow)) return;
    SendMessageW(Hwnd(page.pageWindow), UM_FOCUSPAGE, reinterpret_cast<WPARAM>(page.pageWindow),
                 kClickParam);
}

void CWin32WindowPort::UnbindPageWindow(CPage& page) {
    SetWindowLongPtrW(Hwnd(page.pageWindow), GWLP_USERDATA, 0);
}

WindowHandle CWin32WindowPort::MakeFieldWindow(CField& field) {
    const wchar_t* className = FieldWindowClassName(WindowClassFor(field));
    if (!className || !field.page || !field.page->pageWindow) return nullptr;
    HWND page = Hwnd(field.page->pageWindow);
    RECT place = FieldWindowPlace(field);
    bool visible = !(field.attrByte & kHiddenAttribute);
    if (HWND spare = BindSpareFieldWindow(page, className, field, place, visible)) return spare;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
    HWND window = CreateWindowExW(0, className, Wide(field.text.Get()), style, place.left,
                                  place.top, place.right, place.bottom, page,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(field.fieldNumber)),
                                  gInstance, &field);
    if (window) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kRaiseFlags);
    return window;
}

void CWin32WindowPort::RaiseFieldWindow(CField& field) {
    SetWindowPos(Hwnd(field.fieldWindow), HWND_TOP, 0, 0, 0, 0, kRaiseFlags);
}

void CWin32WindowPort::FocusField(CField& field) {
    if (!field.page || !FocusNeeded(field.page->pageWindow, field.fieldWindow)) return;
    // What a left click on the client area sends, which every field window
    // answers by taking the focus.
    SendMessageW(Hwnd(field.fieldWindow), WM_SETCURSOR, reinterpret_cast<WPARAM>(field.fieldWindow),
                 kClickParam);
}

void CWin32WindowPort::CloseFieldWindow(CField& field) {
    HWND window = Hwnd(field.fieldWindow);
    if (!IsWindow(window)) return;
    ShowWindow(window, SW_HIDE);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (field.page) {
        SendMessageW(Hwnd(field.page->pageWindow), UM_CLOSEFIELDWINDOW, 0,
                     reinterpret_cast<LPARAM>(window));
    }
}

void CWin32WindowPort::UnbindFieldWindow(CField& field) {
    SetWindowLongPtrW(Hwnd(field.fieldWindow), GWLP_USERDATA, 0);
}

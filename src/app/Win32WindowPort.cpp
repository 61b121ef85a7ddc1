#include "app/Win32WindowPort.h"

#include <windows.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "app/App.h"
#include "fields/FieldWindow.h"
#include "fields/FieldWindowClasses.h"
#include "fields/SpareFieldWindows.h"
#include "options/SoundEvent.h"
#include "platform/AppMessages.h"
#include "platform/SoundOutput.h"
#include "platform/WideText_win.h"
#include "platform/WindowStyle_win.h"
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

// The longest window text compared before it is set again.
constexpr int kLongestComparedText = 256;

// How long one wait for a sent message lasts before the caller looks again
// whether what it waits for has happened.
constexpr DWORD kServeWaitMs = 5;
// The longest the connection thread waits for the window thread to take its
// input and paint before it goes on with the next record.
constexpr DWORD kCatchUpMs = 50;

// A form built again often has the same field at the same place: a spare
// keeps the number and text it already has.
void SetNumberAndText(HWND window, const CField& field) {
    if (GetWindowLongPtrW(window, GWLP_ID) != field.fieldNumber) {
        SetWindowLongPtrW(window, GWLP_ID, field.fieldNumber);
    }
    std::u16string text = field.text.Get();
    wchar_t shown[kLongestComparedText];
    int length = GetWindowTextW(window, shown, kLongestComparedText);
    bool same = length < kLongestComparedText - 1 &&
                std::u16string_view(reinterpret_cast<const char16_t*>(shown),
                                    static_cast<size_t>(length)) == text;
    if (!same) SetWindowTextW(window, Wide(text));
}

// A spare window of the page takes the field as a new window would: its
// record, number, text and place. It keeps its place among its siblings,
// which the page's refresh orders.
HWND BindSpareFieldWindow(HWND page, const wchar_t* className, CField& field, const RECT& place,
                          bool visible) {
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    auto windowClass = static_cast<ATOM>(GetClassInfoExW(gInstance, className, &info));
    bool there = false;
    HWND window = windowClass ? SpareFieldWindowsOf(page).Take(windowClass, place, there) : nullptr;
    if (!window) return nullptr;
    SetNumberAndText(window, field);
    SendMessageW(window, UM_BINDFIELD, 0, reinterpret_cast<LPARAM>(&field));
    // Most windows of a page built again are already where they go, and
    // shown: moving them would only cost the window system.
    bool shows = ShownItself(window);
    if (!there || shows != visible) {
        // Nothing of the former field is copied along, and the page's
        // refresh erases and paints all its windows anew at the end.
        SetWindowPos(window, nullptr, place.left, place.top, place.right, place.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_DEFERERASE |
                         (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    return window;
}

// Shows the page window above its siblings, below the lock animation when
// that is the first child, or hides it at the bottom.
void PlacePage(HWND window, bool show) {
    if (!show) {
        // A page already hidden stays where it is: its place among its
        // siblings counts again only when it shows.
        if (!ShownItself(window)) return;
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

}  // namespace

// Every host-data record the host sends while the terminal awaits it ends
// with a stop of the waiting animation and then a start of it again, which
// hides the picture for its first seconds anew. Each crossing of threads
// costs a good part of a host round trip, so off the window thread such a
// stop is held back until the record's closing start or stop: while the
// picture is still hidden, a start of the waiting animation only renews its
// hidden seconds; anything else sends the stop first.
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
    if (held) SendAnimation(LockAnimationKind::AwaitingHost, false);
    SendAnimation(kind, true);
}

void CWin32WindowPort::SendAnimation(LockAnimationKind kind, bool start) {
    // The rest of a held record sees the animation as its held work leaves it.
    if (HoldingHere()) runningKind = start ? static_cast<int>(kind) : kNone;
    Do([this, kind, start] {
        SendMessageW(Hwnd(mainWindow), UM_ANIMATION, static_cast<WPARAM>(kind), start ? 1 : 0);
    });
}

bool CWin32WindowPort::OffWindowThread() const {
    return GetWindowThreadProcessId(Hwnd(mainWindow), nullptr) != GetCurrentThreadId();
}

// Asking the window thread for the focus costs a crossing of threads, for
// nothing when the window has it already, or while input is locked: a
// disabled page takes no focus, and the release that enables it applies the
// focus again.
// While the operator works the menu, the focus stays where the menu put it:
// taking it would close the menu under the operator, at every record of a
// host that streams. The main window hands it on when the menu ends.
bool CWin32WindowPort::FocusNeeded(WindowHandle page, WindowHandle target) const {
    if (!page || !IsWindowEnabled(Hwnd(page))) return false;
    GUITHREADINFO info = WindowThreadInfo();
    if (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) return false;
    return !info.hwndFocus || info.hwndFocus != Hwnd(target);
}

GUITHREADINFO CWin32WindowPort::WindowThreadInfo() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(Hwnd(mainWindow), nullptr);
    if (!GetGUIThreadInfo(thread, &info)) info = {};
    return info;
}

// The window thread's focus window, looked up from any thread.
void* CWin32WindowPort::FocusWindow() const {
    return WindowThreadInfo().hwndFocus;
}

void CWin32WindowPort::HoldWindowWork() {
    holdingThread = GetCurrentThreadId();
    focusKnown = false;
    lastClosed.reset();
}

// Ends the hold and hands over what it held.
CWin32WindowPort::WindowWork CWin32WindowPort::EndHold() {
    holdingThread = 0;
    WindowWork work = std::move(held);
    held.clear();
    return work;
}

bool CWin32WindowPort::HoldingHere() const {
    return holdingThread == GetCurrentThreadId();
}

void CWin32WindowPort::DoHeldWindowWork() {
    WindowWork work = EndHold();
    if (work.empty()) return;
    auto address = reinterpret_cast<intptr_t>(&work);
    if (OffWindowThread()) {
        SendMessageW(Hwnd(mainWindow), UM_HELDWORK, 0, address);
        return;
    }
    DoSentWork(address);
}

// A sent message always goes before the window thread's input and painting,
// so a host that sends records without pause would starve the keyboard, the
// mouse, the menu and the screen: what waits behind a record is done before
// the next record's work, for at most a short while.
void CWin32WindowPort::YieldToInput() {
    if (catchingUp) WaitForSingleObject(caughtUp.Get(), kCatchUpMs);
}

void CWin32WindowPort::OnWindowThreadIdle() {
    if (!catchingUp || HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT))) return;
    catchingUp = false;
    SetEvent(caughtUp.Get());
}

void CWin32WindowPort::PostHeldWindowWork() {
    // Only one posting waits at a time; a second one is sent after it.
    if (posted.load() || !OffWindowThread()) {
        DoHeldWindowWork();
        return;
    }
    auto work = std::make_unique<WindowWork>(EndHold());
    if (work->empty()) return;
    posted = work.get();
    if (PostMessageW(Hwnd(mainWindow), UM_HELDWORK, 0, 0)) {
        work.release();
        return;
    }
    posted = nullptr;
}

void CWin32WindowPort::DoSentWork(intptr_t work) {
    // Posted work waits its turn; sent work is done for the record that waits.
    CStateTurn turn(state);
    std::unique_ptr<WindowWork> earlier(posted.exchange(nullptr));
    const WindowWork* lists[] = {earlier.get(), reinterpret_cast<const WindowWork*>(work)};
    for (const WindowWork* steps : lists) {
        if (!steps) continue;
        for (const std::function<void()>& step : *steps) step();
    }
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT))) {
        ResetEvent(caughtUp.Get());
        catchingUp = true;
    }
}

// Work asked for by the thread that holds its work waits for the end of the
// record; any other caller has it done at once.
void CWin32WindowPort::Do(std::function<void()> work) {
    if (HoldingHere()) {
        held.push_back(std::move(work));
        return;
    }
    work();
}

// Whether work that could still change the windows waits: until it is done,
// nothing can be judged from the windows as they are.
bool CWin32WindowPort::WorkHeld() const {
    return HoldingHere() && !held.empty();
}

void CWin32WindowPort::StartLockAnimation(LockAnimationKind kind) {
    Animation(kind, true);
}

void CWin32WindowPort::StopLockAnimation(LockAnimationKind kind) {
    Animation(kind, false);
}

void CWin32WindowPort::UnlockInput() {
    Do([this] { SendMessageW(Hwnd(mainWindow), UM_UNLOCKINPUT, 0, 0); });
}

// The dialogs are modal: posted, they run from the main window's own loop
// and never hold up the connection thread.
void CWin32WindowPort::AskForAdvisory(int focusField) {
    Do([this, focusField] { PostMessageW(Hwnd(mainWindow), UM_ADVISORY, 1, focusField); });
}

void CWin32WindowPort::AskForPrompt(int answerLength) {
    Do([this, answerLength] { PostMessageW(Hwnd(mainWindow), UM_PROMPT, 1, answerLength); });
}

// The work holds its own copy of the text, which lives until the message
// that points at it has been handled.
void CWin32WindowPort::OfferLabel(int slot, const std::u16string& text) {
    Do([this, slot, text] {
        SendMessageW(Hwnd(mainWindow), UM_TOOLBARLABEL, static_cast<WPARAM>(slot),
                     reinterpret_cast<LPARAM>(&text));
    });
}

void CWin32WindowPort::SignalDevice(int value) {
    Do([this, value] {
        SendMessageW(Hwnd(mainWindow), UM_HOSTSIGNAL, static_cast<WPARAM>(value), 0);
    });
}

void CWin32WindowPort::RelayoutAll() {
    Do([this] { SendMessageW(Hwnd(mainWindow), UM_RELAYOUT, 0, 0); });
}

void CWin32WindowPort::SendToSerialPort(const std::string& bytes) {
    HWND window = Hwnd(mainWindow);
    if (!IsWindow(window)) return;
    HANDLE heap = GetProcessHeap();
    void* block = HeapAlloc(heap, 0, bytes.size() ? bytes.size() : 1);
    if (!block) return;
    std::memcpy(block, bytes.data(), bytes.size());
    // The receiver frees the block.
    Do([window, size = bytes.size(), block] {
        SendMessageW(window, UM_SERIALOUT, size, reinterpret_cast<LPARAM>(block));
    });
}

void CWin32WindowPort::ReportSessionEnded(bool stopped) {
    Do([this, stopped] { PostMessageW(Hwnd(mainWindow), UM_SESSIONENDED, stopped ? 1 : 0, 0); });
}

void CWin32WindowPort::CloseDialog(WindowHandle dialog) {
    Do([dialog] { PostMessageW(Hwnd(dialog), WM_COMMAND, IDCANCEL, 0); });
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

bool CWin32WindowPort::InCallFromAnotherThread() {
    return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND;
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
    Do([&page] {
        InvalidateRect(Hwnd(page.pageWindow), nullptr, FALSE);
        SendMessageW(Hwnd(page.pageWindow), UM_REFRESHPAGE, 0, 0);
    });
}

void CWin32WindowPort::PlacePageWindow(CPage& page, bool show) {
    Do([&page, show] { PlacePage(Hwnd(page.pageWindow), show); });
}

void CWin32WindowPort::RelayoutPage(CPage& page) {
    Do([&page] { SendMessageW(Hwnd(page.pageWindow), UM_RELAYOUT, 0, 0); });
}

void CWin32WindowPort::FocusPage(CPage& page) {
    if (!WorkHeld() && !FocusNeeded(page.pageWindow, page.pageWindow)) return;
    Do([this, &page] {
        if (!FocusNeeded(page.pageWindow, page.pageWindow)) return;
        SendMessageW(Hwnd(page.pageWindow), UM_FOCUSPAGE, reinterpret_cast<WPARAM>(page.pageWindow),
                     kClickParam);
    });
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
    return window;
}

void CWin32WindowPort::RaiseFieldWindow(CField& field) {
    SetWindowPos(Hwnd(field.fieldWindow), HWND_TOP, 0, 0, 0, 0, kRaiseFlags);
}

void CWin32WindowPort::FocusField(CField& field) {
    CPage* page = field.page;
    if (!page || (!WorkHeld() && !FocusNeeded(page->pageWindow, field.fieldWindow))) return;
    // Held work may give the field another window, or its record to another
    // field: the field is looked up when the focus is given.
    Do([this, page, number = field.fieldNumber] {
        CField* target = page->fields.FindField(number);
        if (!target || !target->fieldWindow) return;
        HWND window = Hwnd(target->fieldWindow);
        if (!FocusNeeded(page->pageWindow, window)) return;
        // What a left click on the client area sends, which every field
        // window answers by taking the focus.
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), kClickParam);
    });
}

struct CWin32WindowPort::ClosedWindows {
    HWND page;
    std::vector<HWND> windows;
};

void CWin32WindowPort::CloseFieldWindow(CField& field) {
    HWND window = Hwnd(field.fieldWindow);
    if (!IsWindow(window)) return;
    // The focused window is hidden while it still has its field: an entry
    // field left so reports its completion, as when the operator leaves it.
    // The others go unseen until the page window hides them.
    if (HeldFocusWindow() == window) {
        ShowWindow(window, SW_HIDE);
        focusKnown = false;
    }
    if (!field.page) return;
    HWND page = Hwnd(field.page->pageWindow);
    // Windows closed one after another go to their page window together.
    if (WorkHeld() && lastClosed && lastClosed->page == page && lastClosedAt == held.size() - 1) {
        lastClosed->windows.push_back(window);
        return;
    }
    auto closed = std::make_shared<ClosedWindows>(ClosedWindows{page, {window}});
    Do([closed] {
        SendMessageW(closed->page, UM_CLOSEFIELDWINDOW, closed->windows.size(),
                     reinterpret_cast<LPARAM>(closed->windows.data()));
    });
    if (!WorkHeld()) return;
    lastClosed = closed;
    lastClosedAt = held.size() - 1;
}

// While work is held the focus is looked up once, and again only after a
// hide that moved it: it moves only on the window thread, which the held
// work does not reach before the record ends.
void* CWin32WindowPort::HeldFocusWindow() {
    if (!HoldingHere()) return FocusWindow();
    if (!focusKnown) {
        heldFocus = FocusWindow();
        focusKnown = true;
    }
    return heldFocus;
}

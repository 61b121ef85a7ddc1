// The main window: creation, the system messages, the frame layout and the
// menus. Commands and application messages have files of their own.
#include "app/MainWindow.h"

#include <iterator>
#include <utility>

#include "app/App.h"
#include "app/AppFrame.h"
#include "app/MessageLoop.h"
#include "app/SerialInputWindows.h"
#include "app/Win32WindowPort.h"
#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "link/Session.h"
#include "options/HostOptionsDialog.h"
#include "options/SoundEvent.h"
#include "platform/AppMessages.h"
#include "platform/Files.h"
#include "platform/Handles_win.h"
#include "platform/KeyboardState_win.h"
#include "platform/SerialPort_win.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "toolbar/LockAnimation.h"
#include "toolbar/ToolBar.h"

namespace {

constexpr UINT_PTR kReconnectTimer = 1;
constexpr DWORD kShownStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// A top-level window that is not a popup always gets a caption, so full
// screen needs WS_POPUP to have neither caption nor frame.
constexpr DWORD kFullScreenStyle = kShownStyle | WS_POPUP;
constexpr DWORD kWindowStyle = kShownStyle | WS_OVERLAPPEDWINDOW;
constexpr int kSettingsReadAttempts = 30;
constexpr DWORD kSettingsReadWaitMs = 100;

bool RegisterMainWindowClass(HINSTANCE instance, bool adminMode) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = CMainWindow::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LARGE));
    wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEW(adminMode ? IDM_ADMIN : IDM_USER);
    wc.lpszClassName = gMainClassName;
    return RegisterClassExW(&wc) != 0;
}

// Whether the settings could be read. A file that is there but cannot be
// read now, as while another program writes it, is given a few seconds:
// taken for a first start, its settings would be overwritten with the
// defaults, administrator mode without the password among them.
bool ReadExistingSettings() {
    for (int attempt = 0; attempt < kSettingsReadAttempts; ++attempt) {
        if (ReadSettingsFile(*gSettings)) return true;
        if (!FileExists(gSettings->FilePath())) return false;
        Sleep(kSettingsReadWaitMs);
    }
    return false;
}

}  // namespace

bool CreateMainWindow(HINSTANCE instance, const std::u16string& tracePath) {
    gInstance = instance;
    if (!ReadExistingSettings()) {
        // The terminal does not start on settings it could not read.
        if (FileExists(gSettings->FilePath())) return false;
        // First start: ask for the host, then open the full menu.
        RunHostOptionsDialog(nullptr);
        gSettings->SetCarrowinAdminMode(true);
        WriteSettingsFile(*gSettings);
    }
    DWORD style = gSettings->FullScreen() ? kFullScreenStyle : kWindowStyle;
    CWindowRect pos = gSettings->WindowPos();
    int show = gSettings->WindowState() >= 1 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    if (!RegisterMainWindowClass(instance, gSettings->CarrowinAdminMode())) return false;
    HWND window =
        CreateWindowExW(0, gMainClassName, gTitle, style, pos.x, pos.y, pos.width, pos.height,
                        nullptr, nullptr, instance, const_cast<std::u16string*>(&tracePath));
    if (!window) return false;
    SendMessageW(window, UM_LAYOUTFRAME, 0, 0);
    ShowWindow(window, show);
    UpdateWindow(window);
    return true;
}

LRESULT CALLBACK CMainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto& tracePath = *static_cast<const std::u16string*>(create.lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new CMainWindow(hwnd, tracePath)));
    }
    auto* self = reinterpret_cast<CMainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->Orphan();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

CMainWindow::CMainWindow(HWND hwnd, std::u16string tracePath)
    : window(hwnd), tracePath(std::move(tracePath)) {}

CMainWindow::~CMainWindow() = default;

void CMainWindow::Orphan() {
    // A modal dialog still running on this object's stack frees it on return.
    if (modalDepth) {
        destroyed = true;
        return;
    }
    delete this;
}

bool CMainWindow::RunDialog(const std::function<INT_PTR(HWND)>& dialog, INT_PTR& result) {
    ++modalDepth;
    result = dialog(window);
    --modalDepth;
    if (destroyed) {
        if (!modalDepth) delete this;
        return false;
    }
    frame->Relayout();
    return true;
}

LRESULT CMainWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_WINDOWPOSCHANGED:
            OnPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_KEYUP:
            return 0;
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam))) return 0;
            break;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_ENTERIDLE:
            // A menu or dialog loop runs instead of the program's own.
            if (port) port->OnWindowThreadIdle();
            return 0;
        default:
            if (IsAppMessage(message)) return OnAppMessage(message, wParam, lParam);
            break;
    }
    return Default(message, wParam, lParam);
}

LRESULT CMainWindow::OnCreate() {
    AttachMenu(gSettings->CarrowinAdminMode());
    ReadSettingsFile(*gSettings);
    frame = std::make_unique<CAppFrame>(window, gAccelerators);
    gMessageLoop->SetFilter(frame.get());
    port = std::make_unique<CWin32WindowPort>(window);
    terminal = std::make_unique<CTerminalState>(*port, window, *gSettings);
    session = std::make_unique<CSession>(*terminal, *gSettings);
    OpenTrace();
    animation = std::make_unique<CLockAnimation>(window, gInstance);
    port->SetLockAnimation(animation.get());
    gMessageLoop->SetIdleHandler([this] { port->OnWindowThreadIdle(); });
    SendMessageW(window, UM_CONNECT, 0, 0);
    // Made while the connection starts, as the frame is made again after
    // options change; laid out with the frame once the window is made.
    MakeToolBar();
    serialInput = std::make_unique<CSerialInputWindows>(window, *terminal, session->responses);
    ReopenSerialPort();
    SetForegroundWindow(window);
    return 0;
}

void CMainWindow::OpenTrace() {
    if (tracePath.empty() || session->trace.Open(tracePath)) return;
    // The terminal runs on without a trace rather than not at all: the
    // operator's work comes first, and the box tells whoever asked for the
    // trace that there is none.
    std::u16string text = u"Unable to open trace file " + tracePath;
    MessageBoxW(nullptr, Wide(text), gTitle, MB_OK | MB_ICONWARNING);
}

void CMainWindow::OnDestroy() {
    CSoundEventTable::Instance().Clear();
    // Stop serves the connection thread's calls to this thread while it
    // waits, so the two cannot wait on each other.
    session->Stop();
    // The port's threads only post to this window; what they posted goes
    // with the port, before the fields it was meant for.
    CloseSerialPort();
    serialInput.reset();
    session.reset();
    terminal->DestroyPages();
    terminal.reset();
    toolbar.reset();
    animation.reset();
    gMessageLoop->ClearFilter();
    gMessageLoop->SetIdleHandler(nullptr);
    frame.reset();
    RemoveMenu();
    KillTimer(window, kReconnectTimer);
    SaveWindowState();
    WriteSettingsFile(*gSettings);
    PostQuitMessage(0);
}

void CMainWindow::OnClose() {
    if (!gSettings->FullScreen()) DestroyWindow(window);
}

void CMainWindow::OnSetFocus() {
    if (!terminal) return;
    CStateTurn turn(port->state);
    CPage* page = terminal->CurrentPage();
    if (!page) return;
    CField* field = terminal->CurrentPageField(terminal->currentField);
    HWND target = field && field->Class() != kFixedField ? static_cast<HWND>(field->fieldWindow)
                                                         : static_cast<HWND>(page->pageWindow);
    if (target) SetFocus(target);
}

void CMainWindow::OnKeyDown(WPARAM virtualKey) {
    int number = KeyNumber(KeyPressNow(virtualKey), gSettings->FieldEnterToF0());
    if (number != kNoKeyNumber) SendMessageW(window, UM_KEY, static_cast<WPARAM>(-1), number);
}

void CMainWindow::OnTimer(WPARAM timer) {
    if (timer != kReconnectTimer) return;
    KillTimer(window, kReconnectTimer);
    SendMessageW(window, UM_CONNECT, 0, 0);
}

// Without default processing no WM_MOVE or WM_SIZE follows, so the lock
// animation takes its corner here.
void CMainWindow::OnPosChanged(const WINDOWPOS& pos) {
    bool movedOrSized = (pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
    if (animation && movedOrSized) animation->Reposition();
    LayoutFrame();
}

void CMainWindow::StartReconnectTimer() {
    SetTimer(window, kReconnectTimer, 1000, nullptr);
}

void CMainWindow::LayoutFrame() {
    RECT area;
    GetClientRect(window, &area);
    if (toolbar && toolbar->Window()) {
        MoveWindow(toolbar->Window(), area.left, area.top, area.right - area.left,
                   toolbar->Height(), TRUE);
        area.top += toolbar->Height();
    }
    struct Layout {
        HWND main;
        RECT area;
    } layout{window, area};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            const Layout& l = *reinterpret_cast<const Layout*>(param);
            // Field windows are shown and hidden by their fields: the host
            // may have made one hidden.
            if (GetParent(child) != l.main) return TRUE;
            wchar_t className[20];
            GetClassNameW(child, className, static_cast<int>(std::size(className)));
            // The lock animation shows itself once the lock has lasted.
            if (lstrcmpW(className, kLockAnimationClass) == 0) return TRUE;
            if (lstrcmpW(className, L"VDKCPage") == 0) {
                MoveWindow(child, l.area.left, l.area.top, l.area.right - l.area.left,
                           l.area.bottom - l.area.top, TRUE);
            }
            ShowWindow(child, SW_SHOW);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&layout));
    // A grid sized to the pages' area changes with it: the fields follow at once.
    SIZE size = {area.right - area.left, area.bottom - area.top};
    if (gSettings->FontAutoSize() && (size.cx != laidOutSize.cx || size.cy != laidOutSize.cy)) {
        SendMessageW(window, UM_RELAYOUT, 0, 0);
    }
    laidOutSize = size;
}

void CMainWindow::MakeToolBar() {
    if (gSettings->ToolbarSize() < 0) return;
    toolbar = std::make_unique<CToolBar>(window, gInstance, gSettings->ToolbarSize(), toolBarKeys);
}

void CMainWindow::RebuildFrame() {
    // The new toolbar's buttons hold the keys the old one's held.
    if (toolbar) toolBarKeys = toolbar->Keys();
    toolbar.reset();
    MakeToolBar();
    RebuildMenu();
}

void CMainWindow::AttachMenu(bool adminMode) {
    RemoveMenu();
    CMenu menu(LoadMenuW(gInstance, MAKEINTRESOURCEW(adminMode ? IDM_ADMIN : IDM_USER)));
    // The window destroys the menu it holds when it goes.
    if (SetMenu(window, menu.Get())) menu.Release();
}

void CMainWindow::RemoveMenu() {
    CMenu menu(GetMenu(window));
    SetMenu(window, nullptr);
}

void CMainWindow::RebuildMenu() {
    if (gSettings->FullScreen()) {
        RemoveMenu();
    } else {
        AttachMenu(gSettings->CarrowinAdminMode());
    }
    SendMessageW(window, UM_LAYOUTFRAME, 0, 0);
}

void CMainWindow::SaveWindowState() {
    LONG style = GetWindowLongW(window, GWL_STYLE);
    int state = (style & WS_MAXIMIZE) ? 1 : (style & WS_MINIMIZE) ? -1 : 0;
    gSettings->SetWindowState(state);
    if (state != 0) return;
    RECT r;
    GetWindowRect(window, &r);
    gSettings->SetWindowPos(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

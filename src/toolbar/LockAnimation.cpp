// The lock animation's life: its window class, pictures and window, and the
// window procedure that times it.
#include "toolbar/LockAnimation.h"

#include "fields/GdiScope.h"
#include "fields/MemoryCanvas.h"
#include "platform/WindowData_win.h"
#include "resources/resource.h"
#include "toolbar/FrameWindowClass.h"

const wchar_t kLockAnimationClass[] = L"VDKCAnimate";

namespace {

constexpr UINT_PTR kFrameTimer = 2;
constexpr UINT kHiddenMs = 5000;
constexpr UINT kFrameMs = 100;
constexpr DWORD kStyle = WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

const wchar_t* Title(LockAnimationKind kind) {
    return kind == LockAnimationKind::Connecting ? L"Lock-B" : L"Lock-H";
}

int ClientWidth(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.right;
}

}  // namespace

CLockAnimation::CLockAnimation(HWND parent, HINSTANCE instance)
    : instance(instance), parent(parent), particles(LoadPictures(), random) {
    classAtom = RegisterFrameWindowClass(instance, kLockAnimationClass, WindowProc);
}

// A class cannot be unregistered while a window of it exists: the running
// window, and any stopped one whose posted close is still queued, go first.
CLockAnimation::~CLockAnimation() {
    Stop();
    while (HWND left = FindWindowExW(parent, nullptr, kLockAnimationClass, nullptr)) {
        if (!DestroyWindow(left)) break;
    }
    if (classAtom) UnregisterClassW(kLockAnimationClass, instance);
}

ParticleGeometry CLockAnimation::LoadPictures() {
    static constexpr int kIds[kFirstParticle] = {IDB_LOCK_BACKGROUND, IDB_LOCK_TERMINAL,
                                                 IDB_LOCK_HOST,       IDB_LOCK_PLUG,
                                                 IDB_LOCK_SOCKET,     IDB_LOCK_WAVES};
    for (int i = 0; i < kPictureCount; ++i) {
        int id = i < kFirstParticle ? kIds[i] : IDB_LOCK_PARTICLE0 + i - kFirstParticle;
        pictures[i] = std::make_unique<CBitmap>(static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
        BITMAP info = {};
        if (*pictures[i] && GetObjectW(pictures[i]->Get(), sizeof info, &info)) {
            sizes[i] = {info.bmWidth, info.bmHeight};
        }
    }
    ParticleGeometry g;
    g.backgroundWidth = sizes[kBackground].cx;
    g.backgroundHeight = sizes[kBackground].cy;
    g.hostWidth = sizes[kHost].cx;
    g.particleWidth = sizes[kFirstParticle].cx;
    g.particleHeight = sizes[kFirstParticle].cy;
    g.spriteWidth = sizes[kWaves].cx;
    return g;
}

void CLockAnimation::Start(LockAnimationKind requested) {
    if (!window) {
        kind = requested;
        const SIZE& size = sizes[kBackground];
        window = CreateWindowExW(kExStyle, kLockAnimationClass, Title(kind), kStyle,
                                 ClientWidth(parent) - size.cx, 0, size.cx, size.cy, parent,
                                 nullptr, instance, this);
        if (window)
            SetWindowPos(window, nullptr, 0, 0, 0, 0, kKeepPlace | SWP_NOZORDER | SWP_HIDEWINDOW);
        return;
    }
    // A start of the kind that runs changes nothing: records that leave the
    // terminal awaiting the host must not keep its picture hidden.
    // Connecting says more than awaiting an answer on a link that is gone.
    if (requested == LockAnimationKind::Connecting && kind == LockAnimationKind::AwaitingHost) {
        kind = requested;
        SetWindowTextW(window, Title(kind));
    }
}

// The hidden window's timer, due from the lock's first start, waits out the
// rest when it fires.
bool CLockAnimation::RenewWhileHidden() {
    if (shown) return false;
    hiddenSince = GetTickCount();
    return true;
}

void CLockAnimation::Stop() {
    if (!window) return;
    shown = false;
    // A timer or paint message already queued finds no object and does nothing.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    window = nullptr;
}

void CLockAnimation::Reposition() {
    if (!window) return;
    RECT r;
    GetWindowRect(window, &r);
    MarkShown();
    SetWindowPos(window, nullptr, ClientWidth(parent) - (r.right - r.left), 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CALLBACK CLockAnimation::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) KeepCreationObject<CLockAnimation>(hwnd, lParam);
    auto* self = WindowObject<CLockAnimation>(hwnd);
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Dispatch(hwnd, message, wParam, lParam);
}

LRESULT CLockAnimation::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate(hwnd);
            return 0;
        case WM_TIMER:
            OnTimer(hwnd, wParam);
            return 0;
        case WM_PAINT:
            OnPaint(hwnd);
            return 0;
        case WM_SIZE:
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd, kFrameTimer);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void CLockAnimation::OnCreate(HWND hwnd) {
    hiddenSince = GetTickCount();
    const SIZE& size = sizes[kBackground];
    RECT frame = {0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    int width = frame.right - frame.left;
    SetWindowPos(hwnd, nullptr, ClientWidth(parent) - width, 0, width, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetTimer(hwnd, kFrameTimer, kHiddenMs, nullptr);
}

// Each showing after the hidden seconds swings from the start.
void CLockAnimation::MarkShown() {
    if (!shown.exchange(true)) counter.Reset();
}

void CLockAnimation::ShowAndRestartTimer(HWND hwnd) {
    MarkShown();
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlace | SWP_SHOWWINDOW);
    SetTimer(hwnd, kFrameTimer, kFrameMs, nullptr);
}

void CLockAnimation::OnTimer(HWND hwnd, WPARAM timer) {
    DWORD hiddenFor = GetTickCount() - hiddenSince;
    if (timer == kFrameTimer && !shown && hiddenFor < kHiddenMs) {
        SetTimer(hwnd, kFrameTimer, kHiddenMs - hiddenFor, nullptr);
        return;
    }
    ShowAndRestartTimer(hwnd);
    if (timer != kFrameTimer) return;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    counter.Step();
}

void CLockAnimation::OnPaint(HWND hwnd) {
    ShowAndRestartTimer(hwnd);
    CPaintDc paint(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    CMemoryCanvas canvas(paint.Get(), client);
    if (!canvas) return;
    FillRect(canvas.Dc(), &client, GetSysColorBrush(COLOR_WINDOW));
    if (kind == LockAnimationKind::Connecting) {
        PaintConnecting(canvas.Dc());
    } else {
        PaintAwaitingHost(canvas.Dc(), client.bottom);
    }
    BitBlt(paint.Get(), 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
}

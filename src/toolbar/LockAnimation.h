#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <memory>

#include "platform/Handles_win.h"
#include "platform/WindowPort.h"
#include "toolbar/ParticleField.h"
#include "toolbar/SwingCounter.h"

// The window class of the lock animation.
extern const wchar_t kLockAnimationClass[];

// The small animated picture in the main window's top-right corner that
// shows why input is locked: the terminal connecting, or awaiting the host.
// It owns its pictures and its window (class VDKCAnimate), which shows only
// once a lock has lasted five seconds.
class CLockAnimation {
public:
    CLockAnimation(HWND parent, HINSTANCE instance);
    ~CLockAnimation();
    CLockAnimation(const CLockAnimation&) = delete;
    CLockAnimation& operator=(const CLockAnimation&) = delete;

    // Starts hidden. While one runs, connecting takes over from awaiting the
    // host; any other start changes nothing.
    void Start(LockAnimationKind kind);
    void Stop();
    // Safe from any thread: awaiting the host again while the window is still
    // hidden only restarts its hidden seconds. False once it shows: then it
    // is stopped and started anew on the window thread.
    bool RenewWhileHidden();
    // Shows the running window in the parent's top-right corner.
    void Reposition();
    bool Running() const { return window != nullptr; }
    LockAnimationKind Kind() const { return kind; }

private:
    enum Picture {
        kBackground,
        kTerminal,
        kHost,
        kPlug,
        kSocket,
        kWaves,
        kFirstParticle,
        kPictureCount = kFirstParticle + CParticleField::kFrames
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate(HWND hwnd);
    void OnTimer(HWND hwnd, WPARAM timer);
    void OnPaint(HWND hwnd);
    void ShowAndRestartTimer(HWND hwnd);
    void MarkShown();
    // Loads the pictures and reads their sizes, which place the particles.
    ParticleGeometry LoadPictures();

    // Painting (LockAnimationPaint.cpp), into an off-screen context.
    void PaintConnecting(HDC dc);
    void PaintAwaitingHost(HDC dc, int clientHeight);
    int HostX() const;
    void DrawHost(HDC dc);
    void Draw(HDC dc, Picture picture, int x, int y) const;
    void DrawScaled(HDC dc, Picture picture, int x, int y, int width, int height) const;

    HINSTANCE instance;
    HWND parent;
    HWND window = nullptr;
    ATOM classAtom = 0;
    std::array<std::unique_ptr<CBitmap>, kPictureCount> pictures;
    std::array<SIZE, kPictureCount> sizes = {};
    // The particles' speeds and the activity dots draw from one sequence.
    CRuntimeRandom random{CParticleField::kSeed};
    CParticleField particles;
    CSwingCounter counter;
    // When the lock last began, for the first seconds it stays hidden.
    std::atomic<DWORD> hiddenSince{0};
    // Whether the window shows, for other threads.
    std::atomic<bool> shown{false};
    LockAnimationKind kind = LockAnimationKind::Connecting;
};

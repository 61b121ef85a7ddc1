#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/SoundEventKind.h"
#include "screen/TerminalState.h"
#include "toolbar/ToolBarKeys.h"

class CAppFrame;
class CLockAnimation;
class CSerialInputWindows;
class CSerialPort;
class CSession;
class CToolBar;
class CWin32WindowPort;

// Creates the main window (class VERIDECK) as the configuration says: the
// first start asks for the host first. A tracePath that is not empty names
// the file the session's wire trace appends to. False when it could not be
// made.
bool CreateMainWindow(HINSTANCE instance, const std::u16string& tracePath);

// The main window: the hub every thread, page, field and dialog talks to.
// It owns the session, the toolbar, the lock animation, the serial feature
// port and the frame filter from WM_CREATE to WM_DESTROY.
class CMainWindow {
public:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    CMainWindow(HWND hwnd, std::u16string tracePath);
    CMainWindow(const CMainWindow&) = delete;
    CMainWindow& operator=(const CMainWindow&) = delete;
    ~CMainWindow();

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Frees this object once the window is gone, or marks it for the modal
    // dialog still running on it.
    void Orphan();
    // Runs a modal dialog owned by this window, then lays out the frame.
    // False when the window was destroyed meanwhile: this object is then
    // gone and the caller must return at once.
    bool RunDialog(const std::function<INT_PTR(HWND)>& dialog, INT_PTR& result);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // System messages (MainWindow.cpp).
    LRESULT OnCreate();
    // Opens the session's trace when the command line asked for one.
    void OpenTrace();
    void OnDestroy();
    void OnClose();
    void OnSetFocus();
    void OnKeyDown(WPARAM virtualKey);
    void OnTimer(WPARAM timer);
    void OnPosChanged(const WINDOWPOS& pos);
    void StartReconnectTimer();
    void LayoutFrame();
    // Makes the toolbar that toolbarsize asks for, if any, its buttons as
    // the host's labels left them.
    void MakeToolBar();
    // Makes the toolbar, the menu and the layout anew from the settings.
    void RebuildFrame();
    void AttachMenu(bool adminMode);
    void RemoveMenu();
    // The menu of the current mode, or none in full screen; then the layout.
    void RebuildMenu();
    void SaveWindowState();

    // Serial feature port (MainSerial.cpp). Closes the port and opens it
    // again as the settings are now: at start, and after the serial options
    // change.
    void ReopenSerialPort();
    // Closes the port and drops the input it read that is still queued.
    void CloseSerialPort();
    // Fills fields or answers the host with input the port's read thread read.
    void OnSerialIn(WPARAM generation, LPARAM input);
    void OnSerialOut(WPARAM count, LPARAM block);
    void OnSerialFault(WPARAM generation);

    // Menu commands (MainCommands.cpp); false for an id without a command.
    bool OnCommand(WORD id);
    void OnExit();
    void OnUserMode();
    // Runs an options dialog; after its OK the window does what that dialog
    // needs (if anything), then the pages lay out again.
    bool RunRelayoutDialog(const std::function<INT_PTR(HWND)>& dialog,
                           const std::function<void()>& afterOk);
    // After a sound dialog's OK: the event built anew and played once.
    void RemakeSoundEvent(SoundEventKind kind);
    void OnFullScreen();

    // Application messages (MainMessages.cpp).
    bool IsAppMessage(UINT message) const;
    LRESULT OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnSessionEnded(WPARAM stopFlag);
    void OnKey(WPARAM field, LPARAM keyNumber);
    void OnMoveFocus(WPARAM direction);
    // lParam points at the label's text.
    void OnToolBarLabel(WPARAM slot, LPARAM text);
    void OnFieldComplete(WPARAM field);
    void OnAdvisory(WPARAM wParam, LPARAM field);
    void OnPrompt(WPARAM wParam, LPARAM lParam);
    // A host's request for the Advisory or the prompt, as it came.
    struct CHostRequest {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    // True when a host dialog is open already and has dealt with the request.
    bool TakeOverHostDialog(const CHostRequest& request);
    // Runs the dialog for the request; the request then holds the last one
    // the dialog showed. False as for RunDialog.
    bool RunHostDialog(CHostRequest& request, INT_PTR (*run)(HWND, CTerminalState&),
                       INT_PTR& result);
    void OnAnimation(WPARAM kind, LPARAM start);
    void OnLockInput();
    void OnUnlockInput();
    void OnRelayout();
    LRESULT OnGetCurrentPage(LPARAM out);
    LRESULT OnGetCurrentField(LPARAM out);

    HWND window;
    std::u16string tracePath;  // empty: no trace
    std::unique_ptr<CWin32WindowPort> port;
    std::unique_ptr<CAppFrame> frame;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
    std::unique_ptr<CLockAnimation> animation;
    std::unique_ptr<CToolBar> toolbar;
    std::unique_ptr<CSerialInputWindows> serialInput;
    std::unique_ptr<CSerialPort> serialPort;
    // Counts the ports opened, so that a fault reported late by one already
    // replaced closes nothing.
    WPARAM serialGeneration = 0;
    // The buttons' keys and enabled state while there is no toolbar, and
    // what a toolbar made anew takes over.
    CToolBarKeys toolBarKeys;
    CHostRequest hostRequest;   // message 0 while no host dialog is open
    SIZE laidOutSize = {0, 0};  // the pages' area at the last frame layout
    int modalDepth = 0;
    bool destroyed = false;
};

#include "app/Win32WindowPort.h"

#include <windows.h>

#include <cstring>

#include "options/SoundEvent.h"
#include "platform/SoundOutput.h"

namespace {

HWND Hwnd(WindowHandle window) {
    return static_cast<HWND>(window);
}

// How long one wait for a sent message lasts before the caller looks again
// whether what it waits for has happened.
constexpr DWORD kServeWaitMs = 20;

}  // namespace

intptr_t CWin32WindowPort::SendMsg(WindowHandle window, unsigned message, uintptr_t wParam,
                                   intptr_t lParam) {
    if (!window) return 0;
    return SendMessageW(Hwnd(window), message, wParam, lParam);
}

bool CWin32WindowPort::PostMsg(WindowHandle window, unsigned message, uintptr_t wParam,
                               intptr_t lParam) {
    return window && PostMessageW(Hwnd(window), message, wParam, lParam);
}

void CWin32WindowPort::SendBytes(WindowHandle window, unsigned message, const std::string& bytes) {
    if (!window || !IsWindow(Hwnd(window))) return;
    HANDLE heap = GetProcessHeap();
    void* block = HeapAlloc(heap, 0, bytes.size() ? bytes.size() : 1);
    if (!block) return;
    std::memcpy(block, bytes.data(), bytes.size());
    // The receiver frees the block.
    SendMessageW(Hwnd(window), message, bytes.size(), reinterpret_cast<LPARAM>(block));
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

// Pages have no windows of their own yet; the screen model keeps working
// without them and the host sees the same answers.
WindowHandle CWin32WindowPort::CreatePageWindow(CPage&, WindowHandle) {
    return nullptr;
}

void CWin32WindowPort::RefreshPage(CPage&) {}
void CWin32WindowPort::PlacePageWindow(CPage&, bool) {}
void CWin32WindowPort::UnbindPageWindow(CPage&) {}

WindowHandle CWin32WindowPort::MakeFieldWindow(CField&) {
    return nullptr;
}

void CWin32WindowPort::RaiseFieldWindow(CField&) {}
void CWin32WindowPort::CloseFieldWindow(CField&) {}

#pragma once

#include <windows.h>

#include <utility>

// Owners of every kind of handle the program makes: each frees its handle
// when its scope ends, so that no return path forgets one. None is copied.

// A handle freed by Close; null means none.
template <class Handle, auto Close>
class CHandle {
public:
    explicit CHandle(Handle h) : handle(h) {}
    ~CHandle() {
        if (handle) Close(handle);
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    // For a handle that something else frees from now on, such as the menu
    // of a window, which the window destroys with itself.
    Handle Release() { return std::exchange(handle, nullptr); }
    // Frees the handle held and takes h.
    void Reset(Handle h = nullptr) {
        if (handle) Close(handle);
        handle = h;
    }

private:
    Handle handle;
};

// Events, threads and other kernel objects that CloseHandle frees.
using CKernelObject = CHandle<HANDLE, CloseHandle>;

template <class Handle>
using CGdiObject = CHandle<Handle, DeleteObject>;
using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CBitmap = CGdiObject<HBITMAP>;
using CMemoryDc = CHandle<HDC, DeleteDC>;
using CMenu = CHandle<HMENU, DestroyMenu>;
using CLibrary = CHandle<HMODULE, FreeLibrary>;

// A file from CreateFile, which gives INVALID_HANDLE_VALUE for none.
class CFile : public CHandle<HANDLE, CloseHandle> {
public:
    explicit CFile(HANDLE h) : CHandle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};

// A critical section for as long as this lives, and a scope that holds it.
class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&section); }
    ~CCriticalSection() { DeleteCriticalSection(&section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    class CHold {
    public:
        explicit CHold(CCriticalSection& s) : section(s.section) { EnterCriticalSection(&section); }
        ~CHold() { LeaveCriticalSection(&section); }
        CHold(const CHold&) = delete;
        CHold& operator=(const CHold&) = delete;

    private:
        CRITICAL_SECTION& section;
    };

private:
    CRITICAL_SECTION section;
};

// An echo (ICMP) handle. Its close function comes from the library that made
// it, loaded at run time, which must outlive it.
class CEchoHandle {
public:
    using CloseFn = BOOL(WINAPI*)(HANDLE);
    CEchoHandle(HANDLE h, CloseFn close)
        : handle(h == INVALID_HANDLE_VALUE ? nullptr : h), close(close) {}
    ~CEchoHandle() {
        if (handle) close(handle);
    }
    CEchoHandle(const CEchoHandle&) = delete;
    CEchoHandle& operator=(const CEchoHandle&) = delete;
    HANDLE Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

private:
    HANDLE handle;
    CloseFn close;
};

// An object selected into a device context; the previous one is put back.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object)
        : dc(dc), previous(object ? SelectObject(dc, object) : nullptr) {}
    ~CSelection() {
        if (previous) SelectObject(dc, previous);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// A window's device context outside of painting.
class CWindowDc {
public:
    explicit CWindowDc(HWND hwnd) : window(hwnd), dc(GetDC(hwnd)) {}
    ~CWindowDc() {
        if (dc) ReleaseDC(window, dc);
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC Get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// WM_PAINT's device context.
class CPaintDc {
public:
    explicit CPaintDc(HWND hwnd) : window(hwnd), dc(BeginPaint(hwnd, &ps)) {}
    ~CPaintDc() { EndPaint(window, &ps); }
    CPaintDc(const CPaintDc&) = delete;
    CPaintDc& operator=(const CPaintDc&) = delete;
    HDC Get() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT ps;
    HDC dc;
};

// The clipboard, open while this lives; false when another window has it.
class CClipboard {
public:
    explicit CClipboard(HWND owner) : open(OpenClipboard(owner) != 0) {}
    ~CClipboard() {
        if (open) CloseClipboard();
    }
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;
    explicit operator bool() const { return open; }

private:
    bool open;
};

// A movable memory block, locked while this lives; Data() is null when the
// block could not be locked.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL block) : block(block), data(block ? GlobalLock(block) : nullptr) {}
    ~CGlobalLock() {
        if (data) GlobalUnlock(block);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    void* Data() const { return data; }

private:
    HGLOBAL block;
    void* data;
};

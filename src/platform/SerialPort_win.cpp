#include "platform/SerialPort_win.h"

#include <process.h>

#include <cstring>
#include <new>

namespace {

// CTS, DSR, RLSD, BREAK, ERR and RING.
constexpr DWORD kEventMask = EV_CTS | EV_DSR | EV_RLSD | EV_BREAK | EV_ERR | EV_RING;
constexpr DWORD kReadSize = 2048;
constexpr DWORD kInputQueue = 2048;
constexpr DWORD kOutputQueue = 1024;
constexpr DWORD kIdleWaitMs = 500;
// A read that completes at once with nothing (a read interval time-out of
// MAXDWORD asks for that) is tried again after this pause, not at once.
constexpr DWORD kEmptyReadPauseMs = 50;
constexpr DWORD kCloseWaitMs = 20000;

HANDLE MakeEvent(bool manualReset) {
    return CreateEventW(nullptr, manualReset ? TRUE : FALSE, FALSE, nullptr);
}

// Ends an overlapped request of this thread before its OVERLAPPED goes.
void CancelAndWait(HANDLE port, OVERLAPPED& request) {
    CancelIo(port);
    DWORD ignored;
    GetOverlappedResult(port, &request, &ignored, TRUE);
}

}  // namespace

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(const CSerialOptions& wanted) {
    if (!wanted.serialIn && !wanted.serialOut) return false;
    if (open) return true;
    options = wanted;
    stopEvent.Reset(MakeEvent(true));
    std::u16string path = SerialDevicePath(options.portName);
    HANDLE device =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ | GENERIC_WRITE, 0,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE) return true;
    port.Reset(device);
    if (!stopEvent) {
        port.Reset();
        return true;
    }
    GetCommTimeouts(device, &savedTimeouts);
    Configure();
    SetupComm(device, kInputQueue, kOutputQueue);
    EscapeCommFunction(device, SETDTR);
    // The queue is there before the first Write can come.
    bool started = !options.serialOut || MakeWriteQueue();
    if (started && options.serialIn) started = StartThread(readThread, ReadThreadMain);
    if (started && options.serialOut) started = StartThread(writeThread, WriteThreadMain);
    open = true;
    if (!started) Close();
    return true;
}

void CSerialPort::Configure() {
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port.Get(), &dcb);
    dcb.BaudRate = options.line.baudRate;
    dcb.ByteSize = options.line.dataBits;
    dcb.Parity = static_cast<BYTE>(options.line.parity);
    dcb.StopBits = static_cast<BYTE>(options.line.stopBits);
    dcb.EvtChar = (kEventMask & EV_RXFLAG) ? 10 : 0;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fParity = TRUE;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = 0;
    dcb.XoffLim = 0;
    SetCommState(port.Get(), &dcb);
    const CSerialTimeouts& t = options.timeouts;
    COMMTIMEOUTS timeouts = {t.readIntervalTimeout, t.readTotalTimeoutMultiplier,
                             t.readTotalTimeoutConstant, t.writeTotalTimeoutMultiplier,
                             t.writeTotalTimeoutConstant};
    SetCommTimeouts(port.Get(), &timeouts);
}

bool CSerialPort::StartThread(CKernelObject& thread, unsigned(__stdcall* main)(void*)) {
    thread.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, main, this, 0, nullptr)));
    return static_cast<bool>(thread);
}

bool CSerialPort::MakeWriteQueue() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    writeHeap.Reset(HeapCreate(0, 2 * system.dwPageSize, 4 * system.dwPageSize));
    queueEvent.Reset(MakeEvent(false));
    if (!writeHeap || !queueEvent) return false;
    queueHead = static_cast<CNode*>(HeapAlloc(writeHeap.Get(), HEAP_ZERO_MEMORY, sizeof(CNode)));
    queueTail = static_cast<CNode*>(HeapAlloc(writeHeap.Get(), HEAP_ZERO_MEMORY, sizeof(CNode)));
    if (!queueHead || !queueTail) return false;
    queueHead->next = queueTail;
    queueTail->previous = queueHead;
    return true;
}

// Requests still queued at close are dropped; the heap takes their nodes.
void CSerialPort::FreeWriteQueue() {
    if (queueHead && queueTail) {
        for (CNode* node = queueHead->next; node != queueTail; node = node->next) {
            delete[] node->block;
        }
    }
    queueHead = queueTail = nullptr;
    writeHeap.Reset();
    queueEvent.Reset();
}

bool CSerialPort::Write(const unsigned char* bytes, size_t n) {
    if (!open || !options.serialOut) return true;
    std::string framed =
        FrameSerialOutput(std::string_view(reinterpret_cast<const char*>(bytes), n), options.out);
    auto* node = static_cast<CNode*>(HeapAlloc(writeHeap.Get(), 0, sizeof(CNode)));
    if (!node) return false;
    node->block = new (std::nothrow) unsigned char[framed.size()];
    if (!node->block) {
        HeapFree(writeHeap.Get(), 0, node);
        return false;
    }
    std::memcpy(node->block, framed.data(), framed.size());
    node->count = static_cast<DWORD>(framed.size());
    {
        CCriticalSection::CHold hold(queueLock);
        node->next = queueTail;
        node->previous = queueTail->previous;
        queueTail->previous->next = node;
        queueTail->previous = node;
    }
    SetEvent(queueEvent.Get());
    return true;
}

bool CSerialPort::Close() {
    if (!open) return false;
    open = false;
    if ((readThread || writeThread) && stopEvent) {
        SetEvent(stopEvent.Get());
        if (!WaitForThreads(kCloseWaitMs)) {
            ResetEvent(stopEvent.Get());
            open = true;
            return false;
        }
    }
    HANDLE device = port.Get();
    EscapeCommFunction(device, CLRDTR);
    SetCommTimeouts(device, &savedTimeouts);
    PurgeComm(device, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    readThread.Reset();
    writeThread.Reset();
    port.Reset();
    FreeWriteQueue();
    return true;
}

// The read thread's receiver may be waiting for this thread to answer a
// message it sent, so the wait answers such messages as they come.
bool CSerialPort::WaitForThreads(DWORD timeoutMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    for (HANDLE thread : {readThread.Get(), writeThread.Get()}) {
        if (!thread) continue;
        for (;;) {
            ULONGLONG now = GetTickCount64();
            DWORD left = now < end ? static_cast<DWORD>(end - now) : 0;
            DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
            if (woke == WAIT_OBJECT_0) break;
            if (woke != WAIT_OBJECT_0 + 1) return false;
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    return true;
}

bool CSerialPort::Stopping() const {
    return WaitForSingleObject(stopEvent.Get(), 0) == WAIT_OBJECT_0;
}

unsigned __stdcall CSerialPort::ReadThreadMain(void* self) {
    static_cast<CSerialPort*>(self)->ReadLoop();
    return 0;
}

unsigned __stdcall CSerialPort::WriteThreadMain(void* self) {
    static_cast<CSerialPort*>(self)->WriteLoop();
    return 0;
}

void CSerialPort::ReadLoop() {
    HANDLE device = port.Get();
    DWORD errors;
    ClearCommError(device, &errors, nullptr);
    CKernelObject readDone(MakeEvent(true));
    CKernelObject eventDone(MakeEvent(true));
    if (!readDone || !eventDone) {
        if (faultHandler) faultHandler();
        return;
    }
    CSerialInputFramer framer(options.in);
    CSerialInputFramer::Deliver deliver = [this](const unsigned char* bytes, size_t n) {
        if (receiver) receiver(bytes, n);
    };
    unsigned char buffer[kReadSize];
    OVERLAPPED read = {};
    read.hEvent = readDone.Get();
    OVERLAPPED event = {};
    event.hEvent = eventDone.Get();
    DWORD eventsSeen = 0;
    DWORD maskSet = 0;
    bool readPending = false;
    bool eventPending = false;
    bool failed = false;
    while (!failed && !Stopping()) {
        if (!readPending) {
            DWORD got = 0;
            if (ReadFile(device, buffer, kReadSize, &got, &read)) {
                if (got) {
                    framer.Feed(buffer, got, deliver);
                    continue;
                }
                WaitForSingleObject(stopEvent.Get(), kEmptyReadPauseMs);
                continue;
            }
            if (GetLastError() != ERROR_IO_PENDING) {
                failed = true;
                break;
            }
            readPending = true;
        }
        if (maskSet != kEventMask && SetCommMask(device, kEventMask)) maskSet = kEventMask;
        // Some drivers cannot wait for comm events (Wine on a pty answers
        // ERROR_NOT_SUPPORTED): the read is waited for all the same.
        if (!eventPending && !WaitCommEvent(device, &eventsSeen, &event)) {
            eventPending = GetLastError() == ERROR_IO_PENDING;
        }
        HANDLE waits[3] = {stopEvent.Get(), readDone.Get(), eventDone.Get()};
        DWORD woke = WaitForMultipleObjects(eventPending ? 3 : 2, waits, FALSE, kIdleWaitMs);
        DWORD got = 0;
        switch (woke) {
            case WAIT_OBJECT_0:
                break;
            case WAIT_OBJECT_0 + 1:
                readPending = false;
                if (GetOverlappedResult(device, &read, &got, FALSE)) {
                    if (got) framer.Feed(buffer, got, deliver);
                } else if (GetLastError() != ERROR_OPERATION_ABORTED) {
                    failed = true;
                }
                break;
            case WAIT_OBJECT_0 + 2:
                eventPending = false;
                GetOverlappedResult(device, &event, &got, FALSE);
                break;
            case WAIT_TIMEOUT:
                ClearCommError(device, &errors, nullptr);
                break;
            default:
                failed = true;
                break;
        }
    }
    if (readPending) CancelAndWait(device, read);
    if (eventPending) CancelAndWait(device, event);
    if (failed && faultHandler) faultHandler();
}

void CSerialPort::WriteLoop() {
    HANDLE waits[2] = {queueEvent.Get(), stopEvent.Get()};
    for (;;) {
        DWORD woke = WaitForMultipleObjects(2, waits, FALSE, kIdleWaitMs);
        if (woke == WAIT_OBJECT_0 + 1) return;
        bool failed = woke == WAIT_FAILED || (woke == WAIT_OBJECT_0 && !DrainQueue());
        if (failed) {
            if (faultHandler) faultHandler();
            return;
        }
    }
}

bool CSerialPort::DrainQueue() {
    while (!Stopping()) {
        CNode* node;
        {
            CCriticalSection::CHold hold(queueLock);
            node = queueHead->next;
        }
        if (node == queueTail) return true;
        if (!WriteBlock(node->block, node->count)) return false;
        {
            CCriticalSection::CHold hold(queueLock);
            node->previous->next = node->next;
            node->next->previous = node->previous;
        }
        delete[] node->block;
        HeapFree(writeHeap.Get(), 0, node);
    }
    return true;
}

// A short write is not tried again.
bool CSerialPort::WriteBlock(const unsigned char* bytes, DWORD count) {
    HANDLE device = port.Get();
    CKernelObject done(MakeEvent(true));
    if (!done) return false;
    OVERLAPPED request = {};
    request.hEvent = done.Get();
    DWORD written = 0;
    if (WriteFile(device, bytes, count, &written, &request)) return true;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    HANDLE waits[2] = {done.Get(), stopEvent.Get()};
    DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0) {
        return GetOverlappedResult(device, &request, &written, FALSE) ||
               GetLastError() == ERROR_OPERATION_ABORTED;
    }
    CancelAndWait(device, request);
    return woke == WAIT_OBJECT_0 + 1;
}

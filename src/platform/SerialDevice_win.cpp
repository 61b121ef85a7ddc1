#include "platform/SerialDevice_win.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

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

CSerialDevice::CSerialDevice(const CSerialOptions& options, Receiver receiver,
                             FaultHandler faultHandler)
    : options(options),
      receiver(std::move(receiver)),
      faultHandler(std::move(faultHandler)),
      stopEvent(MakeEvent(true)) {}

std::shared_ptr<CSerialDevice> CSerialDevice::Open(const CSerialOptions& options, Receiver receiver,
                                                   FaultHandler faultHandler) {
    std::shared_ptr<CSerialDevice> device(
        new (std::nothrow) CSerialDevice(options, std::move(receiver), std::move(faultHandler)));
    if (!device || !device->stopEvent) return nullptr;
    std::u16string path = SerialDevicePath(options.portName);
    HANDLE opened =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ | GENERIC_WRITE, 0,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return nullptr;
    device->port.Reset(opened);
    GetCommTimeouts(opened, &device->savedTimeouts);
    device->Configure();
    SetupComm(opened, kInputQueue, kOutputQueue);
    EscapeCommFunction(opened, SETDTR);
    // The queue is there before the first Write can come.
    if (options.serialOut && !device->MakeWriteQueue()) return nullptr;
    return device;
}

CSerialDevice::~CSerialDevice() {
    if (port) {
        HANDLE device = port.Get();
        EscapeCommFunction(device, CLRDTR);
        SetCommTimeouts(device, &savedTimeouts);
        PurgeComm(device, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    }
    // Requests still queued are dropped; the heap takes their nodes.
    if (queueHead && queueTail) {
        for (CNode* node = queueHead->next; node != queueTail; node = node->next) {
            delete[] node->block;
        }
    }
}

void CSerialDevice::Configure() {
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

bool CSerialDevice::MakeWriteQueue() {
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

bool CSerialDevice::Write(const unsigned char* bytes, size_t n) {
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

void CSerialDevice::Stop() {
    SetEvent(stopEvent.Get());
}

bool CSerialDevice::Stopping() const {
    return WaitForSingleObject(stopEvent.Get(), 0) == WAIT_OBJECT_0;
}

void CSerialDevice::ReadLoop() {
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

void CSerialDevice::WriteLoop() {
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

bool CSerialDevice::DrainQueue() {
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
bool CSerialDevice::WriteBlock(const unsigned char* bytes, DWORD count) {
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

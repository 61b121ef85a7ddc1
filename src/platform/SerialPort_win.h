#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

#include "platform/Handles_win.h"
#include "platform/SerialLine.h"

// The serial feature port: one COM port with an overlapped read thread that
// hands framed device input to a receiver, and a write thread that sends
// what Write queues. Open, Write and Close belong to one thread, the owner's.
// An I/O error ends the thread that met it and calls the fault handler
// there; the owner then closes the port from its own thread.
class CSerialPort {
public:
    // Called on the read thread with each framed input.
    using Receiver = std::function<void(const unsigned char* bytes, size_t n)>;
    // Called on the read or write thread that an I/O error ended.
    using FaultHandler = std::function<void()>;

    CSerialPort() = default;
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    void SetCallback(Receiver r) { receiver = std::move(r); }
    void SetFaultHandler(FaultHandler f) { faultHandler = std::move(f); }

    // False when both directions are off and nothing was opened; true
    // otherwise, also when the port could not be opened, which leaves this
    // closed: writes are then ignored and nothing is read.
    bool Open(const CSerialOptions& options);
    // Queues a copy of the bytes, framed, when the port is open for output.
    // False when the queue is full.
    bool Write(const unsigned char* bytes, size_t n);
    // True when the port was open and is closed now. While it waits for the
    // threads it serves the window messages they send to this thread.
    bool Close();
    bool IsOpen() const { return open; }

private:
    // A request in the write queue, allocated from the write heap.
    struct CNode {
        DWORD count;
        unsigned char* block;
        CNode* next;
        CNode* previous;
    };

    static unsigned __stdcall ReadThreadMain(void* self);
    static unsigned __stdcall WriteThreadMain(void* self);
    bool StartThread(CKernelObject& thread, unsigned(__stdcall* main)(void*));
    void Configure();
    bool MakeWriteQueue();
    void FreeWriteQueue();
    void ReadLoop();
    void WriteLoop();
    // False after an I/O error.
    bool DrainQueue();
    bool WriteBlock(const unsigned char* bytes, DWORD count);
    bool Stopping() const;
    bool WaitForThreads(DWORD timeoutMs);

    CKernelObject writeThread{nullptr};
    CCriticalSection queueLock;
    CKernelObject stopEvent{nullptr};
    CHandle<HANDLE, HeapDestroy> writeHeap{nullptr};
    CKernelObject queueEvent{nullptr};
    CNode* queueHead = nullptr;
    CNode* queueTail = nullptr;
    CKernelObject port{nullptr};
    CKernelObject readThread{nullptr};
    std::atomic<bool> open{false};
    CSerialOptions options;
    COMMTIMEOUTS savedTimeouts = {};
    Receiver receiver;
    FaultHandler faultHandler;
};

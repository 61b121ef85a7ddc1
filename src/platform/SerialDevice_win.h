#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/Handles_win.h"
#include "platform/SerialLine.h"

// The open COM port and everything its read and write threads use: the stop
// event, the write queue with its lock and heap, the receiver and the fault
// handler. The port's owner and each thread hold a share; the last to let go
// closes the device, so a thread that outlives its owner's wait never meets
// freed state.
class CSerialDevice {
public:
    // Called on the read thread with each framed input; it must not wait for
    // another thread.
    using Receiver = std::function<void(const unsigned char* bytes, size_t n)>;
    // Called on the read or write thread that an I/O error ended.
    using FaultHandler = std::function<void()>;

    // The device opened and configured as the options say, with its write
    // queue when output is on; null when it could not be had.
    static std::shared_ptr<CSerialDevice> Open(const CSerialOptions& options, Receiver receiver,
                                               FaultHandler faultHandler);
    // Lowers DTR, puts the port's own time-outs back, drops what is queued.
    ~CSerialDevice();
    CSerialDevice(const CSerialDevice&) = delete;
    CSerialDevice& operator=(const CSerialDevice&) = delete;

    // Queues a copy of the bytes, framed; false when no queue node could be had.
    bool Write(const unsigned char* bytes, size_t n);
    // Has both loops end soon.
    void Stop();
    // The threads' work: each runs until the stop or an I/O error, which it
    // reports to the fault handler.
    void ReadLoop();
    void WriteLoop();

private:
    // A request in the write queue, allocated from the write heap.
    struct CNode {
        DWORD count;
        unsigned char* block;
        CNode* next;
        CNode* previous;
    };

    CSerialDevice(const CSerialOptions& options, Receiver receiver, FaultHandler faultHandler);
    void Configure();
    bool MakeWriteQueue();
    // False after an I/O error.
    bool DrainQueue();
    bool WriteBlock(const unsigned char* bytes, DWORD count);
    bool Stopping() const;

    const CSerialOptions options;
    const Receiver receiver;
    const FaultHandler faultHandler;
    CKernelObject stopEvent;
    CKernelObject port{nullptr};
    COMMTIMEOUTS savedTimeouts = {};
    CCriticalSection queueLock;
    CHandle<HANDLE, HeapDestroy> writeHeap{nullptr};
    CKernelObject queueEvent{nullptr};
    CNode* queueHead = nullptr;
    CNode* queueTail = nullptr;
};

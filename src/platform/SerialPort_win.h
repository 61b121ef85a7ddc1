#pragma once

#include <windows.h>

#include <memory>

#include "platform/Handles_win.h"
#include "platform/SerialDevice_win.h"
#include "platform/SerialLine.h"

// The serial feature port: one COM port with an overlapped read thread that
// hands framed device input to a receiver, and a write thread that sends
// what Write queues. Open, Write and Close belong to one thread, the owner's.
// An I/O error ends the thread that met it and calls the fault handler
// there; the owner then closes the port from its own thread.
class CSerialPort {
public:
    using Receiver = CSerialDevice::Receiver;
    using FaultHandler = CSerialDevice::FaultHandler;

    // The threads wake at least every half second and at once at a stop:
    // one that has not ended this long after the stop is stuck.
    static constexpr DWORD kCloseWaitMs = 2000;

    explicit CSerialPort(DWORD closeWaitMs = kCloseWaitMs) : closeWaitMs(closeWaitMs) {}
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
    // Stops the threads and waits for them up to the close wait. True when
    // the port was open and they have ended; false when it was not open, or
    // when a thread is stuck: that thread then keeps the device, and closes
    // it when it ends. The port counts as closed either way.
    bool Close();
    bool IsOpen() const { return open; }

private:
    template <void (CSerialDevice::*Loop)()>
    static unsigned __stdcall ThreadMain(void* share);
    bool StartThread(CKernelObject& thread, unsigned(__stdcall* main)(void*));
    bool WaitForThreads();

    const DWORD closeWaitMs;
    Receiver receiver;
    FaultHandler faultHandler;
    std::shared_ptr<CSerialDevice> device;
    CKernelObject readThread{nullptr};
    CKernelObject writeThread{nullptr};
    bool open = false;
};

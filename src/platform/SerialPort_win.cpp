#include "platform/SerialPort_win.h"

#include <process.h>

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(const CSerialOptions& options) {
    if (!options.serialIn && !options.serialOut) return false;
    if (open) return true;
    device = CSerialDevice::Open(options, receiver, faultHandler);
    if (!device) return true;
    open = true;
    bool started =
        !options.serialIn || StartThread(readThread, ThreadMain<&CSerialDevice::ReadLoop>);
    if (started && options.serialOut) {
        started = StartThread(writeThread, ThreadMain<&CSerialDevice::WriteLoop>);
    }
    if (!started) Close();
    return true;
}

// Each thread holds a share of the device, given it at its start.
template <void (CSerialDevice::*Loop)()>
unsigned __stdcall CSerialPort::ThreadMain(void* share) {
    std::unique_ptr<std::shared_ptr<CSerialDevice>> held(
        static_cast<std::shared_ptr<CSerialDevice>*>(share));
    ((**held).*Loop)();
    return 0;
}

bool CSerialPort::StartThread(CKernelObject& thread, unsigned(__stdcall* main)(void*)) {
    auto* share = new std::shared_ptr<CSerialDevice>(device);
    thread.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, main, share, 0, nullptr)));
    if (!thread) delete share;
    return static_cast<bool>(thread);
}

bool CSerialPort::Write(const unsigned char* bytes, size_t n) {
    if (!open || !writeThread) return true;
    return device->Write(bytes, n);
}

bool CSerialPort::Close() {
    if (!open) return false;
    open = false;
    device->Stop();
    bool ended = WaitForThreads();
    readThread.Reset();
    writeThread.Reset();
    // Freed here once the threads have ended, else by the last of them.
    device.reset();
    return ended;
}

bool CSerialPort::WaitForThreads() {
    HANDLE threads[2];
    DWORD count = 0;
    if (readThread) threads[count++] = readThread.Get();
    if (writeThread) threads[count++] = writeThread.Get();
    return count == 0 ||
           WaitForMultipleObjects(count, threads, TRUE, closeWaitMs) < WAIT_OBJECT_0 + count;
}

#include "platform/SerialPort_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

CSerialOptions Options(bool in, bool out, const std::wstring& port) {
    CSerialOptions options;
    options.portName.assign(port.begin(), port.end());
    options.serialIn = in;
    options.serialOut = out;
    options.timeouts.readIntervalTimeout = 500;
    return options;
}

// What the port wrote within ten seconds.
std::string Received(HANDLE pipe) {
    std::string got;
    for (int i = 0; i < 1000 && got.empty(); ++i) {
        DWORD available = 0;
        if (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available) {
            got.resize(available);
            ReadFile(pipe, got.data(), available, &available, nullptr);
        } else {
            Sleep(10);
        }
    }
    return got;
}

// True while the port has its end of the pipe open.
bool Held(HANDLE pipe) {
    return PeekNamedPipe(pipe, nullptr, 0, nullptr, nullptr, nullptr);
}

TEST(SerialPort, OpensOnlyWhatIsThereAndNeverFreesWhatAThreadStillUses) {
    CSerialPort off;
    EXPECT_FALSE(off.Open(Options(false, false, L"COM1:")));
    EXPECT_FALSE(off.IsOpen());
    // A port that is not there: asked for, but closed; writes are ignored.
    CSerialPort missing;
    int faults = 0;
    missing.SetFaultHandler([&faults] { ++faults; });
    EXPECT_TRUE(missing.Open(Options(true, true, L"COM199:")));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.Write(reinterpret_cast<const unsigned char*>("X"), 1));
    EXPECT_FALSE(missing.Close());
    EXPECT_EQ(faults, 0);

    // A named pipe stands for the device: the port opens its client end, where
    // the comm calls fail as on a driver that cannot do them.
    const std::wstring pipe =
        L"\\\\.\\pipe\\ravelin-serial-" + std::to_wstring(GetCurrentProcessId());
    for (bool stuck : {false, true}) {
        SCOPED_TRACE(stuck ? "read thread stuck" : "threads end");
        CFile device(CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                      1, 4096, 4096, 0, nullptr));
        ASSERT_TRUE(device);
        // The receiver hangs until released, as one that waits on a host that
        // stopped reading.
        struct CReceiverState {
            CKernelObject entered{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
            CKernelObject released{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
            std::string input;
        };
        auto state = std::make_shared<CReceiverState>();
        if (!stuck) SetEvent(state->released.Get());
        auto port = std::make_unique<CSerialPort>(300);
        port->SetCallback([state](const unsigned char* bytes, size_t n) {
            state->input.assign(reinterpret_cast<const char*>(bytes), n);
            SetEvent(state->entered.Get());
            WaitForSingleObject(state->released.Get(), INFINITE);
        });
        ASSERT_TRUE(port->Open(Options(true, true, pipe)));
        ASSERT_TRUE(port->IsOpen());
        ASSERT_TRUE(port->Write(reinterpret_cast<const unsigned char*>("OUT"), 3));
        EXPECT_EQ(Received(device.Get()), "OUT");
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(device.Get(), "SCAN", 4, &written, nullptr));
        ASSERT_EQ(WaitForSingleObject(state->entered.Get(), 10000), WAIT_OBJECT_0);
        EXPECT_EQ(state->input, "SCAN");

        EXPECT_EQ(port->Close(), !stuck);
        EXPECT_FALSE(port->IsOpen());
        port.reset();
        // A stuck thread keeps the device until it ends, then closes it.
        EXPECT_EQ(Held(device.Get()), stuck);
        SetEvent(state->released.Get());
        for (int i = 0; i < 1000 && Held(device.Get()); ++i) Sleep(10);
        EXPECT_FALSE(Held(device.Get()));
    }
}

}  // namespace

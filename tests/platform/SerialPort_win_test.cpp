#include "platform/SerialPort_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

CSerialOptions Options(bool in, bool out, const char16_t* port) {
    CSerialOptions options;
    options.portName = port;
    options.serialIn = in;
    options.serialOut = out;
    options.timeouts.readIntervalTimeout = 500;
    return options;
}

TEST(SerialPort, OpensNothingWithoutADirectionOrADevice) {
    const unsigned char byte = 'X';
    CSerialPort off;
    EXPECT_FALSE(off.Open(Options(false, false, u"COM1:")));
    EXPECT_FALSE(off.IsOpen());

    // A port that is not there: asked for, but closed; writes are ignored.
    CSerialPort missing;
    int faults = 0;
    missing.SetFaultHandler([&faults] { ++faults; });
    EXPECT_TRUE(missing.Open(Options(true, true, u"COM199:")));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.Write(&byte, 1));
    EXPECT_FALSE(missing.Close());
    EXPECT_EQ(faults, 0);
}

// A named pipe stands for the device: the port opens its client end, on
// which the comm calls fail as on a driver that cannot do them, and the test
// is the device at the server end.
class CPipeDevice {
public:
    CPipeDevice()
        : name(u"\\\\.\\pipe\\ravelin-serial-" + Digits(GetCurrentProcessId())),
          server(CreateNamedPipeW(reinterpret_cast<const wchar_t*>(name.c_str()),
                                  PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0,
                                  nullptr)) {}
    bool Made() const { return static_cast<bool>(server); }
    const char16_t* Name() const { return name.c_str(); }
    bool Send(const std::string& bytes) {
        DWORD written = 0;
        return WriteFile(server.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size();
    }
    // What the port wrote within a second.
    std::string Received() {
        std::string got;
        for (int i = 0; i < 100 && got.empty(); ++i) {
            DWORD available = 0;
            if (PeekNamedPipe(server.Get(), nullptr, 0, nullptr, &available, nullptr) &&
                available) {
                got.resize(available);
                ReadFile(server.Get(), got.data(), available, &available, nullptr);
            } else {
                Sleep(10);
            }
        }
        return got;
    }
    // True while the port has its end open.
    bool Held() const {
        DWORD available;
        return PeekNamedPipe(server.Get(), nullptr, 0, nullptr, &available, nullptr);
    }

private:
    static std::u16string Digits(DWORD n) {
        std::string text = std::to_string(n);
        return std::u16string(text.begin(), text.end());
    }

    std::u16string name;
    CFile server;
};

// What the read thread's receiver sees, and a receiver that hangs in it until
// let go, as one that waits on a host that stopped reading.
struct CReceiverState {
    CKernelObject entered{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CKernelObject released{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::string input;
};

TEST(SerialPort, CloseNeverFreesWhatAThreadStillUses) {
    for (bool stuck : {false, true}) {
        SCOPED_TRACE(stuck ? "read thread stuck" : "threads end");
        CPipeDevice device;
        ASSERT_TRUE(device.Made());
        auto state = std::make_shared<CReceiverState>();
        if (!stuck) SetEvent(state->released.Get());
        auto port = std::make_unique<CSerialPort>(300);
        port->SetCallback([state](const unsigned char* bytes, size_t n) {
            state->input.assign(reinterpret_cast<const char*>(bytes), n);
            SetEvent(state->entered.Get());
            WaitForSingleObject(state->released.Get(), INFINITE);
        });
        ASSERT_TRUE(port->Open(Options(true, true, device.Name())));
        ASSERT_TRUE(port->IsOpen());
        const unsigned char out[] = "OUT";
        ASSERT_TRUE(port->Write(out, 3));
        EXPECT_EQ(device.Received(), "OUT");
        ASSERT_TRUE(device.Send("SCAN"));
        ASSERT_EQ(WaitForSingleObject(state->entered.Get(), 10000), WAIT_OBJECT_0);
        EXPECT_EQ(state->input, "SCAN");

        auto asked = std::chrono::steady_clock::now();
        EXPECT_EQ(port->Close(), !stuck);
        EXPECT_FALSE(port->IsOpen());
        port.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
        // A stuck thread keeps the device until it ends, then closes it.
        EXPECT_EQ(device.Held(), stuck);
        SetEvent(state->released.Get());
        for (int i = 0; i < 200 && device.Held(); ++i) Sleep(10);
        EXPECT_FALSE(device.Held());
    }
}

}  // namespace

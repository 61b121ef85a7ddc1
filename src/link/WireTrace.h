#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>

// What passes between the terminal and the host, for support people: one
// line per message or connection event, appended to a file.
//
//     MS DIRECTION [BYTES]
//
// MS counts milliseconds since the trace was opened: the "open" line that
// starts each run carries the UTC time, which dates the rest. DIRECTION is
// open, connect, disconnect, in (a host record), out (a terminal message) or
// error. BYTES shows printable ASCII as it is and every other byte, the
// backslash too, as \xHH, so that a line reads back to the exact bytes.
//
// Until Open succeeds every call returns at its first test. After it, any
// thread may call; whole lines never interleave, and each is handed to the
// system as soon as it is written, so a crash or power cut loses little.
class CWireTrace {
public:
    CWireTrace() = default;
    CWireTrace(const CWireTrace&) = delete;
    CWireTrace& operator=(const CWireTrace&) = delete;

    // Appends to the file at path, once, before the traced link starts.
    // False when the file cannot be opened; the trace then stays off.
    bool Open(const std::u16string& path);

    // An attempt to connect, and how it ended.
    void Connecting(std::string_view host, uint16_t port);
    void Connected();
    void ConnectFailed(int32_t error);
    void Disconnected(std::string_view why);
    // One host record, terminator included, 0xFF doubling undone.
    void In(const unsigned char* record, size_t size);
    // One message to the host, as the link frames it.
    void Out(int32_t terminalId, std::string_view text);
    // The message traced last from this thread did not go out.
    void SendFailed();

private:
    void Write(std::string_view direction, std::string_view bytes);

    std::atomic<bool> on{false};
    std::mutex lock;
    std::ofstream file;
    std::chrono::steady_clock::time_point opened;
};

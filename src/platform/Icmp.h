#pragma once

#include <cstdint>

// One ICMP echo request through the system's echo functions, loaded when
// asked for. The native build has none: there every echo fails with code 0.
struct CEchoReply {
    uint32_t status = 0;
    uint32_t roundTripMs = 0xFFFFFFFF;
    uint8_t ttl = 0;
};

// False when no reply came; error is then the system's code (an ICMP status
// such as 11010 for a time-out, or 0 when the echo functions are missing).
bool SendEcho(uint32_t address, uint32_t timeoutMs, CEchoReply& reply, int32_t& error);

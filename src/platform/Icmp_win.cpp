#include <windows.h>

#include "platform/Handles_win.h"
#include "platform/Icmp.h"

// ipexport.h needs the types of windows.h.
#include <ipexport.h>

namespace {

using CreateFileFn = HANDLE(WINAPI*)();
using SendEchoFn = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID,
                                  DWORD, DWORD);

// The echo functions are in iphlpapi.dll, or in icmp.dll on older systems.
HMODULE LoadEchoLibrary() {
    HMODULE module = LoadLibraryW(L"iphlpapi.dll");
    return module ? module : LoadLibraryW(L"icmp.dll");
}

template <typename Fn>
Fn Find(const CLibrary& library, const char* name) {
    return library
               ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library.Get(), name)))
               : nullptr;
}

}  // namespace

bool SendEcho(uint32_t address, uint32_t timeoutMs, CEchoReply& reply, int32_t& error) {
    error = 0;
    CLibrary library(LoadEchoLibrary());
    auto create = Find<CreateFileFn>(library, "IcmpCreateFile");
    auto close = Find<CEchoHandle::CloseFn>(library, "IcmpCloseHandle");
    auto send = Find<SendEchoFn>(library, "IcmpSendEcho");
    if (!create || !close || !send) return false;

    CEchoHandle icmp(create(), close);
    if (!icmp) {
        error = static_cast<int32_t>(GetLastError());
        return false;
    }
    // Room for one reply of this platform's layout, its (empty) data and the
    // 8 bytes of an ICMP error the system may put behind it.
    union {
        ICMP_ECHO_REPLY echo;
        unsigned char bytes[sizeof(ICMP_ECHO_REPLY) + 8 + 64];
    } area{};
    area.echo.Status = 0;
    area.echo.RoundTripTime = 0xFFFFFFFF;
    DWORD replies = send(icmp.Get(), address, nullptr, 0, nullptr, &area, sizeof area, timeoutMs);
    if (replies == 0) error = static_cast<int32_t>(GetLastError());
    reply.status = area.echo.Status;
    reply.roundTripMs = area.echo.RoundTripTime;
    reply.ttl = area.echo.Options.Ttl;
    return replies != 0 && reply.status == 0;
}

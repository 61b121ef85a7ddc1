#include <windows.h>

#include "platform/Icmp.h"

// ipexport.h needs the types of windows.h.
#include <ipexport.h>

namespace {

using CreateFileFn = HANDLE(WINAPI*)();
using CloseHandleFn = BOOL(WINAPI*)(HANDLE);
using SendEchoFn = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID,
                                  DWORD, DWORD);

// Frees the library when it goes out of scope.
class CLibrary {
public:
    CLibrary() : module(LoadLibraryW(L"iphlpapi.dll")) {
        if (!module) module = LoadLibraryW(L"icmp.dll");
    }
    ~CLibrary() {
        if (module) FreeLibrary(module);
    }
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;

    template <typename Fn>
    Fn Find(const char* name) const {
        return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                      : nullptr;
    }

private:
    HMODULE module;
};

}  // namespace

bool SendEcho(uint32_t address, uint32_t timeoutMs, CEchoReply& reply, int32_t& error) {
    error = 0;
    CLibrary library;
    auto create = library.Find<CreateFileFn>("IcmpCreateFile");
    auto close = library.Find<CloseHandleFn>("IcmpCloseHandle");
    auto send = library.Find<SendEchoFn>("IcmpSendEcho");
    if (!create || !close || !send) return false;

    HANDLE icmp = create();
    if (icmp == INVALID_HANDLE_VALUE) {
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
    DWORD replies = send(icmp, address, nullptr, 0, nullptr, &area, sizeof area, timeoutMs);
    if (replies == 0) error = static_cast<int32_t>(GetLastError());
    close(icmp);
    reply.status = area.echo.Status;
    reply.roundTripMs = area.echo.RoundTripTime;
    reply.ttl = area.echo.Options.Ttl;
    return replies != 0 && reply.status == 0;
}

// A bare Winsock client that plays the terminal's part of a host round trip
// as plainly as possible, as the baseline of bench/terminal_roundtrips.py:
// it connects, sends "1I", and answers every record "H!" with "1H" and then
// "1R!" and eight status bytes, as two sends like the terminal's.
//   bare_client HOST PORT [nagle]   ("nagle" leaves Nagle's algorithm on)
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kTerminator[] = "\xFF\xEF";

bool SendAll(SOCKET s, const std::string& bytes) {
    return send(s, bytes.data(), static_cast<int>(bytes.size()), 0) ==
           static_cast<int>(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 64;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (argc < 4 || std::strcmp(argv[3], "nagle") != 0) {
        BOOL on = TRUE;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    }
    sockaddr_in host = {};
    host.sin_family = AF_INET;
    host.sin_port = htons(static_cast<u_short>(std::atoi(argv[2])));
    host.sin_addr.s_addr = inet_addr(argv[1]);
    if (connect(s, reinterpret_cast<sockaddr*>(&host), sizeof host) != 0) return 1;
    SendAll(s, std::string("1I") + kTerminator);

    const std::string status = std::string(
                                   "1R!\x82"
                                   "210X\xDC@0") +
                               kTerminator;
    std::string pending;
    char block[8192];
    for (;;) {
        int got = recv(s, block, sizeof block, 0);
        if (got <= 0) break;
        pending.append(block, static_cast<size_t>(got));
        size_t end;
        while ((end = pending.find(kTerminator)) != std::string::npos) {
            if (pending.compare(0, end, "H!") == 0) {
                SendAll(s, std::string("1H") + kTerminator);
                SendAll(s, status);
            }
            pending.erase(0, end + 2);
        }
    }
    closesocket(s);
    WSACleanup();
    return 0;
}

// A bare client that plays the terminal's part of a host round trip as
// plainly as possible, the baseline of bench/terminal_roundtrips.py (Windows
// build, under Wine) and bench/headless_roundtrips.py (native build): it
// connects, sends "1I", and answers every record "H!" with "1H" and then
// "1R!" and eight status bytes, as two sends like the terminal's.
//   bare_client HOST PORT [nagle]   ("nagle" leaves Nagle's algorithm on)
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Sockets.h"

namespace {

const char kTerminator[] = "\xFF\xEF";

bool SendAll(SocketHandle s, const std::string& bytes) {
    return SendOnSocket(s, bytes.data(), static_cast<int>(bytes.size())) ==
           static_cast<int>(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 64;
    CSocketsStarted sockets;
    if (!sockets) return 1;
    SocketHandle s = OpenStreamSocket();
    if (s == kInvalidSocket) return 1;
    if (argc < 4 || std::strcmp(argv[3], "nagle") != 0) SetNoDelay(s);
    if (!ConnectSocket(s, ParseAddress(argv[1]), static_cast<uint16_t>(std::atoi(argv[2])))) {
        return 1;
    }
    SendAll(s, std::string("1I") + kTerminator);

    const std::string status = std::string(
                                   "1R!\x82"
                                   "210X\xDC@0") +
                               kTerminator;
    std::string pending;
    char block[8192];
    for (;;) {
        int got = ReceiveOnSocket(s, block, sizeof block);
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
    CloseSocket(s);
    return 0;
}

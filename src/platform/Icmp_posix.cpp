#include "platform/Icmp.h"

bool SendEcho(uint32_t, uint32_t, CEchoReply&, int32_t& error) {
    error = 0;
    return false;
}

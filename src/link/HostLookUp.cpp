#include "link/HostLookUp.h"

#include <thread>

#include "platform/Sockets.h"

std::shared_ptr<CHostLookUp> CHostLookUp::Start(const std::string& host, const LookUp& lookUp) {
    auto lookup = std::make_shared<CHostLookUp>();
    std::thread([lookup, host, lookUp] {
        uint32_t found = lookUp(host.c_str());
        int32_t why = found ? 0 : LastSocketError();
        {
            std::lock_guard<std::mutex> hold(lookup->lock);
            lookup->done = true;
            lookup->address = found;
            lookup->error = why;
        }
        lookup->ended.notify_all();
    }).detach();
    return lookup;
}

uint32_t CHostLookUp::Wait(int32_t& why) {
    std::unique_lock<std::mutex> hold(lock);
    ended.wait(hold, [this] { return done || givenUp; });
    why = givenUp ? 0 : error;
    return givenUp ? 0 : address;
}

void CHostLookUp::GiveUp() {
    {
        std::lock_guard<std::mutex> hold(lock);
        givenUp = true;
    }
    ended.notify_all();
}

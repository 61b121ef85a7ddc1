#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

// A host name looked up on a thread of its own. Nothing interrupts a
// resolver, which may take many seconds for a name nobody answers; the
// thread waiting for the answer can give up at once instead, and the
// look-up's thread then ends in its own time and drops what it found.
class CHostLookUp {
public:
    // The address, or 0 with the reason in LastSocketError().
    using LookUp = std::function<uint32_t(const char* host)>;

    // The look-up's thread shares this object, so it lives as long as either.
    static std::shared_ptr<CHostLookUp> Start(const std::string& host, const LookUp& lookUp);

    // Waits until the look-up ends or is given up: the address, or 0 with the
    // socket error in error (0 when given up).
    uint32_t Wait(int32_t& error);
    // Makes Wait return 0 at once, now or when it comes.
    void GiveUp();

private:
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;
    bool givenUp = false;
    uint32_t address = 0;
    int32_t error = 0;
};

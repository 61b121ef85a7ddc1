#include "platform/StateOwner.h"

#include <chrono>

#include "platform/WindowPort.h"

namespace {

// How long a record waiting for the window thread sleeps before it looks at
// the stop flag again.
constexpr auto kStopPoll = std::chrono::milliseconds(50);
// How long the window thread, having served a record's work, waits for the
// record to end before it looks for sent work again.
constexpr auto kRecordEndWait = std::chrono::milliseconds(2);

}  // namespace

bool CStateOwner::BeginRecord(const std::atomic<int32_t>& stop) {
    std::unique_lock<std::mutex> hold(lock);
    // The window thread goes first: an operator's key is never held up by a
    // host that streams.
    while (owner != std::thread::id() || windowWaiting > 0) {
        if (stop) return false;
        released.wait_for(hold, kStopPoll);
    }
    owner = std::this_thread::get_id();
    return true;
}

void CStateOwner::EndRecord() {
    Release();
}

bool CStateOwner::Take() {
    std::unique_lock<std::mutex> hold(lock);
    std::thread::id me = std::this_thread::get_id();
    if (owner == me || port.InCallFromAnotherThread()) return false;
    ++windowWaiting;
    while (owner != std::thread::id()) {
        // The record may be waiting for this very thread to do its window work.
        hold.unlock();
        port.ServeSentMessages();
        hold.lock();
        released.wait_for(hold, kRecordEndWait, [this] { return owner == std::thread::id(); });
    }
    --windowWaiting;
    owner = me;
    return true;
}

void CStateOwner::Give() {
    Release();
}

void CStateOwner::Release() {
    {
        std::lock_guard<std::mutex> hold(lock);
        owner = std::thread::id();
    }
    released.notify_all();
}

#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class CWindowPort;

// The pages, fields, focus and input state have one owner at a time: the
// connection thread while it runs a record (what the window thread does for
// it while it waits, such as its held window work, counts as the record's),
// or the window thread
// while it handles input, paints or lays out. The window thread waits for a
// record to end, serving the record's sent window work meanwhile, and a new
// record waits for the window thread; so a release the record decided can
// never be applied after a key that was handled behind it, and no lookup or
// walk meets a list being changed.
class CStateOwner {
public:
    explicit CStateOwner(CWindowPort& port) : port(port) {}
    CStateOwner(const CStateOwner&) = delete;
    CStateOwner& operator=(const CStateOwner&) = delete;

    // The connection thread takes the state for one record, after the window
    // thread is done with it; false when stop was set meanwhile.
    bool BeginRecord(const std::atomic<int32_t>& stop);
    void EndRecord();

    // The window side takes the state for one handler; true when this call
    // took it and must give it back. A thread that has it already, or that
    // does a call the record's thread waits on, takes nothing: it acts for
    // the record.
    bool Take();
    void Give();

private:
    // Nobody owns the state; whoever waits for it may take it.
    void Release();

    CWindowPort& port;
    std::mutex lock;
    std::condition_variable released;
    std::thread::id owner;
    int windowWaiting = 0;
};

// The window side's hold of the state for one handler.
class CStateTurn {
public:
    explicit CStateTurn(CStateOwner& owner) : owner(owner), took(owner.Take()) {}
    ~CStateTurn() {
        if (took) owner.Give();
    }
    CStateTurn(const CStateTurn&) = delete;
    CStateTurn& operator=(const CStateTurn&) = delete;

private:
    CStateOwner& owner;
    bool took;
};

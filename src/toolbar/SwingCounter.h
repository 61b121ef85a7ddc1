#pragma once

// The frame counter of the lock animation: 0, 1, ..., 8, 7, ..., 0, 1, ...
class CSwingCounter {
public:
    static constexpr int kLast = 8;

    int Value() const { return value; }
    // Back to 0, counting up.
    void Reset();
    // One step in the current direction, turning at either end first.
    void Step();

private:
    int value = 0;
    bool up = true;
};

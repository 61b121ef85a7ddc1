#include "platform/KeyMap.h"

namespace {

constexpr unsigned kEnterKey = 0x0D;
constexpr unsigned kF1Key = 0x70;
constexpr unsigned kF24Key = 0x87;
constexpr unsigned kFirstDeviceKey = 0xF0;
constexpr unsigned kLastDeviceKey = 0xF5;

// With Ctrl alone, the digit row doubles as F1 to F10 on devices without
// function keys.
unsigned CtrlDigitAsFunctionKey(const CKeyPress& key) {
    if (!key.ctrl || key.alt || key.shift) return key.virtualKey;
    if (key.virtualKey >= '1' && key.virtualKey <= '9') return kF1Key + (key.virtualKey - '1');
    if (key.virtualKey == '0') return kF1Key + 9;
    return key.virtualKey;
}

}  // namespace

int KeyNumber(const CKeyPress& key, bool enterToF0) {
    unsigned vk = CtrlDigitAsFunctionKey(key);
    if (vk == kEnterKey) return enterToF0 ? 0 : kNoKeyNumber;
    if (vk >= kF1Key && vk <= kF24Key) {
        int number = static_cast<int>(vk - kF1Key) + 1;
        if (key.ctrl) return number + 20;
        return key.shift ? number + 10 : number;
    }
    if (vk >= kFirstDeviceKey && vk <= kLastDeviceKey)
        return static_cast<int>(vk - kFirstDeviceKey) + 25;
    return kNoKeyNumber;
}

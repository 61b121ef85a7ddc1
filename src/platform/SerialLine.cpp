#include "platform/SerialLine.h"

#include <algorithm>

namespace {

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

uint32_t DecimalValue(std::u16string_view text) {
    size_t i = text.find_first_not_of(u" \t");
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = std::min<uint64_t>(value * 10 + (text[i] - u'0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(value);
}

}  // namespace

CSerialLine ParseSerialLine(std::u16string_view baud, std::u16string_view dataBits,
                            std::u16string_view parity, std::u16string_view stopBits) {
    CSerialLine line;
    line.baudRate = DecimalValue(baud);
    char16_t bits = dataBits.empty() ? 0 : dataBits[0];
    if (bits >= u'4' && bits <= u'7') line.dataBits = static_cast<uint8_t>(bits - u'0');
    switch (parity.empty() ? 0 : Upper(parity[0])) {
        case u'E':
            line.parity = SerialParity::Even;
            break;
        case u'M':
            line.parity = SerialParity::Mark;
            break;
        case u'O':
            line.parity = SerialParity::Odd;
            break;
        case u'S':
            line.parity = SerialParity::Space;
            break;
        default:
            break;
    }
    if (stopBits == u"1.5") line.stopBits = SerialStopBits::OneAndAHalf;
    if (stopBits == u"2") line.stopBits = SerialStopBits::Two;
    return line;
}

std::u16string SerialDevicePath(std::u16string_view portName) {
    constexpr std::u16string_view kDevices = u"\\\\.\\";
    if (portName.substr(0, kDevices.size()) == kDevices) return std::u16string(portName);
    // Only COM1 to COM9 open without the device prefix; the colon is not part
    // of the device's name.
    if (!portName.empty() && portName.back() == u':') portName.remove_suffix(1);
    return std::u16string(kDevices) + std::u16string(portName);
}

std::string FrameSerialOutput(std::string_view bytes, CSerialFraming framing) {
    std::string framed;
    framed.reserve(bytes.size() + 2);
    if (framing.prefix) framed += static_cast<char>(framing.prefix);
    framed += bytes;
    if (framing.suffix) framed += static_cast<char>(framing.suffix);
    return framed;
}

void CSerialInputFramer::Feed(const unsigned char* bytes, size_t n, const Deliver& deliver) {
    const unsigned char* end = bytes + n;
    const unsigned char* p = bytes;
    if (!framing.suffix) {
        if (n == 0) return;  // an empty read brings no input
        if (framing.prefix) {
            p = std::find(p, end, framing.prefix);
            if (p == end) return;
            ++p;
        }
        deliver(p, static_cast<size_t>(end - p));
        return;
    }
    while (p != end) {
        if (!started && framing.prefix) {
            p = std::find(p, end, framing.prefix);
            if (p == end) return;
            ++p;
        }
        started = true;
        const unsigned char* suffix = std::find(p, end, framing.suffix);
        Hold(p, static_cast<size_t>(suffix - p));
        if (suffix == end) return;
        if (!overlong) deliver(reinterpret_cast<const unsigned char*>(held.data()), held.size());
        held.clear();
        overlong = false;
        started = false;
        p = suffix + 1;
    }
}

void CSerialInputFramer::Hold(const unsigned char* bytes, size_t n) {
    if (overlong) return;
    if (held.size() + n > kHeldLimit) {
        // Too long for an input: whatever it is, none of it is delivered.
        held.clear();
        overlong = true;
        return;
    }
    held.append(reinterpret_cast<const char*>(bytes), n);
}

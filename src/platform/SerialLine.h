#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The serial feature port apart from the device: its options, the line
// parameters read from the settings' texts, and the framing of what passes
// through it.

// The port's time-outs in milliseconds, member for member the Win32
// COMMTIMEOUTS structure, so the port can copy them over as they are.
struct CSerialTimeouts {
    uint32_t readIntervalTimeout;
    uint32_t readTotalTimeoutMultiplier;
    uint32_t readTotalTimeoutConstant;
    uint32_t writeTotalTimeoutMultiplier;
    uint32_t writeTotalTimeoutConstant;
};

// Values as the device control block counts them.
enum class SerialParity : uint8_t { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
enum class SerialStopBits : uint8_t { One = 0, OneAndAHalf = 1, Two = 2 };

struct CSerialLine {
    uint32_t baudRate = 9600;
    uint8_t dataBits = 8;
    SerialParity parity = SerialParity::None;
    SerialStopBits stopBits = SerialStopBits::One;
};

// The settings' texts may hold anything: the baud rate is the decimal value
// of the text (0 when it has none); data bits "4" to "7" by the first
// character, else 8; parity by its first letter in either case (E, M, O, S),
// else none; stop bits "1.5" and "2", else one.
CSerialLine ParseSerialLine(std::u16string_view baud, std::u16string_view dataBits,
                            std::u16string_view parity, std::u16string_view stopBits);

// "COM12:" as the device path that opens it, whatever its number.
std::u16string SerialDevicePath(std::u16string_view portName);

// Characters around each input or output; 0 is none.
struct CSerialFraming {
    uint8_t prefix = 0;
    uint8_t suffix = 0;
};

struct CSerialOptions {
    std::u16string portName;
    CSerialLine line;
    bool serialIn = false;
    bool serialOut = false;
    CSerialFraming in;
    CSerialFraming out;
    CSerialTimeouts timeouts = {};
};

// The bytes for the device with the output framing around them.
std::string FrameSerialOutput(std::string_view bytes, CSerialFraming framing);

// Cuts the device's inputs out of what the reads bring. A device such as a
// scanner sends each input framed by the prefix and suffix, but a read ends
// wherever the line paused, so one input can arrive in two reads. An input
// starts behind a prefix and ends before the first suffix after it: a prefix
// byte inside it is data, since a scanned text may hold that character too.
// With a suffix set, an input whose suffix has not come yet is held for the
// next read, up to kHeldLimit bytes, and every complete input of a read is
// delivered, an empty one too. Without a suffix there is no telling where an
// input ends, so each read is one input, from behind its first prefix when
// one is set.
class CSerialInputFramer {
public:
    using Deliver = std::function<void(const unsigned char* bytes, size_t n)>;
    static constexpr size_t kHeldLimit = 2048;

    explicit CSerialInputFramer(CSerialFraming framing) : framing(framing) {}
    void Feed(const unsigned char* bytes, size_t n, const Deliver& deliver);

private:
    void Hold(const unsigned char* bytes, size_t n);

    CSerialFraming framing;
    std::string held;
    bool started = false;   // an input has begun and its suffix is awaited
    bool overlong = false;  // the input passed kHeldLimit: dropped up to its end
};

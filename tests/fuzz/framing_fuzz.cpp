// Device bytes through the serial input framing, in the pieces the port's
// reads bring, against a plain reading of the framing: with a suffix, every
// input short enough arrives whole and in order; without one, each read is one.
#include <vector>

#include "FuzzChecks.h"
#include "platform/SerialLine.h"

namespace {

using Inputs = std::vector<std::string>;

// The inputs of a whole stream: after the last input, or from the stream's
// start, an input begins behind the next prefix (at once without one) and
// ends before the next suffix.
Inputs FramedInputs(const std::string& stream, CSerialFraming framing) {
    Inputs inputs;
    size_t at = 0;
    for (;;) {
        size_t start = at;
        if (framing.prefix) {
            start = stream.find(static_cast<char>(framing.prefix), at);
            if (start == std::string::npos) break;
            ++start;
        }
        size_t end = stream.find(static_cast<char>(framing.suffix), start);
        if (end == std::string::npos) break;
        if (end - start <= CSerialInputFramer::kHeldLimit) {
            inputs.push_back(stream.substr(start, end - start));
        }
        at = end + 1;
    }
    return inputs;
}

// One read without a suffix.
Inputs ReadInput(const std::string& read, uint8_t prefix) {
    size_t start = prefix ? read.find(static_cast<char>(prefix)) : 0;
    if (read.empty() || start == std::string::npos) return {};
    return {read.substr(prefix ? start + 1 : 0)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const CSerialFraming framing{in.Byte(), in.Byte()};  // braces read left to right
    uint16_t seed = static_cast<uint16_t>(in.Byte() << 8 | in.Byte());
    const std::string stream = in.Take(size);

    CSerialInputFramer framer(framing);
    Inputs inputs;
    FeedInPieces(stream, seed, [&](const unsigned char* piece, size_t n) {
        Inputs delivered;
        framer.Feed(piece, n, [&delivered](const unsigned char* bytes, size_t count) {
            delivered.emplace_back(reinterpret_cast<const char*>(bytes), count);
        });
        if (!framing.suffix) {
            Require(delivered == ReadInput(std::string(reinterpret_cast<const char*>(piece), n),
                                           framing.prefix));
        }
        inputs.insert(inputs.end(), delivered.begin(), delivered.end());
    });
    if (framing.suffix) Require(inputs == FramedInputs(stream, framing));
    return 0;
}

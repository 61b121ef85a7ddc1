#include "platform/SerialLine.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(SerialLine, ReadsTheSettingsTextsForgivingly) {
    // Baud rate, data bits, parity and stop bits as the device control block counts them.
    const std::vector<std::pair<std::vector<std::u16string>, std::string>> cases = {
        {{u"9600", u"8", u"None", u"1"}, "9600 8 0 0"},
        {{u"115200", u"7", u"even", u"1.5"}, "115200 7 2 1"},
        {{u"300", u"4", u"Mark", u"2"}, "300 4 3 2"},
        {{u" 1200x", u"5x", u"odd", u"1.50"}, "1200 5 1 0"},
        {{u"", u"", u"", u""}, "0 8 0 0"},
        {{u"fast", u"9", u"space", u"3"}, "0 8 4 0"},
        {{u"99999999999", u"3", u"Xtra", u"1"}, "4294967295 8 0 0"},
    };
    for (const auto& [texts, want] : cases) {
        CSerialLine l = ParseSerialLine(texts[0], texts[1], texts[2], texts[3]);
        EXPECT_EQ(std::to_string(l.baudRate) + " " + std::to_string(l.dataBits) + " " +
                      std::to_string(int(l.parity)) + " " + std::to_string(int(l.stopBits)),
                  want);
    }
}

TEST(SerialLine, DevicePathAndOutputFraming) {
    EXPECT_EQ(SerialDevicePath(u"COM1:"), u"\\\\.\\COM1");
    EXPECT_EQ(SerialDevicePath(u"COM12"), u"\\\\.\\COM12");
    EXPECT_EQ(SerialDevicePath(u"\\\\.\\COM3"), u"\\\\.\\COM3");
    EXPECT_EQ(FrameSerialOutput("X", {'<', '>'}), "<X>");
    EXPECT_EQ(FrameSerialOutput("AB", {0, '>'}), "AB>");
    EXPECT_EQ(FrameSerialOutput("AB", {'<', 0}), "<AB");
    EXPECT_EQ(FrameSerialOutput(std::string("A\0B", 3), {}), std::string("A\0B", 3));
}

TEST(SerialLine, InputFramingAcrossReads) {
    using Inputs = std::vector<std::string>;
    const CSerialFraming angles{'<', '>'};
    const std::string big(CSerialInputFramer::kHeldLimit, 'x');
    // The framing, the reads and the inputs they give.
    const std::tuple<CSerialFraming, Inputs, Inputs> cases[] = {
        {angles, {"<ABC>"}, {"ABC"}},
        {angles, {"ABC>"}, {}},                        // no prefix: dropped
        {angles, {"zz<ABC>yy"}, {"ABC"}},              // noise around
        {angles, {"<", "AB", "C>"}, {"ABC"}},          // split over reads
        {angles, {"<A><B", "C>"}, {"A", "BC"}},        // two, the second split
        {{'$', '\r'}, {"$PRICE $5\r"}, {"PRICE $5"}},  // a prefix inside is data
        {angles, {"<AB", "<CD>"}, {"AB<CD"}},          // ... also across reads
        {angles, {"<>", "><", ">"}, {"", ""}},         // empty inputs
        {{0, '>'}, {"AB>CD", "E>"}, {"AB", "CDE"}},    // suffix only
        {{'<', 0}, {"x<AB<C", "D"}, {"AB<C"}},         // prefix only: a read each
        {{'<', 0}, {"x<"}, {""}},
        {{}, {"AB", "", "C"}, {"AB", "C"}},
        {angles, {"<" + big, "tail>", "<OK>"}, {"OK"}},  // too long: dropped to its suffix
        {{0, '>'}, {big, ">"}, {big}},                   // at the limit
    };
    for (const auto& [framing, reads, want] : cases) {
        CSerialInputFramer framer(framing);
        Inputs inputs;
        for (const std::string& read : reads) {
            framer.Feed(reinterpret_cast<const unsigned char*>(read.data()), read.size(),
                        [&inputs](const unsigned char* bytes, size_t n) {
                            inputs.emplace_back(reinterpret_cast<const char*>(bytes), n);
                        });
        }
        EXPECT_EQ(inputs, want) << reads[0];
    }
}

}  // namespace

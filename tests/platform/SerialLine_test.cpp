#include "platform/SerialLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SerialLine, ReadsTheSettingsTextsForgivingly) {
    struct Case {
        std::u16string baud, dataBits, parity, stopBits;
        uint32_t wantBaud;
        int wantBits;
        SerialParity wantParity;
        SerialStopBits wantStop;
    };
    const Case cases[] = {
        {u"9600", u"8", u"None", u"1", 9600, 8, SerialParity::None, SerialStopBits::One},
        {u"115200", u"7", u"even", u"1.5", 115200, 7, SerialParity::Even,
         SerialStopBits::OneAndAHalf},
        {u"300", u"4", u"Mark", u"2", 300, 4, SerialParity::Mark, SerialStopBits::Two},
        {u" 1200x", u"5x", u"odd", u"1.50", 1200, 5, SerialParity::Odd, SerialStopBits::One},
        {u"", u"", u"", u"", 0, 8, SerialParity::None, SerialStopBits::One},
        {u"fast", u"9", u"space", u"3", 0, 8, SerialParity::Space, SerialStopBits::One},
        {u"99999999999", u"3", u"Xtra", u"1", UINT32_MAX, 8, SerialParity::None,
         SerialStopBits::One},
    };
    for (const Case& c : cases) {
        CSerialLine line = ParseSerialLine(c.baud, c.dataBits, c.parity, c.stopBits);
        std::string label(c.baud.begin(), c.baud.end());
        EXPECT_EQ(line.baudRate, c.wantBaud) << label;
        EXPECT_EQ(line.dataBits, c.wantBits) << label;
        EXPECT_EQ(line.parity, c.wantParity) << label;
        EXPECT_EQ(line.stopBits, c.wantStop) << label;
    }
}

TEST(SerialLine, DevicePathOpensEveryPortNumber) {
    EXPECT_EQ(SerialDevicePath(u"COM1:"), u"\\\\.\\COM1");
    EXPECT_EQ(SerialDevicePath(u"COM12"), u"\\\\.\\COM12");
    EXPECT_EQ(SerialDevicePath(u"\\\\.\\COM3"), u"\\\\.\\COM3");
}

TEST(SerialLine, OutputTakesTheFramingThatIsSet) {
    EXPECT_EQ(FrameSerialOutput("X", {2, 13}), "\x02X\r");
    EXPECT_EQ(FrameSerialOutput("AB", {0, 13}), "AB\r");
    EXPECT_EQ(FrameSerialOutput("AB", {2, 0}),
              "\x02"
              "AB");
    EXPECT_EQ(FrameSerialOutput(std::string("A\0B", 3), {}), std::string("A\0B", 3));
}

// The inputs the framer delivers for a run of reads.
std::vector<std::string> Frame(CSerialFraming framing, const std::vector<std::string>& reads) {
    CSerialInputFramer framer(framing);
    std::vector<std::string> inputs;
    for (const std::string& read : reads) {
        framer.Feed(reinterpret_cast<const unsigned char*>(read.data()), read.size(),
                    [&inputs](const unsigned char* bytes, size_t n) {
                        inputs.emplace_back(reinterpret_cast<const char*>(bytes), n);
                    });
    }
    return inputs;
}

TEST(SerialLine, InputFramingAcrossReads) {
    using Inputs = std::vector<std::string>;
    struct Case {
        const char* name;
        CSerialFraming framing;
        Inputs reads;
        Inputs want;
    };
    const std::string big(CSerialInputFramer::kHeldLimit, 'x');
    const Case cases[] = {
        {"framed",
         {2, 3},
         {"\x02"
          "ABC\x03"},
         {"ABC"}},
        {"no prefix: dropped", {2, 3}, {"ABC\x03"}, {}},
        {"noise around",
         {2, 3},
         {"zz\x02"
          "ABC\x03yy"},
         {"ABC"}},
        {"split in two reads",
         {2, 3},
         {"\x02"
          "AB",
          "C\x03"},
         {"ABC"}},
        {"split in three", {2, 3}, {"\x02", "ABC", "\x03"}, {"ABC"}},
        {"two in one read",
         {2, 3},
         {"\x02"
          "A\x03\x02"
          "B\x03"},
         {"A", "B"}},
        {"second one split",
         {2, 3},
         {"\x02"
          "A\x03\x02"
          "B",
          "C\x03"},
         {"A", "BC"}},
        {"a prefix inside is data", {'$', '\r'}, {"$PRICE $5\r"}, {"PRICE $5"}},
        {"a prefix inside a split input is data",
         {2, 3},
         {"\x02"
          "AB",
          "\x02"
          "CD\x03"},
         {"AB\x02"
          "CD"}},
        {"empty input", {2, 3}, {"\x02\x03", "\x03\x02", "\x03"}, {"", ""}},
        {"suffix only", {0, 13}, {"AB\rCD", "E\r"}, {"AB", "CDE"}},
        {"prefix only: one input a read",
         {2, 0},
         {"x\x02"
          "AB\x02"
          "C",
          "D"},
         {"AB\x02"
          "C"}},
        {"prefix only, nothing behind it", {2, 0}, {"x\x02"}, {""}},
        {"none: each read", {}, {"AB", "C"}, {"AB", "C"}},
        {"too long: dropped to its suffix",
         {2, 3},
         {"\x02" + big, "tail\x03",
          "\x02"
          "OK\x03"},
         {"OK"}},
        {"at the limit", {0, 3}, {big, "\x03"}, {big}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Frame(c.framing, c.reads), c.want) << c.name;
    }
}

}  // namespace

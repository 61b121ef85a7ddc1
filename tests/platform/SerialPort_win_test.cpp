#include "platform/SerialPort_win.h"

#include <gtest/gtest.h>

namespace {

CSerialOptions Options(bool in, bool out, const char16_t* port) {
    CSerialOptions options;
    options.portName = port;
    options.serialIn = in;
    options.serialOut = out;
    options.timeouts.readIntervalTimeout = 500;
    return options;
}

TEST(SerialPort, OpensNothingWithoutADirectionOrADevice) {
    const unsigned char byte = 'X';
    CSerialPort off;
    EXPECT_FALSE(off.Open(Options(false, false, u"COM1:")));
    EXPECT_FALSE(off.IsOpen());

    // A port that is not there: asked for, but closed; writes are ignored.
    CSerialPort missing;
    int faults = 0;
    missing.SetFaultHandler([&faults] { ++faults; });
    EXPECT_TRUE(missing.Open(Options(true, true, u"COM199:")));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.Write(&byte, 1));
    EXPECT_FALSE(missing.Close());
    EXPECT_EQ(faults, 0);
}

}  // namespace

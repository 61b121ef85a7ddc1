#include "link/WireTrace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

namespace {

// Two runs appended to one file give the lines of data/wire-trace.txt, which
// the trace reader of the host tools reads back too.
TEST(WireTraceTest, WritesTheLinesTheReaderReads) {
    const std::string path = testing::TempDir() + "wire-trace.txt";
    std::remove(path.c_str());
    const std::u16string widePath(path.begin(), path.end());
    CWireTrace off;  // not opened: writes nothing, anywhere
    EXPECT_FALSE(off.Open(widePath + u".missing/trace.txt"));
    off.Out(12, "I");
    {
        CWireTrace trace;
        ASSERT_TRUE(trace.Open(widePath));
        trace.Connecting("10.0.0.5", 4000);
        trace.Connected();
        trace.Out(12, "I");
        const unsigned char record[] = {'A', '\\', ' ', 'b', 0x7F, 0x00, 0xFF, 0xEF};
        trace.In(record, sizeof record);
        trace.Out(0, "");
        trace.SendFailed();
        trace.Disconnected("closed by host");
        trace.ConnectFailed(10061);
    }
    {
        CWireTrace again;
        ASSERT_TRUE(again.Open(widePath));
        again.Connecting("h\xE9te", 1);
    }

    // Times and dates differ from run to run: only their order and form count.
    std::ifstream written(path, std::ios::binary);
    std::ifstream expected(RAVELIN_TEST_DATA "/link/data/wire-trace.txt", std::ios::binary);
    const std::regex date("open \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ");
    long last = 0;
    std::string line, want;
    while (std::getline(expected, want)) {
        ASSERT_TRUE(std::getline(written, line)) << "missing: " << want;
        long ms = std::stol(line);
        line.erase(0, line.find(' ') + 1);
        if (std::regex_match(line, date)) {
            EXPECT_EQ(ms, 0);
        } else {
            EXPECT_GE(ms, last) << line;
            EXPECT_EQ(line, want.substr(want.find(' ') + 1));
        }
        last = ms;
    }
    EXPECT_FALSE(std::getline(written, line)) << "more: " << line;
    written.close();
    std::remove(path.c_str());
}

}  // namespace

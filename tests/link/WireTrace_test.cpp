#include "link/WireTrace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Two runs appended to one file give the lines of data/wire-trace.txt, which
// the trace reader of the host tools reads back too.
TEST(WireTraceTest, WritesTheLinesTheReaderReads) {
    const std::string path = testing::TempDir() + "wire-trace.txt";
    std::remove(path.c_str());
    const std::u16string widePath(path.begin(), path.end());
    {
        CWireTrace off;  // not opened: writes nothing, anywhere
        off.Out(12, "I");
        EXPECT_FALSE(off.Open(widePath + u".missing/trace.txt"));
        off.Out(12, "I");
    }
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
    std::vector<std::string> written = Lines(path);
    std::vector<std::string> expected = Lines(RAVELIN_TEST_DATA "/link/data/wire-trace.txt");
    ASSERT_EQ(written.size(), expected.size());
    const std::regex date("open \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ");
    long last = 0;
    for (size_t i = 0; i < written.size(); ++i) {
        const std::string line = written[i].substr(written[i].find(' ') + 1);
        long ms = std::stol(written[i]);
        if (std::regex_match(line, date)) {
            EXPECT_EQ(ms, 0);
        } else {
            EXPECT_GE(ms, last) << line;
            EXPECT_EQ(line, expected[i].substr(expected[i].find(' ') + 1));
        }
        last = ms;
    }
    std::remove(path.c_str());
}

}  // namespace

#include "link/RecordCutter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Records = std::vector<std::string>;

Records Cut(CRecordCutter& cutter, const std::vector<std::string>& reads) {
    Records records;
    for (const std::string& read : reads) {
        cutter.Feed(reinterpret_cast<const unsigned char*>(read.data()), read.size(),
                    [&](const unsigned char* record, size_t size) {
                        records.emplace_back(reinterpret_cast<const char*>(record), size);
                    });
    }
    return records;
}

// Each stream is split into two reads at every position, and fed a byte a
// read: the records must come out the same.
TEST(RecordCutterTest, RecordsWhereverReadsEnd) {
    const std::pair<std::string, Records> cases[] = {
        {"\xFF\xEFHs0\xFF\xEF"
         "A1\xFF\xEFHf1",
         {"\xFF\xEF", "Hs0\xFF\xEF", "A1\xFF\xEF"}},
        // A doubled 0xFF before 0xEF is data.
        {"Hu1\xFF\xFF\xEFx\xFF\xEF", {"Hu1\xFF\xEFx\xFF\xEF"}},
        {"H\xFF\xFF\xFF\xFF\xFF\xEF", {"H\xFF\xFF\xFF\xEF"}},
        // An undoubled 0xFF before another byte stays as sent.
        {"H\xFF!\xFF\xEF", {"H\xFF!\xFF\xEF"}},
    };
    for (const auto& [stream, cut] : cases) {
        for (size_t split = 0; split <= stream.size(); ++split) {
            CRecordCutter cutter;
            EXPECT_EQ(Cut(cutter, {stream.substr(0, split), stream.substr(split)}), cut) << split;
        }
        CRecordCutter cutter;
        std::vector<std::string> bytes;
        for (char byte : stream) bytes.emplace_back(1, byte);
        EXPECT_EQ(Cut(cutter, bytes), cut);
    }
}

}  // namespace

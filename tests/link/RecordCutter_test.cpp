#include "link/RecordCutter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Cut(CRecordCutter& cutter, const std::vector<std::string>& blocks) {
    std::vector<std::string> records;
    for (const std::string& block : blocks) {
        cutter.Feed(reinterpret_cast<const unsigned char*>(block.data()), block.size(),
                    [&](const unsigned char* record, size_t size) {
                        records.emplace_back(reinterpret_cast<const char*>(record), size);
                    });
    }
    return records;
}

struct CutCase {
    const char* name;
    std::string stream;  // as the host sends it
    std::vector<std::string> records;
};

// Every stream is fed whole and split into two reads at every position: the
// records must come out the same.
TEST(RecordCutterTest, RecordsWhereverReadsEnd) {
    const std::vector<CutCase> cases = {
        {"two records and the start of a third",
         "Hs0\xFF\xEF"
         "A1\xFF\xEF"
         "Hf1",
         {"Hs0\xFF\xEF", "A1\xFF\xEF"}},
        {"terminator alone", "\xFF\xEF", {"\xFF\xEF"}},
        {"doubled data byte before 0xEF stays data",
         "Hu1\xFF\xFF\xEFx\xFF\xEF",
         {"Hu1\xFF\xEFx\xFF\xEF"}},
        {"four 0xFF are two", "H\xFF\xFF\xFF\xFF\xFF\xEF", {"H\xFF\xFF\xFF\xEF"}},
        {"0xFF before another byte stays as sent",
         "H\xFF"
         "a\xFF\xEF",
         {"H\xFF"
          "a\xFF\xEF"}},
        {"three 0xFF then the end", "H\xFF\xFF\xFF\xEF", {"H\xFF\xFF\xEF"}},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        {
            CRecordCutter cutter;
            EXPECT_EQ(Cut(cutter, {c.stream}), c.records);
        }
        for (size_t split = 0; split <= c.stream.size(); ++split) {
            SCOPED_TRACE(split);
            CRecordCutter cutter;
            EXPECT_EQ(Cut(cutter, {c.stream.substr(0, split), c.stream.substr(split)}), c.records);
        }
        // A byte a read.
        CRecordCutter cutter;
        std::vector<std::string> bytes;
        for (char byte : c.stream) bytes.emplace_back(1, byte);
        EXPECT_EQ(Cut(cutter, bytes), c.records);
    }
}

TEST(RecordCutterTest, ResetAndLimit) {
    CRecordCutter cutter;
    EXPECT_TRUE(Cut(cutter, {"Hpartial\xFF"}).empty());
    cutter.Reset();
    EXPECT_EQ(Cut(cutter, {"\xEFH\xFF\xEF"}), std::vector<std::string>{"\xEFH\xFF\xEF"});

    // A host that never ends its record is cut off at the limit.
    std::string block(1 << 20, 'x');
    auto ignore = [](const unsigned char*, size_t) {};
    auto bytes = reinterpret_cast<const unsigned char*>(block.data());
    bool accepted = true;
    size_t fed = 0;
    while (accepted && fed <= CRecordCutter::kMaxRecord) {
        accepted = cutter.Feed(bytes, block.size(), ignore);
        fed += block.size();
    }
    EXPECT_FALSE(accepted);
    EXPECT_GT(fed, CRecordCutter::kMaxRecord);
    // And starts afresh.
    EXPECT_EQ(Cut(cutter, {"H\xFF\xEF"}), std::vector<std::string>{"H\xFF\xEF"});
}

}  // namespace

// Host bytes through the record cutter, in pieces as the link's reads bring
// them: the records must not depend on where the reads ended.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzBytes.h"
#include "FuzzChecks.h"
#include "link/RecordCutter.h"

namespace {

using Records = std::vector<std::string>;

CRecordCutter::RecordHandler Collect(Records& records) {
    return [&records](const unsigned char* record, size_t size) {
        Require(size >= 2 && record[size - 2] == 0xFF && record[size - 1] == 0xEF);
        records.emplace_back(reinterpret_cast<const char*>(record), size);
    };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    uint16_t seed = static_cast<uint16_t>(in.Byte() << 8 | in.Byte());
    const std::string stream = in.Take(size);

    Records whole;
    CRecordCutter oneRead;
    Require(oneRead.Feed(reinterpret_cast<const unsigned char*>(stream.data()), stream.size(),
                         Collect(whole)));

    Records pieces;
    CRecordCutter manyReads;
    FeedInPieces(stream, seed, [&](const unsigned char* piece, size_t n) {
        Require(manyReads.Feed(piece, n, Collect(pieces)));
    });
    Require(pieces == whole);
    return 0;
}

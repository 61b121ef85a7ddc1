#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// Cuts the host stream, as it comes off the link, into records. The host
// doubles every data byte 0xFF; only an undoubled 0xFF 0xEF ends a record, so
// the pair is recognised before the doubling is undone, and a 0xFF that ends
// one read is carried over to the next. Each record is handed on with the
// doubling undone and with its terminator.
class CRecordCutter {
public:
    // Far above any screen; a host that sends more without a terminator is
    // broken, and the link is ended.
    static constexpr size_t kMaxRecord = 16 * 1024 * 1024;

    using RecordHandler = std::function<void(const unsigned char* record, size_t size)>;

    CRecordCutter() = default;
    CRecordCutter(const CRecordCutter&) = delete;
    CRecordCutter& operator=(const CRecordCutter&) = delete;

    // False when a record outgrew kMaxRecord; the partial record is dropped.
    bool Feed(const unsigned char* bytes, size_t n, const RecordHandler& onRecord);
    // Drops a partial record, for a new connection.
    void Reset();
    // While the handler runs: whether the read that ended the record brought
    // bytes of the stream behind it.
    bool MoreFollows() const { return moreFollows; }

private:
    static constexpr size_t kKeptCapacity = 64 * 1024;

    // Appends, growing the buffer in whole KiB.
    void Append(const unsigned char* bytes, size_t n);
    // Ends the record with its terminator and passes it to the handler;
    // more: whether the read goes on behind it.
    void HandOn(const RecordHandler& onRecord, bool more);

    std::vector<unsigned char> record;
    bool pendingFF = false;
    bool moreFollows = false;
};

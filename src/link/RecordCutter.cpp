#include "link/RecordCutter.h"

#include <algorithm>
#include <cstring>

void CRecordCutter::Reset() {
    record.clear();
    record.shrink_to_fit();
    pendingFF = false;
}

void CRecordCutter::Append(const unsigned char* bytes, size_t n) {
    if (record.capacity() - record.size() < n) {
        // Whole KiB, and at least double: growing by only what is appended
        // would copy a long record over and over.
        size_t wanted = std::max(record.size() + n, 2 * record.capacity());
        record.reserve(wanted / 1024 * 1024 + 1024);
    }
    record.insert(record.end(), bytes, bytes + n);
}

void CRecordCutter::HandOn(const RecordHandler& onRecord, bool more) {
    static constexpr unsigned char kEnd[] = {0xFF, 0xEF};
    Append(kEnd, 2);
    moreFollows = more;
    onRecord(record.data(), record.size());
    record.clear();
    // One huge record must not keep its memory for the small ones after it.
    if (record.capacity() > kKeptCapacity) record.shrink_to_fit();
}

bool CRecordCutter::Feed(const unsigned char* bytes, size_t n, const RecordHandler& onRecord) {
    static constexpr unsigned char kFF = 0xFF;
    const unsigned char* p = bytes;
    const unsigned char* end = bytes + n;
    if (pendingFF && p < end) {
        pendingFF = false;
        if (*p == 0xEF) {
            HandOn(onRecord, p + 1 < end);
        } else {
            Append(&kFF, 1);
            // The carried 0xFF was half of a doubled data byte.
            if (*p != 0xFF) Append(p, 1);
        }
        ++p;
    }
    while (p < end) {
        // Plain bytes up to the next 0xFF go in one copy.
        const void* found = std::memchr(p, 0xFF, static_cast<size_t>(end - p));
        const unsigned char* ff = found ? static_cast<const unsigned char*>(found) : end;
        Append(p, static_cast<size_t>(ff - p));
        if (record.size() > kMaxRecord) {
            Reset();
            return false;
        }
        if (ff == end) break;
        if (ff + 1 == end) {
            pendingFF = true;
            break;
        }
        if (ff[1] == 0xEF) {
            HandOn(onRecord, ff + 2 < end);
        } else {
            // 0xFF 0xFF is one data byte; 0xFF before anything else stays as sent.
            Append(ff, ff[1] == 0xFF ? 1 : 2);
        }
        p = ff + 2;
    }
    return true;
}

#pragma once

#include <cstddef>

// The read position of one host record. The position stands on the last byte
// consumed; operands are read where it stands after a step. It never moves
// past the record's end, and a read at the end marks the record cut short
// instead of touching memory beyond it.
class CRecordReader {
public:
    CRecordReader(const unsigned char* begin, const unsigned char* end) : p(begin), e(end) {}

    const unsigned char* Position() const { return p; }
    bool AtEnd() const { return p >= e; }
    // True once an operand was missing because the record ended.
    bool Cut() const { return cut; }

    // Moves forward by n bytes but never beyond the end; n <= 0 stays.
    void Step(long n) {
        if (n > 0) p = n >= e - p ? e : p + n;
    }

    // The byte where the position stands (0 and cut at the end).
    unsigned char ReadByte() {
        if (p < e) return *p;
        cut = true;
        return 0;
    }
    // byte - 48: "0" is 0, 0xFF is 207, "/" is -1.
    int ReadShortNumber() { return p < e ? static_cast<int>(*p) - 48 : (cut = true, 0); }
    // "!" h l gives (h - 48) * 208 + (l - 48), leaving the position on l;
    // any other byte is a short number.
    int ReadLongNumber();

    // Step onto the next operand, then read it.
    unsigned char NextByte() {
        Step(1);
        return ReadByte();
    }
    int NextShortNumber() {
        Step(1);
        return ReadShortNumber();
    }
    int NextLongNumber();
    // Four hexadecimal digits; a digit outside 0-9, A-F, a-f counts as 0.
    int NextHexNumber();
    // The byte after the position without consuming it; false at the end.
    bool PeekNext(unsigned char& byte) const;

    // Text of count bytes following the position. When stepsFirst, the first
    // text byte is consumed even for a count of 0 or less. Returns the byte
    // count (0 when the record is cut short) and leaves the position on the
    // last text byte.
    size_t NextText(int count, bool stepsFirst, const unsigned char*& text);

private:
    const unsigned char* p;
    const unsigned char* e;
    bool cut = false;
};

#include "protocol/RecordReader.h"

int CRecordReader::ReadLongNumber() {
    if (ReadByte() != '!') return ReadShortNumber();
    Step(1);
    int high = ReadShortNumber();
    Step(1);
    int low = ReadShortNumber();
    return high * 208 + low;
}

int CRecordReader::NextLongNumber() {
    Step(1);
    return ReadLongNumber();
}

static int HexDigit(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

int CRecordReader::NextHexNumber() {
    int value = 0;
    for (int i = 0; i < 4; ++i) value = value * 16 + HexDigit(NextByte());
    return value;
}

bool CRecordReader::PeekNext(unsigned char& byte) const {
    if (e - p < 2) return false;
    byte = p[1];
    return true;
}

size_t CRecordReader::NextText(int count, bool stepsFirst, const unsigned char*& text) {
    text = nullptr;
    if (stepsFirst) {
        Step(1);
        if (p >= e) {
            cut = true;
            return 0;
        }
        if (count <= 0) return 0;
    } else {
        if (count <= 0) return 0;
        Step(1);
        if (p >= e) {
            cut = true;
            return 0;
        }
    }
    // p stands on the first text byte; the text ends on p + count - 1.
    if (count > e - p) {
        p = e;
        cut = true;
        return 0;
    }
    text = p;
    p += count - 1;
    return static_cast<size_t>(count);
}

#include "support/ScreenRecord.h"

namespace {

char Short(int value) {
    return static_cast<char>(value + 48);
}

std::string LongNumber(int value) {
    return std::string("!") + Short(value / 208) + Short(value % 208);
}

}  // namespace

// One screen: per row a label, an entry field and, on every other row, a
// short fixed value at the right edge.
std::string ScreenRecord() {
    std::string r = "s0E";
    int number = 1;
    for (int row = 0; row < 24; ++row) {
        std::string label = "Label of row " + std::to_string(row);
        label.resize(20, ' ');
        r += 'f';
        r += Short(number++);
        r += Short(row);
        r += Short(0);
        r += LongNumber(20) + label;
        int entry = number++;
        r += 'i';
        r += Short(entry);
        r += Short(row);
        r += Short(22);
        r += "C@" + LongNumber(30);
        r += 'w';
        r += Short(entry);
        r += LongNumber(0) + "@B0028@M@S2";
        r += 'y';
        r += Short(entry);
        r += Short(4);
        r += Short(3) + std::string("PRE");
        r += 'u';
        r += Short(entry);
        r += LongNumber(12) + "Value " + std::to_string(100000 + row);
        if (row % 2 == 0) {
            r += 'f';
            r += Short(number++);
            r += Short(row);
            r += Short(60);
            r += LongNumber(19) + "Status: ready      ";
        }
    }
    r += "d0o";
    r += Short(2);
    return r;
}

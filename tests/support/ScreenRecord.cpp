#include "support/ScreenRecord.h"

namespace {

std::string Short(int value) {
    return std::string(1, static_cast<char>(value + 48));
}

std::string Long(int value) {
    return "!" + Short(value / 208) + Short(value % 208);
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
        r += "f" + Short(number++) + Short(row) + Short(0) + Long(20) + label;
        std::string entry = Short(number++);
        r += "i" + entry + Short(row) + Short(22) + "C@" + Long(30);
        r += "w" + entry + Long(0) + "@B0028@M@S2";
        r += "y" + entry + Short(4) + Short(3) + "PRE";
        r += "u" + entry + Long(12) + "Value " + std::to_string(100000 + row);
        if (row % 2 == 0) {
            r += "f" + Short(number++) + Short(row) + Short(60) + Long(19) + "Status: ready      ";
        }
    }
    return r + "d0o" + Short(2);
}

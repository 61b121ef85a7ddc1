#include "support/ScreenRecord.h"

namespace {

std::string Short(int value) {
    return {static_cast<char>(value + 48)};
}

std::string Long(int value) {
    return "!" + Short(value / 208) + Short(value % 208);
}

}  // namespace

std::string ScreenRecord() {
    std::string r = "s0E";
    int number = 1;
    for (int row = 0; row < 24; ++row) {
        std::string label = "Label of row " + std::to_string(row);
        label.resize(20, ' ');
        r += "f" + Short(number++) + Short(row) + Short(0) + Long(20) + label;
        const std::string entry = Short(number++);
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

std::string ControlsRecord() {
    std::string r = "s0E";
    const char kinds[] = "BCRS";
    const char styles[] = "@P`p";  // normal, blinking, bold, reverse
    int number = 1;
    for (int row = 0; row < 6; ++row) {
        for (int k = 0; k < 4; ++k) {
            const std::string n = Short(number++);
            std::string text = k == 0 ? "Button " : row % 4 ? " Choice " : "XChoice ";
            text += std::to_string(number);
            const std::string length = Long(static_cast<int>(text.size()));
            if (row % 2 == 0) {
                r += "i" + n + Short(row) + Short(k * 20) + "C" + styles[row % 4] + Long(16);
                r += "u" + n + length + text;
            } else {
                r += "f" + n + Short(row) + Short(k * 20) + length + text;
            }
            r += "w" + n + Long(0) + "@A" + kinds[k] + (row % 3 ? "" : "@H1");
        }
    }
    return r + "d0o" + Short(1);
}

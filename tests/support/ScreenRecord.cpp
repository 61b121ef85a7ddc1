#include "support/ScreenRecord.h"

#include <initializer_list>

namespace {

char Number(int value) {
    return static_cast<char>(value + 48);
}

std::string Short(int value) {
    return {Number(value)};
}

std::string Long(int value) {
    return {'!', Number(value / 208), Number(value % 208)};
}

void Add(std::string& record, std::initializer_list<std::string> parts) {
    for (const std::string& part : parts) record += part;
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
        Add(r, {"f", Short(number++), Short(row), Short(0), Long(20), label});
        std::string entry = Short(number++);
        Add(r, {"i", entry, Short(row), Short(22), "C@", Long(30)});
        Add(r, {"w", entry, Long(0), "@B0028@M@S2"});
        Add(r, {"y", entry, Short(4), Short(3), "PRE"});
        Add(r, {"u", entry, Long(12), "Value " + std::to_string(100000 + row)});
        if (row % 2 == 0) {
            Add(r, {"f", Short(number++), Short(row), Short(60), Long(19), "Status: ready      "});
        }
    }
    Add(r, {"d0o", Short(2)});
    return r;
}

std::string ControlsRecord() {
    std::string r = "s0E";
    const char kinds[] = "BCRS";
    const char styles[] = "@P`p";  // normal, blinking, bold, reverse
    int number = 1;
    for (int row = 0; row < 6; ++row) {
        for (int k = 0; k < 4; ++k) {
            std::string n = Short(number++);
            std::string text = k == 0 ? "Button " : row % 4 ? " Choice " : "XChoice ";
            text += std::to_string(number);
            if (row % 2 == 0) {
                Add(r, {"i", n, Short(row), Short(k * 20), "C", {styles[row % 4]}, Long(16)});
                Add(r, {"u", n, Long(static_cast<int>(text.size())), text});
            } else {
                Add(r,
                    {"f", n, Short(row), Short(k * 20), Long(static_cast<int>(text.size())), text});
            }
            Add(r, {"w", n, Long(0), "@A", {kinds[k]}, row % 3 ? "" : "@H1"});
        }
    }
    Add(r, {"d0o", Short(1)});
    return r;
}

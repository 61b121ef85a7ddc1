#include "link/SerialInput.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

// Logs a cleared field as " N:" and then what is typed into it; a carriage
// return typed locks input, as the entry field's Enter does. What command
// mode sends is the shared exchanges' (tests/app/exchanges.py).
class CRecordingSide : public CSerialInputSide {
public:
    void SendToHost(const unsigned char*, size_t) override {}
    CPage* CurrentPage() override { return page; }
    bool InputOpen() override { return open; }
    void ClearField(CField& field) override {
        field.modified = 1;
        log += " " + std::to_string(field.fieldNumber) + ":";
    }
    void TypeIntoField(CField&, char16_t c) override {
        open = c != u'\r';
        log += static_cast<char>(c);
    }

    CPage* page = nullptr;
    bool open = true;
    std::string log;
};

TEST(SerialInputTest, FieldModeFillsThePortsEntryFieldsInTurn) {
    // The fields by number, length, bound to the port and with a window; the
    // inputs; what was cleared and typed.
    using Fields = std::vector<std::tuple<int, int, bool, bool>>;
    const std::tuple<Fields, std::vector<std::string>, std::string> cases[] = {
        // Once every target is filled, the last takes the next input from its start.
        {{{8, 8, true, true}, {9, 5, false, true}, {10, 10, true, true}},
         {"ABCDEFGHIJKL", "0123456789XYZ"},
         " 8:ABCDEFGH 10:IJKL 10:0123456789"},
        // Enter sends the field; input stays locked until the host answers.
        {{{2, 4, true, true}, {3, 4, true, true}}, {"AB\rCD", "XY"}, " 2:AB\r"},
        {{{4, 6, true, false}, {5, 6, true, true}}, {"ABC"}, ""},  // the first has no window
        {{{4, 6, true, true}}, {"\xE9t\xE9"}, " 4:\xE9t\xE9"},     // ANSI text
    };
    for (const auto& [fields, inputs, log] : cases) {
        CRecordingPort port;
        CSettings settings{u"Ravelin.ini"};
        CPage page{0, port, settings};
        for (const auto& [number, length, bound, window] : fields) {
            CField* field = page.fields.CreateField(number, number, 0, length);
            field->typeByte = 'C';
            field->skipFocus = bound;
            if (window) field->fieldWindow = port.MakeFieldWindow(*field);
        }
        CRecordingSide side;
        side.page = &page;
        for (const std::string& input : inputs) {
            auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
            DeliverSerialInput(bytes, input.size(), false, side);
        }
        EXPECT_EQ(side.log, log) << inputs[0];
    }
}

}  // namespace

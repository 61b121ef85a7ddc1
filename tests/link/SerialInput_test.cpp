#include "link/SerialInput.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "config/Settings.h"
#include "link/SerialOptions.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

// Logs a cleared field as " N:" and then what is typed into it; a carriage
// return typed locks input, as the entry field's Enter does.
class CRecordingSide : public CSerialInputSide {
public:
    void SendToHost(const unsigned char* bytes, size_t n) override {
        log += "host:" + std::string(reinterpret_cast<const char*>(bytes), n);
    }
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

void Deliver(CRecordingSide& side, const std::string& input, bool commandMode = false) {
    DeliverSerialInput(reinterpret_cast<const unsigned char*>(input.data()), input.size(),
                       commandMode, side);
}

TEST(SerialInputTest, FieldModeFillsThePortsEntryFieldsInTurn) {
    struct Target {
        int number, length;
        bool bound, window;
    };
    const std::tuple<const char*, std::vector<Target>, std::vector<std::string>, std::string>
        cases[] = {
            // Once every target is filled, the last takes the next input from its start.
            {"in turn",
             {{8, 8, true, true}, {9, 5, false, true}, {10, 10, true, true}},
             {"ABCDEFGHIJKL", "0123456789XYZ"},
             " 8:ABCDEFGH 10:IJKL 10:0123456789"},
            // Enter sends the field; input stays locked until the host answers.
            {"until input closes",
             {{2, 4, true, true}, {3, 4, true, true}},
             {"AB\rCD", "XY"},
             " 2:AB\r"},
            {"first target without a window",
             {{4, 6, true, false}, {5, 6, true, true}},
             {"ABC"},
             ""},
            {"ANSI text", {{4, 6, true, true}}, {"\xE9t\xE9"}, " 4:\xE9t\xE9"},
        };
    for (const auto& [name, targets, inputs, log] : cases) {
        CRecordingPort port;
        CSettings settings{u"Ravelin.ini"};
        CPage page{0, port, settings};
        for (const Target& t : targets) {
            CField* field = page.fields.CreateField(t.number, t.number, 0, t.length);
            field->typeByte = 'C';
            field->skipFocus = t.bound;
            if (t.window) field->fieldWindow = port.MakeFieldWindow(*field);
        }
        CRecordingSide side;
        side.page = &page;
        for (const std::string& input : inputs) Deliver(side, input);
        EXPECT_EQ(side.log, log) << name;
    }
}

TEST(SerialInputTest, CommandModeSendsTheBytesAsTheyCame) {
    CRecordingSide side;
    Deliver(side, "ABC");  // field mode without a page: nothing
    Deliver(side, std::string("A\0B", 3), true);
    EXPECT_EQ(side.log, std::string("host:A\0B", 8));
}

TEST(SerialOptions, TakesEverySerialSetting) {
    CSettings settings{u"Ravelin.ini"};
    settings.SetSerialPort(u"COM3:");
    settings.SetSerialBaudRate(u"19200");
    settings.SetSerialInEnabled(true);
    settings.SetSerialInPrefix(2);
    settings.SetSerialInSuffix(3);
    settings.SetSerialOutPrefix(4);
    settings.SetSerialOutSuffix(13);
    settings.SetSerialTimeouts({700, 1, 2, 3, 4});
    CSerialOptions o = SerialOptionsFrom(settings);
    EXPECT_EQ(o.portName, u"COM3:");
    EXPECT_EQ(
        std::vector<unsigned>({o.line.baudRate, o.serialIn, o.serialOut, o.in.prefix, o.in.suffix,
                               o.out.prefix, o.out.suffix, o.timeouts.readIntervalTimeout,
                               o.timeouts.writeTotalTimeoutConstant}),
        std::vector<unsigned>({19200, 1, 0, 2, 3, 4, 13, 700, 4}));
}

}  // namespace

#include "link/SerialInput.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "config/Settings.h"
#include "link/SerialOptions.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

constexpr uint8_t kEntry = 0x43;

// Records what the handler asks for as "clear N" and "N:text" lines; a
// carriage return typed locks input, as the entry field's Enter does.
class CRecordingSide : public CSerialInputSide {
public:
    explicit CRecordingSide(CPage* page) : page(page) {}
    void SendToHost(const unsigned char* bytes, size_t n) override {
        log += "host:" + std::string(reinterpret_cast<const char*>(bytes), n) + "\n";
    }
    CPage* CurrentPage() override { return page; }
    bool InputOpen() override { return open; }
    void ClearField(CField& field) override {
        field.modified = 1;
        log += "clear " + std::to_string(field.fieldNumber) + "\n";
    }
    void TypeIntoField(CField& field, char16_t c) override {
        if (c == u'\r') open = false;
        typed[field.fieldNumber] += static_cast<char>(c);
    }
    std::string Typed() const {
        std::string all;
        for (const auto& [number, text] : typed) all += std::to_string(number) + ":" + text + " ";
        return all;
    }

    CPage* page;
    bool open = true;
    std::string log;
    std::map<int, std::string> typed;
};

class SerialInputTest : public testing::Test {
protected:
    // An entry field bound to the port, with a window.
    CField* Target(int number, int length) {
        CField* field = page.fields.CreateField(number, number, 0, length);
        field->typeByte = kEntry;
        field->skipFocus = 1;
        field->fieldWindow = port.MakeFieldWindow(*field);
        return field;
    }
    void Deliver(const std::string& input, bool commandMode = false) {
        DeliverSerialInput(reinterpret_cast<const unsigned char*>(input.data()), input.size(),
                           commandMode, side);
    }

    CRecordingPort port;
    CSettings settings{u"Ravelin.ini"};
    CPage page{0, port, settings};
    CRecordingSide side{&page};
};

TEST_F(SerialInputTest, FieldModeFillsTheTargetsInTurn) {
    Target(8, 8);
    page.fields.CreateField(9, 9, 0, 5)->typeByte = kEntry;  // not bound to the port
    Target(10, 10);
    Deliver("ABCDEFGHIJKL");
    EXPECT_EQ(side.Typed(), "8:ABCDEFGH 10:IJKL ");
    EXPECT_EQ(side.log, "clear 8\nclear 10\n");

    // Every target filled: the last one takes the next input, from its start.
    side.typed.clear();
    Deliver("0123456789XYZ");
    EXPECT_EQ(side.Typed(), "10:0123456789 ");
}

TEST_F(SerialInputTest, FieldModeStopsWhereInputCloses) {
    Target(2, 4);
    Target(3, 4);
    Deliver("AB\rCDEF");  // Enter in the first field sends it to the host
    EXPECT_EQ(side.Typed(), "2:AB\r ");

    side.typed.clear();
    Deliver("XY");  // input stays locked until the host answers
    EXPECT_EQ(side.Typed(), "");
}

TEST_F(SerialInputTest, FieldModeNeedsAPageAndAWindow) {
    CField* field = Target(4, 6);
    Target(5, 6);
    void* window = std::exchange(field->fieldWindow, nullptr);
    Deliver("ABC");  // the first target has no window: nothing is typed
    side.page = nullptr;
    field->fieldWindow = window;
    Deliver("ABC");
    EXPECT_EQ(side.log + side.Typed(), "");
    // Decoded as ANSI text.
    side.page = &page;
    Deliver("\xE9t\xE9");
    EXPECT_EQ(side.Typed(), "4:\xE9t\xE9 ");
}

TEST_F(SerialInputTest, CommandModeSendsTheBytesAsTheyCame) {
    Target(2, 8);
    Deliver(std::string("A\0B", 3), true);
    EXPECT_EQ(side.log, std::string("host:A\0B\n", 9));
    EXPECT_EQ(side.Typed(), "");
}

TEST(SerialOptions, TakesEverySerialSetting) {
    CSettings settings{u"Ravelin.ini"};
    settings.SetSerialPort(u"COM3:");
    settings.SetSerialBaudRate(u"19200");
    settings.SetSerialParity(u"e");
    settings.SetSerialInEnabled(true);
    settings.SetSerialInPrefix(2);
    settings.SetSerialOutSuffix(13);
    settings.SetSerialTimeouts({700, 1, 2, 3, 4});
    CSerialOptions options = SerialOptionsFrom(settings);
    EXPECT_EQ(options.portName, u"COM3:");
    EXPECT_EQ(options.line.baudRate, 19200u);
    EXPECT_EQ(options.line.parity, SerialParity::Even);
    EXPECT_TRUE(options.serialIn);
    EXPECT_FALSE(options.serialOut);
    EXPECT_EQ(options.in.prefix, 2);
    EXPECT_EQ(options.out.suffix, 13);
    EXPECT_EQ(options.timeouts.readIntervalTimeout, 700u);
    EXPECT_EQ(options.timeouts.writeTotalTimeoutConstant, 4u);
}

}  // namespace

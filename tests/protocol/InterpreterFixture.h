#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/Settings.h"
#include "link/Session.h"
#include "screen/Field.h"
#include "support/RecordingPort.h"

// A session on a recording port; records are run as the record handler hands
// them over: the bytes after the type byte, terminator included.
class InterpreterTest : public ::testing::Test {
protected:
    void SetUp() override {
        gSettings = &settings;
        session = std::make_unique<CSession>(port.RegisterMainWindow(), port);
        port.Clear();
    }
    void TearDown() override {
        session.reset();
        gSettings = nullptr;
    }

    std::vector<std::string> Run(std::string_view body) {
        port.Clear();
        record.assign(body.begin(), body.end());
        record += "\xFF\xEF";
        auto* p = reinterpret_cast<const unsigned char*>(record.data());
        const auto* e = p + record.size();
        session->Interpret(p, e);
        EXPECT_EQ(p, e);
        return port.Events();
    }

    CField* Field(int number, int page = 0) {
        CPage* p = session->pages->FindPage(page);
        return p ? p->fields.FindField(number) : nullptr;
    }

    std::u16string Text(int number, int page = 0) {
        CField* field = Field(number, page);
        return field ? field->text.Get() : u"<none>";
    }

    // What the end of a record sends a field window to give it the focus.
    static std::string FocusEvent(int field) {
        std::string name = "field" + std::to_string(field);
        return "send " + name + " WM_SETCURSOR " + name + " 0x02010001";
    }

    CSettings settings{u"Ravelin.ini"};
    CRecordingPort port;
    std::unique_ptr<CSession> session;
    std::string record;
};

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/Settings.h"
#include "link/Session.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"

// A terminal on a recording port; records are run as the record handler hands
// them over: the bytes after the type byte, terminator included.
class InterpreterTest : public ::testing::Test {
protected:
    void SetUp() override {
        terminal = std::make_unique<CTerminalState>(port, port.RegisterMainWindow(), settings);
        session = std::make_unique<CSession>(*terminal, settings);
        port.Clear();
    }
    void TearDown() override {
        session.reset();
        terminal.reset();
    }

    std::vector<std::string> Run(std::string_view body, bool terminated = true) {
        port.Clear();
        record.assign(body.begin(), body.end());
        if (terminated) record += "\xFF\xEF";
        auto* p = reinterpret_cast<const unsigned char*>(record.data());
        session->Interpret(p, p + record.size());
        return port.Events();
    }

    CField* Field(int number) {
        CPage* p = terminal->pages->FindPage(0);
        return p ? p->fields.FindField(number) : nullptr;
    }
    std::u16string Text(int number) {
        CField* field = Field(number);
        return field ? field->text.Get() : u"<none>";
    }

    CSettings settings{u"Ravelin.ini"};
    CRecordingPort port;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
    std::string record;
};

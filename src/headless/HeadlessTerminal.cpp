#include "headless/HeadlessTerminal.h"

#include <algorithm>

#include "config/Settings.h"
#include "headless/KeyNames.h"
#include "headless/ScreenText.h"
#include "link/SerialInput.h"
#include "platform/TextCodec.h"
#include "protocol/Responder.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

// The main window reconnects this long after the connection ended.
constexpr auto kReconnectDelay = std::chrono::seconds(1);
// Waits look again at least this often: the link's state changes without
// a record to tell of it.
constexpr auto kLongestLook = std::chrono::milliseconds(20);

const char* const kInputLocked = "input locked";
constexpr uint8_t kHiddenAttribute = 0x02;

CSerialFraming ScanFraming(const CSettings& settings) {
    return {settings.SerialInPrefix(), settings.SerialInSuffix()};
}

std::string Utf8(std::u16string_view text) {
    return EncodeText(text, true);
}

// The serial input's way to the fields, in the window side's turn.
class CScanSide : public CSerialInputSide {
public:
    CScanSide(CTerminalState& terminal, CResponder& responses, CFieldInputs& inputs)
        : terminal(terminal), responses(responses), inputs(inputs) {}
    void SendToHost(const unsigned char* bytes, size_t n) override {
        responses.SendPortData(bytes, n);
    }
    CPage* CurrentPage() override { return terminal.CurrentPage(); }
    bool InputOpen() override { return terminal.inputState == InputState::Open; }
    void ClearField(CField& field) override { inputs.Clear(field); }
    void TypeIntoField(CField& field, char16_t c) override { inputs.Character(field, c, true); }

private:
    CTerminalState& terminal;
    CResponder& responses;
    CFieldInputs& inputs;
};

}  // namespace

CHeadlessTerminal::CHeadlessTerminal(CSettings& settings)
    : settings(settings), scanFramer(ScanFraming(settings)) {
    terminal = std::make_unique<CTerminalState>(port, &port, settings);
    session = std::make_unique<CSession>(*terminal, settings);
    inputs = std::make_unique<CFieldInputs>(*terminal, settings, session->input);
    port.Attach(*terminal, *inputs, session->input);
    port.SetSessionEndedHandler([this](bool stopped) {
        {
            std::lock_guard<std::mutex> hold(endLock);
            ended = true;
            endedStopped = stopped;
        }
        endSignal.notify_all();
    });
    supervisor = std::thread(&CHeadlessTerminal::Supervise, this);
}

CHeadlessTerminal::~CHeadlessTerminal() {
    {
        std::lock_guard<std::mutex> hold(endLock);
        quitting = true;
    }
    endSignal.notify_all();
    supervisor.join();
    session->Stop();
    {
        CStateTurn turn(port.state);
        terminal->DestroyPages();
    }
}

void CHeadlessTerminal::Start() {
    session->StartConnection();
}

// The connection thread cannot end itself: this thread does, and starts the
// next one a second later.
void CHeadlessTerminal::Supervise() {
    std::unique_lock<std::mutex> hold(endLock);
    for (;;) {
        endSignal.wait(hold, [this] { return ended || quitting; });
        if (quitting) return;
        ended = false;
        bool stopped = endedStopped;
        hold.unlock();
        session->Stop();
        {
            CStateTurn turn(port.state);
            port.DropFocus();
        }
        hold.lock();
        if (stopped) continue;
        if (endSignal.wait_for(hold, kReconnectDelay, [this] { return quitting; })) return;
        hold.unlock();
        session->StartConnection();
        hold.lock();
    }
}

bool CHeadlessTerminal::Locked() const {
    return terminal->inputLocked || terminal->inputState != InputState::Open;
}

CPage* CHeadlessTerminal::ShownPage() const {
    return terminal->pages->FindPage(terminal->displayPage);
}

std::vector<std::u16string> CHeadlessTerminal::ScreenNow() const {
    return ScreenRows(ShownPage(), terminal->screenCols, terminal->screenRows);
}

std::string CHeadlessTerminal::Status() {
    CStateTurn turn(port.state);
    static const char* const kDialogs[] = {"none", "advisory", "prompt"};
    return std::string(Locked() ? "L" : "U") + " page=" + std::to_string(terminal->displayPage) +
           " field=" + std::to_string(terminal->currentField.load()) +
           " dialog=" + kDialogs[static_cast<int>(port.OpenDialog())] +
           " link=" + (session->Connected() ? "connected" : "connecting");
}

CReply CHeadlessTerminal::Screen() {
    CStateTurn turn(port.state);
    CReply reply;
    for (const std::u16string& row : ScreenNow()) reply.data.push_back(Utf8(row));
    return reply;
}

CReply CHeadlessTerminal::Fields() {
    CStateTurn turn(port.state);
    return {FieldLines(ShownPage(), port.FocusedField()), {}};
}

// One character at a time to whichever entry field has the focus then: a
// character may complete the field or move the focus on. What is typed
// after a response went out is lost, as the device drops it.
CReply CHeadlessTerminal::Type(const std::u16string& text) {
    CStateTurn turn(port.state);
    if (Locked()) return CReply::Error(kInputLocked);
    CField* field = port.FocusedField();
    if (!field || field->Class() != kEntryField)
        return CReply::Error("no entry field has the focus");
    size_t typed = 0;
    for (; typed < text.size() && !Locked(); ++typed) {
        field = port.FocusedField();
        if (!field) break;
        inputs->Character(*field, text[typed], false);
    }
    CReply reply;
    if (typed < text.size()) {
        reply.data.push_back("dropped " + std::to_string(text.size() - typed) +
                             " characters: input locked");
    }
    return reply;
}

CReply CHeadlessTerminal::Key(const std::string& name) {
    CKeyPress key;
    char16_t character = 0;
    if (!ParseKeyName(name, key, character)) return CReply::Error("unknown key " + name);
    CStateTurn turn(port.state);
    if (Locked()) return CReply::Error(kInputLocked);
    if (CField* field = port.FocusedField()) {
        inputs->KeyDown(*field, key, character);
    } else {
        inputs->PageKey(key);
    }
    return {};
}

CReply CHeadlessTerminal::Click(int number) {
    CStateTurn turn(port.state);
    if (Locked()) return CReply::Error(kInputLocked);
    CPage* page = ShownPage();
    CField* field = page ? page->fields.FindField(number) : nullptr;
    if (!field) return CReply::Error("no field " + std::to_string(number));
    if (field->attrByte & kHiddenAttribute) {
        return CReply::Error("field " + std::to_string(number) + " is hidden");
    }
    port.ClickFocus(*field);
    // Leaving a field may have sent its data, which locks the page.
    field = page->fields.FindField(number);
    if (field && !Locked()) inputs->Click(*field);
    return {};
}

CReply CHeadlessTerminal::ToolBar(const std::string& name) {
    CStateTurn turn(port.state);
    const CToolBarKeys& keys = port.ToolBar();
    for (int i = 0; i < kToolBarButtonCount; ++i) {
        if (Utf8(keys.Name(i)) != name) continue;
        if (!keys.Enabled(i)) return CReply::Error(name + " is disabled");
        // The device drops the button's key, too, while the host is awaited.
        if (terminal->AwaitingHost()) return CReply::Error(kInputLocked);
        session->input.Key(terminal->currentField, keys.KeyNumber(i));
        return {};
    }
    return CReply::Error("no toolbar button " + name);
}

CReply CHeadlessTerminal::AnswerAdvisory() {
    CStateTurn turn(port.state);
    if (port.OpenDialog() != HostDialog::Advisory) return CReply::Error("no advisory is open");
    port.EndDialog(true);
    return {};
}

CReply CHeadlessTerminal::AnswerPrompt(const std::u16string& answer, bool ok) {
    CStateTurn turn(port.state);
    if (port.OpenDialog() != HostDialog::Prompt) return CReply::Error("no prompt is open");
    port.EndDialog(ok, answer);
    return {};
}

CReply CHeadlessTerminal::Dialog() {
    CStateTurn turn(port.state);
    if (port.OpenDialog() == HostDialog::None) return CReply::Error("no dialog is open");
    std::u16string shown = terminal->ShownDialogText();
    CReply reply;
    size_t start = 0;
    for (size_t i = 0; i <= shown.size(); ++i) {
        if (i < shown.size() && shown[i] != u'\r' && shown[i] != u'\n') continue;
        reply.data.push_back(Utf8(shown.substr(start, i - start)));
        if (i + 1 < shown.size() && shown[i] == u'\r' && shown[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    return reply;
}

// The text as the device would send it, framed as the settings say, through
// the same cutting and delivery as the serial port's input.
CReply CHeadlessTerminal::Scan(const std::u16string& text) {
    CSerialFraming framing = ScanFraming(settings);
    std::string bytes = EncodeText(text, false);
    if (framing.prefix) bytes.insert(bytes.begin(), static_cast<char>(framing.prefix));
    if (framing.suffix) bytes.push_back(static_cast<char>(framing.suffix));
    CStateTurn turn(port.state);
    CScanSide side(*terminal, session->responses, *inputs);
    bool command = settings.SerialCommand();
    scanFramer.Feed(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
        [&](const unsigned char* input, size_t n) { DeliverSerialInput(input, n, command, side); });
    return {};
}

bool CHeadlessTerminal::Holds(WaitFor what, const std::u16string& text) {
    CStateTurn turn(port.state);
    switch (what) {
        case WaitFor::Unlock:
            return !Locked();
        case WaitFor::Dialog:
            return port.OpenDialog() != HostDialog::None;
        case WaitFor::Connected:
            return session->Connected();
        case WaitFor::Text:
            for (const std::u16string& row : ScreenNow()) {
                if (row.find(text) != std::u16string::npos) return true;
            }
            return false;
    }
    return false;
}

CReply CHeadlessTerminal::Wait(WaitFor what, const std::u16string& text,
                               std::chrono::milliseconds most) {
    auto end = std::chrono::steady_clock::now() + most;
    for (;;) {
        if (Holds(what, text)) return {};
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return CReply::Error("timed out");
        port.WaitForChange(std::min(left, std::chrono::milliseconds(kLongestLook)));
    }
}

CReply CHeadlessTerminal::Expect(const std::u16string& text, int row, int column) {
    CStateTurn turn(port.state);
    std::vector<std::u16string> screen = ScreenNow();
    if (row < 0) {
        for (const std::u16string& line : screen) {
            if (line.find(text) != std::u16string::npos) return {};
        }
        return CReply::Error("not shown: " + Utf8(text));
    }
    bool inside = row < static_cast<int>(screen.size()) && column >= 0 &&
                  static_cast<size_t>(column) <= screen[row].size();
    std::u16string there =
        inside ? screen[row].substr(static_cast<size_t>(column), text.size()) : std::u16string();
    if (there != text) {
        return CReply::Error("row " + std::to_string(row) + " column " + std::to_string(column) +
                             " shows \"" + Utf8(there) + "\"");
    }
    return {};
}

#include "headless/Console.h"

#include <cctype>
#include <charconv>
#include <istream>
#include <ostream>
#include <vector>

#include "headless/HeadlessTerminal.h"
#include "headless/ScreenText.h"
#include "platform/TextCodec.h"

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Cuts the first word off text.
std::string_view NextWord(std::string_view& text) {
    text = Trimmed(text);
    size_t end = 0;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    text = Trimmed(text);
    return word;
}

std::u16string FromUtf8(std::string_view text) {
    return DecodeText(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true,
                      text.size() + 1);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// TEXT: the rest of the line, or a double-quoted string with \", \\ and
// \xHH (the character U+00HH), after which the line may go on. False for
// an unclosed string or a bad escape.
bool NextText(std::string_view& line, std::u16string& text, std::string& why) {
    line = Trimmed(line);
    if (line.empty() || line.front() != '"') {
        text = FromUtf8(line);
        line = {};
        return true;
    }
    std::string plain;
    text.clear();
    for (size_t i = 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            text += FromUtf8(plain);
            line.remove_prefix(i + 1);
            line = Trimmed(line);
            return true;
        }
        if (c != '\\') {
            plain += c;
            continue;
        }
        if (i + 1 >= line.size()) break;
        char escaped = line[++i];
        if (escaped == '"' || escaped == '\\') {
            plain += escaped;
            continue;
        }
        int high = i + 2 < line.size() ? HexDigit(line[i + 1]) : -1;
        int low = i + 2 < line.size() ? HexDigit(line[i + 2]) : -1;
        if (escaped != 'x' || high < 0 || low < 0) {
            why = "bad escape in text";
            return false;
        }
        text += FromUtf8(plain);
        plain.clear();
        text += static_cast<char16_t>(high * 16 + low);
        i += 2;
    }
    why = "unclosed text";
    return false;
}

bool Number(std::string_view word, int& number) {
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    return !word.empty() && error == std::errc() && end == word.data() + word.size();
}

// Seconds, whole or with a fraction.
bool Seconds(std::string_view word, std::chrono::milliseconds& time) {
    size_t dot = word.find('.');
    int whole = 0;
    if (!Number(word.substr(0, dot), whole) || whole < 0) return false;
    int thousandths = 0;
    if (dot != std::string_view::npos) {
        std::string fraction(word.substr(dot + 1));
        if (fraction.empty() || fraction.size() > 3 || !Number(fraction, thousandths)) return false;
        fraction.resize(3, '0');
        Number(fraction, thousandths);
    }
    time = std::chrono::milliseconds(whole * 1000LL + thousandths);
    return true;
}

}  // namespace

bool CConsole::Run(std::string_view line, bool& quit) {
    std::string_view rest = line;
    std::string name = Lower(NextWord(rest));
    CReply reply;
    std::u16string text;
    std::string why;
    auto needsNothing = [&] {
        return rest.empty() || (why = "unexpected " + std::string(rest), false);
    };
    if (name == "screen" && needsNothing()) {
        reply = terminal.Screen();
    } else if (name == "fields" && needsNothing()) {
        reply = terminal.Fields();
    } else if ((name == "status" || name == "quit") && needsNothing()) {
        quit = name == "quit";
    } else if (name == "type" && NextText(rest, text, why) && needsNothing()) {
        reply = terminal.Type(text);
    } else if (name == "key" && !rest.empty()) {
        std::string key(NextWord(rest));
        reply = needsNothing() ? terminal.Key(key) : CReply::Error(why);
    } else if (name == "click") {
        int field = 0;
        if (!Number(NextWord(rest), field) || !needsNothing()) {
            reply = CReply::Error("click needs a field number");
        } else {
            reply = terminal.Click(field);
        }
    } else if (name == "toolbar" && !rest.empty()) {
        std::string button = Lower(NextWord(rest));
        for (char& c : button) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        reply = needsNothing() ? terminal.ToolBar(button) : CReply::Error(why);
    } else if (name == "advisory" && Lower(NextWord(rest)) == "ok" && needsNothing()) {
        reply = terminal.AnswerAdvisory();
    } else if (name == "prompt" && Lower(Trimmed(rest)) == "cancel") {
        reply = terminal.AnswerPrompt(u"", false);
    } else if (name == "prompt" && NextText(rest, text, why) && needsNothing()) {
        reply = terminal.AnswerPrompt(text, true);
    } else if (name == "dialog" && needsNothing()) {
        reply = terminal.Dialog();
    } else if (name == "scan" && NextText(rest, text, why) && needsNothing()) {
        reply = terminal.Scan(text);
    } else if (name == "wait") {
        std::string what = Lower(NextWord(rest));
        WaitFor kind = what == "unlock"      ? WaitFor::Unlock
                       : what == "dialog"    ? WaitFor::Dialog
                       : what == "connected" ? WaitFor::Connected
                                             : WaitFor::Text;
        std::chrono::milliseconds most = waitTime;
        bool understood = what == "text"
                              ? NextText(rest, text, why)
                              : (what == "unlock" || what == "dialog" || what == "connected");
        if (understood && !rest.empty()) understood = Seconds(NextWord(rest), most) && rest.empty();
        reply =
            understood
                ? terminal.Wait(kind, text, most)
                : CReply::Error(why.empty() ? "wait for unlock, text, dialog or connected" : why);
    } else if (name == "expect" && NextText(rest, text, why)) {
        int row = -1, column = -1;
        bool placed = rest.empty() || (Number(NextWord(rest), row) &&
                                       Number(NextWord(rest), column) && rest.empty() && row >= 0);
        reply =
            placed ? terminal.Expect(text, row, column) : CReply::Error("expect TEXT [ROW COLUMN]");
    } else {
        reply = CReply::Error(why.empty() ? "unknown command " + std::string(Trimmed(line)) : why);
    }
    for (const std::string& data : reply.data) out << "data: " << Escaped(data, false) << '\n';
    out << terminal.Status() << '\n';
    if (reply.error.empty()) {
        out << "ok\n";
    } else {
        out << "error: " << Escaped(reply.error, false) << '\n';
    }
    out.flush();
    return reply.error.empty();
}

int CConsole::RunPeer(std::istream& in) {
    std::string line;
    bool quit = false;
    while (!quit && std::getline(in, line)) {
        if (Trimmed(line).empty()) continue;
        Run(line, quit);
    }
    return 0;
}

int CConsole::RunScript(std::istream& in, const std::string& name, std::ostream& errors) {
    std::string line;
    bool quit = false;
    for (int number = 1; !quit && std::getline(in, line); ++number) {
        std::string_view command = Trimmed(line);
        if (command.empty() || command.front() == '#') continue;
        if (!Run(command, quit)) {
            errors << name << ':' << number << ": " << command << '\n';
            return 1;
        }
    }
    return 0;
}

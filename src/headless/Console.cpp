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

// The words and texts after a command's name, taken in turn; the first that
// is missing or wrong says why.
class CArguments {
public:
    explicit CArguments(std::string_view rest) : rest(rest) {}

    bool Word(std::string& word, const char* what) {
        word = std::string(NextWord(rest));
        return !word.empty() || Fail(std::string("needs ") + what);
    }
    bool Text(std::u16string& text) { return NextText(rest, text, why); }
    bool FieldNumber(int& number) {
        return Number(NextWord(rest), number) || Fail("needs a field number");
    }
    // Optional seconds at the end.
    bool Time(std::chrono::milliseconds& time) {
        return rest.empty() || Seconds(NextWord(rest), time) || Fail("needs seconds");
    }
    // An optional row and column at the end.
    bool Place(int& row, int& column) {
        if (rest.empty()) return true;
        return (Number(NextWord(rest), row) && Number(NextWord(rest), column) && row >= 0) ||
               Fail("needs a row and a column");
    }
    bool End() { return rest.empty() || Fail("unexpected " + std::string(rest)); }
    bool Quoted() const { return !Trimmed(rest).empty() && Trimmed(rest).front() == '"'; }
    bool Fail(std::string reason) {
        if (why.empty()) why = std::move(reason);
        return false;
    }
    CReply Failure(const std::string& name) const { return CReply::Error(name + ": " + why); }

private:
    std::string_view rest;
    std::string why;
};

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

CReply Dispatch(CHeadlessTerminal& terminal, std::chrono::milliseconds waitTime,
                const std::string& name, CArguments& args, bool& quit) {
    std::u16string text;
    std::string word;
    int number = 0;
    if (name == "screen") return args.End() ? terminal.Screen() : args.Failure(name);
    if (name == "fields") return args.End() ? terminal.Fields() : args.Failure(name);
    if (name == "status" || name == "quit") {
        quit = name == "quit";
        return args.End() ? CReply() : args.Failure(name);
    }
    if (name == "dialog") return args.End() ? terminal.Dialog() : args.Failure(name);
    if (name == "type")
        return args.Text(text) && args.End() ? terminal.Type(text) : args.Failure(name);
    if (name == "scan")
        return args.Text(text) && args.End() ? terminal.Scan(text) : args.Failure(name);
    if (name == "key") {
        return args.Word(word, "a key name") && args.End() ? terminal.Key(word)
                                                           : args.Failure(name);
    }
    if (name == "click") {
        return args.FieldNumber(number) && args.End() ? terminal.Click(number) : args.Failure(name);
    }
    if (name == "toolbar") {
        return args.Word(word, "a button name") && args.End() ? terminal.ToolBar(Upper(word))
                                                              : args.Failure(name);
    }
    if (name == "advisory") {
        bool ok = args.Word(word, "ok") && (Lower(word) == "ok" || args.Fail("needs ok"));
        return ok && args.End() ? terminal.AnswerAdvisory() : args.Failure(name);
    }
    if (name == "prompt") {
        // A quoted "cancel" is an answer.
        bool quoted = args.Quoted();
        if (!args.Text(text) || !args.End()) return args.Failure(name);
        bool cancel = !quoted && text == u"cancel";
        return terminal.AnswerPrompt(cancel ? u"" : text, !cancel);
    }
    if (name == "wait") {
        static const std::pair<const char*, WaitFor> kinds[] = {{"unlock", WaitFor::Unlock},
                                                                {"text", WaitFor::Text},
                                                                {"dialog", WaitFor::Dialog},
                                                                {"connected", WaitFor::Connected}};
        if (!args.Word(word, "what to wait for")) return args.Failure(name);
        for (auto [what, kind] : kinds) {
            if (Lower(word) != what) continue;
            std::chrono::milliseconds most = waitTime;
            bool understood =
                (kind != WaitFor::Text || args.Text(text)) && args.Time(most) && args.End();
            return understood ? terminal.Wait(kind, text, most) : args.Failure(name);
        }
        return CReply::Error("wait for unlock, text, dialog or connected");
    }
    if (name == "expect") {
        int row = -1, column = -1;
        return args.Text(text) && args.Place(row, column) && args.End()
                   ? terminal.Expect(text, row, column)
                   : args.Failure(name);
    }
    return CReply::Error("unknown command " + name);
}

}  // namespace

bool CConsole::Run(std::string_view line, bool& quit) {
    std::string_view rest = line;
    std::string name = Lower(NextWord(rest));
    CArguments args(rest);
    CReply reply = Dispatch(terminal, waitTime, name, args, quit);
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

#pragma once

#include <chrono>
#include <iosfwd>
#include <string>
#include <string_view>

class CHeadlessTerminal;

// The headless terminal's commands, one a line: each prints its data lines
// ("data: ..."), the status line, then "ok" or "error: REASON", and
// flushes, so a program on the other end of a pipe always knows where it
// stands.
class CConsole {
public:
    CConsole(CHeadlessTerminal& terminal, std::ostream& out, std::chrono::milliseconds waitTime)
        : terminal(terminal), out(out), waitTime(waitTime) {}

    // Runs one command line; false when it failed. quit is set by "quit".
    bool Run(std::string_view line, bool& quit);
    // Commands from standard input until its end or "quit": exit status 0.
    int RunPeer(std::istream& in);
    // Commands from a script, '#' beginning a comment, until the first that
    // fails: exit status 1 then, with the script's line named on errors.
    int RunScript(std::istream& in, const std::string& name, std::ostream& errors);

private:
    CHeadlessTerminal& terminal;
    std::ostream& out;
    std::chrono::milliseconds waitTime;
};

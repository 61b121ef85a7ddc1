// ravelin-headless: the terminal without windows, driven by commands on
// standard input or from a script, for host developers' tests.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "headless/Console.h"
#include "headless/HeadlessOptions.h"
#include "headless/HeadlessTerminal.h"
#include "platform/CodePage.h"
#include "platform/Sockets.h"
#include "platform/TextCodec.h"

namespace {

std::u16string Wide(const std::string& text) {
    return DecodeText(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true,
                      text.size() + 1);
}

// The settings file's, then the command line's.
bool ApplyOptions(const CHeadlessOptions& options, CSettings& settings) {
    if (!options.iniFile.empty() && !ReadSettingsFile(settings)) return false;
    if (options.host) settings.SetHostName(Wide(*options.host));
    if (options.port) settings.SetHostPort(*options.port);
    if (options.terminalId) settings.SetTerminalId(*options.terminalId);
    if (options.cols || options.rows) {
        settings.SetScreenSize(options.cols.value_or(settings.ScreenCols()),
                               options.rows.value_or(settings.ScreenRows()));
    }
    if (options.utf8) settings.SetFieldIsUTF8(true);
    return true;
}

int Fail(const std::string& why) {
    std::cerr << "ravelin-headless: " << why << '\n';
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    CHeadlessOptions options;
    std::string why;
    if (!ParseHeadlessOptions(std::vector<std::string>(argv + 1, argv + argc), options, why)) {
        std::cerr << "ravelin-headless: " << why << '\n' << kHeadlessUsage;
        return 2;
    }
    if (!SetAnsiCodePage(options.codePage)) {
        return Fail("code page " + std::to_string(options.codePage) + " is not available");
    }
    CSocketsStarted sockets;
    if (!sockets) return Fail("unable to start sockets");
    // Without a settings file the defaults hold; nothing is ever written.
    CSettings settings(Wide(options.iniFile.empty() ? "Ravelin.ini" : options.iniFile));
    if (!ApplyOptions(options, settings)) return Fail("cannot read " + options.iniFile);

    std::ifstream script;
    if (!options.scriptFile.empty()) {
        script.open(options.scriptFile);
        if (!script) return Fail("cannot read " + options.scriptFile);
    }
    CHeadlessTerminal terminal(settings);
    if (!options.traceFile.empty() && !terminal.Session().trace.Open(Wide(options.traceFile))) {
        return Fail("cannot write " + options.traceFile);
    }
    terminal.Start();
    CConsole console(terminal, std::cout, std::chrono::seconds(options.timeoutSeconds));
    if (!options.scriptFile.empty())
        return console.RunScript(script, options.scriptFile, std::cerr);
    return console.RunPeer(std::cin);
}

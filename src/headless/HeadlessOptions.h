#pragma once

#include <optional>
#include <string>
#include <vector>

// The headless terminal's command line. Settings given here override those
// of the settings file.
struct CHeadlessOptions {
    std::optional<std::string> host;
    std::optional<int> port;
    std::optional<int> terminalId;
    std::optional<int> cols;
    std::optional<int> rows;
    bool utf8 = false;
    std::string iniFile;
    std::string scriptFile;
    std::string traceFile;
    int timeoutSeconds = 10;
    int codePage = 1252;
};

// False, with why, for an unknown option, a missing or bad value.
bool ParseHeadlessOptions(const std::vector<std::string>& args, CHeadlessOptions& options,
                          std::string& why);

extern const char kHeadlessUsage[];

#include "headless/HeadlessOptions.h"

#include <charconv>
#include <iterator>

const char kHeadlessUsage[] =
    "usage: ravelin-headless [--host NAME] [--port N] [--id N] [--cols N] [--rows N]\n"
    "                        [--utf8] [--ini FILE] [--script FILE] [--trace FILE]\n"
    "                        [--timeout SECONDS] [--codepage N]\n";

namespace {

bool Number(const std::string& text, int low, int high, int& number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           number >= low && number <= high;
}

}  // namespace

bool ParseHeadlessOptions(const std::vector<std::string>& args, CHeadlessOptions& options,
                          std::string& why) {
    // The ranges the settings themselves keep to.
    const struct {
        const char* name;
        int low, high;
        int* target;
    } numbers[] = {
        {"--port", 1, 65535, nullptr},
        {"--id", 1, 999, nullptr},
        {"--cols", 1, 207, nullptr},
        {"--rows", 1, 207, nullptr},
        {"--timeout", 0, 86400, &options.timeoutSeconds},
        {"--codepage", 1, 65535, &options.codePage},
    };
    std::optional<int>* optionalNumbers[] = {&options.port, &options.terminalId, &options.cols,
                                             &options.rows};
    const struct {
        const char* name;
        std::string* target;
    } texts[] = {
        {"--ini", &options.iniFile},
        {"--script", &options.scriptFile},
        {"--trace", &options.traceFile},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--utf8") {
            options.utf8 = true;
            continue;
        }
        bool known = option == "--host";
        for (const auto& text : texts) known |= option == text.name;
        for (const auto& number : numbers) known |= option == number.name;
        if (!known) {
            why = "unknown option " + option;
            return false;
        }
        if (i + 1 >= args.size()) {
            why = option + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (option == "--host") options.host = value;
        for (const auto& text : texts) {
            if (option == text.name) *text.target = value;
        }
        for (size_t n = 0; n < std::size(numbers); ++n) {
            if (option != numbers[n].name) continue;
            int number = 0;
            if (!Number(value, numbers[n].low, numbers[n].high, number)) {
                why = option + " takes a number from " + std::to_string(numbers[n].low) + " to " +
                      std::to_string(numbers[n].high);
                return false;
            }
            if (numbers[n].target) {
                *numbers[n].target = number;
            } else {
                *optionalNumbers[n] = number;
            }
        }
    }
    return true;
}

#include "link/WireTrace.h"

#include <cstdio>
#include <filesystem>

#include "link/WSockCom.h"

namespace {

// The bytes of a line: printable ASCII but the backslash as it is, the rest
// as \xHH.
std::string Escape(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            line += c;
        } else {
            line += "\\x";
            line += kHex[byte >> 4];
            line += kHex[byte & 0x0F];
        }
    }
    return line;
}

std::string UtcNow() {
    using namespace std::chrono;
    auto now = floor<seconds>(system_clock::now());
    auto day = floor<days>(now);
    year_month_day date(day);
    hh_mm_ss time(now - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

}  // namespace

bool CWireTrace::Open(const std::u16string& path) {
    std::lock_guard<std::mutex> hold(lock);
    try {
        file.open(std::filesystem::path(path), std::ios::binary | std::ios::app);
    } catch (const std::filesystem::filesystem_error&) {
        // A lone surrogate in the path has no form the library converts to.
        return false;
    }
    if (!file) return false;
    opened = std::chrono::steady_clock::now();
    file << "0 open " << UtcNow() << '\n' << std::flush;
    // Set last: whoever sees it on finds the file open once it holds the lock.
    on.store(true, std::memory_order_relaxed);
    return true;
}

void CWireTrace::Write(std::string_view direction, std::string_view bytes) {
    std::string line = Escape(bytes);
    std::lock_guard<std::mutex> hold(lock);
    // Taken under the lock, so that the times of the lines only grow.
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - opened);
    file << ms.count() << ' ' << direction;
    if (!line.empty()) file << ' ' << line;
    file << '\n' << std::flush;
}

void CWireTrace::Connecting(std::string_view host, uint16_t port) {
    if (!on.load(std::memory_order_relaxed)) return;
    Write("connect", "connecting " + std::string(host) + ":" + std::to_string(port));
}

void CWireTrace::Connected() {
    if (!on.load(std::memory_order_relaxed)) return;
    Write("connect", "connected");
}

void CWireTrace::ConnectFailed(int32_t error) {
    if (!on.load(std::memory_order_relaxed)) return;
    Write("connect", "failed, error " + std::to_string(error));
}

void CWireTrace::Disconnected(std::string_view why) {
    if (!on.load(std::memory_order_relaxed)) return;
    Write("disconnect", why);
}

void CWireTrace::In(const unsigned char* record, size_t size) {
    if (!on.load(std::memory_order_relaxed)) return;
    Write("in", std::string_view(reinterpret_cast<const char*>(record), size));
}

void CWireTrace::Out(int32_t terminalId, std::string_view text) {
    if (!on.load(std::memory_order_relaxed)) return;
    Write("out", WireMessage(terminalId, text));
}

void CWireTrace::SendFailed() {
    if (!on.load(std::memory_order_relaxed)) return;
    Write("error", "send failed");
}

// Interpreter throughput on records that each clear page 0 and build a full
// 80 x 24 screen: labels, entry fields with options and prefixes, texts, the
// display page and the focus. Baseline: a scan of the same bytes for 0xFF,
// the least any reader of the stream does. Prints figures, last the
// throughput in MB/s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/Settings.h"
#include "link/Session.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"
#include "support/ScreenRecord.h"

namespace {

// The best of several rounds, after one to warm caches and clocks: the
// figure should not depend on what else the machine was doing.
template <typename Work>
double BestSeconds(Work work) {
    work();
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main() {
    CSettings settings(u"Ravelin.ini");
    CRecordingPort port;
    port.SetCountOnly(true);
    CTerminalState terminal(port, port.RegisterMainWindow(), settings);
    CSession session(terminal, settings);

    const std::string record = ScreenRecord() + "\xFF\xEF";
    const auto* begin = reinterpret_cast<const unsigned char*>(record.data());
    const auto* end = begin + record.size();
    const int records = 5000;
    const double megabytes = static_cast<double>(record.size()) * records / 1e6;

    size_t found = 0;
    double scan = BestSeconds([&] {
        for (int i = 0; i < records; ++i) {
            const unsigned char* from = begin;
            asm volatile("" : "+r"(from));  // one real scan per record
            found += std::memchr(from, 0xFF, record.size()) != nullptr;
        }
    });
    double interpret = BestSeconds([&] {
        for (int i = 0; i < records; ++i) {
            const unsigned char* p = begin;
            session.Interpret(p, end);
        }
    });

    int fields = 0;
    for (CField* f = terminal.pages->FindPage(0)->fields.Head(); f; f = f->next) ++fields;
    std::printf("record: %zu bytes, %d fields\n", record.size(), fields);
    std::printf("records interpreted: %d in %.3f s, %.0f records/s\n", records, interpret,
                records / interpret);
    std::printf("window port calls per record: %zu\n", port.CallCount() / (6 * records));
    std::printf("baseline 0xFF scan: %.0f MB/s\n", megabytes / scan);
    std::printf("interpreter / scan time: %.1f\n", interpret / scan);
    std::printf("throughput: %.1f MB/s\n", megabytes / interpret);
    return found == static_cast<size_t>(6 * records) ? 0 : 1;
}

// Host bytes as the connection thread handles them, in the pieces the link's
// reads bring: cut into records, each answered and run against one session's
// terminal. The records may not depend on where the reads ended. The first
// byte chooses the code page and whether field windows are made.
#include <memory>
#include <vector>

#include "FuzzChecks.h"
#include "link/RecordCutter.h"
#include "link/Session.h"
#include "screen/TerminalState.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const uint8_t options = in.Byte();
    const uint16_t seed = static_cast<uint16_t>(in.Byte() << 8 | in.Byte());
    const std::string stream = in.Take(size);
    CSettings settings(u"Ravelin.ini");
    settings.SetFieldIsUTF8(options & 1);
    CRecordingPort port;
    port.SetCountOnly(true);
    port.SetMakeFieldWindows(options & 2);
    CTerminalState terminal(port, port.RegisterMainWindow(), settings);
    CSession session(terminal, settings);

    std::vector<std::string> whole, cut;
    CRecordCutter oneRead, manyReads;
    Require(oneRead.Feed(reinterpret_cast<const unsigned char*>(stream.data()), stream.size(),
                         [&whole](const unsigned char* record, size_t n) {
                             whole.emplace_back(record, record + n);
                         }));
    FeedInPieces(stream, seed, [&](const unsigned char* piece, size_t n) {
        Require(manyReads.Feed(piece, n, [&](const unsigned char* record, size_t size) {
            Require(size >= 2 && record[size - 2] == 0xFF && record[size - 1] == 0xEF);
            cut.emplace_back(record, record + size);
            // A copy of exactly the record, so a read past it is caught.
            std::unique_ptr<unsigned char[]> copy(new unsigned char[size]);
            std::copy_n(record, size, copy.get());
            session.HandleRecord(copy.get(), copy.get() + size);
            CheckFieldTexts(terminal);
        }));
    });
    Require(cut == whole);
    return 0;
}

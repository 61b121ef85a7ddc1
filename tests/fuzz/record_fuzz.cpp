// Host bytes as the connection thread handles them: cut into records, each
// answered and run by the record handler against one session's terminal.
// The first byte chooses the code page and whether field windows are made.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzBytes.h"
#include "FuzzChecks.h"
#include "config/Settings.h"
#include "link/RecordCutter.h"
#include "link/Session.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    uint8_t options = in.Byte();
    const std::string stream = in.Take(size);
    CSettings settings(u"Ravelin.ini");
    settings.SetFieldIsUTF8(options & 1);
    CRecordingPort port;
    port.SetCountOnly(true);
    port.SetMakeFieldWindows(options & 2);
    {
        CTerminalState terminal(port, port.RegisterMainWindow(), settings);
        CSession session(terminal, settings);
        CRecordCutter cutter;
        cutter.Feed(reinterpret_cast<const unsigned char*>(stream.data()), stream.size(),
                    [&](const unsigned char* record, size_t n) {
                        // A copy of exactly the record, so a read past it is caught.
                        std::unique_ptr<unsigned char[]> copy(new unsigned char[n]);
                        std::copy_n(record, n, copy.get());
                        session.HandleRecord(copy.get(), copy.get() + n);
                        CheckFieldTexts(terminal);
                    });
    }
    return 0;
}

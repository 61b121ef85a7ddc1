// Arbitrary bytes as host records of one session, cut at each 0xFF 0xEF, so later
// records meet what earlier ones left; the first byte chooses the code page.
#include <cstddef>
#include <cstdint>

#include "FuzzChecks.h"
#include "config/Settings.h"
#include "link/Session.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    CSettings settings(u"Ravelin.ini");
    settings.SetFieldIsUTF8(data[0] & 1);
    CRecordingPort port;
    port.SetCountOnly(true);
    port.SetMakeFieldWindows(data[0] & 2);
    {
        CTerminalState terminal(port, port.RegisterMainWindow(), settings);
        CSession session(terminal, settings);
        const uint8_t* p = data + 1;
        const uint8_t* end = data + size;
        while (p < end) {
            const uint8_t* cut = p;
            while (cut + 1 < end && !(cut[0] == 0xFF && cut[1] == 0xEF)) ++cut;
            const uint8_t* e = cut + 1 < end ? cut + 2 : end;
            const unsigned char* q = p;
            session.Interpret(q, e);
            Require(q == e);
            CheckFieldTexts(terminal);
            p = e;
        }
    }
    return 0;
}

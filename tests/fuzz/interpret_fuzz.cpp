// Arbitrary bytes as host records of one session, cut at each 0xFF 0xEF, so later
// records meet what earlier ones left; the first byte chooses the code page.
#include <cstddef>
#include <cstdint>

#include "config/Settings.h"
#include "link/Session.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"

namespace {

// No text may outgrow its buffer, whatever the host sent.
void CheckTexts(const CTerminalState& terminal) {
    for (int i = 0; i < terminal.pages->Count(); ++i) {
        for (CField* f = terminal.pages->PageAt(i).fields.Head(); f; f = f->next) {
            for (const CFieldText* t : {&f->text, &f->prefixText}) {
                if (t->IsNull() ? !t->IsEmpty() : t->Get().size() > size_t(t->Capacity())) {
                    __builtin_trap();
                }
            }
            if (f->maxLength < 0) __builtin_trap();
        }
    }
}

}  // namespace

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
            if (q != e) __builtin_trap();
            CheckTexts(terminal);
            p = e;
        }
    }
    return 0;
}

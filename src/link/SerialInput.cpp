#include "link/SerialInput.h"

#include <string>

#include "platform/TextCodec.h"
#include "screen/Field.h"
#include "screen/Page.h"

void DeliverSerialInput(const unsigned char* bytes, size_t n, bool commandMode,
                        CSerialInputSide& side) {
    if (commandMode) {
        side.SendToHost(bytes, n);
        return;
    }
    CPage* page = side.CurrentPage();
    if (!page) return;
    std::u16string text = DecodeText(bytes, n, false, n);
    size_t next = 0;
    CField* previous = nullptr;
    while (next < text.size() && side.InputOpen()) {
        // Filled fields count as modified, so each turn finds the next one;
        // once all are filled the last comes again, which ends the input.
        CField* field = page->fields.NextSerialTarget();
        if (!field || field == previous) return;
        previous = field;
        if (!field->fieldWindow) continue;
        side.ClearField(*field);
        for (uint32_t typed = 0; typed < field->displayLength && next < text.size(); ++typed) {
            if (!side.InputOpen()) return;
            side.TypeIntoField(*field, text[next++]);
        }
    }
}

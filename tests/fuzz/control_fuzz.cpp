// Operator clicks, focus changes and keys on a page of controls of every kind
// and either field class. After each: a toggle changes only the state mark of
// a field it marks for the host, a page never holds two chosen radio buttons,
// key caps report nothing, and a button reports a release only of its press.
#include <vector>

#include "FuzzChecks.h"
#include "fields/ControlPaint.h"

namespace {

constexpr uint8_t kKinds[] = {kButtonControl, kSelectButtonControl, kCheckBoxControl,
                              kRadioButtonControl, kKeysControl};

int ChosenRadioButtons(const CPage& page) {
    int chosen = 0;
    for (const CField* f = page.fields.Head(); f; f = f->next) {
        if (f->controlKind == kRadioButtonControl && IsMarked(f->text.Get())) ++chosen;
    }
    return chosen;
}

// How a field's text may change in one event: not at all, or in its state
// mark alone, and that only in an entry field or a radio button.
void CheckChange(const CField& f, const std::u16string& before) {
    const std::u16string after = f.text.Get();
    if (after == before) return;
    Require((f.Class() == kEntryField || f.controlKind == kRadioButtonControl) && f.modified);
    Require(after[0] == u'X' || after[0] == u' ');
    Require(before.empty() ? after.size() == 1 : after.substr(1) == before.substr(1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    CSettings settings(u"Ravelin.ini");
    settings.SetFieldEnterToF0(in.Byte() & 1);
    CRecordingPort port;
    port.SetCountOnly(true);
    CPage page(0, port, settings);
    std::vector<CField*> fields;
    for (int n = in.Byte() % 6 + 1; n > 0; --n) {
        const uint8_t shape = in.Byte();
        CField* f = page.fields.CreateField(static_cast<int>(fields.size()) + 1, 0, 0, 10);
        f->typeByte =
            static_cast<uint8_t>((shape & 1 ? kEntryField : kFixedField) | (shape & 0x3C));
        f->controlKind = kKinds[in.Byte() % 5];
        f->text.Allocate(in.Byte() % 12);
        f->text.Set(in.CountedText());
        fields.push_back(f);
    }
    std::vector<bool> pressed(fields.size());

    while (!in.AtEnd()) {
        const size_t index = in.Byte() % fields.size();
        const uint8_t op = in.Byte();
        CField& f = *fields[index];
        const FieldWindowClass kind = WindowClassFor(f);
        std::vector<std::u16string> before;
        for (const CField* g : fields) before.push_back(g->text.Get());
        const bool oneChosen = ChosenRadioButtons(page) <= 1;
        CCheckedWork work;
        CControlInput control(f, kind, settings, work);
        switch (op % 5) {
            case 0:
                control.MouseDown();
                pressed[index] = kind == FieldWindowClass::Button && f.Class() == kEntryField;
                break;
            case 1:
                control.MouseUp();
                if (kind == FieldWindowClass::Button) Require(work.reports == 0 || pressed[index]);
                pressed[index] = false;
                break;
            case 2:
                control.FocusGained();
                break;
            case 3:
                control.FocusLost();
                if (kind == FieldWindowClass::Button) pressed[index] = false;
                break;
            default:
                control.KeyDown(KeyPress(in.Byte(), op >> 3));
                break;
        }
        if (kind == FieldWindowClass::Keys) Require(work.reports == 0);
        for (size_t i = 0; i < fields.size(); ++i) CheckChange(*fields[i], before[i]);
        if (oneChosen) Require(ChosenRadioButtons(page) <= 1);
    }
    return 0;
}

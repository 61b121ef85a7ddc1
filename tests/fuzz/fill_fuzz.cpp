// Device inputs typed in field mode through the entry editor into a page made
// from the first bytes: only into shown fields bound to the port, while input
// is open, up to a field's width, in order; no field holds more than its
// length, nor a numeric field a character outside its set.
#include <map>

#include "FuzzChecks.h"
#include "link/SerialInput.h"
#include "platform/TextCodec.h"

namespace {

// The window side of field mode: a key or a completed field goes to the host,
// which locks input until it answers.
class CFillingSide : public CSerialInputSide, public CCheckedWork {
public:
    CFillingSide(CPage& page, const CSettings& settings) : page(page), settings(settings) {}

    void SendToHost(const unsigned char*, size_t) override { Require(false); }
    CPage* CurrentPage() override { return &page; }
    bool InputOpen() override { return open; }
    void ClearField(CField& field) override {
        CheckTarget(field);
        CEntryEditor(field, settings, *this).Clear();
    }
    void TypeIntoField(CField& field, char16_t c) override {
        CheckTarget(field);
        Require(open && ++typedInto[&field] <= field.displayLength);
        typed += c;
        CEntryEditor(field, settings, *this).Character(c, true);
    }

    void CompleteField(int) override { open = false; }
    void SendKey(int, int) override { open = false; }

    bool open = true;
    std::u16string typed;
    std::map<const CField*, uint32_t> typedInto;

private:
    static void CheckTarget(const CField& field) {
        Require(field.Class() == kEntryField && field.skipFocus && field.fieldWindow);
    }

    CPage& page;
    const CSettings& settings;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const uint8_t flags = in.Byte();
    CSettings settings(u"Ravelin.ini");
    SetEditingSettings(settings, flags, in);
    CRecordingPort port;
    port.SetCountOnly(true);
    CPage page(0, port, settings);
    for (int n = in.Byte() % 8; n >= 0; --n) {
        const uint8_t shape = in.Byte();
        CField* f = page.fields.CreateField(2 * n + 1, n, 0, in.Byte() % 24);
        f->typeByte = static_cast<uint8_t>((shape & 0x03) | (shape & 0x80 ? kCompleteOnLeave : 0) |
                                           (shape & 0x40 ? kNumericEntry : 0));
        f->skipFocus = shape & 0x04;
        f->prefixSet = shape & 0x10;
        f->modified = shape & 0x20;
        if (shape & 0x08) f->fieldWindow = port.MakeFieldWindow(*f);
        f->maxLength = in.Byte() % 24;
        f->text.Allocate(f->maxLength);
        f->text.Set(in.CountedText());
    }

    CFillingSide side(page, settings);
    while (!in.AtEnd()) {
        if (in.Byte() & 1) side.open = true;  // the host answered
        const std::string input = in.Take(in.Byte());
        // Only a numeric field that held a numeric text has to keep one.
        std::map<const CField*, bool> numeric;
        for (const CField* f = page.fields.Head(); f; f = f->next) {
            numeric[f] = f->typeByte & kNumericEntry && NumericAllows(settings, f->text.Get());
        }
        side.typed.clear();
        side.typedInto.clear();
        const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
        DeliverSerialInput(bytes, input.size(), false, side);
        const std::u16string decoded = DecodeText(bytes, input.size(), false, input.size());
        Require(decoded.compare(0, side.typed.size(), side.typed) == 0);
        CheckFieldTexts(page);
        for (const CField* f = page.fields.Head(); f; f = f->next) {
            Require(f->text.Length() <= f->maxLength);
            if (numeric[f]) Require(NumericAllows(settings, f->text.Get()));
        }
    }
    return 0;
}

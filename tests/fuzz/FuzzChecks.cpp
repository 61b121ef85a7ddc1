#include "FuzzChecks.h"

#include <memory>

#include "screen/PageList.h"
#include "screen/TerminalState.h"

void CheckFieldTexts(const CPage& page) {
    for (const CField* f = page.fields.Head(); f; f = f->next) {
        for (const CFieldText* t : {&f->text, &f->prefixText}) {
            Require(t->IsNull() ? t->IsEmpty() : t->Get().size() <= size_t(t->Capacity()));
        }
        Require(f->maxLength >= 0);
    }
}

void CheckFieldTexts(const CTerminalState& terminal) {
    for (int i = 0; i < terminal.pages->Count(); ++i) CheckFieldTexts(terminal.pages->PageAt(i));
}

bool NumericAllows(const CSettings& settings, std::u16string_view text) {
    const std::u16string& set = settings.FieldNumericValue();
    for (char16_t c : text) {
        if (set.find(c) != std::u16string::npos) continue;
        bool capital = settings.UpperCaseInputMode() && c >= u'A' && c <= u'Z';
        if (!capital || set.find(static_cast<char16_t>(c - u'A' + u'a')) == std::u16string::npos) {
            return false;
        }
    }
    return true;
}

void FeedInPieces(const std::string& bytes, uint16_t seed,
                  const std::function<void(const unsigned char* piece, size_t n)>& feed) {
    // The seed bounds the pieces, from single bytes to whole blocks, and
    // varies their lengths within the bound.
    const size_t bound = size_t{1} << (seed % 13);
    uint32_t state = seed;
    for (size_t at = 0; at < bytes.size();) {
        state = state * 1103515245u + 12345u;
        size_t n = std::min<size_t>((state >> 16) % bound + 1, bytes.size() - at);
        std::unique_ptr<unsigned char[]> piece(new unsigned char[n]);
        std::copy_n(bytes.data() + at, n, piece.get());
        feed(piece.get(), n);
        at += n;
    }
}

void SetEditingSettings(CSettings& settings, uint8_t flags, CFuzzBytes& in) {
    settings.SetFieldEdit(flags & 0x01);
    settings.SetUpperCaseInputMode(flags & 0x02);
    settings.SetFieldEnterToF0(flags & 0x04);
    if (flags & 0x08) settings.SetFieldNumericValue(in.CountedText());
}

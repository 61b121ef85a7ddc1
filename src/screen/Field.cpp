#include "screen/Field.h"

void CField::Reset() {
    // Copied from one kept record: building a fresh one on the stack at every
    // reset cost the interpreter an eighth of its time.
    static const CFieldValues kFresh;
    static_cast<CFieldValues&>(*this) = kFresh;
    // The texts keep their storage for the next field.
    text.Free();
    prefixText.Free();
}

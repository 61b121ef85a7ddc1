#include "screen/Field.h"

void CField::Reset() {
    // The texts stay in place, their storage kept for the next field: a
    // window may still be reading them under the text lock.
    static_cast<CFieldValues&>(*this) = CFieldValues();
    text.Free();
    prefixText.Free();
}

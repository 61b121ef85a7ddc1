#include "screen/Field.h"

#include <utility>

void CField::Reset() {
    // Moved out and back around the reset, so their storage survives it.
    CFieldText keptText = std::move(text);
    CFieldText keptPrefix = std::move(prefixText);
    *this = CField();
    text = std::move(keptText);
    prefixText = std::move(keptPrefix);
    text.Free();
    prefixText.Free();
}

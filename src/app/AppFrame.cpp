#include "app/AppFrame.h"

#include "platform/AppMessages.h"

bool CAppFrame::FilterMessage(const MSG& msg) {
    if (!accelerators) return false;
    return TranslateAcceleratorW(window, accelerators, const_cast<MSG*>(&msg)) != 0;
}

void CAppFrame::Relayout() const {
    if (IsWindow(window)) SendMessageW(window, UM_LAYOUTFRAME, 0, 0);
}

#include "toolbar/SwingCounter.h"

void CSwingCounter::Reset() {
    value = 0;
    up = true;
}

void CSwingCounter::Step() {
    if (value >= kLast) up = false;
    if (value <= 0) up = true;
    value += up ? 1 : -1;
}

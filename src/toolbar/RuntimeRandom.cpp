#include "toolbar/RuntimeRandom.h"

int CRuntimeRandom::Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

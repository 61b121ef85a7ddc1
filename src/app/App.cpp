#include "app/App.h"

HINSTANCE gInstance = nullptr;
wchar_t gTitle[100] = L"";
wchar_t gMainClassName[100] = L"";
HACCEL gAccelerators = nullptr;
CMessageLoop* gMessageLoop = nullptr;

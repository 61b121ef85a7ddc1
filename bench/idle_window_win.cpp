// The floor of an idle terminal, as the baseline of bench/idle.py: a bare
// program with a shown window and 40 static child windows that waits for
// messages and does nothing else until it is closed.
#include <windows.h>

int main() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"idle window",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1000,
                                  700, nullptr, nullptr, instance, nullptr);
    if (!parent) return 1;
    for (int i = 0; i < 40; ++i) {
        CreateWindowExW(0, L"STATIC", L"label", WS_CHILD | WS_VISIBLE, (i % 4) * 200, (i / 4) * 20,
                        180, 16, parent, nullptr, instance, nullptr);
    }
    MSG msg;
    while (IsWindow(parent) && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

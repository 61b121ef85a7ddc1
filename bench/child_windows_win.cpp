// The floor a page of field windows pays under this window system, as the
// baseline of bench/page_build.py: a bare program that makes 97 child windows
// of a class of its own under a shown window, laid out as the benchmark's
// page, paints them, and destroys them again, round after round. Prints one
// line a round: the milliseconds to make and paint them, then to destroy them.
//   child_windows [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kRows = 24;
constexpr int kCellWidth = 12;
constexpr int kCellHeight = 16;
// A label and three entry fields a row, and one more at the end: 97.
constexpr int kColumns[] = {0, 12, 34, 56};
constexpr int kWidths[] = {12, 20, 20, 20};

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    TextOutW(dc, 0, 0, L"field", 5);
    EndPaint(window, &paint);
    return 0;
}

void RunQueuedMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1e3 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void MakeChildren(HWND parent, HINSTANCE instance, std::vector<HWND>& children) {
    for (int row = 0; row < kRows; ++row) {
        for (int i = 0; i < 4; ++i) {
            children.push_back(CreateWindowExW(
                0, L"BenchChild", L"", WS_CHILD | WS_VISIBLE, kColumns[i] * kCellWidth,
                row * kCellHeight, kWidths[i] * kCellWidth, kCellHeight, parent,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(children.size() + 1)), instance,
                nullptr));
        }
    }
    children.push_back(CreateWindowExW(0, L"BenchChild", L"", WS_CHILD | WS_VISIBLE,
                                       78 * kCellWidth, 23 * kCellHeight, 2 * kCellWidth,
                                       kCellHeight, parent, nullptr, instance, nullptr));
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 60;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW child = {};
    child.lpfnWndProc = ChildProc;
    child.hInstance = instance;
    child.lpszClassName = L"BenchChild";
    child.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    WNDCLASSW frame = child;
    frame.lpfnWndProc = DefWindowProcW;
    frame.lpszClassName = L"BenchFrame";
    frame.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    if (!RegisterClassW(&child) || !RegisterClassW(&frame)) return 1;
    HWND parent = CreateWindowExW(0, L"BenchFrame", L"child windows",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1000,
                                  700, nullptr, nullptr, instance, nullptr);
    if (!parent) return 1;
    RunQueuedMessages();

    LARGE_INTEGER frequency, started, made, destroyed;
    QueryPerformanceFrequency(&frequency);
    std::vector<HWND> children;
    for (int round = 0; round < rounds; ++round) {
        QueryPerformanceCounter(&started);
        MakeChildren(parent, instance, children);
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        QueryPerformanceCounter(&made);
        for (HWND window : children) DestroyWindow(window);
        children.clear();
        QueryPerformanceCounter(&destroyed);
        std::printf("%.3f %.3f\n", Milliseconds(started, made, frequency),
                    Milliseconds(made, destroyed, frequency));
        RunQueuedMessages();
    }
    DestroyWindow(parent);
    return 0;
}

// A test tool that looks at and pokes the terminal's windows from another
// process in the same Wine prefix, where there is no window manager to do it:
// probe COMMAND TITLE ... acts on the top-level window with that title, or on
// its dialog control with the id given; probe clip - TEXT puts TEXT on the
// clipboard. Output is UTF-8; a window that is not there gives exit code 2.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

long Number(const wchar_t* text) {
    return std::wcstol(text, nullptr, 0);
}

void PrintLine(const wchar_t* text) {
    char bytes[8192] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::printf("%s\n", bytes);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    wchar_t name[64] = L"";
    GetClassNameW(child, name, 64);
    RECT r;
    GetWindowRect(child, &r);
    std::printf("%llx %ls %d %d %ld %ld %ld %ld\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(child)), name,
                GetDlgCtrlID(child), IsWindowVisible(child) ? 1 : 0, r.left, r.top,
                r.right - r.left, r.bottom - r.top);
    return TRUE;
}

int PutOnClipboard(const wchar_t* text) {
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return 1;
    std::memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) return 1;
    EmptyClipboard();
    bool put = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    return put ? 0 : 1;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 3) return 64;
    std::wstring command = argv[1];
    if (command == L"clip" && argc == 4) return PutOnClipboard(argv[3]);
    if (command == L"count" || command == L"shown") {
        int count = 0;
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, argv[2])) != nullptr;)
            count += command == L"count" || IsWindowVisible(w);
        std::printf("%d\n", count);
        return 0;
    }
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 2;
    HWND control = argc >= 4 ? GetDlgItem(window, Number(argv[3])) : nullptr;
    if (command == L"children") {
        EnumChildWindows(window, PrintChild, 0);
    } else if (command == L"client") {
        RECT r;
        POINT origin = {0, 0};
        GetClientRect(window, &r);
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    } else if (command == L"style") {
        HWND target = argc == 4 ? control : window;
        std::printf("%08lx\n", static_cast<unsigned long>(GetWindowLongW(target, GWL_STYLE)));
    } else if (command == L"move" && argc == 7) {
        return !SetWindowPos(window, nullptr, Number(argv[3]), Number(argv[4]), Number(argv[5]),
                             Number(argv[6]), SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (command == L"post" && argc == 6) {
        return !PostMessageW(window, Number(argv[3]), Number(argv[4]), Number(argv[5]));
    } else if ((command == L"send" && argc == 6) || (command == L"item" && argc == 7)) {
        bool send = command == L"send";
        wchar_t** a = argv + (send ? 3 : 4);
        LRESULT result =
            SendMessageW(send ? window : control, Number(a[0]), Number(a[1]), Number(a[2]));
        std::printf("%lld\n", static_cast<long long>(result));
    } else if (command == L"items" && argc == 4) {
        LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[256] = L"";
            SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            PrintLine(text);
        }
    } else if (command == L"menu") {
        std::printf("%d\n", GetMenu(window) ? 1 : 0);
    } else if (command == L"text" && argc == 4) {
        // GetWindowTextW would give another process's edit control's caption,
        // not its text; the message reaches the control itself.
        wchar_t text[2048] = L"";
        SendMessageW(control, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
        PrintLine(text);
    } else if (command == L"settext" && argc == 5) {
        return !(control && SetWindowTextW(control, argv[4]));
    } else {
        return 64;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Texts keep their own line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    int result = Run(argc, argv);
    std::fflush(stdout);
    return result;
}

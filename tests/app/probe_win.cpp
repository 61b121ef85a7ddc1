// A test tool that looks at and pokes the terminal's windows from another
// process in the same Wine prefix, where there is no window manager to do it.
//   probe count TITLE                prints how many top-level windows have TITLE
//   probe shown TITLE                the same, counting only visible ones
//   probe style TITLE [ID]           prints the style of the window (or of its
//                                    dialog control) in hex
//   probe move TITLE X Y W H         moves and sizes the window
//   probe post TITLE MSG WPARAM LPARAM
//   probe send TITLE MSG WPARAM LPARAM   prints the result
//   probe text TITLE ID              prints the text of a dialog control
//   probe settext TITLE ID TEXT      sets the text of a dialog control
//   probe item TITLE ID MSG WPARAM LPARAM  sends a message to a dialog control,
//                                    prints the result
//   probe items TITLE ID             prints a combo box's entries, one a line
//   probe menu TITLE                 prints 1 when the window has a menu, else 0
//   probe children TITLE             one line per descendant window: handle,
//                                    class, id, visible, screen rectangle
//   probe client TITLE               prints the client area's screen rectangle
//   probe clip - TEXT                puts TEXT on the clipboard
// Output is UTF-8; a window that is not there gives exit code 2.
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

void PrintComboItems(HWND combo) {
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        char bytes[1024] = "";
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
        std::printf("%s\n", bytes);
    }
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
    if (command == L"children")
        EnumChildWindows(window, PrintChild, 0);
    else if (command == L"client") {
        RECT r;
        POINT origin = {0, 0};
        GetClientRect(window, &r);
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    } else if (command == L"style") {
        HWND target = argc == 4 ? GetDlgItem(window, Number(argv[3])) : window;
        std::printf("%08lx\n", static_cast<unsigned long>(GetWindowLongW(target, GWL_STYLE)));
    } else if (command == L"move" && argc == 7)
        return SetWindowPos(window, nullptr, Number(argv[3]), Number(argv[4]), Number(argv[5]),
                            Number(argv[6]), SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    else if (command == L"post" && argc == 6)
        return PostMessageW(window, Number(argv[3]), Number(argv[4]), Number(argv[5])) ? 0 : 1;
    else if (command == L"send" && argc == 6)
        std::printf("%lld\n", static_cast<long long>(SendMessageW(
                                  window, Number(argv[3]), Number(argv[4]), Number(argv[5]))));
    else if (command == L"item" && argc == 7)
        std::printf("%lld\n", static_cast<long long>(
                                  SendDlgItemMessageW(window, Number(argv[3]), Number(argv[4]),
                                                      Number(argv[5]), Number(argv[6]))));
    else if (command == L"items" && argc == 4)
        PrintComboItems(GetDlgItem(window, Number(argv[3])));
    else if (command == L"menu")
        std::printf("%d\n", GetMenu(window) ? 1 : 0);
    else if (command == L"text" && argc == 4) {
        // GetWindowTextW would give another process's edit control's caption,
        // not its text; the message reaches the control itself.
        wchar_t text[2048] = L"";
        char bytes[4096] = "";
        SendMessageW(GetDlgItem(window, Number(argv[3])), WM_GETTEXT, 2048,
                     reinterpret_cast<LPARAM>(text));
        WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
        std::printf("%s\n", bytes);
    } else if (command == L"settext" && argc == 5) {
        HWND control = GetDlgItem(window, Number(argv[3]));
        return control && SetWindowTextW(control, argv[4]) ? 0 : 1;
    } else
        return 64;
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

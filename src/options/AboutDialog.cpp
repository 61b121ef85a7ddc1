#include "options/AboutDialog.h"

#include <cstdio>
#include <iterator>
#include <vector>

#include "options/DialogCentre.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kCopyright[] = L"Copyright (C) 2026 the Ravelin II team";

// The file version of this program; 0.0.0.0 when it carries none.
VS_FIXEDFILEINFO FileVersion() {
    VS_FIXEDFILEINFO none = {};
    wchar_t path[MAX_PATH];
    if (!GetModuleFileNameW(nullptr, path, MAX_PATH)) return none;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (!size) return none;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data())) return none;
    void* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", &info, &length) || length < sizeof none) return none;
    return *static_cast<VS_FIXEDFILEINFO*>(info);
}

void FillText(HWND dialog) {
    VS_FIXEDFILEINFO version = FileVersion();
    wchar_t title[100] = L"";
    LoadStringW(GetModuleHandleW(nullptr), IDS_TITLE, title, static_cast<int>(std::size(title)));
    wchar_t text[300];
    swprintf(text, std::size(text), L"%ls\r\nVersion: %u.%u.%u.%u\r\n%ls", title,
             HIWORD(version.dwFileVersionMS), LOWORD(version.dwFileVersionMS),
             HIWORD(version.dwFileVersionLS), LOWORD(version.dwFileVersionLS), kCopyright);
    SetDlgItemTextW(dialog, IDC_ABOUT_TEXT, text);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CentreDialog(dialog);
            FillText(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunAboutDialog(HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc,
                           0);
}

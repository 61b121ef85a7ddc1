#include "options/DialogControls.h"

#include <commctrl.h>

#include <vector>

void SetupNumberEdit(HWND dialog, int editId, int spinId, int limit, int low, int high, int value) {
    SendDlgItemMessageW(dialog, editId, EM_LIMITTEXT, limit, 0);
    SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, low, high);
    SetDlgItemInt(dialog, editId, static_cast<UINT>(value), FALSE);
    SendDlgItemMessageW(dialog, spinId, UDM_SETPOS32, 0, value);
}

void SetChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::u16string DialogItemText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    GetWindowTextW(control, text.data(), length + 1);
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()));
}

std::u16string WithoutLeadingSpaces(const std::u16string& text) {
    size_t first = text.find_first_not_of(u' ');
    return first == std::u16string::npos ? std::u16string() : text.substr(first);
}

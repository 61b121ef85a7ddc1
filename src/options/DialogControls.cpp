#include "options/DialogControls.h"

#include <commctrl.h>

#include <vector>

#include "options/SerialDialogRules.h"
#include "platform/WideText_win.h"

void SetupNumberEdit(HWND dialog, int editId, int spinId, int limit, int low, int high, int value) {
    SendDlgItemMessageW(dialog, editId, EM_LIMITTEXT, limit, 0);
    SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, low, high);
    // The spin moves its position into its range and shows that: the text
    // goes in after it, so the edit shows the value as stored.
    SendDlgItemMessageW(dialog, spinId, UDM_SETPOS32, 0, value);
    SetDlgItemInt(dialog, editId, static_cast<UINT>(value), FALSE);
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

void FillChoiceBox(HWND dialog, int id, const CChoiceList& list, int index) {
    HWND box = GetDlgItem(dialog, id);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (std::u16string_view entry : list.entries) {
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(std::u16string(entry))));
    }
    std::u16string shown(list.entries[static_cast<size_t>(index)]);
    SendMessageW(box, CB_SETCURSEL,
                 SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(Wide(shown))),
                 0);
}

int ChoiceBoxIndex(HWND dialog, int id, const CChoiceList& list) {
    return ChoiceIndexTyped(list, DialogItemText(dialog, id));
}

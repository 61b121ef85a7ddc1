#include "options/FieldOptionsDialog.h"

#include "config/Settings.h"
#include "options/DialogControls.h"
#include "options/OptionsDialog.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"

namespace {

constexpr int kValidNumericsLimit = 255;

void FillControls(HWND dialog) {
    const CSettings& s = *gSettings;
    SetChecked(dialog, IDC_ENTER_TO_F0, s.FieldEnterToF0());
    SetChecked(dialog, IDC_OVERWRITE_ENTRY, s.FieldEdit());
    SendDlgItemMessageW(dialog, IDC_VALID_NUMERICS, EM_LIMITTEXT, kValidNumericsLimit, 0);
    SetDlgItemTextW(dialog, IDC_VALID_NUMERICS, Wide(s.FieldNumericValue()));
}

void StoreControls(HWND dialog) {
    CSettings& s = *gSettings;
    s.SetFieldEnterToF0(IsChecked(dialog, IDC_ENTER_TO_F0));
    s.SetFieldEdit(IsChecked(dialog, IDC_OVERWRITE_ENTRY));
    s.SetFieldNumericValue(DialogItemText(dialog, IDC_VALID_NUMERICS));
}

const COptionsDialogKind kFieldOptions = {IDD_FIELDOPTIONS, FillControls, StoreControls};

}  // namespace

INT_PTR RunFieldOptionsDialog(HWND owner) {
    return RunOptionsDialog(owner, kFieldOptions);
}

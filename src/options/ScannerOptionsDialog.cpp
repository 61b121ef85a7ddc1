#include "options/ScannerOptionsDialog.h"

#include "config/Settings.h"
#include "options/DialogControls.h"
#include "options/OptionsDialog.h"
#include "resources/resource.h"

namespace {

void FillControls(HWND dialog) {
    const CSettings& s = *gSettings;
    CheckRadioButton(dialog, IDC_WEDGE_READER, IDC_CALLBACK,
                     s.ScannerModeCallBack() ? IDC_CALLBACK : IDC_WEDGE_READER);
    SetChecked(dialog, IDC_APPEND_ENTER, s.ScannerAppendEnter());
    SetChecked(dialog, IDC_APPEND_F0, s.ScannerAppendF0());
    SetChecked(dialog, IDC_OVERWRITE_FIELDS, s.ScannerOverwriteField());
}

void StoreControls(HWND dialog) {
    CSettings& s = *gSettings;
    s.SetScannerModeCallBack(IsChecked(dialog, IDC_CALLBACK));
    s.SetScannerAppendEnter(IsChecked(dialog, IDC_APPEND_ENTER));
    s.SetScannerAppendF0(IsChecked(dialog, IDC_APPEND_F0));
    s.SetScannerOverwriteField(IsChecked(dialog, IDC_OVERWRITE_FIELDS));
}

const COptionsDialogKind kScannerOptions = {IDD_SCANNEROPTIONS, FillControls, StoreControls};

}  // namespace

INT_PTR RunScannerOptionsDialog(HWND owner) {
    return RunOptionsDialog(owner, kScannerOptions);
}

#include "options/SerialFeatureOptionsDialog.h"

#include <commctrl.h>

#include "config/Settings.h"
#include "options/DialogControls.h"
#include "options/OptionsDialog.h"
#include "options/SerialDialogRules.h"
#include "resources/resource.h"

namespace {

constexpr int kPortLimit = 2;
constexpr int kCodeLimit = 3;
constexpr int kReadIntervalLimit = 5;
// Holding the read interval's spin for a second moves it in steps of 100.
constexpr UDACCEL kReadIntervalAccel = {1, 100};

// A prefix or suffix edit with its spin and its setting.
struct CFramingCode {
    int id;
    int spin;
    uint8_t (CSettings::*get)() const;
    void (CSettings::*set)(uint8_t);
};

const CFramingCode kFramingCodes[] = {
    {IDC_SI_PREFIX, IDC_SI_PREFIX_SPIN, &CSettings::SerialInPrefix, &CSettings::SetSerialInPrefix},
    {IDC_SI_SUFFIX, IDC_SI_SUFFIX_SPIN, &CSettings::SerialInSuffix, &CSettings::SetSerialInSuffix},
    {IDC_SO_PREFIX, IDC_SO_PREFIX_SPIN, &CSettings::SerialOutPrefix,
     &CSettings::SetSerialOutPrefix},
    {IDC_SO_SUFFIX, IDC_SO_SUFFIX_SPIN, &CSettings::SerialOutSuffix,
     &CSettings::SetSerialOutSuffix},
};

unsigned ItemNumber(HWND dialog, int id) {
    return GetDlgItemInt(dialog, id, nullptr, FALSE);
}

void FillPort(HWND dialog, const std::u16string& port) {
    SetupNumberEdit(dialog, IDC_COMPORT, IDC_COMPORT_SPIN, kPortLimit, 1, 99, ComPortNumber(port));
    if (port.empty()) SetDlgItemTextW(dialog, IDC_COMPORT, L"");
}

void FillControls(HWND dialog) {
    const CSettings& s = *gSettings;
    FillPort(dialog, s.SerialPort());
    SetChecked(dialog, IDC_SERIAL_OUT, s.SerialOutEnabled());
    SetChecked(dialog, IDC_SERIAL_IN, s.SerialInEnabled());
    FillChoiceBox(dialog, IDC_SI_MODE, kSerialInModeList,
                  s.SerialCommand() ? kSerialInCommand : kSerialInModeList.fallback);
    for (const CFramingCode& c : kFramingCodes) {
        SetupNumberEdit(dialog, c.id, c.spin, kCodeLimit, 0, 127, (s.*c.get)());
    }
    SetupNumberEdit(dialog, IDC_READ_INTERVAL, IDC_READ_INTERVAL_SPIN, kReadIntervalLimit, 100,
                    10000, static_cast<int>(s.SerialTimeouts().readIntervalTimeout));
    UDACCEL accel = kReadIntervalAccel;
    SendDlgItemMessageW(dialog, IDC_READ_INTERVAL_SPIN, UDM_SETACCEL, 1,
                        reinterpret_cast<LPARAM>(&accel));
}

void StoreControls(HWND dialog) {
    CSettings& s = *gSettings;
    s.SetSerialPort(ComPortText(ItemNumber(dialog, IDC_COMPORT)));
    s.SetSerialOutEnabled(IsChecked(dialog, IDC_SERIAL_OUT));
    s.SetSerialInEnabled(IsChecked(dialog, IDC_SERIAL_IN));
    // A typed mode that names neither entry keeps the mode as it was.
    int mode = ChoiceBoxIndex(dialog, IDC_SI_MODE, kSerialInModeList);
    if (mode >= 0) s.SetSerialCommand(mode == kSerialInCommand);
    for (const CFramingCode& c : kFramingCodes) (s.*c.set)(SevenBitCode(ItemNumber(dialog, c.id)));
    CSerialTimeouts timeouts = s.SerialTimeouts();
    timeouts.readIntervalTimeout = DialogReadInterval(ItemNumber(dialog, IDC_READ_INTERVAL));
    s.SetSerialTimeouts(timeouts);
}

const COptionsDialogKind kSerialFeatureOptions = {IDD_SERIALFEATURE, FillControls, StoreControls};

}  // namespace

INT_PTR RunSerialFeatureOptionsDialog(HWND owner) {
    return RunOptionsDialog(owner, kSerialFeatureOptions);
}

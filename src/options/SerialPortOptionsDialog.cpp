#include "options/SerialPortOptionsDialog.h"

#include "config/Settings.h"
#include "options/DialogControls.h"
#include "options/OptionsDialog.h"
#include "options/SerialDialogRules.h"
#include "resources/resource.h"

namespace {

// One drop-down and the serial text it edits.
struct CLineChoice {
    int id;
    const CChoiceList& list;
    const std::u16string& (CSettings::*get)() const;
    void (CSettings::*set)(std::u16string_view);
};

const CLineChoice kLineChoices[] = {
    {IDC_BAUD, kBaudRateList, &CSettings::SerialBaudRate, &CSettings::SetSerialBaudRate},
    {IDC_DATA_BITS, kDataBitsList, &CSettings::SerialDataBits, &CSettings::SetSerialDataBits},
    {IDC_PARITY, kParityList, &CSettings::SerialParity, &CSettings::SetSerialParity},
    {IDC_STOP_BITS, kStopBitsList, &CSettings::SerialStopBits, &CSettings::SetSerialStopBits},
};

void FillControls(HWND dialog) {
    for (const CLineChoice& c : kLineChoices) {
        FillChoiceBox(dialog, c.id, c.list, ChoiceIndexFor(c.list, (gSettings->*c.get)()));
    }
}

// A text typed over a drop-down that names none of its entries keeps the
// setting as it was.
void StoreControls(HWND dialog) {
    for (const CLineChoice& c : kLineChoices) {
        int index = ChoiceBoxIndex(dialog, c.id, c.list);
        if (index >= 0) (gSettings->*c.set)(c.list.entries[static_cast<size_t>(index)]);
    }
}

const COptionsDialogKind kSerialPortOptions = {IDD_SERIALPORT, FillControls, StoreControls};

}  // namespace

INT_PTR RunSerialPortOptionsDialog(HWND owner) {
    return RunOptionsDialog(owner, kSerialPortOptions);
}

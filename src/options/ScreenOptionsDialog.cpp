#include "options/ScreenOptionsDialog.h"

#include "config/Settings.h"
#include "options/DialogControls.h"
#include "options/OptionsDialog.h"
#include "options/OptionsRules.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"

namespace {

constexpr int kWaterMarkLimit = 32;
constexpr int kScreenSizeLimit = 3;
constexpr int kScreenSizeMax = 207;

void FillControls(HWND dialog) {
    const CSettings& s = *gSettings;
    SetChecked(dialog, IDC_FULLSCREEN, s.FullScreen());
    SetChecked(dialog, IDC_CUSTOM_COLORS, s.CustomColorMode());
    SetChecked(dialog, IDC_WATERMARK, s.ShowWaterMark());
    SendDlgItemMessageW(dialog, IDC_WATERMARK_TEXT, EM_LIMITTEXT, kWaterMarkLimit, 0);
    SetDlgItemTextW(dialog, IDC_WATERMARK_TEXT, Wide(s.WaterMarkText()));
    SetupNumberEdit(dialog, IDC_SCREENCOLS, IDC_SCREENCOLS_SPIN, kScreenSizeLimit, 1,
                    kScreenSizeMax, s.ScreenCols());
    SetupNumberEdit(dialog, IDC_SCREENROWS, IDC_SCREENROWS_SPIN, kScreenSizeLimit, 1,
                    kScreenSizeMax, s.ScreenRows());
    CheckRadioButton(dialog, IDC_TOOLBAR_DISABLED, IDC_TOOLBAR_SIZE3,
                     IDC_TOOLBAR_DISABLED + ToolbarRadioFor(s.ToolbarSize()));
}

void StoreControls(HWND dialog) {
    CSettings& s = *gSettings;
    s.SetFullScreen(IsChecked(dialog, IDC_FULLSCREEN));
    s.SetCustomColorMode(IsChecked(dialog, IDC_CUSTOM_COLORS));
    s.SetShowWaterMark(IsChecked(dialog, IDC_WATERMARK));
    s.SetWaterMarkText(DialogWaterMark(DialogItemText(dialog, IDC_WATERMARK_TEXT)));
    s.SetScreenSize(static_cast<int>(GetDlgItemInt(dialog, IDC_SCREENCOLS, nullptr, FALSE)),
                    static_cast<int>(GetDlgItemInt(dialog, IDC_SCREENROWS, nullptr, FALSE)));
    std::array<bool, kToolbarRadioCount> checked;
    for (int i = 0; i < kToolbarRadioCount; ++i) {
        checked[i] = IsChecked(dialog, IDC_TOOLBAR_DISABLED + i);
    }
    s.SetToolbarSize(ToolbarSizeFromRadios(checked));
}

const COptionsDialogKind kScreenOptions = {IDD_SCREENOPTIONS, FillControls, StoreControls};

}  // namespace

INT_PTR RunScreenOptionsDialog(HWND owner) {
    return RunOptionsDialog(owner, kScreenOptions);
}

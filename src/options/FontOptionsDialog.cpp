#include "options/FontOptionsDialog.h"

#include <vector>

#include "config/Settings.h"
#include "options/DialogControls.h"
#include "options/FontFamilyList.h"
#include "options/OptionsDialog.h"
#include "options/OptionsRules.h"
#include "platform/Handles_win.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"

namespace {

constexpr int kPointSizeLimit = 2;

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    reinterpret_cast<CFontFamilyList*>(list)->Add(
        reinterpret_cast<const char16_t*>(font->lfFaceName));
    return 1;
}

// Every family of the dialog's device context: an empty face name asks for
// one face per family and character set.
CFontFamilyList InstalledFamilies(HWND dialog) {
    CFontFamilyList list;
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wanted.lfOutPrecision = static_cast<BYTE>(gSettings->FontOutPrecision());
    wanted.lfQuality = static_cast<BYTE>(gSettings->FontQuality());
    CWindowDc dc(dialog);
    EnumFontFamiliesExW(dc.Get(), &wanted, AddFamily, reinterpret_cast<LPARAM>(&list), 0);
    return list;
}

void FillFontNames(HWND dialog, const std::u16string& fontName) {
    HWND names = GetDlgItem(dialog, IDC_FONT_NAME);
    SendMessageW(names, CB_RESETCONTENT, 0, 0);
    CFontFamilyList list = InstalledFamilies(dialog);
    for (const std::u16string& name : list.Names()) {
        SendMessageW(names, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name)));
    }
    SendMessageW(names, CB_SETCURSEL, list.SelectionFor(fontName), 0);
}

void FillControls(HWND dialog) {
    const CSettings& s = *gSettings;
    FillFontNames(dialog, s.FontName());
    SendDlgItemMessageW(dialog, IDC_FONT_SIZE, EM_LIMITTEXT, kPointSizeLimit, 0);
    SetDlgItemInt(dialog, IDC_FONT_SIZE, static_cast<UINT>(s.FontPointSize()), FALSE);
    SetChecked(dialog, IDC_FONT_AUTOSIZE, s.FontAutoSize());
    SetDlgItemInt(dialog, IDC_CELL_WIDTH, static_cast<UINT>(s.CharacterCellAdditionalWidth()),
                  TRUE);
    SetChecked(dialog, IDC_UPPER_CASE, s.UpperCaseInputMode());
}

// The selected entry's text; without one (no family was reported) the
// font name stays as it was.
void StoreFontName(HWND dialog) {
    HWND names = GetDlgItem(dialog, IDC_FONT_NAME);
    LRESULT selected = SendMessageW(names, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return;
    LRESULT length = SendMessageW(names, CB_GETLBTEXTLEN, selected, 0);
    if (length == CB_ERR) return;
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    SendMessageW(names, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    gSettings->SetFontName(FromWide(text.data()));
}

void StoreControls(HWND dialog) {
    CSettings& s = *gSettings;
    StoreFontName(dialog);
    s.SetFontPointSize(static_cast<int>(GetDlgItemInt(dialog, IDC_FONT_SIZE, nullptr, FALSE)));
    s.SetFontAutoSize(IsChecked(dialog, IDC_FONT_AUTOSIZE));
    s.SetCharacterCellAdditionalWidth(
        DialogCellWidth(static_cast<int>(GetDlgItemInt(dialog, IDC_CELL_WIDTH, nullptr, TRUE))));
    s.SetUpperCaseInputMode(IsChecked(dialog, IDC_UPPER_CASE));
}

const COptionsDialogKind kFontOptions = {IDD_FONTOPTIONS, FillControls, StoreControls};

}  // namespace

INT_PTR RunFontOptionsDialog(HWND owner) {
    return RunOptionsDialog(owner, kFontOptions);
}

#include "fields/EntryWindow.h"

#include <string>

#include "app/KeyboardState.h"
#include "config/Settings.h"
#include "fields/EntryEditor.h"
#include "fields/EntryLayout.h"
#include "fields/FieldFont.h"
#include "fields/FieldLook.h"
#include "fields/FieldWindow.h"
#include "fields/GdiScope.h"
#include "platform/AppMessages.h"
#include "platform/WideText_win.h"
#include "screen/Field.h"

namespace {

constexpr WPARAM kCopyCode = 3;
constexpr WPARAM kPasteCode = 22;

// The pixel width of the first n characters, 0 outside 1..length.
int Extent(HDC dc, const std::wstring& text, int n) {
    if (n < 1 || n > static_cast<int>(text.size())) return 0;
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), n, &size);
    return size.cx;
}

// Paints the field into target and returns the caret's x. The text is drawn
// into an image wider than the box, of which the part around the caret is
// shown.
int PaintEntry(HWND window, HDC target, CField& field, bool placeCaret) {
    RECT client;
    GetClientRect(window, &client);
    const int W = client.right, H = client.bottom;
    const CSettings& s = *gSettings;
    int length = static_cast<int>(field.text.Get().size());
    field.textImageWidth = EntryTextImageWidth(length, static_cast<int>(field.displayLength),
                                               s.CellWidth(), s.CharacterCellAdditionalWidth());
    CMemoryCanvas frame(target, W, H);
    CMemoryCanvas image(target, field.textImageWidth, H - 2);
    if (!frame || !image) return 2;

    CEntryLook look = EntryLook(field, s, GetFocus() == window);
    {
        CPen pen(CreatePen(PS_SOLID, 1, Rgb(look.frame)));
        CBrush brush(CreateSolidBrush(Rgb(look.back)));
        CSelection penSelected(frame.Dc(), pen.Get());
        CSelection brushSelected(frame.Dc(), brush.Get());
        Rectangle(frame.Dc(), 0, 0, W, H);
    }
    {
        CPen pen(CreatePen(PS_SOLID, 1, Rgb(look.back)));
        CBrush brush(CreateSolidBrush(Rgb(look.back)));
        CSelection penSelected(image.Dc(), pen.Get());
        CSelection brushSelected(image.Dc(), brush.Get());
        Rectangle(image.Dc(), 0, 0, field.textImageWidth - 3, H - 2);
    }
    CFont font(CreateFieldFont(VideoStyle(field) == kBoldVideo));
    CSelection fontSelected(image.Dc(), font.Get());
    SetTextColor(image.Dc(), Rgb(look.text));
    SetBkMode(image.Dc(), TRANSPARENT);

    bool password = field.typeByte & kPasswordEntry;
    std::wstring shown = password ? std::wstring(static_cast<size_t>(length), L'*')
                                  : std::wstring(Wide(field.text.Get()));
    if (password && placeCaret && field.freshFocus) field.caretIndex = 0;
    int T = Extent(image.Dc(), shown, length);
    int C = Extent(image.Dc(), shown, field.caretIndex);
    CEntryPlacement place;
    if (password) {
        RECT area = {0, 0, W, H - 2};
        DrawTextW(image.Dc(), shown.c_str(), length, &area, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
        place = {0, 1, ClampEntryCaret(C, W)};
        field.caretX = place.caretX;
    } else {
        RECT area = {0, 0, field.textImageWidth, H - 2};
        UINT align = field.displayLength == 1 ? DT_CENTER : DT_LEFT;
        DrawTextW(image.Dc(), shown.c_str(), length, &area,
                  DT_SINGLELINE | DT_NOCLIP | DT_VCENTER | DT_BOTTOM | align);
        place = PlaceEntryText(T, C, W, field.typeByte & kRightAligned);
    }
    BitBlt(frame.Dc(), place.destX, 1, W - 2, H - 2, image.Dc(), place.sourceX, 0, SRCCOPY);
    int gridWidth = static_cast<int>(field.displayLength) * s.CellWidth() + 1;
    StretchBlt(target, 0, 0, W + 1, H, frame.Dc(), 0, 0, gridWidth, H, SRCCOPY);
    return place.caretX;
}

// The entry field's window work for its editor.
class CEntryWindow : public CEntryWindowWork {
public:
    CEntryWindow(HWND hwnd, CField& record) : window(hwnd), field(record) {}

    intptr_t SendToMain(unsigned message, uintptr_t wParam, intptr_t lParam) override {
        return ::SendToMain(field, message, wParam, lParam);
    }
    void Beep(bool messageBox) override { MessageBeep(messageBox ? MB_OK : 0xFFFFFFFF); }
    void Redraw() override {
        if (field.hasCaret) HideCaret(window);
        CWindowDc dc(window);
        int x = PaintEntry(window, dc.Get(), field, true);
        if (field.hasCaret) {
            ShowCaret(window);
            SetCaretPos(x, 1);
        }
    }

    void GainFocus() {
        RECT client;
        GetClientRect(window, &client);
        CreateCaret(window, nullptr, 1, client.bottom - 3);
        field.caretIndex = 0;
        {
            CWindowDc dc(window);
            SetCaretPos(PaintEntry(window, dc.Get(), field, true), 1);
        }
        field.hasCaret = 1;
        field.freshFocus = 1;
        ShowCaret(window);
        SendToMain(UM_SETCURRENTFIELD, static_cast<uintptr_t>(field.fieldNumber), 0);
    }

    void LoseFocus(CEntryEditor& editor) {
        editor.LoseFocus();
        field.hasCaret = 0;
        HideCaret(window);
        DestroyCaret();
        InvalidateRect(window, nullptr, FALSE);
    }

    // Every character of the clipboard's text goes to the focus window as if
    // typed, so each one passes the field's rules.
    void Paste() {
        if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(window)) return;
        std::wstring text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        for (wchar_t c : text) SendMessageW(GetFocus(), WM_CHAR, c, 0);
    }

private:
    HWND window;
    CField& field;
};

void OnChar(HWND window, CField& field, CEntryWindow& work, CEntryEditor& editor, WPARAM code) {
    if (field.attrFlag4) return;
    HWND focus = GetFocus();
    if (focus != window) {
        if (focus) SendMessageW(focus, WM_CHAR, code, 0);
        return;
    }
    if (code == kCopyCode) return;
    if (code == kPasteCode) {
        work.Paste();
        return;
    }
    editor.Character(static_cast<char16_t>(code), false, KeyPressNow(0));
}

bool OnEntryMessage(HWND window, CField& field, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT& result) {
    result = 0;
    CEntryWindow work(window, field);
    CEntryEditor editor(field, *gSettings, work);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_KEYUP:
            return true;
        case UM_BLINK:
            return OnBlink(window, field, lParam, false);
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT || HIWORD(lParam) != WM_LBUTTONDOWN) return false;
            if (!field.skipFocus) SetFocus(window);
            result = TRUE;
            return true;
        case WM_SETFOCUS:
            work.GainFocus();
            return true;
        case WM_KILLFOCUS:
            work.LoseFocus(editor);
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            editor.KeyDown(KeyPressNow(wParam));
            return true;
        case WM_CHAR:
            OnChar(window, field, work, editor, wParam);
            return true;
        case UM_INPUTCHAR:
            editor.Character(static_cast<char16_t>(wParam), true);
            return true;
        case UM_CLEARFIELD:
            editor.Clear();
            return true;
    }
    return false;
}

}  // namespace

LRESULT CALLBACK EntryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const CFieldWindowKind kind = {
        [](CField& field) { SetEntryColourSlots(field, *gSettings); },
        [](HWND window, HDC dc, CField& field, int, int) { PaintEntry(window, dc, field, false); },
        OnEntryMessage,
    };
    return FieldWindowMessage(kind, window, message, wParam, lParam);
}

#include "fields/EntryWindow.h"

#include <string>

#include "config/Settings.h"
#include "fields/EntryEditor.h"
#include "fields/EntryLayout.h"
#include "fields/FieldFont.h"
#include "fields/FieldLook.h"
#include "fields/FieldWindow.h"
#include "fields/GdiScope.h"
#include "fields/MemoryCanvas.h"
#include "platform/AppMessages.h"
#include "platform/KeyboardState_win.h"
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

// A rectangle from the origin with a one-pixel line of one colour, filled
// with another.
void LinedBox(HDC dc, int right, int bottom, uint32_t line, uint32_t fill) {
    CPen pen(CreatePen(PS_SOLID, 1, Rgb(line)));
    CBrush brush(CreateSolidBrush(Rgb(fill)));
    CSelection penSelected(dc, pen.Get());
    CSelection brushSelected(dc, brush.Get());
    Rectangle(dc, 0, 0, right, bottom);
}

// The part of the frame that the stretched copy to the window reads for the
// reached part of the window: the copy maps the grid width onto W + 1
// columns. Two columns more on each side allow for its rounding.
bool FrameArea(const RECT& reached, int gridWidth, int W, int H, RECT& area) {
    RECT needed = {MulDiv(reached.left, gridWidth, W + 1) - 2, reached.top,
                   MulDiv(reached.right, gridWidth, W + 1) + 2, reached.bottom};
    RECT frame = {0, 0, W, H};
    return IntersectRect(&area, &needed, &frame) != FALSE;
}

// The part of the text image that lands in the given part of the frame: the
// box inside the frame's line shows the image from the placement's source x.
bool ImageArea(const RECT& frameArea, const CEntryPlacement& place, int W, int H, int imageWidth,
               RECT& area) {
    RECT box = {place.destX, 1, place.destX + W - 2, H - 1};
    RECT inBox;
    if (!IntersectRect(&inBox, &frameArea, &box)) return false;
    OffsetRect(&inBox, place.sourceX - place.destX, -1);
    RECT image = {0, 0, imageWidth, H - 2};
    return IntersectRect(&area, &inBox, &image) != FALSE;
}

// The text image: the background and all of the shown text on it.
void DrawTextImage(HDC dc, const CField& field, HFONT font, const std::wstring& shown,
                   const CEntryLook& look, int W, int H) {
    LinedBox(dc, field.textImageWidth - 3, H - 2, look.back, look.back);
    CSelection fontSelected(dc, font);
    SetTextColor(dc, Rgb(look.text));
    SetBkMode(dc, TRANSPARENT);
    int length = static_cast<int>(shown.size());
    if (field.typeByte & kPasswordEntry) {
        RECT area = {0, 0, W, H - 2};
        DrawTextW(dc, shown.c_str(), length, &area, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    } else {
        RECT area = {0, 0, field.textImageWidth, H - 2};
        UINT align = field.displayLength == 1 ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, shown.c_str(), length, &area,
                  DT_SINGLELINE | DT_NOCLIP | DT_VCENTER | DT_BOTTOM | align);
    }
}

// Paints the field into target and returns the caret's x. The text is drawn
// into an image wider than the box, of which the part around the caret is
// shown. Frame and image are buffered only as far as they reach the window:
// a field can be far wider than the screen.
int PaintEntry(HWND window, HDC target, CField& field, bool placeCaret) {
    RECT client;
    GetClientRect(window, &client);
    const int W = client.right, H = client.bottom;
    const CSettings& s = *gSettings;
    // One copy for the whole paint: the host may change the text meanwhile.
    std::u16string text = field.text.Get();
    int length = static_cast<int>(text.size());
    field.textImageWidth = EntryTextImageWidth(length, static_cast<int>(field.displayLength),
                                               s.CellWidth(), s.CharacterCellAdditionalWidth());
    HFONT font = FieldFont(VideoStyle(field) == kBoldVideo);
    bool password = field.typeByte & kPasswordEntry;
    std::wstring shown =
        password ? std::wstring(static_cast<size_t>(length), L'*') : std::wstring(Wide(text));
    if (password && placeCaret && field.freshFocus) field.caretIndex = 0;
    CEntryPlacement place;
    {
        CSelection fontSelected(target, font);
        int T = Extent(target, shown, length);
        int C = Extent(target, shown, field.caretIndex);
        place = password ? CEntryPlacement{0, 1, ClampEntryCaret(C, W)}
                         : PlaceEntryText(T, C, W, field.typeByte & kRightAligned);
    }
    if (password) field.caretX = place.caretX;

    int gridWidth = static_cast<int>(field.displayLength) * s.CellWidth() + 1;
    RECT reached, frameArea, imageArea;
    if (!ReachedArea(target, client, reached) || !FrameArea(reached, gridWidth, W, H, frameArea)) {
        return place.caretX;
    }
    CMemoryCanvas frame(target, frameArea);
    if (!frame) return place.caretX;
    CEntryLook look = EntryLook(field, s, FieldWindowHasFocus(window));
    LinedBox(frame.Dc(), W, H, look.frame, look.back);
    if (ImageArea(frameArea, place, W, H, field.textImageWidth, imageArea)) {
        CMemoryCanvas image(target, imageArea);
        if (!image) return place.caretX;
        DrawTextImage(image.Dc(), field, font, shown, look, W, H);
        BitBlt(frame.Dc(), place.destX, 1, W - 2, H - 2, image.Dc(), place.sourceX, 0, SRCCOPY);
    }
    StretchBlt(target, 0, 0, W + 1, H, frame.Dc(), 0, 0, gridWidth, H, SRCCOPY);
    return place.caretX;
}

// The clipboard's text, taken before anything is typed with it: the clipboard
// stays open no longer than that.
std::wstring ClipboardText(HWND window) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
    CClipboard clipboard(window);
    if (!clipboard) return {};
    CGlobalLock data(GetClipboardData(CF_UNICODETEXT));
    auto* chars = static_cast<const wchar_t*>(data.Data());
    return chars ? std::wstring(chars) : std::wstring();
}

// The entry field's window work for its editor.
class CEntryWindow : public CReportsToMain<CEntryWindowWork> {
public:
    CEntryWindow(HWND hwnd, CField& record) : CReportsToMain(record), window(hwnd), field(record) {}

    int CurrentField() override {
        CField* current = nullptr;
        LRESULT found =
            SendToMain(field, UM_GETCURRENTFIELD, 0, reinterpret_cast<LPARAM>(&current));
        return found > 0 && current ? current->fieldNumber : -1;
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

    void GainFocus(CEntryEditor& editor) {
        RECT client;
        GetClientRect(window, &client);
        CreateCaret(window, nullptr, 1, client.bottom - 3);
        editor.GainFocus();
        {
            CWindowDc dc(window);
            SetCaretPos(PaintEntry(window, dc.Get(), field, true), 1);
        }
        ShowCaret(window);
    }

    void LoseFocus(CEntryEditor& editor) {
        editor.LoseFocus();
        HideCaret(window);
        DestroyCaret();
        InvalidateRect(window, nullptr, FALSE);
    }

    // Every character of the clipboard's text goes to the focus window as if
    // typed, so each one passes the field's rules.
    void Paste() {
        for (wchar_t c : ClipboardText(window)) SendMessageW(GetFocus(), WM_CHAR, c, 0);
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
            work.GainFocus(editor);
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

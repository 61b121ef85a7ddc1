#pragma once

#include <windows.h>

#include <functional>

#include "platform/AppMessages.h"

class CField;
class CPage;

// What every field window shares: the binding to its record, the messages
// to the main window, and the double-buffered paint.

// The page's record whose window this is, found by the window's id, the
// field number: null once the field list has let the window go. Binding and
// letting go so cost the window system nothing.
CField* BoundField(HWND window, const CPage& page);

// Handling while no record is bound: close and destroy, else default.
LRESULT UnboundFieldMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Where the field's window goes on its page, in the current cell grid:
// left, top, width and height.
RECT FieldWindowPlace(const CField& field);

// Whether the field window has the keyboard focus, as GetFocus would say.
bool FieldWindowHasFocus(HWND window);

// True while the field's page is the one shown.
bool PageShown(const CField& field);

// A synchronous message to the main window the field reports to.
LRESULT SendToMain(const CField& field, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the client area with paint(dc, client width, client height) into a
// memory bitmap that holds only the part to paint that shows, and copies it
// to the window at once; the painter draws in client coordinates.
using FieldPainter = std::function<void(HDC dc, int width, int height)>;
void PaintBuffered(HWND window, const FieldPainter& paint);

// The messages every field window handles alike while bound: WM_DESTROY,
// WM_CLOSE, WM_PAINT and WM_ERASEBKGND. False for any other message.
bool CommonFieldMessage(HWND window, const CField& field, UINT message, const FieldPainter& paint,
                        LRESULT& result);

// One kind of field window: the colour slots it fills when made, how it
// paints, and its own messages (returning false for those it leaves to
// default processing).
struct CFieldWindowKind {
    void (*setSlots)(CField& field);
    void (*paint)(HWND window, HDC dc, CField& field, int width, int height);
    bool (*onMessage)(HWND window, CField& field, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result);
};

// The window procedure of every field window, for its kind.
LRESULT FieldWindowMessage(const CFieldWindowKind& kind, HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam);

// Blinking fields show the phase the page sends; every is true for fields
// that repaint at each blink whatever their style.
bool OnBlink(HWND window, CField& field, LPARAM phase, bool every);

// A field window's work for its field's editing or input, with the reports
// sent to the main window.
template <typename Work>
class CReportsToMain : public Work {
public:
    explicit CReportsToMain(CField& field) : field(field) {}

    void CompleteField(int number) override {
        SendToMain(field, UM_FIELDCOMPLETE, static_cast<WPARAM>(number), 0);
    }
    void MoveFocus(int direction) override {
        SendToMain(field, UM_MOVEFOCUS, static_cast<WPARAM>(direction), 0);
    }
    void SendKey(int number, int key) override {
        SendToMain(field, UM_KEY, static_cast<WPARAM>(number), key);
    }
    void SetCurrentField(int number) override {
        SendToMain(field, UM_SETCURRENTFIELD, static_cast<WPARAM>(number), 0);
    }

private:
    CField& field;
};

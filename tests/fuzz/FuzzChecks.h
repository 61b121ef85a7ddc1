// What the fuzz targets share: their input, the checks, and what they all
// build on: settings, pages and the recording port.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "config/Settings.h"
#include "fields/ControlInput.h"
#include "fields/EntryEditor.h"
#include "platform/KeyMap.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

class CTerminalState;

// The fuzz input read front to back as the choices of one run. Past its end
// every byte reads 0, so a short input is still a whole run.
class CFuzzBytes {
public:
    CFuzzBytes(const uint8_t* data, size_t size) : at(data), end(data + size) {}

    bool AtEnd() const { return at == end; }
    uint8_t Byte() { return at < end ? *at++ : 0; }
    // The next n bytes, fewer at the end.
    std::string Take(size_t n) { return Next<std::string>(n); }
    // A byte counted text, each byte the character of that code.
    std::u16string CountedText() { return Next<std::u16string>(Byte()); }

private:
    template <class Text>
    Text Next(size_t n) {
        n = std::min(n, static_cast<size_t>(end - at));
        at += n;
        return Text(at - n, at);
    }

    const uint8_t* at;
    const uint8_t* end;
};

// Ends the run as a crash, so that libFuzzer keeps the input, when a promise
// does not hold.
inline void Require(bool holds) {
    if (!holds) __builtin_trap();
}

// No field text outgrows its buffer, whatever came in.
void CheckFieldTexts(const CPage& page);
void CheckFieldTexts(const CTerminalState& terminal);

// A key with Ctrl, Shift and Alt from the low three bits.
inline CKeyPress KeyPress(unsigned key, unsigned bits) {
    return {key, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

// The window side of an entry or control field: counts the reports, and checks
// that the focus moves by one, keys are real keys and, when field is set, that
// the reports name it (a key may name the current field).
class CCheckedWork : public CEntryWindowWork, public CControlWork {
public:
    void CompleteField(int number) override { Count(number); }
    void MoveFocus(int direction) override { Count(field, direction == 1 || direction == -1); }
    // The key map gives Enter as F0 up to Ctrl+F24.
    void SendKey(int number, int key) override {
        Count(number == current ? field : number, key >= 0 && key <= 44);
    }
    void SetCurrentField(int number) override { Require(field < 0 || number == field); }
    int CurrentField() override { return current; }
    void Beep(bool) override {}
    void Redraw() override {}
    void Repaint(CField&) override {}
    void CaptureMouse() override {}
    void ReleaseMouse() override {}

    int field = -1;
    int current = -1;
    int reports = 0;

private:
    void Count(int number, bool holds = true) {
        Require(holds && (field < 0 || number == field));
        ++reports;
    }
};

// Whether a numeric entry field may hold the text: each character is one of
// the set, or the capital of a small letter of the set when input is turned
// to upper case.
bool NumericAllows(const CSettings& settings, std::u16string_view text);

// The settings that change how typing is taken, from the low four bits of
// flags; the numeric set, when its bit is set, from the input.
void SetEditingSettings(CSettings& settings, uint8_t flags, CFuzzBytes& in);

// Hands bytes on in the pieces a link or a port might deliver them in: the
// piece lengths, up to 4 KiB, follow from seed. Each piece is a copy of
// exactly its size, so a read past it is caught.
void FeedInPieces(const std::string& bytes, uint16_t seed,
                  const std::function<void(const unsigned char* piece, size_t n)>& feed);

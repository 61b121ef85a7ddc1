#include "protocol/FieldCommands.h"

#include <algorithm>
#include <string>

#include "platform/TextCodec.h"
#include "protocol/Interpreter.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"

namespace {

constexpr int kMaxOptionLength = 2047;

// Fresh creation values the defining commands share.
void ResetDefinition(CField& field) {
    field.skipFocus = 0;
    field.controlKind = kPlainControl;
    field.prefixLength = 0;
    field.modified = 0;
    field.prefixText.Free();
}

}  // namespace

CField* CFieldCommands::FindField(int number) const {
    CPage* page = in.CurrentPage();
    return page ? page->fields.FindField(number) : nullptr;
}

CField* CFieldCommands::CreateField(int number, int row, int column, int length) const {
    CPage* page = in.CurrentPage();
    if (!page) return nullptr;
    in.refreshPending = true;
    return page->fields.CreateField(number, static_cast<uint32_t>(row), column, length);
}

void CFieldCommands::SendToSerialPort(const CField& field) const {
    if (!field.skipFocus || field.Class() != kFixedField) return;
    std::u16string text = field.text.Get();
    if (text.empty() || !field.page->parentWindow) return;
    in.terminal.port.SendToSerialPort(EncodeText(text, false));
}

void CFieldCommands::DefineField() {
    CRecordReader& r = in.reader;
    int number = r.NextShortNumber();
    int row = r.NextShortNumber();
    int column = r.NextShortNumber();
    unsigned char type = r.NextByte();
    unsigned char attribute = r.NextByte();
    int length = r.NextLongNumber();
    if (r.Cut()) return;

    CField* field = CreateField(number, row, column, length);
    if (!field) return;
    field->typeByte = type;
    field->attrByte = attribute;
    field->attrFlag4 = (attribute & 0x04) ? 1 : 0;
    ResetDefinition(*field);
    field->text.Allocate(field->maxLength);
    field->changed = 1;
}

void CFieldCommands::DefineFixedField() {
    CRecordReader& r = in.reader;
    int number = r.NextShortNumber();
    int row = r.NextShortNumber();
    int column = r.NextShortNumber();
    int length = r.NextLongNumber();
    const unsigned char* bytes;
    size_t n = r.NextText(length, true, bytes);
    if (r.Cut()) return;

    CField* field = CreateField(number, row, column, length);
    if (!field) return;
    field->typeByte = 'A';
    field->attrByte = '@';
    field->attrFlag4 = 0;
    ResetDefinition(*field);
    field->text.Allocate(static_cast<int>(field->displayLength));
    field->text.Decode(bytes, n, in.HostTextIsUTF8());
    field->changed = 1;
}

void CFieldCommands::ChangeType() {
    CRecordReader& r = in.reader;
    int number = r.NextShortNumber();
    unsigned char type = r.NextByte();
    unsigned char attribute = r.NextByte();
    if (r.Cut()) return;

    CField* field = FindField(number);
    if (!field) return;
    field->typeByte = type;
    field->attrByte = attribute;
    field->attrFlag4 = (attribute & 0x04) ? 1 : 0;
    field->changed = 1;
    in.refreshPending = true;
}

void CFieldCommands::SetState() {
    CRecordReader& r = in.reader;
    int number = r.NextShortNumber();
    unsigned char state = r.NextByte();
    if (r.Cut()) return;

    CField* field = FindField(number);
    if (!field) return;
    field->stateByte = state;
    field->skipFocus = state & 0x01;
    field->changed = 1;
    in.refreshPending = true;
    SendToSerialPort(*field);
}

void CFieldCommands::SetText() {
    CRecordReader& r = in.reader;
    int number = r.NextShortNumber();
    int count = r.NextLongNumber();
    const unsigned char* bytes;
    size_t n = r.NextText(count, false, bytes);
    if (r.Cut()) return;

    CField* field = FindField(number);
    if (!field) return;
    if (field->text.IsNull()) field->text.Allocate(field->maxLength);
    if (n > 0) {
        field->text.Decode(bytes, n, in.HostTextIsUTF8());
    } else {
        field->text.Clear();
    }
    field->changed = 1;
    in.refreshPending = true;
    SendToSerialPort(*field);
}

void CFieldCommands::CopyText() {
    CRecordReader& r = in.reader;
    int fromNumber = r.NextShortNumber();
    int toNumber = r.NextShortNumber();
    if (r.Cut()) return;

    CField* from = FindField(fromNumber);
    CField* to = FindField(toNumber);
    if (!from || !to || from->text.IsNull() || to->text.IsNull()) return;

    size_t n = std::min(from->displayLength, to->displayLength);
    n = std::min(n, static_cast<size_t>(std::max(to->maxLength, 0)));
    to->text.CopyFrom(from->text, n);
    to->changed = 1;
    in.refreshPending = true;
}

void CFieldCommands::EmptyField() {
    int number = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;

    CField* field = FindField(number);
    if (!field) return;
    field->text.Clear();
    in.refreshPending = true;
}

void CFieldCommands::EmptyEntryFields() {
    in.refreshPending = true;
    CPage* page = in.CurrentPage();
    if (!page) return;
    for (CField* field = page->fields.Head(); field; field = field->next) {
        if (field->Class() == kEntryField) field->text.Clear();
    }
}

void CFieldCommands::DeleteField() {
    int number = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;

    in.refreshPending = true;
    CPage* page = in.CurrentPage();
    if (page) page->fields.DeleteField(number);
}

void CFieldCommands::DeleteAllFields() {
    in.refreshPending = true;
    CPage* page = in.CurrentPage();
    if (page) page->fields.Clear();
}

void CFieldCommands::SetOptions() {
    CRecordReader& r = in.reader;
    int number = r.NextShortNumber();
    r.NextLongNumber();  // a length the options do not use
    while (!r.Cut()) {
        unsigned char next;
        if (!r.PeekNext(next) || next != '@') break;
        r.Step(1);
        if (!SetOption(number)) break;
    }
    in.refreshPending = true;
}

bool CFieldCommands::SetOption(int number) {
    CRecordReader& r = in.reader;
    unsigned char letter = r.NextByte();
    if (r.Cut()) return false;
    CField* field = FindField(number);
    unsigned char operand = 0;
    switch (letter) {
        case 'A': {
            if (!field || !r.PeekNext(operand)) return false;
            uint8_t kind;
            switch (operand) {
                case 'B':
                    kind = kButtonControl;
                    break;
                case 'C':
                    kind = kCheckBoxControl;
                    break;
                case 'R':
                    kind = kRadioButtonControl;
                    break;
                case 'S':
                    kind = kSelectButtonControl;
                    break;
                default:
                    return false;
            }
            r.Step(1);
            field->controlKind = kind;
            field->changed = 1;
            return true;
        }
        case 'B': {
            int length = std::clamp(r.NextHexNumber(), 0, kMaxOptionLength);
            if (r.Cut()) return false;
            if (field) {
                field->maxLength = length;
                field->text.Reallocate(length);
                field->changed = 1;
            }
            return true;
        }
        case 'H':
            if (!r.PeekNext(operand) || (operand != '0' && operand != '1')) return false;
            r.Step(1);
            if (field) {
                field->selected = operand - '0';
                field->changed = 1;
            }
            return true;
        case 'M':
            if (field) {
                field->optionM = 1;
                field->changed = 1;
            }
            return true;
        case 'P':
            if (field) field->changed = 1;
            return true;
        case 'S': {
            int size = r.NextShortNumber();
            if (r.Cut()) return false;
            if (field) {
                field->optionS = size;
                field->changed = 1;
            }
            return true;
        }
        default:
            return true;  // "@F", "@I", "@X" and unknown letters have no effect
    }
}

void CFieldCommands::SetPrefix() {
    CRecordReader& r = in.reader;
    int number = r.NextShortNumber();
    int flags = r.NextShortNumber();
    int count = r.NextShortNumber();
    const unsigned char* bytes;
    size_t n = r.NextText(count, false, bytes);
    if (r.Cut()) return;

    CField* field = FindField(number);
    if (!field) return;
    // A later "y" clears the 8 flag but never the 16 or the 4 flag.
    int v = flags & 0xFF;
    if (v > 15) {
        field->prefixFlag16 = 1;
        v -= 16;
    }
    if (v > 7) {
        field->prefixFlag8 = 1;
        v -= 8;
    } else {
        field->prefixFlag8 = 0;
    }
    if (v > 3) {
        field->prefixFlag4 = 1;
        v -= 4;
    }
    field->prefixMode = static_cast<uint8_t>(v);
    field->prefixLength = count;
    field->prefixText.Allocate(count);
    if (n > 0) {
        field->prefixText.Decode(bytes, n, in.HostTextIsUTF8());
        field->prefixSet = 1;
    } else {
        field->prefixSet = 0;
    }
    field->changed = 1;
    in.refreshPending = true;
}

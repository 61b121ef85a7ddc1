#include "headless/ScreenText.h"

#include <algorithm>
#include <cstdio>

#include "fields/EntryEditor.h"
#include "platform/TextCodec.h"
#include "screen/Field.h"
#include "screen/FieldWindowClass.h"
#include "screen/Page.h"

namespace {

constexpr uint8_t kHiddenAttribute = 0x02;

const char* KindName(FieldWindowClass kind) {
    switch (kind) {
        case FieldWindowClass::Entry:
            return "entry";
        case FieldWindowClass::Fixed:
            return "fixed";
        case FieldWindowClass::System:
            return "system";
        case FieldWindowClass::Button:
            return "button";
        case FieldWindowClass::SelectButton:
            return "select";
        case FieldWindowClass::CheckBox:
            return "check";
        case FieldWindowClass::RadioButton:
            return "radio";
        case FieldWindowClass::Keys:
            return "keys";
        case FieldWindowClass::None:
            break;
    }
    return "none";
}

std::string Flags(const CField& field, const CField* focused) {
    std::string flags;
    auto add = [&flags](bool on, const char* name) {
        if (!on) return;
        if (!flags.empty()) flags += ',';
        flags += name;
    };
    bool entry = field.Class() == kEntryField;
    add(field.IsInputStop(), "input");
    add(field.attrByte & kHiddenAttribute, "hidden");
    add(&field == focused, "focused");
    add(field.modified, "modified");
    add(entry && (field.typeByte & kNumericEntry), "numeric");
    return flags.empty() ? "-" : flags;
}

std::u16string Marked(const std::u16string& text, char16_t open, char16_t close) {
    char16_t mark = !text.empty() && text[0] == u'X' ? u'X' : u' ';
    std::u16string shown{open, mark, close};
    return text.empty() ? shown : shown + text.substr(1);
}

}  // namespace

std::u16string ShownText(const CField& field) {
    if (field.attrByte & kHiddenAttribute) return {};
    std::u16string text = field.text.Get();
    const size_t length = field.displayLength;
    switch (WindowClassFor(field)) {
        case FieldWindowClass::Entry:
            if (field.typeByte & kPasswordEntry) return {};
            if ((field.typeByte & kRightAligned) && text.size() < length) {
                return std::u16string(length - text.size(), u' ') + text;
            }
            break;
        case FieldWindowClass::CheckBox:
        case FieldWindowClass::SelectButton:
            return Marked(text, u'[', u']').substr(0, std::max<size_t>(length, 3));
        case FieldWindowClass::RadioButton:
            return Marked(text, u'(', u')').substr(0, std::max<size_t>(length, 3));
        case FieldWindowClass::None:
            return {};
        default:
            break;
    }
    return text.substr(0, length);
}

std::vector<std::u16string> ScreenRows(const CPage* page, int cols, int rows) {
    std::vector<std::u16string> screen(
        static_cast<size_t>(std::max(rows, 0)),
        std::u16string(static_cast<size_t>(std::max(cols, 0)), u' '));
    if (!page) return screen;
    for (const CField* field = page->fields.Head(); field; field = field->next) {
        if (field->row >= screen.size() || field->column < 0 || field->column >= cols) continue;
        std::u16string text = ShownText(*field);
        std::u16string& row = screen[field->row];
        size_t at = static_cast<size_t>(field->column);
        size_t n = std::min(text.size(), row.size() - at);
        for (size_t i = 0; i < n; ++i) {
            // A control character would break the line it is shown on.
            row[at + i] = text[i] < 0x20 ? u' ' : text[i];
        }
    }
    return screen;
}

std::string Escaped(std::string_view text, bool column) {
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        bool plain = column ? byte >= 0x20 && byte != 0x7F && c != '\\' : byte >= 0x20 || c == '\t';
        if (plain) {
            out += c;
            continue;
        }
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        out += hex;
    }
    return out;
}

std::vector<std::string> FieldLines(const CPage* page, const CField* focused) {
    std::vector<std::string> lines;
    if (!page) return lines;
    for (const CField* field = page->fields.Head(); field; field = field->next) {
        lines.push_back(std::to_string(field->fieldNumber) + '\t' + std::to_string(field->row) +
                        '\t' + std::to_string(field->column) + '\t' +
                        std::to_string(field->displayLength) + '\t' +
                        KindName(WindowClassFor(*field)) + '\t' + Flags(*field, focused) + '\t' +
                        Escaped(EncodeText(field->text.Get(), true), true));
    }
    return lines;
}

#include "protocol/Responses.h"

#include <algorithm>

#include "platform/TextCodec.h"
#include "screen/Field.h"
#include "screen/Page.h"

void AppendNumber(std::string& message, int value) {
    message += static_cast<char>((48 + value) & 0xFF);
}

void AppendLength(std::string& message, size_t length) {
    length = std::min(length, kMaxResponseLength);
    if (length <= 207) {
        AppendNumber(message, static_cast<int>(length));
        return;
    }
    message += '!';
    AppendNumber(message, static_cast<int>(length / 208));
    AppendNumber(message, static_cast<int>(length % 208));
}

std::u16string FieldValue(const CField& field) {
    std::u16string text = field.text.Get();
    if (!field.prefixSet) return text;
    // The prefix is compared in characters of its own decoded length, which is
    // prefixLength for single-byte host text and shorter for multi-byte UTF-8.
    std::u16string prefix = field.prefixText.Get();
    bool startsWithPrefix = std::u16string_view(text).substr(0, prefix.size()) == prefix;
    switch (field.prefixMode) {
        case 0:
        case 1:
            return startsWithPrefix ? text : prefix + text;
        case 2:
        case 3:
            return startsWithPrefix ? text.substr(prefix.size()) : text;
        default:
            return {};
    }
}

std::string ResponseBytes(std::u16string_view text, bool utf8) {
    std::string bytes = EncodeText(text, utf8);
    // A field longer than the length form can carry loses its end, never a
    // part of a character: shorten the text until its bytes fit.
    while (bytes.size() > kMaxResponseLength) {
        size_t keep = text.size() * kMaxResponseLength / bytes.size();
        text = CutText(text, std::min(keep, text.size() - 1));
        bytes = EncodeText(text, utf8);
    }
    return bytes;
}

std::string CollectFieldData(CPage& page, bool utf8) {
    std::string data;
    for (CField* field = page.fields.Head(); field; field = field->next) {
        if (!field->modified) continue;
        std::string bytes = ResponseBytes(FieldValue(*field), utf8);
        data += '=';
        AppendNumber(data, field->fieldNumber);
        AppendLength(data, bytes.size());
        data += bytes;
        field->modified = 0;
    }
    return data;
}

std::string StatusMessage(int screenCols, int screenRows, int connectSecond) {
    // The two fixed values of the encoding: nibble unit 16, largest number 207.
    constexpr int kNibbleUnit = 16;
    constexpr int kMaxNumber = 207;
    std::string message =
        "R!\x82"
        "210";
    AppendNumber(message, screenCols / 2);
    AppendNumber(message, (((kMaxNumber - 32) / kNibbleUnit) & 0x0F) * kNibbleUnit +
                              ((screenRows / 2) & 0x0F));
    AppendNumber(message, kNibbleUnit);
    AppendNumber(message, connectSecond);
    return message;
}

std::string KeyMessage(int key, int currentField, std::string_view fieldData) {
    std::string message = "RF";
    AppendNumber(message, key & 0xFF);
    AppendNumber(message, currentField);
    message += fieldData;
    return message;
}

std::string FieldCompleteMessage(int currentField, std::string_view fieldData) {
    std::string message = "R%";
    AppendNumber(message, currentField);
    message += fieldData;
    return message;
}

std::string PromptAnswerMessage(std::u16string_view answer, bool utf8) {
    std::string bytes = ResponseBytes(answer, utf8);
    std::string message = "R?";
    AppendLength(message, bytes.size());
    return message + bytes;
}

std::string PortDataMessage(std::string_view data) {
    data = data.substr(0, data.find('\0'));
    std::string message = "R<1";
    AppendNumber(message, static_cast<int>(data.size()));
    message += data;
    return message;
}

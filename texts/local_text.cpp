#include "texts/local_text.h"

namespace {

int currentLanguage = kEnglish;

}  // namespace

int CurrentLanguage() {
    return currentLanguage;
}

bool SetCurrentLanguage(int language) {
    if (!IsLanguageNumber(language))
        return false;
    currentLanguage = language;
    return true;
}

const char* Localise(const LocalText& text) {
    return text.In(currentLanguage);
}

std::u16string Utf16FromCodePage1252(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char byte : text)
        wide.push_back(cp1252::CharacterOf(static_cast<unsigned char>(byte)));
    return wide;
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string utf8;
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t codePoint = text[at];
        const bool high = codePoint >= 0xD800 && codePoint <= 0xDBFF;
        const bool low = codePoint >= 0xDC00 && codePoint <= 0xDFFF;
        if (high && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[++at] - 0xDC00);
        } else if (high || low) {
            codePoint = 0xFFFD;
        }
        if (codePoint < 0x80) {
            utf8.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            utf8.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            utf8.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return utf8;
}

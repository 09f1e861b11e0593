#include "cli/utf8_text.h"

#include "texts/local_text.h"

namespace {

// U+FFFD, the replacement character, in UTF-8.
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The small letter of a capital in the scripts named in the header; every other character as it
// is. Where a block alternates capital and small letter, the capital comes first.
char16_t SmallLetterOf(char16_t c) {
    const auto alternating = [c](char16_t first, char16_t last, bool capitalsEven) -> bool {
        return c >= first && c <= last && ((c % 2 == 0) == capitalsEven);
    };
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))  // ASCII, Latin-1
        return static_cast<char16_t>(c + 0x20);
    if (alternating(0x100, 0x137, true) || alternating(0x139, 0x148, false) ||
        alternating(0x14A, 0x177, true) || alternating(0x179, 0x17E, false))  // Latin Extended-A
        return static_cast<char16_t>(c + 1);
    if (c == 0x178)  // Ÿ
        return 0xFF;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)  // Greek
        return static_cast<char16_t>(c + 0x20);
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return static_cast<char16_t>(c + 0x25);
    if (c == 0x38C)
        return 0x3CC;
    if (c == 0x38E || c == 0x38F)
        return static_cast<char16_t>(c + 0x3F);
    if (c >= 0x400 && c <= 0x40F)  // Cyrillic
        return static_cast<char16_t>(c + 0x50);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<char16_t>(c + 0x20);
    if (alternating(0x460, 0x481, true) || alternating(0x48A, 0x4BF, true) ||
        alternating(0x4D0, 0x52F, true))
        return static_cast<char16_t>(c + 1);
    return c;
}

}  // namespace

std::string Utf8FromCodePage1252(std::string_view text) {
    return Utf8FromUtf16(Utf16FromCodePage1252(text));
}

std::optional<std::u16string> Utf16FromUtf8(std::string_view text) {
    std::u16string utf16;
    utf16.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<cp1252::DecodedCharacter> decoded = cp1252::DecodeUtf8(text, at);
        if (!decoded)
            return std::nullopt;
        const char32_t codePoint = decoded->codePoint;
        if (codePoint < 0x10000) {
            utf16.push_back(static_cast<char16_t>(codePoint));
        } else {
            utf16.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
            utf16.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
        }
        at += decoded->length;
    }
    return utf16;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (const auto decoded = cp1252::DecodeUtf8(text, at)) {
            out.append(text.substr(at, decoded->length));
            at += decoded->length;
        } else {
            out.append(kReplacementCharacter);
            ++at;
        }
    }
    return out;
}

NameKey NameKeyOf(std::u16string_view name) {
    NameKey key(name);
    for (char16_t& c : key)
        c = SmallLetterOf(c);
    return key;
}

NameKey NameKeyOfCodePage1252(std::string_view text) {
    return NameKeyOf(Utf16FromCodePage1252(text));
}

std::optional<NameKey> NameKeyOfUtf8(std::string_view text) {
    const std::optional<std::u16string> utf16 = Utf16FromUtf8(text);
    if (!utf16)
        return std::nullopt;
    return NameKeyOf(*utf16);
}

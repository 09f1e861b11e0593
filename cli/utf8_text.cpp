#include "cli/utf8_text.h"

#include <algorithm>

#include "app/texts/local_text.h"

namespace {

// U+FFFD, the replacement character, in UTF-8.
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The lower-case form of a code page 1252 letter: A-Z, and À-Þ but for the multiplication sign.
// Š, Œ, Ž and Ÿ are left alone: no table text holds them.
unsigned char Folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<unsigned char>(byte + 0x20);
    return byte;
}

}  // namespace

std::string Utf8FromCodePage1252(std::string_view text) {
    return Utf8FromUtf16(Utf16FromCodePage1252(text));
}

std::optional<std::string> CodePage1252FromUtf8(std::string_view text) {
    const cp1252::Measure measure = cp1252::MeasureUtf8(text);
    if (measure.problem != cp1252::Problem::None)
        return std::nullopt;
    std::string out(measure.length, '\0');
    cp1252::EncodeUtf8(text, out.data());
    return out;
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

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Folded(x) == Folded(y); });
}

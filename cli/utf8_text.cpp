#include "cli/utf8_text.h"

#include <algorithm>

#include "app/local_text.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t codePoint) {
    const auto put = [&](unsigned value) { out.push_back(static_cast<char>(value)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

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
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        AppendUtf8(
            out,
            cp1252::CodePointOf(static_cast<unsigned char>(c)).value_or(kReplacementCharacter));
    }
    return out;
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
            AppendUtf8(out, kReplacementCharacter);
            ++at;
        }
    }
    return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Folded(x) == Folded(y); });
}

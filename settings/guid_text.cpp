#include "settings/guid_text.h"

#include <array>
#include <cctype>
#include <cstddef>

namespace {

// Byte i of the GUID stands as two hex digits at kDigitsOf[i] of the text without its braces:
// the first three groups are little-endian integers, so their bytes stand from the right.
constexpr std::array<std::size_t, 16> kDigitsOf = {6,  4,  2,  0,  11, 9,  16, 14,
                                                   19, 21, 24, 26, 28, 30, 32, 34};

}  // namespace

std::string FormatGuid(const Guid& guid) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "{00000000-0000-0000-0000-000000000000}";
    for (std::size_t i = 0; i < guid.bytes.size(); ++i) {
        text[1 + kDigitsOf[i]] = kHex[guid.bytes[i] >> 4];
        text[2 + kDigitsOf[i]] = kHex[guid.bytes[i] & 0x0F];
    }
    return text;
}

std::optional<Guid> ParseGuid(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;
    for (std::size_t dash : {8, 13, 18, 23}) {
        if (text[dash] != '-')
            return std::nullopt;
    }
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    Guid guid;
    for (std::size_t i = 0; i < guid.bytes.size(); ++i) {
        const int high = digit(text[kDigitsOf[i]]);
        const int low = digit(text[kDigitsOf[i] + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        guid.bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return guid;
}

#include "controls/input_code.h"

#include <array>
#include <cstdio>

#include "texts/key_names.h"

namespace {

using texts::keys::FindKeyName;
using texts::keys::kAxisNames;
using texts::keys::kButtonWord;
using texts::keys::kUndefined;

// Formats into a buffer the size of the name buffer, so that no text can outgrow it: snprintf
// cuts what does not fit. The format and its texts are code page 1252 texts of the tables.
template <class... Arguments>
std::u16string FormatName(const char* format, Arguments... arguments) {
    std::array<char, kNameBufferSize> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, arguments...);
    return Utf16FromCodePage1252(buffer.data());
}

bool IsScanCode(int scanCode) {
    return scanCode >= 0 && scanCode < kScanCodeCount;
}

}  // namespace

std::optional<std::u16string> KeyName(int scanCode, const KeyCharacter& keyCharacter,
                                      int language) {
    if (!IsScanCode(scanCode))
        return std::nullopt;  // only a damaged file holds such a key, and no layout knows it
    if (const LocalText* name = FindKeyName(scanCode))
        return Utf16FromCodePage1252(name->In(language));
    const char16_t character = keyCharacter ? keyCharacter(scanCode) : u'\0';
    if (character == u'\0')
        return std::nullopt;
    return std::u16string(1, character);
}

std::u16string DescribeInputCode(InputCode code, const KeyCharacter& keyCharacter, int language) {
    if (code == kUnbound)
        return Utf16FromCodePage1252(kUndefined.In(language));
    if (IsAxis(code))
        return Utf16FromCodePage1252(
            kAxisNames[static_cast<std::size_t>(AxisOf(code))].In(language));
    if (!IsKey(code))
        return FormatName("%s %02d", kButtonWord.In(language), static_cast<int>(code));

    const int scanCode = ScanCodeOf(code);
    if (std::optional<std::u16string> name = KeyName(scanCode, keyCharacter, language))
        return *name;
    return FormatName("0x%02x", static_cast<unsigned>(scanCode));
}

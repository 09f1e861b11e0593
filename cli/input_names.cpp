#include "cli/input_names.h"

#include <array>
#include <charconv>

#include "app/texts/key_names.h"
#include "app/texts/local_text.h"
#include "cli/platform.h"
#include "cli/utf8_text.h"

namespace {

constexpr std::array<char, kScanCodeCount> kUsLayout = [] {
    std::array<char, kScanCodeCount> characters{};
    const auto row = [&](int firstScanCode, std::string_view typed) {
        for (std::size_t i = 0; i < typed.size(); ++i)
            characters[static_cast<std::size_t>(firstScanCode) + i] = typed[i];
    };
    row(0x02, "1234567890-=");
    row(0x10, "QWERTYUIOP[]");
    row(0x1E, "ASDFGHJKL;'`");
    row(0x2B, "\\ZXCVBNM,./");
    row(0x37, "*");  // the keypad's; its other keys have names of their own
    row(0x4A, "-");
    row(0x4E, "+");
    return characters;
}();

// Both languages a name may come in: the one in use, then English.
std::array<int, 2> NameLanguages(int language) {
    return {IsLanguageNumber(language) ? language : kEnglish, kEnglish};
}

// A name as code page 1252 text, for comparing with what the user typed; nothing when the
// layout gives the key a character that code page lacks (no typed text can then match it).
std::optional<std::string> CodePage1252Name(std::u16string_view name) {
    std::string text;
    for (const char16_t character : name) {
        const std::optional<unsigned char> byte = cp1252::ByteFor(character);
        if (!byte)
            return std::nullopt;
        text.push_back(static_cast<char>(*byte));
    }
    return text;
}

bool IsNamed(InputCode code, std::string_view text1252, int language) {
    const KeyCharacter layout = KeyboardLayout();
    for (int nameLanguage : NameLanguages(language)) {
        const std::optional<std::string> name =
            CodePage1252Name(DescribeInputCode(code, layout, nameLanguage));
        if (name && EqualIgnoringCase(*name, text1252))
            return true;
    }
    return false;
}

// A number written in decimal after `prefix` (compared ignoring case); nothing when the text is
// anything else.
std::optional<int> NumberAfter(std::string_view text, std::string_view prefix) {
    if (text.size() <= prefix.size() || !EqualIgnoringCase(text.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::string_view digits = text.substr(prefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

}  // namespace

char16_t UsLayoutCharacter(int scanCode) {
    if (scanCode < 0 || scanCode >= kScanCodeCount)
        return u'\0';
    return static_cast<char16_t>(kUsLayout[static_cast<std::size_t>(scanCode)]);
}

std::string InputName(InputCode code, int language) {
    return Utf8FromUtf16(DescribeInputCode(code, KeyboardLayout(), language));
}

bool NamesAKey(InputCode code) {
    return code > KeyCode(0) && code < KeyCode(kScanCodeCount);
}

bool NamesAButtonOrAxis(InputCode code) {
    return IsButton(code) || IsAxis(code);
}

std::optional<InputCode> KeyboardCodeNamed(std::string_view utf8, int language) {
    const std::optional<std::string> text = CodePage1252FromUtf8(utf8);
    if (!text || text->empty())
        return std::nullopt;
    if (IsNamed(kUnbound, *text, language))
        return kUnbound;
    // The lowest scan code first, as a capture takes it: on a US layout "-" is the main one.
    for (int scanCode = 1; scanCode < kScanCodeCount; ++scanCode) {
        if (IsNamed(KeyCode(scanCode), *text, language))
            return KeyCode(scanCode);
    }
    return std::nullopt;
}

std::optional<InputCode> ControllerCodeNamed(std::string_view utf8, int language) {
    const std::optional<std::string> text = CodePage1252FromUtf8(utf8);
    if (!text || text->empty())
        return std::nullopt;
    for (InputCode code = kUnbound; code <= kLastAxisCode; ++code) {
        if (IsNamed(code, *text, language))
            return code;
    }
    // "Button 3" as well as "Button 03".
    for (int nameLanguage : NameLanguages(language)) {
        const std::string prefix = std::string(texts::keys::kButtonWord.In(nameLanguage)) + " ";
        const std::optional<int> number = NumberAfter(*text, prefix);
        if (number && IsButton(ButtonCode(*number)))
            return ButtonCode(*number);
    }
    return std::nullopt;
}

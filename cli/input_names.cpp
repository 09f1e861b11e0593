#include "cli/input_names.h"

#include <array>

#include "texts/key_names.h"
#include "texts/local_text.h"
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

bool IsNamed(InputCode code, const NameKey& name, const KeyCharacter& layout, int language) {
    for (int nameLanguage : NameLanguages(language)) {
        if (NameKeyOf(DescribeInputCode(code, layout, nameLanguage)) == name)
            return true;
    }
    return false;
}

// A button number written in decimal after the button word in `language` ("button 3"); nothing
// when the text is anything else, or the number no button's.
std::optional<int> ButtonNumberIn(const NameKey& name, int language) {
    const NameKey prefix = NameKeyOfCodePage1252(texts::keys::kButtonWord.In(language)) + u" ";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    int number = 0;
    for (std::size_t at = prefix.size(); at < name.size(); ++at) {
        const char16_t c = name[at];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c - u'0');
        if (number > kButtonCount)
            return std::nullopt;
    }
    return number >= 1 ? std::optional<int>(number) : std::nullopt;
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

std::optional<InputCode> KeyboardCodeNamed(const NameKey& name, int language) {
    if (name.empty())
        return std::nullopt;
    const KeyCharacter layout = KeyboardLayout();
    if (IsNamed(kUnbound, name, layout, language))
        return kUnbound;
    // The lowest scan code first, as a capture takes it: on a US layout "-" is the main one.
    for (int scanCode = 1; scanCode < kScanCodeCount; ++scanCode) {
        if (IsNamed(KeyCode(scanCode), name, layout, language))
            return KeyCode(scanCode);
    }
    return std::nullopt;
}

std::optional<InputCode> ControllerCodeNamed(const NameKey& name, int language) {
    if (name.empty())
        return std::nullopt;
    for (InputCode code = kUnbound; code <= kLastAxisCode; ++code) {
        if (IsNamed(code, name, KeyCharacter{}, language))
            return code;
    }
    // "Button 3" as well as "Button 03".
    for (int nameLanguage : NameLanguages(language)) {
        if (const std::optional<int> number = ButtonNumberIn(name, nameLanguage))
            return ButtonCode(*number);
    }
    return std::nullopt;
}

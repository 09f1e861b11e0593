#pragma once
// Texts in the five interface languages, and the process-wide language that picks one of them.
//
// The tables under texts/ are written in UTF-8 so that a translator reads "Französisch" as
// it is meant; the Windows ANSI functions want code page 1252, where every accented letter is a
// single byte. The conversion happens while compiling: a text that code page 1252 cannot hold, or
// malformed UTF-8, stops the build instead of reaching the screen garbled. A table entry reads
//
//     inline constexpr LocalText kCancel = Texts<"Cancel", "Annuler", "Abbrechen", "Annulla",
//                                                "Cancelar">;

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The language numbers, in the order of every five-language table.
inline constexpr int kEnglish = 0;
inline constexpr int kFrench = 1;
inline constexpr int kGerman = 2;
inline constexpr int kItalian = 3;
inline constexpr int kSpanish = 4;
inline constexpr int kLanguageCount = 5;

constexpr bool IsLanguageNumber(int number) {
    return number >= 0 && number < kLanguageCount;
}

// The table sources must reach the compiler as UTF-8 literals (g++ and clang do so by default,
// MSVC needs /utf-8); anything else would be caught below as malformed UTF-8, but this says why.
static_assert(sizeof("\u00F6") == 3, "string literals must be UTF-8 (MSVC: compile with /utf-8)");

// ---- Conversion from UTF-8 to code page 1252 ----

namespace cp1252 {

// 0x80-0x9F are typographic characters in code page 1252, not the C1 controls of Latin-1, and
// five of them (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for nothing at all (0 here); every other
// byte is the Latin-1 character of its value.
inline constexpr char16_t kSpecials[32] = {
    u'€', 0,    u'‚', u'ƒ', u'„', u'…', u'†', u'‡',  // 0x80-0x87
    u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0,    u'Ž', 0,     // 0x88-0x8F
    0,    u'‘', u'’', u'“', u'”', u'•', u'–', u'—',  // 0x90-0x97
    u'˜', u'™', u'š', u'›', u'œ', 0,    u'ž', u'Ÿ',  // 0x98-0x9F
};

// The code page 1252 byte for a Unicode code point, or nothing when the code page has none.
constexpr std::optional<unsigned char> ByteFor(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (int i = 0; i < 32; ++i) {
        if (kSpecials[i] != 0 && kSpecials[i] == codePoint) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// The Unicode character of a code page 1252 byte. The five bytes that stand for nothing keep
// their value, as Windows converts them.
constexpr char16_t CharacterOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kSpecials[byte - 0x80] != 0)
        return kSpecials[byte - 0x80];
    return byte;
}

// One code point decoded from UTF-8 and the number of bytes it took.
struct DecodedCharacter {
    char32_t codePoint;
    std::size_t length;
};

// Decodes the character that starts at `at`; nothing for a malformed or truncated sequence, an
// overlong form, a surrogate or a value beyond U+10FFFF.
constexpr std::optional<DecodedCharacter> DecodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return DecodedCharacter{lead, 1};

    // The lead byte gives the sequence length, its own payload bits, and the smallest code point
    // that needs that length (anything below is an overlong form).
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return std::nullopt;  // a continuation byte without a lead, or 0xF8-0xFF
    }
    if (text.size() - at < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF)
        return std::nullopt;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
        return std::nullopt;
    return DecodedCharacter{codePoint, length};
}

// How a UTF-8 text fails to convert; None when it converts.
enum class Problem { None, MalformedUtf8, NotInCodePage, EmbeddedNul };

struct Measure {
    Problem problem;
    std::size_t length;  // code page 1252 bytes, without the terminator; 0 on a problem
};

// The converted length of `utf8`, or why it cannot be converted. A zero byte inside a text would
// cut it short for every Windows function that shows it, so it counts as a problem as well.
constexpr Measure MeasureUtf8(std::string_view utf8) {
    std::size_t length = 0;
    for (std::size_t at = 0; at < utf8.size(); ++length) {
        const std::optional<DecodedCharacter> decoded = DecodeUtf8(utf8, at);
        if (!decoded)
            return {Problem::MalformedUtf8, 0};
        if (decoded->codePoint == 0)
            return {Problem::EmbeddedNul, 0};
        if (!ByteFor(decoded->codePoint))
            return {Problem::NotInCodePage, 0};
        at += decoded->length;
    }
    return {Problem::None, length};
}

// Writes the code page 1252 bytes of `utf8` to `out`; only for a text MeasureUtf8 accepts.
constexpr void EncodeUtf8(std::string_view utf8, char* out) {
    for (std::size_t at = 0; at < utf8.size();) {
        const DecodedCharacter decoded = *DecodeUtf8(utf8, at);
        *out++ = static_cast<char>(*ByteFor(decoded.codePoint));
        at += decoded.length;
    }
}

// Never defined: a call to one of these in a compile-time conversion is what the compiler reports
// as the error, so their names say what is wrong with the text.
void TextIsNotValidUtf8();
void TextHasACharacterCodePage1252CannotHold();
void TextHasAnEmbeddedZeroByte();

consteval std::size_t RequireConvertible(std::string_view utf8) {
    const Measure measure = MeasureUtf8(utf8);
    switch (measure.problem) {
        case Problem::MalformedUtf8:
            TextIsNotValidUtf8();
            break;
        case Problem::NotInCodePage:
            TextHasACharacterCodePage1252CannotHold();
            break;
        case Problem::EmbeddedNul:
            TextHasAnEmbeddedZeroByte();
            break;
        case Problem::None:
            break;
    }
    return measure.length;
}

}  // namespace cp1252

// A string literal as a template argument: `Utf8Literal<N>` holds its N bytes, terminator included.
template <std::size_t N>
struct Utf8Literal {
    consteval Utf8Literal(const char (&literal)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            chars[i] = literal[i];
    }
    constexpr std::string_view View() const { return {chars, N - 1}; }

    char chars[N]{};
};

template <Utf8Literal text>
consteval auto ConvertToCodePage1252() {
    constexpr std::size_t length = cp1252::RequireConvertible(text.View());
    std::array<char, length + 1> bytes{};
    cp1252::EncodeUtf8(text.View(), bytes.data());
    return bytes;
}

// The code page 1252 form of a UTF-8 literal, zero-terminated, exactly as long as it needs to be:
// CodePage1252<"Französisch"> holds 12 bytes, the "ö" being 0xF6.
template <Utf8Literal text>
inline constexpr std::array<char, cp1252::RequireConvertible(text.View()) + 1> CodePage1252 =
    ConvertToCodePage1252<text>();

// ---- Five-language texts ----

namespace cp1252 {
void TextHasNoTerminator();  // never defined, see above
}  // namespace cp1252

// One text in the five languages, as five pointers to zero-terminated code page 1252 texts in
// language-number order. Only the compiler makes one (the constructor runs at compile time), from
// five zero-terminated character arrays with static storage: in the tables always the
// conversions that Texts below makes. So no entry is ever null, and no raw UTF-8 literal can
// stand in for a converted text.
class LocalText {
  public:
    template <std::size_t E, std::size_t F, std::size_t G, std::size_t I, std::size_t S>
    consteval LocalText(const std::array<char, E>& english, const std::array<char, F>& french,
                        const std::array<char, G>& german, const std::array<char, I>& italian,
                        const std::array<char, S>& spanish)
        : texts_{english.data(), french.data(), german.data(), italian.data(), spanish.data()} {
        if (english.back() != '\0' || french.back() != '\0' || german.back() != '\0' ||
            italian.back() != '\0' || spanish.back() != '\0') {
            cp1252::TextHasNoTerminator();
        }
    }

    // The text in `language`; a number that is no language gets the English text, so that no
    // caller can read past the five entries.
    constexpr const char* In(int language) const {
        return texts_[static_cast<std::size_t>(IsLanguageNumber(language) ? language : kEnglish)];
    }

    friend constexpr bool operator==(const LocalText&, const LocalText&) = default;

  private:
    std::array<const char*, kLanguageCount> texts_;
};

// A table entry: the English, French, German, Italian and Spanish text, in that order.
template <Utf8Literal english, Utf8Literal french, Utf8Literal german, Utf8Literal italian,
          Utf8Literal spanish>
inline constexpr LocalText Texts{CodePage1252<english>, CodePage1252<french>, CodePage1252<german>,
                                 CodePage1252<italian>, CodePage1252<spanish>};

// ---- The current language ----

// The process-wide language number; 0 (English) until something sets it. Only the user-interface
// thread reads or writes it.
int CurrentLanguage();

// Makes `language` the current language when it is 0 to 4 and answers true; any other number is
// refused (false) and the current language stays as it was.
bool SetCurrentLanguage(int language);

// `text` in the current language, for handing to a Windows ANSI function as it is.
const char* Localise(const LocalText& text);

// A code page 1252 text, as the tables hold it, in UTF-16: for texts shown beside characters that
// code page 1252 cannot hold, such as the key names of a keyboard layout.
std::u16string Utf16FromCodePage1252(std::string_view text);

// A UTF-16 text in UTF-8, for files and terminals; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

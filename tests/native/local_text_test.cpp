#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>

#include "texts/local_text.h"

namespace {

// The bytes of a converted text, without its terminator, for comparing with expected bytes.
template <std::size_t N>
std::string BytesOf(const std::array<char, N>& converted) {
    return std::string(converted.data(), N - 1);
}

// Builds an expected code page 1252 text from single bytes.
std::string Bytes(std::initializer_list<unsigned char> bytes) {
    std::string text;
    for (unsigned char byte : bytes)
        text.push_back(static_cast<char>(byte));
    return text;
}

// ---- Conversion from UTF-8 ----

TEST(CodePage1252, KeepsAsciiAndMakesEveryLatinLetterOneByte) {
    EXPECT_EQ(BytesOf(CodePage1252<"Tab">), "Tab");
    EXPECT_EQ(BytesOf(CodePage1252<"Französisch">), "Franz" + Bytes({0xF6}) + "sisch");
    EXPECT_EQ(BytesOf(CodePage1252<"¡Sí!">), Bytes({0xA1}) + "S" + Bytes({0xED}) + "!");
    // The ends of the directly mapped range: no-break space and ÿ.
    EXPECT_EQ(BytesOf(CodePage1252<"\u00A0ÿ">), Bytes({0xA0, 0xFF}));
}

TEST(CodePage1252, MapsTheTypographicCharactersTo0x80To0x9F) {
    EXPECT_EQ(BytesOf(CodePage1252<"€">), Bytes({0x80}));
    EXPECT_EQ(BytesOf(CodePage1252<"œ">), Bytes({0x9C}));
    EXPECT_EQ(BytesOf(CodePage1252<"‚ƒ„…">), Bytes({0x82, 0x83, 0x84, 0x85}));
    EXPECT_EQ(BytesOf(CodePage1252<"‘’“”–—">), Bytes({0x91, 0x92, 0x93, 0x94, 0x96, 0x97}));
    EXPECT_EQ(BytesOf(CodePage1252<"ŠŒŽšžŸ™">), Bytes({0x8A, 0x8C, 0x8E, 0x9A, 0x9E, 0x9F, 0x99}));
}

TEST(CodePage1252, HoldsExactlyTheConvertedBytesAndOneTerminator) {
    static_assert(CodePage1252<"">.size() == 1);
    static_assert(CodePage1252<"Rücktaste">.size() == 10);  // nine letters, ü is one byte
    static_assert(CodePage1252<"€">.size() == 2);           // three UTF-8 bytes become one
    EXPECT_EQ(CodePage1252<"Rücktaste">.back(), '\0');
}

// What the compiler is told when a table text cannot be converted; a text with one of these
// problems does not compile (see cp1252::RequireConvertible).
cp1252::Problem ProblemOf(std::string_view utf8) {
    return cp1252::MeasureUtf8(utf8).problem;
}

TEST(CodePage1252, RefusesCharactersTheCodePageCannotHold) {
    EXPECT_EQ(ProblemOf("\u0100"), cp1252::Problem::NotInCodePage);  // Ā, Latin Extended-A
    EXPECT_EQ(ProblemOf("\u0081"), cp1252::Problem::NotInCodePage);  // a C1 control, no letter
    EXPECT_EQ(ProblemOf("\u20AD"), cp1252::Problem::NotInCodePage);  // the kip sign beside €
    EXPECT_EQ(ProblemOf("\U0001F600"), cp1252::Problem::NotInCodePage);
    EXPECT_EQ(ProblemOf(std::string_view("a\0b", 3)), cp1252::Problem::EmbeddedNul);
    EXPECT_EQ(ProblemOf("ok \u00E9"), cp1252::Problem::None);
}

TEST(CodePage1252, RefusesMalformedUtf8) {
    const char* const malformed[] = {
        "\x80",              // continuation byte without a lead
        "\xC3",              // lead byte of ö, cut off
        "\xC3(",             // lead byte followed by no continuation
        "\xC0\xAF",          // overlong "/"
        "\xE0\x80\xAF",      // overlong "/" in three bytes
        "\xED\xA0\x80",      // a UTF-16 surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xFF",              // never part of UTF-8
        "\xF6",              // ö already in code page 1252: the source was not saved as UTF-8
    };
    for (const char* text : malformed) {
        EXPECT_EQ(ProblemOf(text), cp1252::Problem::MalformedUtf8) << "text: " << text;
    }
}

// ---- LocalText ----

inline constexpr LocalText kSample = Texts<"Cancel", "Annuler", "Abbrechen", "Annulla", "Cancelar">;

TEST(LocalText, GivesEachLanguageItsOwnColumn) {
    EXPECT_STREQ(kSample.In(kEnglish), "Cancel");
    EXPECT_STREQ(kSample.In(kFrench), "Annuler");
    EXPECT_STREQ(kSample.In(kGerman), "Abbrechen");
    EXPECT_STREQ(kSample.In(kItalian), "Annulla");
    EXPECT_STREQ(kSample.In(kSpanish), "Cancelar");
}

TEST(LocalText, NumbersThatAreNoLanguageGetEnglishInsteadOfReadingOutside) {
    for (int number : {-1, 5, 6, 255, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(kSample.In(number), kSample.In(kEnglish)) << number;
    }
}

// Every entry of every table is five converted texts with static storage, because nothing else
// makes a LocalText: no default (all-null) text, no raw (unconverted UTF-8) string literals.
static_assert(!std::is_default_constructible_v<LocalText>);
static_assert(!std::is_constructible_v<LocalText, const char*, const char*, const char*,
                                       const char*, const char*>);
static_assert(!std::is_constructible_v<LocalText, const char (&)[4], const char (&)[4],
                                       const char (&)[4], const char (&)[4], const char (&)[4]>);

// ---- The current language ----

// Tests change the process-wide language; each one starts and ends in English.
class CurrentLanguageTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SetCurrentLanguage(kEnglish)); }
    void TearDown() override { SetCurrentLanguage(kEnglish); }
};

TEST_F(CurrentLanguageTest, OnlyTheFiveLanguageNumbersAreLanguages) {
    EXPECT_FALSE(IsLanguageNumber(-1));
    for (int number = 0; number < kLanguageCount; ++number)
        EXPECT_TRUE(IsLanguageNumber(number));
    EXPECT_FALSE(IsLanguageNumber(5));
}

TEST_F(CurrentLanguageTest, LocalisePicksTheColumnOfTheCurrentLanguage) {
    EXPECT_EQ(CurrentLanguage(), kEnglish);
    EXPECT_STREQ(Localise(kSample), "Cancel");
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_TRUE(SetCurrentLanguage(language));
        EXPECT_EQ(CurrentLanguage(), language);
        EXPECT_EQ(Localise(kSample), kSample.In(language));
    }
    EXPECT_STREQ(Localise(kSample), "Cancelar");
}

TEST_F(CurrentLanguageTest, AnInvalidNumberIsRefusedAndTheLanguageStays) {
    ASSERT_TRUE(SetCurrentLanguage(kItalian));
    for (int number : {-1, 5, 7, 1000}) {
        EXPECT_FALSE(SetCurrentLanguage(number)) << number;
        EXPECT_EQ(CurrentLanguage(), kItalian);
        EXPECT_STREQ(Localise(kSample), "Annulla");
    }
}

}  // namespace

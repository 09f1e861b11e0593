// Texts of the tables (code page 1252) beside texts the tables cannot hold: converted to UTF-16
// for the screen and to UTF-8 for files and terminals.

#include <gtest/gtest.h>

#include <string>

#include "texts/local_text.h"
#include "cli/utf8_text.h"

namespace {

TEST(TextConversion, CodePage1252ToUtf16KeepsEveryCharacter) {
    // Latin-1 letters keep their value; 0x80-0x9F are typographic characters, not C1 controls;
    // the five bytes that stand for nothing keep their value, as Windows converts them.
    EXPECT_EQ(Utf16FromCodePage1252("Bild aufw\xE4rts"), u"Bild aufwärts");
    EXPECT_EQ(Utf16FromCodePage1252("\x80\x8A\x99\x9F"), u"€Š™Ÿ");
    EXPECT_EQ(Utf16FromCodePage1252("\x81\x9D"), u"\u0081\u009D");
    EXPECT_EQ(Utf16FromCodePage1252(""), u"");
}

TEST(TextConversion, Utf16ToUtf8IncludesSurrogatePairsAndReplacesLoneOnes) {
    EXPECT_EQ(Utf8FromUtf16(u"Ж ě € A"), "Ж ě € A");
    EXPECT_EQ(Utf8FromUtf16(u"\U0001F3AE"), "\U0001F3AE");
    EXPECT_EQ(Utf8FromUtf16(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}),
              "a\uFFFDb\uFFFD");
}

// The tool compares names by their name key: the capitals of the layouts' scripts made small.
TEST(TextConversion, NameKeysIgnoreCaseInLatinGreekAndCyrillic) {
    EXPECT_EQ(NameKeyOfUtf8("LEERTASTE Ž Ě Ω Ж Ё"), NameKeyOfUtf8("leertaste ž ě ω ж ё"));
    EXPECT_EQ(NameKeyOfCodePage1252("R\xDC"
                                    "CKTASTE"),
              NameKeyOf(u"rücktaste"));
    EXPECT_NE(NameKeyOfUtf8("Ж"), NameKeyOfUtf8("Ш"));
    EXPECT_EQ(NameKeyOfUtf8("\xFF"), std::nullopt);  // not UTF-8
}

}  // namespace

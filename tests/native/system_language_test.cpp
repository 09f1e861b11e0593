#include <gtest/gtest.h>

#include "texts/system_language.h"

namespace {

TEST(LanguageFromLangId, GoesByThePrimaryLanguageOnly) {
    EXPECT_EQ(LanguageFromLangId(0x0409), 0);  // English (United States)
    EXPECT_EQ(LanguageFromLangId(0x040C), 1);  // French (France)
    EXPECT_EQ(LanguageFromLangId(0x0C0C), 1);  // French (Canada)
    EXPECT_EQ(LanguageFromLangId(0x0407), 2);  // German (Germany)
    EXPECT_EQ(LanguageFromLangId(0x0807), 2);  // German (Switzerland)
    EXPECT_EQ(LanguageFromLangId(0x0410), 3);  // Italian (Italy)
    EXPECT_EQ(LanguageFromLangId(0x0C0A), 4);  // Spanish (modern sort)
    EXPECT_EQ(LanguageFromLangId(0x0416), 0);  // Portuguese (Brazil): no interface, English
    EXPECT_EQ(LanguageFromLangId(0x0411), 0);  // Japanese
}

}  // namespace

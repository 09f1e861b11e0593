#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "texts/audio_texts.h"
#include "texts/control_texts.h"
#include "texts/graphics_texts.h"
#include "texts/key_names.h"
#include "texts/launcher_texts.h"
#include "texts/messages.h"
#include "texts/start_failure.h"

namespace {

using texts::keys::KeyNameTable;

// The bytes a Windows ANSI function receives, written as the code page 1252 bytes they must be.
std::string Bytes(std::initializer_list<unsigned char> bytes) {
    std::string text;
    for (unsigned char byte : bytes)
        text.push_back(static_cast<char>(byte));
    return text;
}

// A name the player reads: no language may show it blank. (Every entry is a text of some kind;
// the type allows nothing else.)
void ExpectANameInEveryLanguage(const LocalText& name) {
    for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_STRNE(name.In(language), "") << "language " << language;
    }
}

// ---- Accented letters reach Windows as code page 1252 bytes ----

TEST(TextTables, AccentedLettersAreSingleCodePage1252Bytes) {
    EXPECT_EQ(std::string(texts::launcher::kLanguageNames[kFrench].In(kGerman)),
              "Franz" + Bytes({0xF6}) + "sisch");
    EXPECT_EQ(std::string(texts::keys::KeyNameTable[1].name.In(kGerman)),
              "R" + Bytes({0xFC}) + "cktaste");
    // The Spanish test sound message opens with ¡ (0xA1) and keeps its line break.
    const std::string spanish = texts::messages::kTestSoundError.In(kSpanish);
    EXPECT_EQ(spanish.substr(0, 30), Bytes({0xA1}) + "Error al reproducir archivo!\n");
    EXPECT_EQ(std::string(texts::messages::kErrorCaption.In(kItalian)), "Errore di Tavrin");
}

TEST(TextTables, TextsThatMustStayExactlyAsTheyAre) {
    // The general start error keeps its cut-off second line.
    EXPECT_NE(std::strstr(texts::messages::kUnknownStartError.In(kEnglish), "occured.\ny re-"),
              nullptr);
    // The check box's caption is spelled correctly, unlike the dialog template's text.
    EXPECT_STREQ(texts::graphics::kCompatibilityMode.In(kEnglish), "Compatibility Mode");
    for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_STREQ(texts::launcher::kRegister.In(language), "Register");
    }
    EXPECT_STREQ(texts::launcher::kTitle.In(kGerman), "Tavrin-Launcher V1.0");
}

// ---- The language list ----

TEST(LanguageNames, AreListedInLanguageNumberOrderInEveryLanguage) {
    const char* const german[] = {"Englisch", "Französisch", "Deutsch", "Italienisch", "Spanisch"};
    const char* const english[] = {"English", "French", "German", "Italian", "Spanish"};
    for (int number = 0; number < kLanguageCount; ++number) {
        ExpectANameInEveryLanguage(texts::launcher::kLanguageNames[number]);
        EXPECT_STREQ(texts::launcher::kLanguageNames[number].In(kEnglish), english[number]);
        // The source of this test is UTF-8; only the ö needs converting.
        if (number != kFrench) {
            EXPECT_STREQ(texts::launcher::kLanguageNames[number].In(kGerman), german[number]);
        }
    }
}

TEST(LanguageNames, EachLanguageCallsItselfByItsOwnName) {
    const std::string ownNames[] = {"English", "Fran" + Bytes({0xE7}) + "ais", "Deutsch",
                                    "Italiano", "Espa" + Bytes({0xF1}) + "ol"};
    for (int number = 0; number < kLanguageCount; ++number) {
        EXPECT_EQ(texts::launcher::kLanguageNames[number].In(number), ownNames[number]);
    }
}

// ---- Key names ----

TEST(KeyNameTable, HoldsTheThirtyFiveNamedKeysByScanCode) {
    const std::vector<int> expected = {
        0x01, 0x0E, 0x0F, 0x1C, 0x1D, 0x2A, 0x36, 0x38, 0x39,        // Escape ... Space
        0x45, 0x47, 0x48, 0x49, 0x4B, 0x4C, 0x4D, 0x4F, 0x50,        // Numlock, keypad digits
        0x51, 0x52, 0x53, 0x9C, 0x9D, 0xB5, 0xB8,                    // keypad, right Ctrl and Alt
        0xC7, 0xC8, 0xC9, 0xCB, 0xCD, 0xCF, 0xD0, 0xD1, 0xD2, 0xD3,  // the navigation block
    };
    std::vector<int> scanCodes;
    for (const texts::keys::KeyName& key : KeyNameTable) {
        scanCodes.push_back(key.scanCode);
        ExpectANameInEveryLanguage(key.name);
    }
    EXPECT_EQ(scanCodes, expected);
}

TEST(KeyNameTable, NamesKeepTheirTrailingBlanks) {
    EXPECT_STREQ(texts::keys::FindKeyName(0x53)->In(kItalian), "TastNum Canc ");
    EXPECT_STREQ(texts::keys::FindKeyName(0x9C)->In(kItalian), "TastNum Invio ");
    EXPECT_STREQ(texts::keys::FindKeyName(0x53)->In(kEnglish), "Keypad Del");
}

TEST(KeyNameTable, FindsNamedKeysOnly) {
    EXPECT_STREQ(texts::keys::FindKeyName(0xCB)->In(kEnglish), "Left Cursor");
    EXPECT_STREQ(texts::keys::FindKeyName(0x01)->In(kFrench), "Echap.");
    EXPECT_STREQ(texts::keys::FindKeyName(0xD3)->In(kSpanish), "Borrar");
    EXPECT_EQ(texts::keys::FindKeyName(0x2C), nullptr);  // Z: named by the keyboard layout
    EXPECT_EQ(texts::keys::FindKeyName(0x3B), nullptr);  // F1: shown as 0x3b
    EXPECT_EQ(texts::keys::FindKeyName(0), nullptr);
    EXPECT_EQ(texts::keys::FindKeyName(256), nullptr);
}

TEST(KeyNameTable, ButtonAndAxisNames) {
    EXPECT_STREQ(texts::keys::kButtonWord.In(kItalian), "Pulsante");
    EXPECT_EQ(std::string(texts::keys::kButtonWord.In(kSpanish)), "Bot" + Bytes({0xF3}) + "n");
    EXPECT_STREQ(texts::keys::kAxisNames[0].In(kEnglish), "X Axis");   // code 33
    EXPECT_STREQ(texts::keys::kAxisNames[5].In(kGerman), "Z-Rotat.");  // code 38
    EXPECT_EQ(std::string(texts::keys::kUndefined.In(kFrench)), "Non d" + Bytes({0xE9}) + "fini");
    EXPECT_STREQ(texts::keys::kKeyboard.In(kSpanish), "Teclado");
    for (const LocalText& axis : texts::keys::kAxisNames)
        ExpectANameInEveryLanguage(axis);
}

// ---- Start failures ----

TEST(StartFailureText, SuccessfulStartsShowNothing) {
    EXPECT_EQ(StartFailureText(33, false), std::nullopt);
    EXPECT_EQ(StartFailureText(42, true), std::nullopt);
    EXPECT_EQ(StartFailureText(INTPTR_MAX, false), std::nullopt);
}

TEST(StartFailureText, EachKnownResultHasItsOwnMessage) {
    using namespace texts::messages;
    struct Case {
        std::intptr_t result;
        bool fileTypeAction;
        LocalText expected;
    };
    const Case cases[] = {
        {0, false, kOutOfResources},
        {2, false, kRequiredFileMissing},
        {3, false, kPathNotFound},
        {8, false, kOutOfMemory},
        {26, false, kSharingViolation},
        {31, true, kNoTxtAssociation},    // Read Me and Register explain the missing association
        {31, false, kUnknownStartError},  // every other action does not
        {5, false, kUnknownStartError},   // access denied: no message of its own
        {32, false, kUnknownStartError},  // the last failing number
        {-1, false, kUnknownStartError},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartFailureText(c.result, c.fileTypeAction), c.expected)
            << "result " << c.result << (c.fileTypeAction ? " (file type action)" : "");
    }
}

TEST(StartFailureText, TheFileTypeFlagMattersOnlyForMissingAssociations) {
    for (std::intptr_t result : {0, 2, 3, 5, 8, 26, 32}) {
        EXPECT_EQ(StartFailureText(result, true), StartFailureText(result, false)) << result;
    }
    EXPECT_NE(StartFailureText(31, true), StartFailureText(31, false));
}

TEST(StartFailureText, ThePdfAssociationTextIsNeverChosen) {
    for (std::intptr_t result = -1; result <= 40; ++result) {
        for (bool fileTypeAction : {false, true}) {
            EXPECT_NE(StartFailureText(result, fileTypeAction), texts::messages::kNoPdfAssociation);
        }
    }
    EXPECT_NE(std::strstr(texts::messages::kNoPdfAssociation.In(kSpanish), ".pdf"), nullptr);
}

}  // namespace

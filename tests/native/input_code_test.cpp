// Binding codes: which number means which input, and the text a binding button shows for each,
// in every language, including codes that only a damaged settings file can hold.

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "texts/local_text.h"
#include "controls/input_code.h"
#include "settings/settings_file.h"

namespace {

// DirectInput scan codes (DIK_*) the tests use.
constexpr int kScanEscape = 0x01;
constexpr int kScanZ = 0x2C;   // 44
constexpr int kScanX = 0x2D;   // 45
constexpr int kScanF1 = 0x3B;  // 59: types no character
constexpr int kScanLeftArrow = 0xCB;
constexpr int kScanKeypadDelete = 0x53;

// An English keyboard layout as far as the tests need one: letters come as capitals, the
// function keys and scan code 0 type nothing.
char16_t EnglishLayout(int scanCode) {
    static const std::map<int, char16_t> characters = {
        {kScanZ, u'Z'}, {kScanX, u'X'}, {0x10, u'Q'}, {0x02, u'1'}, {kScanEscape, u'\x1B'}};
    const auto found = characters.find(scanCode);
    return found == characters.end() ? u'\0' : found->second;
}
const KeyCharacter kEnglishLayout = EnglishLayout;

// Makes another language current for one test and puts English back afterwards.
class CurrentLanguageIs {
  public:
    explicit CurrentLanguageIs(int language) { SetCurrentLanguage(language); }
    ~CurrentLanguageIs() { SetCurrentLanguage(kEnglish); }
    CurrentLanguageIs(const CurrentLanguageIs&) = delete;
    CurrentLanguageIs& operator=(const CurrentLanguageIs&) = delete;
};

// ---- The numbers ----

TEST(InputCode, ButtonsAxesAndKeysAreSeparateRanges) {
    EXPECT_FALSE(IsButton(0) || IsAxis(0) || IsKey(0));
    EXPECT_FALSE(IsButton(-1) || IsAxis(-1) || IsKey(-1));
    EXPECT_TRUE(IsButton(1));
    EXPECT_TRUE(IsButton(32));
    EXPECT_FALSE(IsButton(33));
    EXPECT_TRUE(IsAxis(33));
    EXPECT_TRUE(IsAxis(38));
    EXPECT_FALSE(IsAxis(39));
    EXPECT_TRUE(IsKey(39));
    EXPECT_TRUE(IsKey(INT_MAX));

    for (InputCode code = -100; code <= 400; ++code) {
        const int kinds = int{IsButton(code)} + int{IsAxis(code)} + int{IsKey(code)};
        EXPECT_EQ(kinds, code >= 1 ? 1 : 0) << code;
    }
}

TEST(InputCode, ConvertsToAndFromButtonsAxesAndScanCodes) {
    EXPECT_EQ(ButtonCode(1), 1);
    EXPECT_EQ(ButtonCode(32), 32);
    EXPECT_EQ(ButtonNumberOf(9), 9);
    EXPECT_EQ(AxisCode(Axis::X), 33);
    EXPECT_EQ(AxisCode(Axis::Y), 34);
    EXPECT_EQ(AxisCode(Axis::ZRotation), 38);
    EXPECT_EQ(AxisOf(36), Axis::XRotation);
    EXPECT_EQ(KeyCode(kScanLeftArrow), 242);
    EXPECT_EQ(KeyCode(kScanEscape), 40);
    EXPECT_EQ(ScanCodeOf(83), kScanZ);
    // The settings file's controls constant is the code of scan code 0.
    EXPECT_EQ(KeyCode(0), kControlsConstant);
}

// ---- The texts of the binding buttons ----

struct Described {
    InputCode code;
    std::array<std::u16string, kLanguageCount> texts;  // English, French, German, Italian, Spanish
};

TEST(DescribeInputCode, NamesEveryKindOfCodeInEveryLanguage) {
    const std::vector<Described> table = {
        {0, {u"Undefined", u"Non défini", u"Undefiniert", u"Non definito", u"Sin definir"}},
        {1, {u"Button 01", u"Bouton 01", u"Button 01", u"Pulsante 01", u"Botón 01"}},
        {32, {u"Button 32", u"Bouton 32", u"Button 32", u"Pulsante 32", u"Botón 32"}},
        {33, {u"X Axis", u"Axe X", u"X-Achse", u"Asse X", u"Eje X"}},
        {38, {u"Z Rot", u"Rot. Z", u"Z-Rotat.", u"Rot Z", u"Rot Z"}},
        // The left arrow has a name of its own in every language.
        {242,
         {u"Left Cursor", u"Curseur gauche", u"Pfeil links", u"Freccia sinistra", u"Cursor izdo."}},
        // Scan code 44 has no name: the layout's character.
        {83, {u"Z", u"Z", u"Z", u"Z", u"Z"}},
        // Scan code 59 (F1) has neither: its number in hexadecimal, in lower case.
        {98, {u"0x3b", u"0x3b", u"0x3b", u"0x3b", u"0x3b"}},
        // Scan code 0, at least two digits.
        {39, {u"0x00", u"0x00", u"0x00", u"0x00", u"0x00"}},
    };
    for (const Described& row : table) {
        for (int language = 0; language < kLanguageCount; ++language) {
            EXPECT_EQ(DescribeInputCode(row.code, kEnglishLayout, language), row.texts[language])
                << "code " << row.code << ", language " << language;
        }
    }
}

TEST(DescribeInputCode, UsesTheCurrentLanguageUnlessToldOtherwise) {
    EXPECT_EQ(DescribeInputCode(34, kEnglishLayout), u"Y Axis");
    const CurrentLanguageIs german(kGerman);
    EXPECT_EQ(DescribeInputCode(34, kEnglishLayout), u"Y-Achse");
    EXPECT_EQ(DescribeInputCode(34, kEnglishLayout, kSpanish), u"Eje Y");
}

TEST(DescribeInputCode, KeyNamesComeBeforeTheLayoutAndKeepTheirBlanks) {
    // The layout gives Escape a control character, but the key's own name wins.
    EXPECT_EQ(DescribeInputCode(KeyCode(kScanEscape), kEnglishLayout), u"Escape");
    EXPECT_EQ(DescribeInputCode(KeyCode(kScanKeypadDelete), kEnglishLayout, kItalian),
              u"TastNum Canc ");
    EXPECT_EQ(DescribeInputCode(KeyCode(0x9C), kEnglishLayout, kItalian), u"TastNum Invio ");
}

TEST(DescribeInputCode, ShowsTheLayoutsCharacterAsItComes) {
    // Keys of a French and a Russian layout: code page 1252, the tables' code page, has the
    // accented capital but not the Cyrillic letter; both show as the layout gives them.
    const KeyCharacter layouts = [](int scanCode) {
        return scanCode == 0x03 ? u'É' : scanCode == 0x27 ? u'Ж' : u'\0';
    };
    EXPECT_EQ(DescribeInputCode(KeyCode(0x03), layouts), u"É");
    EXPECT_EQ(DescribeInputCode(KeyCode(0x27), layouts), u"Ж");
    // Without a layout every key without a name shows its number.
    EXPECT_EQ(DescribeInputCode(KeyCode(kScanZ), KeyCharacter{}), u"0x2c");
    EXPECT_EQ(DescribeInputCode(KeyCode(kScanLeftArrow), KeyCharacter{}), u"Left Cursor");
}

TEST(DescribeInputCode, CodesOnlyADamagedFileHoldsStayWithinTheNameBuffer) {
    // Negative numbers fall under the button rule and show as they are.
    EXPECT_EQ(DescribeInputCode(-5, kEnglishLayout), u"Button -5");
    EXPECT_EQ(DescribeInputCode(-999'999'999, kEnglishLayout, kItalian), u"Pulsante -999999999");
    // One digit more does not fit: cut off at 19 characters, as the name buffer would.
    EXPECT_EQ(DescribeInputCode(INT_MIN, kEnglishLayout, kItalian), u"Pulsante -214748364");
    // Keys beyond scan code 255 show their number; hexadecimal keeps them short.
    EXPECT_EQ(DescribeInputCode(100'000, kEnglishLayout), u"0x18679");
    EXPECT_EQ(DescribeInputCode(INT_MAX, kEnglishLayout), u"0x7fffffd8");

    // The layout is never asked about anything but a real scan code.
    std::vector<int> asked;
    const KeyCharacter recording = [&asked](int scanCode) {
        asked.push_back(scanCode);
        return u'K';
    };
    EXPECT_EQ(DescribeInputCode(KeyCode(256), recording), u"0x100");
    EXPECT_EQ(DescribeInputCode(KeyCode(255), recording), u"K");
    EXPECT_EQ(asked, std::vector<int>{255});

    std::vector<InputCode> codes = {INT_MIN, INT_MIN + 1, -1'000'000'000, INT_MAX, INT_MAX - 38};
    for (InputCode code = -1000; code <= 1000; ++code)
        codes.push_back(code);
    for (InputCode code : codes) {
        for (int language = 0; language < kLanguageCount; ++language) {
            const std::u16string text = DescribeInputCode(code, kEnglishLayout, language);
            EXPECT_FALSE(text.empty()) << code;
            EXPECT_LE(text.size(), kMaxNameLength) << code << ": " << testing::PrintToString(text);
        }
    }
}

// ---- Key names as a capture takes them ----

TEST(KeyName, IsTheTableNameOrTheCharacterOrNothing) {
    EXPECT_EQ(KeyName(kScanEscape, kEnglishLayout, kFrench), u"Echap.");
    EXPECT_EQ(KeyName(kScanX, kEnglishLayout), u"X");
    EXPECT_EQ(KeyName(kScanF1, kEnglishLayout), std::nullopt);
    EXPECT_EQ(KeyName(kScanZ, KeyCharacter{}), std::nullopt);
    EXPECT_EQ(KeyName(-1, kEnglishLayout), std::nullopt);
    EXPECT_EQ(KeyName(256, kEnglishLayout), std::nullopt);
}

}  // namespace

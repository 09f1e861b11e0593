// Key names on the screen: the keyboard layout's character is taken in UTF-16 and reaches a
// binding button through the wide functions as it is, also where code page 1252, the code page
// of the text tables, has no such character; the tables' own names arrive unchanged.

#include <gtest/gtest.h>

#include <windows.h>

#include "texts/local_text.h"
#include "base/win/ui_text.h"
#include "controls/input_code.h"
#include "controls/win/keyboard_layout.h"

namespace {

// DirectInput scan codes.
constexpr int kScanTwo = 0x03;
constexpr int kScanSemicolon = 0x27;  // beside L on a US keyboard
constexpr int kScanZ = 0x2C;
constexpr int kScanF1 = 0x3B;
constexpr int kScanPageUp = 0xC9;

// A button as the control setup's binding buttons are: a child of a dialog-like parent.
class BindingButton {
  public:
    BindingButton()
        : parent_(CreateWindowExW(0, L"STATIC", L"key names", WS_POPUP, 0, 0, 100, 50, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)),
          button_(CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_OWNERDRAW, 0, 0, 80, 20, parent_,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~BindingButton() { DestroyWindow(parent_); }
    BindingButton(const BindingButton&) = delete;
    BindingButton& operator=(const BindingButton&) = delete;

    // Sets the caption as the control setup does, and reads back what the button holds.
    std::wstring Show(InputCode code, const KeyCharacter& layout, int language = kEnglish) {
        SetWindowTextIfChanged(button_, DescribeInputCode(code, layout, language));
        return WindowText(button_);
    }

  private:
    HWND parent_;
    HWND button_;
};

// The keys of a Russian and a Czech layout that code page 1252 cannot hold.
char16_t RussianAndCzech(int scanCode) {
    switch (scanCode) {
        case kScanSemicolon:
            return u'Ж';
        case kScanTwo:
            return u'ě';
        default:
            return 0;
    }
}

TEST(KeyNameOnAButton, ShowsTheLayoutsCharacterWhateverTheCodePage) {
    BindingButton button;
    EXPECT_EQ(button.Show(KeyCode(kScanSemicolon), RussianAndCzech), L"Ж");
    EXPECT_EQ(button.Show(KeyCode(kScanTwo), RussianAndCzech), L"ě");
    // The tables' names, accents included, and the numbers of keys without a character.
    EXPECT_EQ(button.Show(KeyCode(kScanPageUp), RussianAndCzech, kGerman), L"Bild aufwärts");
    EXPECT_EQ(button.Show(ButtonCode(3), RussianAndCzech, kSpanish), L"Botón 03");
    EXPECT_EQ(button.Show(KeyCode(kScanF1), RussianAndCzech), L"0x3b");
}

// The test display has a US layout.
TEST(LayoutCharacter, IsTheCharacterTheLayoutTypesOrNothing) {
    EXPECT_EQ(LayoutCharacter(kScanZ), u'Z');
    EXPECT_EQ(LayoutCharacter(kScanSemicolon), u';');
    EXPECT_EQ(LayoutCharacter(kScanF1), 0);
    EXPECT_EQ(LayoutKeyCharacter()(kScanZ), u'Z');
}

}  // namespace

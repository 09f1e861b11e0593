// Combo box entries tied to their data (base/win/combo_box.h), in a real sorted combo box: the
// box orders its entries by their texts, and each still names the record it was added for.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/win/combo_box.h"

namespace {

// A hidden window holding one sorted drop-down list, as the resolution list is made.
class SortedComboBox {
  public:
    SortedComboBox()
        : parent_(CreateWindowExW(0, L"STATIC", L"combo box test", WS_POPUP, 0, 0, 200, 200,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)),
          combo_(CreateWindowExW(0, L"COMBOBOX", L"",
                                 WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 0, 0, 150,
                                 100, parent_, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~SortedComboBox() { DestroyWindow(parent_); }
    SortedComboBox(const SortedComboBox&) = delete;
    SortedComboBox& operator=(const SortedComboBox&) = delete;
    HWND Get() const { return combo_; }

    std::wstring SelectedText() const {
        const LRESULT entry = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
        if (entry < 0)
            return L"(none)";
        wchar_t text[64] = {};
        SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(entry),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }

  private:
    HWND parent_;
    HWND combo_;
};

TEST(ComboBoxTest, EachEntryOfASortedBoxNamesTheRecordItShows) {
    const SortedComboBox box;
    ASSERT_NE(box.Get(), nullptr);
    // Records in an order the box turns round: each lands at another place than its index.
    const wchar_t* const records[] = {L"Zeta", L"Alpha", L"Mu"};
    for (std::size_t index = 0; index < 3; ++index)
        ASSERT_TRUE(AddComboEntry(box.Get(), records[index], index));

    for (std::size_t index = 0; index < 3; ++index) {
        ASSERT_TRUE(SelectComboIndex(box.Get(), index));
        EXPECT_EQ(box.SelectedText(), records[index]);
        EXPECT_EQ(SelectedComboIndex(box.Get()), index);
    }
    // The player's choice, by its place in the box: the first place shows the second record.
    SendMessageW(box.Get(), CB_SETCURSEL, 0, 0);
    EXPECT_EQ(SelectedComboIndex(box.Get()), 1u);
    EXPECT_FALSE(SelectComboIndex(box.Get(), 3));
    EXPECT_EQ(SelectedComboIndex(box.Get()), 1u);
}

}  // namespace

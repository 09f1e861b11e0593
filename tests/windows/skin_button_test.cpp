// A skinned button's caption is data (a key's name), drawn as it stands: an "&" is a character,
// not the mark of a mnemonic.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/win/gdi_objects.h"
#include "skin/win/skin_painting.h"

namespace {

constexpr int kWidth = 80;
constexpr int kHeight = 20;

// The pixels of a memory bitmap after `draw` has drawn on it with the dialogs' font.
template <typename Draw>
std::vector<std::uint32_t> Pixels(Draw draw) {
    const ScreenDc screen;
    const GdiObject bitmap(CreateCompatibleBitmap(screen.Get(), kWidth, kHeight));
    {
        const MemoryDc dc(CreateCompatibleDC(screen.Get()));
        const SelectedObject selectedBitmap(dc.Get(), bitmap.Get());
        const SelectedObject selectedFont(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
        draw(dc.Get());
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    GetDIBits(screen.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, kHeight, pixels.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

TEST(SkinButton, AnAmpersandInTheCaptionIsDrawnAsItStands) {
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                                        nullptr, nullptr, nullptr);
    const HWND button = CreateWindowExW(0, L"BUTTON", L"A&B", WS_CHILD | BS_OWNERDRAW, 0, 0, kWidth,
                                        kHeight, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent != nullptr && button != nullptr);

    const std::vector<std::uint32_t> drawn = Pixels([&](HDC dc) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = button;
        item.hDC = dc;
        SetRect(&item.rcItem, 0, 0, kWidth, kHeight);
        DrawSkinButton(parent, item);
    });
    const std::vector<std::uint32_t> literal = Pixels([](HDC dc) {
        RECT rect = {0, 0, kWidth, kHeight};
        EraseWithSystemBrush(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, L"A&B", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    });
    EXPECT_EQ(drawn, literal);
    DestroyWindow(parent);
}

}  // namespace

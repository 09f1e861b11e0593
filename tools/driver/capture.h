#pragma once
// Pictures of a window's client area, taken from the screen as a user would see them (anything
// covering the window is in the picture too).

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// 24-bit pixels as a bottom-up DIB stores them: the bottom row first, each row blue, green, red,
// padded to a multiple of 4 bytes.
struct ClientPicture {
    int width;
    int height;
    std::vector<std::uint8_t> rows;
};

// The part of `window`'s client area that starts at client position (x, y).
std::optional<ClientPicture> CaptureClient(HWND window, int x, int y, int width, int height);
std::optional<ClientPicture> CaptureClient(HWND window);

// The colour at client position (x, y) as the screen shows it now. Unlike a capture, this does
// not ask the window to paint first: it sees what the window's program has put on the screen.
std::optional<COLORREF> ScreenPixel(HWND window, int x, int y);

// Writes a BMP file: file header, 40-byte bitmap header, the rows.
bool SaveBmp(const ClientPicture& picture, const std::wstring& path);

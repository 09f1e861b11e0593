#include "tools/driver/capture.h"

#include "base/win/gdi_objects.h"
#include "base/win/unique_handle.h"

namespace {

std::size_t RowSize(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

BITMAPINFOHEADER HeaderFor(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // positive: bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(RowSize(width) * static_cast<std::size_t>(height));
    return header;
}

bool WriteAll(HANDLE file, const void* data, std::size_t size) {
    DWORD written = 0;
    return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

}  // namespace

std::optional<ClientPicture> CaptureClient(HWND window, int x, int y, int width, int height) {
    if (!IsWindow(window) || width <= 0 || height <= 0)
        return std::nullopt;
    // Whatever is still to be painted is painted first, so that the picture shows the window as
    // its program has drawn it, not a paint caught halfway.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    POINT origin{x, y};
    if (!ClientToScreen(window, &origin))
        return std::nullopt;

    const ScreenDc screen;
    MemoryDc memory(CreateCompatibleDC(screen.Get()));
    if (!screen || !memory)
        return std::nullopt;
    BITMAPINFO info{};
    info.bmiHeader = HeaderFor(width, height);
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr)
        return std::nullopt;
    {
        const SelectedObject selected(memory.Get(), bitmap.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), origin.x, origin.y,
                    SRCCOPY | CAPTUREBLT)) {
            return std::nullopt;
        }
        GdiFlush();
    }
    ClientPicture picture{width, height, {}};
    const auto* first = static_cast<const std::uint8_t*>(bits);
    picture.rows.assign(first, first + info.bmiHeader.biSizeImage);
    return picture;
}

std::optional<ClientPicture> CaptureClient(HWND window) {
    RECT client{};
    if (!GetClientRect(window, &client))
        return std::nullopt;
    return CaptureClient(window, 0, 0, client.right, client.bottom);
}

std::optional<COLORREF> ScreenPixel(HWND window, int x, int y) {
    POINT point{x, y};
    if (!IsWindow(window) || !ClientToScreen(window, &point))
        return std::nullopt;
    const ScreenDc screen;
    if (!screen)
        return std::nullopt;
    const COLORREF colour = GetPixel(screen.Get(), point.x, point.y);
    if (colour == CLR_INVALID)
        return std::nullopt;
    return colour;
}

bool SaveBmp(const ClientPicture& picture, const std::wstring& path) {
    const BITMAPINFOHEADER header = HeaderFor(picture.width, picture.height);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;

    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.Get(), &fileHeader, sizeof fileHeader) &&
           WriteAll(file.Get(), &header, sizeof header) &&
           WriteAll(file.Get(), picture.rows.data(), picture.rows.size());
}

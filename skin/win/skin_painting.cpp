#include "skin/win/skin_painting.h"

#include <string>

#include "base/win/gdi_objects.h"
#include "base/win/ui_text.h"
#include "resources/resource_ids.h"
#include "skin/process_skin_picture.h"

HBRUSH hollowBrush = nullptr;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kDimGrey = RGB(105, 105, 105);
// A caption is data, such as a key's name, never a template text with a mnemonic: an "&" (the key
// left of "é" on a French keyboard) is shown as it stands.
constexpr UINT kButtonTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

void DrawButtonText(HDC dc, const std::wstring& text, RECT rect, int offset, COLORREF colour) {
    OffsetRect(&rect, offset, offset);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), -1, &rect, kButtonTextFormat);
}

}  // namespace

void FetchHollowBrush() {
    hollowBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

BOOL EraseWithSystemBrush(HDC dc) {
    RECT area;
    if (GetClipBox(dc, &area) != ERROR)
        FillRect(dc, &area, GetSysColorBrush(COLOR_3DFACE));
    return TRUE;
}

BOOL DrawSkinBackground(HWND dialog, HDC dc) {
    EraseWithSystemBrush(dc);
    if (!skinPicture.Loaded())
        return TRUE;
    // The DPI the context's fonts are made for, which the dialog manager laid the dialog out
    // with: the system's, as the programs are system DPI aware (resources/tavrin.manifest).
    const SkinPicture& picture = skinPicture.AtDpi(GetDeviceCaps(dc, LOGPIXELSY));

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;  // positive: bottom row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;

    // The picture's corner goes on the dialog's client origin, measured from the origin of the
    // context, whichever window it belongs to: the dialog itself, one of its buttons, or a
    // control that has moved its context's origin to draw its parent's background.
    POINT dialogOrigin = {0, 0};
    ClientToScreen(dialog, &dialogOrigin);
    POINT contextOrigin = {0, 0};
    GetDCOrgEx(dc, &contextOrigin);
    POINT at = {dialogOrigin.x - contextOrigin.x, dialogOrigin.y - contextOrigin.y};
    DPtoLP(dc, &at, 1);

    SetDIBitsToDevice(dc, at.x, at.y, static_cast<DWORD>(picture.width),
                      static_cast<DWORD>(picture.height), 0, 0, 0,
                      static_cast<UINT>(picture.height), picture.rows.data(),
                      reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
    return TRUE;
}

HBRUSH SkinControlColor(HDC dc, int controlType) {
    if (controlType != CTLCOLOR_BTN && controlType != CTLCOLOR_STATIC)
        return nullptr;
    SetBkMode(dc, TRANSPARENT);
    return hollowBrush;
}

HBRUSH GraphicsSkinControlColor(HDC dc, HWND control, int controlType) {
    if (controlType == CTLCOLOR_STATIC) {
        switch (GetDlgCtrlID(control)) {
            case IDC_RESOLUTION_LABEL:
            case IDC_GRAPHICS_DRIVER_LABEL:
            case IDC_COMPATIBILITY_MODE:
            case IDC_HIGH_DETAIL:
                return SkinControlColor(dc, controlType);
            default:
                // A stock brush: it outlives every control that paints with it.
                return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        }
    }
    return SkinControlColor(dc, controlType);
}

void DrawSkinButton(HWND dialog, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON)
        return;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    // A change of focus alone draws nothing: no focus mark is ever shown. A disabled button is
    // drawn for every request, so that nothing else can paint over its look.
    if (!disabled && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0)
        return;

    const std::wstring text = WindowText(item.hwndItem);
    RECT rect;
    GetClientRect(item.hwndItem, &rect);
    SavedDcState saved(item.hDC);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawSkinBackground(dialog, item.hDC);
    if (disabled) {
        DrawButtonText(item.hDC, text, rect, 1, kWhite);
        DrawButtonText(item.hDC, text, rect, 0, kDimGrey);
    } else if ((item.itemState & ODS_SELECTED) != 0) {
        DrawButtonText(item.hDC, text, rect, 0, kDimGrey);
        DrawButtonText(item.hDC, text, rect, 1, kWhite);
    } else {
        DrawButtonText(item.hDC, text, rect, 0, kBlack);
    }
}

int ControlTypeOf(UINT message) {
    return static_cast<int>(message - WM_CTLCOLORMSGBOX);
}

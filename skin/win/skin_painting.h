#pragma once
// The skin every dialog wears: the picture behind the controls, static texts and check boxes drawn
// transparently over it, and push buttons drawn as bare text in three colours, with a light and a
// dark copy of the text for the pressed and disabled looks.

#include <windows.h>

// The system's hollow brush, fetched once at start-up; it is a stock object, never deleted.
extern HBRUSH hollowBrush;
void FetchHollowBrush();

// Erases with the dialog's plain background, then draws the skin picture, scaled for the
// display's DPI, so that its top-left corner lies on the dialog's client origin, whichever window
// `dc` belongs to (the dialog's own erase, or a button's drawing): a button shows the part of the
// picture behind it. Always answers nonzero: the background is erased.
BOOL DrawSkinBackground(HWND dialog, HDC dc);

// The system's plain dialog background only, for windows that do not show the picture.
BOOL EraseWithSystemBrush(HDC dc);

// The answer to a control's colour request: buttons and statics are drawn transparently through
// the hollow brush; for other control types nullptr asks for the system's default answer.
HBRUSH SkinControlColor(HDC dc, int controlType);

// The graphics dialog's variant: its two labels and two check boxes, and every button, as
// SkinControlColor; any other static control on a white background.
HBRUSH GraphicsSkinControlColor(HDC dc, HWND control, int controlType);

// Draws an owner-drawn push button as its text on the piece of the picture behind it.
void DrawSkinButton(HWND dialog, const DRAWITEMSTRUCT& item);

// The CTLCOLOR_* type of a WM_CTLCOLOR* message.
int ControlTypeOf(UINT message);

#pragma once
// Texts on the screen. The text tables hold code page 1252 bytes; they are converted from that
// code page explicitly and set through the wide functions, so accented letters appear right
// whatever the system's own ANSI code page is.

#include <windows.h>

#include <string>
#include <string_view>

std::wstring WideFromCodePage1252(const char* text);

// A window's text, and setting it only when it differs: setting a text repaints the control,
// and the setup dialogs set every caption at every paint.
std::wstring WindowText(HWND window);
// Answers whether the text changed. The text is a code page 1252 text of the tables, or UTF-16.
bool SetWindowTextIfChanged(HWND window, const char* text);
bool SetItemTextIfChanged(HWND dialog, int id, const char* text);
bool SetWindowTextIfChanged(HWND window, std::u16string_view text);
bool SetItemTextIfChanged(HWND dialog, int id, std::u16string_view text);

// A message box with a code page 1252 text and caption.
int ShowMessage(HWND owner, const char* text, const char* caption, UINT style);

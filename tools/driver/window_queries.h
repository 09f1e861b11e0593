#pragma once
// What the driver reads from the windows of other processes. Texts are read with the wide
// functions and messages: between processes under Wine, the ANSI forms of some messages hand back
// UTF-16 text.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct WindowRecord {
    HWND handle;
    DWORD processId;
    std::wstring className;
    std::wstring title;
};

struct ControlRecord {
    HWND handle;
    int id;
    std::wstring className;
    std::wstring text;
    bool enabled;
    bool visible;
    int check;      // BM_GETCHECK of a button, -1 for other controls
    bool pushed;    // a button drawn pushed in
    int selection;  // CB_GETCURSEL of a combo box, -1 for none and for other controls
    RECT area;      // in the parent's client coordinates
    std::vector<std::wstring> items;  // a combo box's item texts
};

// Sends a message to a window of any process, giving up after a few seconds so that a hung
// target cannot hang the driver.
std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

WindowRecord DescribeWindow(HWND window);
std::vector<HWND> VisibleTopLevelWindows();

std::wstring ClassName(HWND window);
bool HasClass(HWND window, const wchar_t* className);
// A control's text as its window procedure answers WM_GETTEXT.
std::wstring ControlText(HWND control);

// The direct children of `parent`, in the order of the dialog template.
std::vector<HWND> ChildWindows(HWND parent);
ControlRecord DescribeControl(HWND control);
// The control with `id` among the direct children of `parent`, or null.
HWND FindControl(HWND parent, int id);

// A message box is a visible dialog ("#32770") holding a static text with the id 0xFFFF and
// otherwise only its icon and buttons with the standard answer ids.
bool IsMessageBox(HWND window);
// The text a message box shows.
std::wstring MessageBoxText(HWND box);
// The visible message boxes of one process, or of every process for process id 0.
std::vector<HWND> MessageBoxes(DWORD processId);

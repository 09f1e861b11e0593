#pragma once
// Reading the tooltip another process shows for a control. A tooltip control answers what a tool
// says only into memory of its own process, so the question is written there and the answer read
// back from there: this works between processes of the driver's own bitness (the win64 driver
// with the win64 programs under test).

#include <windows.h>

#include <optional>
#include <string>

// The text of the tool for `control` (a child of `dialog`) in a tooltip control owned by
// `dialog`; nothing when no tooltip control of the dialog has a tool for it.
std::optional<std::wstring> TooltipText(HWND dialog, HWND control);

#pragma once
// The dialog of driver_target.exe, the program the driver's own tests operate: its control ids and
// the two coloured rectangles it paints, in client pixels. Macros, because the resource compiler
// reads this file too; the native tests include it as well.

#define IDD_DRIVER_TARGET 100

#define IDC_TARGET_LANGUAGE 1001
#define IDC_TARGET_FULL_SCREEN 1002
#define IDC_TARGET_ENABLED 1003
#define IDC_TARGET_DISABLED 1004
#define IDC_TARGET_ASK 1005
#define IDC_TARGET_STATUS 1006
#define IDC_TARGET_PAINTS 1007

// A red rectangle near the top of the client area and a blue one below it, right of the controls:
// together they show whether a picture is upside down or shifted.
#define TARGET_RED_LEFT 240
#define TARGET_RED_TOP 10
#define TARGET_BLUE_LEFT 240
#define TARGET_BLUE_TOP 60
#define TARGET_RECT_WIDTH 60
#define TARGET_RECT_HEIGHT 30

#pragma once
// Identifiers of the stand-in game's window, shared by its resource script and its code. The
// window closes through IDCANCEL: its Close button, Escape and the title bar's close box.

#define IDD_DEMO_GAME 100
#define IDC_DEMO_REPORT 1001

#pragma once
// Identifiers of the dialog templates, their controls and the icon. Shared by the resource
// scripts and the code; the numbers are part of the programs' design and never change.

// Dialog templates.
#define IDD_LAUNCHER 102
#define IDD_CONTROL_SETUP 137
#define IDD_KEY_CAPTURE 138
#define IDD_GRAPHICS_SETUP 142
#define IDD_AUDIO_SETUP 145

// The application icon.
#define IDI_TAVRIN 173

// Launcher window (102).
#define IDC_PLAY 1004
#define IDC_CLOSE 1018
#define IDC_VIDEO 1091
#define IDC_AUDIO 1092
#define IDC_CONTROLS 1081
#define IDC_READ_ME 1008
#define IDC_REGISTER 1009
#define IDC_GAME_SITE 1010
#define IDC_PUBLISHER_SITE 1011
#define IDC_DEVELOPER_SITE 1012
#define IDC_UPDATE_INSTALL 1005
#define IDC_LANGUAGE_LIST 1111
#define IDC_SETTINGS_LABEL 1000
#define IDC_WEB_SITES_LABEL 1001
#define IDC_LANGUAGE_LABEL 1118
#define IDC_OTHER_INSTALLS_LABEL 1133
#define IDC_INFORMATION_LABEL 1134
#define IDC_TAVRIN_LABEL 1002

// Graphics setup (142); OK and Cancel are IDOK and IDCANCEL.
#define IDC_GRAPHICS_DRIVER_LABEL 1016
#define IDC_GRAPHICS_DRIVER_LIST 1013
#define IDC_RESOLUTION_LABEL 1015
#define IDC_RESOLUTION_LIST 1014
#define IDC_COMPATIBILITY_MODE 1115
#define IDC_HIGH_DETAIL 1116

// Audio setup (145); OK and Cancel are IDOK and IDCANCEL.
#define IDC_SOUND_DRIVER_LABEL 1108
#define IDC_SOUND_DRIVER_LIST 1093
#define IDC_TEST_SOUND 1094

// Control setup (137); OK is IDOK, Cancel has an id of its own so that the dialog manager's
// cancel command (Escape, the close request) can be told apart from the button.
#define IDC_CONTROLLER_LIST 1082
#define IDC_BIND_LEFT 1033
#define IDC_BIND_RIGHT 1034
#define IDC_BIND_FORWARD 1035
#define IDC_BIND_BACKWARD 1036
#define IDC_BIND_TAV 1037
#define IDC_BIND_JUMP 1038
#define IDC_BIND_SEARCH 1040
#define IDC_BIND_TURN_LEFT 1041
#define IDC_BIND_TURN_RIGHT 1042
#define IDC_CONTROL_CANCEL 1098
#define IDC_DEFAULTS 1086
#define IDC_CALIBRATE 1080
#define IDC_LEFT_LABEL 1020
#define IDC_RIGHT_LABEL 1021
#define IDC_FORWARD_LABEL 1022
#define IDC_BACKWARD_LABEL 1023
#define IDC_JUMP_LABEL 1025
#define IDC_SEARCH_LABEL 1027
#define IDC_TURN_LEFT_LABEL 1028
#define IDC_TURN_RIGHT_LABEL 1029
#define IDC_TAV_LABEL 1117
#define IDC_CONTROLLER_LABEL 1085
#define IDC_PLAYER_CONTROLS_LABEL 1135

// Key capture (138).
#define IDC_CAPTURE_PROMPT 1110

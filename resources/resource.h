// Resource, command and control identifiers of the whole program.
// windres reads this file, so everything here is a plain #define.
#pragma once

// Icons
#define IDI_MAIN                120
#define IDI_ARROWS              149
#define IDI_PICKER              156
#define IDI_SPEAKER             157

// Menus
#define IDM_CHILD_MENU          124     // the boards' and the commentator's context menu
#define IDM_MAIN_MENU           125

// Commands of the main menu and the toolbar. A toolbar button and its menu
// item share one id. The level ids are not contiguous: no arithmetic on them.
#define IDM_SHOW_ARROWS         103
#define IDM_SHOW_COMPUTER_BOARD 105
#define IDM_SHOW_HUMAN_BOARD    106
#define IDM_SHOW_PICKER         108
#define IDM_EXIT                301
#define IDM_ABOUT               302
#define IDM_NEW_GAME            303
#define IDM_AUTO_ARRANGE        308
#define IDM_LEVEL_AMATEUR       40011
#define IDM_LEVEL_PRO           40012
#define IDM_STATISTICS          40014
#define IDM_COLOURS             40015
#define IDM_WEB_PAGE            40016
#define IDM_FEEDBACK            40017
#define IDM_HELP                40018
#define IDM_LEVEL_SUPERMAN      40030
#define IDM_SETTINGS            40031
#define IDM_HUMAN_FIRST         40034
#define IDM_COMPUTER_FIRST      40035
#define IDM_SALVO               40036
#define IDM_RESHOT              40037
#define IDM_SHOW_COMMENTATOR    40041   // also "hide" in the child windows' own menus
#define IDM_ARRANGE             40042
#define IDM_MESSENGER           40048

// Commands of the child windows' context menus.
#define IDM_HIDE_WINDOW         40041
#define IDM_CHOOSE_FONT         120

// Strings beside the command ids (hints for popups and the system menu).
#define IDS_HINT_GAME_POPUP     115
#define IDS_HINT_SYSMENU        116
#define IDS_HINT_HELP_POPUP     40038
#define IDS_HINT_FIRST_POPUP    40039
#define IDS_HINT_OPTIONS_POPUP  40040

// Controls
#define IDC_STATUSBAR           1
#define IDC_TOOLBAR             151

// Images, cursors, sounds and clips (made by tools/gen_resources.py)
// --- begin: generated media (tools/gen_resources.py, resources/images.rc) ---
// IDI_MAIN 120, IDI_ARROWS 149, IDI_PICKER 156 and IDI_SPEAKER 157 are above.
#define IDB_TOOLBAR             151     // 20 images of 24 x 24
#define IDB_TOOLBAR_32          152     // the same 20 drawn at 32, 36 and 48 pixels
#define IDB_TOOLBAR_36          153
#define IDB_TOOLBAR_48          154
#define IDB_TEX_BLUE            159     // 8 x 8 textures
#define IDB_TEX_GREEN           160
#define IDB_TEX_GREY            161
#define IDI_PAD_RIGHT           143     // icons of the arrow pad
#define IDI_PAD_DOWN            144
#define IDI_PAD_LEFT            145
#define IDI_PAD_UP              146
#define IDI_PAD_TURN            147
#define IDI_PAD_DONE            150
#define IDC_GUNSIGHT            163     // cursors; hot spots in the .cur files
#define IDC_LINK_HAND           137     // (not IDC_HAND: <winuser.h> defines that one)
#define IDC_PIPETTE             142
#define IDW_LOST                116     // WAVE resources
#define IDW_WON                 118
#define IDA_FAN                 128     // AVI resources
#define IDA_WORD                135
// --- end: generated media ---

// Dialogs: templates, then their controls. The numbers are fixed; no
// arithmetic is done on them.
#define IDD_ABOUT               119
#define IDD_LOST                126
#define IDD_WON                 131
#define IDD_STATISTICS          138
#define IDD_COLOURS             139
#define IDD_SETTINGS            155

#define IDC_RED                 500
#define IDC_ABOUT_ICON          1003
#define IDC_ANIMATION           1013
#define IDC_LINK_PANEL          1015
#define IDC_ABOUT_NAME          1017
#define IDC_ABOUT_CREDIT        1018
#define IDC_FEEDBACK_GROUP      1019
#define IDC_STATS_OK            1020
#define IDC_STATS_CLEAR         1021
#define IDC_RUN_WINS            1023
#define IDC_RUN_LOSSES          1024
#define IDC_TOTAL_WINS          1025
#define IDC_TOTAL_LOSSES        1026
#define IDC_RED_SPIN            1027
#define IDC_GREEN               1029
#define IDC_BLUE                1030
#define IDC_BLUE_SPIN           1031
#define IDC_GREEN_SPIN          1032
#define IDC_COLOUR_LIST         1033
#define IDC_PALETTE             1034
#define IDC_RED_LABEL           1035
#define IDC_GREEN_LABEL         1036
#define IDC_BLUE_LABEL          1037
#define IDC_SAMPLE_BOARD        1039
#define IDC_SHADE_RAMP          1058
#define IDC_HUMAN_FIRST         1060
#define IDC_COMPUTER_FIRST      1061
#define IDC_NO_RESHOT           1062
#define IDC_SALVO               1063
#define IDC_AUTO_ARRANGE        1064
#define IDC_AMATEUR             1065
#define IDC_PRO                 1066
#define IDC_SUPERMAN            1067
#define IDC_RUSSIAN_FLAG        1068
#define IDC_TIMEOUT             1069

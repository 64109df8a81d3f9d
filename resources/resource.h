// Resource, command and control identifiers of the whole program.
// windres reads this file, so everything here is a plain #define.
#pragma once

// Icons
#define IDI_MAIN            120
#define IDI_ARROWS          149
#define IDI_PICKER          156
#define IDI_SPEAKER         157

// Menus
#define IDM_MAIN_MENU       125


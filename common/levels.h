// The three levels of the computer opponent and what chooses each: the menu
// command (with its toolbar button) and the settings dialog's button.
#pragma once

#include "resources/resource.h"

namespace levels {

struct Level {
    int command;       // menu item and toolbar button
    int dialogButton;  // push-like radio button of the settings dialog
};

constexpr Level kLevels[] = {
    {IDM_LEVEL_AMATEUR, IDC_AMATEUR},
    {IDM_LEVEL_PRO, IDC_PRO},
    {IDM_LEVEL_SUPERMAN, IDC_SUPERMAN},
};
constexpr int kCount = 3;

constexpr bool Known(int level) { return level >= 0 && level < kCount; }

}  // namespace levels

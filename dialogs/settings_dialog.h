// Every game option on one panel. Clicks act at once through the frame's
// menu commands; cancelling puts back what the options were at opening.
#pragma once

#include <windows.h>

#include <cstdint>

namespace settings_dialog {

constexpr int kAccepted = 6;
constexpr int kCancelled = 2;

// The options as the dialog found them; the pause is not among them.
struct Snapshot {
    std::int32_t ProphyUser = 0;
    bool Salvo = false;
    bool AutoArrange = false;
    bool Reshot = false;
    bool FirstShoot = false;
    bool RussianFlag = false;
};

// lParam of WM_INITDIALOG: the Snapshot the dialog fills and keeps.
extern const DLGPROC Proc;

}  // namespace settings_dialog

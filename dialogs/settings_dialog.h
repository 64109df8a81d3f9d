// Every game option on one panel. Clicks act at once through the frame's
// menu commands; cancelling puts back what the options were at opening.
#pragma once

#include <windows.h>

#include "game/options.h"

namespace settings_dialog {

constexpr int kAccepted = 6;
constexpr int kCancelled = 2;

// What the dialog keeps while it is open.
struct State {
    game::GameOptions snapshot;  // the options as the dialog found them; the pause is not restored
    bool flagChanged = false;    // on "&Угу": the boards must repaint their flag corner
};

// lParam of WM_INITDIALOG: the State the dialog fills and keeps. Commands go
// to the dialog's owner, the frame.
extern const DLGPROC Proc;

}  // namespace settings_dialog

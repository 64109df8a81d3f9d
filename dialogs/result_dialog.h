// The two dialogs that end a game, each with its looping clip.
#pragma once

#include <windows.h>

namespace result_dialog {

// Play again / stop, as the dialog's result.
constexpr int kPlayAgain = 6;
constexpr int kStop = 2;

// lParam of WM_INITDIALOG: the clip's resource id.
extern const DLGPROC Proc;

}  // namespace result_dialog

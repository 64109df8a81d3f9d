// Lost and won dialogs: a clip plays in a loop until either button answers.
#include "dialogs/result_dialog.h"

#include <commctrl.h>

#include "common/window_proc.h"
#include "resources/resource.h"

namespace result_dialog {
namespace {

HWND Clip(HWND dialog) { return GetDlgItem(dialog, IDC_ANIMATION); }

BOOL OnInitDialog(HWND dialog, LPARAM clip)
{
    // Autoplay: the clip starts at once and repeats without end.
    Animate_Open(Clip(dialog), MAKEINTRESOURCEW(clip));
    return TRUE;
}

// The clip is closed before the dialog goes.
void Answer(HWND dialog, int result)
{
    Animate_Close(Clip(dialog));
    EndDialog(dialog, result);
}

BOOL OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: Answer(dialog, kPlayAgain); return TRUE;
    case IDCANCEL: Answer(dialog, kStop); return TRUE;
    }
    return FALSE;
}

INT_PTR Handle(HWND dialog, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lp);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wp));
    }
    return FALSE;
}

}  // namespace

const DLGPROC Proc = common::DialogProc<Handle>;

}  // namespace result_dialog

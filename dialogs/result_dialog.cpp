// Lost and won dialogs: a clip plays in a loop until either button answers.
#include "dialogs/result_dialog.h"

#include <commctrl.h>

#include "common/window_proc.h"
#include "resources/resource.h"

namespace result_dialog {
namespace {

HWND Clip(HWND dialog) { return GetDlgItem(dialog, IDC_ANIMATION); }

RECT RectInDialog(HWND dialog, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The control takes the clip's size in pixels when it opens it. At a large
// display scale its frame in the template has grown past that size: the
// clip then stands in the middle of its frame. Where the frame is the
// smaller (at 96 DPI) it keeps to the frame's corner.
void CentreInFrame(HWND dialog, HWND control, const RECT& frame)
{
    const RECT clip = RectInDialog(dialog, control);
    const int dx = ((frame.right - frame.left) - (clip.right - clip.left)) / 2;
    const int dy = ((frame.bottom - frame.top) - (clip.bottom - clip.top)) / 2;
    SetWindowPos(control, nullptr, frame.left + (dx > 0 ? dx : 0), frame.top + (dy > 0 ? dy : 0), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OnInitDialog(HWND dialog, LPARAM clip)
{
    HWND control = Clip(dialog);
    const RECT frame = RectInDialog(dialog, control);
    // Autoplay: the clip starts at once and repeats without end.
    Animate_Open(control, MAKEINTRESOURCEW(clip));
    CentreInFrame(dialog, control, frame);
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

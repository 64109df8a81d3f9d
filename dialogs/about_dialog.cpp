// About box: hands its font to the link panel and closes on "OK".
#include "dialogs/about_dialog.h"

#include "common/window_proc.h"
#include "dialogs/link_panel.h"
#include "resources/resource.h"

namespace about_dialog {
namespace {

BOOL OnInitDialog(HWND dialog)
{
    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    link_panel::UseFont(GetDlgItem(dialog, IDC_LINK_PANEL), font);
    return TRUE;
}

BOOL OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: EndDialog(dialog, IDOK); return TRUE;
    }
    return FALSE;
}

INT_PTR Handle(HWND dialog, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wp));
    }
    return FALSE;
}

}  // namespace

const DLGPROC Proc = common::DialogProc<Handle>;

}  // namespace about_dialog

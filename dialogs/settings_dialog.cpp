// Settings dialog: live options through the frame's commands, a snapshot to
// undo them, and the pause taken on "&Угу".
#include "dialogs/settings_dialog.h"

#include <string>

#include "common/levels.h"
#include "common/messages.h"
#include "common/window_proc.h"
#include "dialogs/dialog_util.h"
#include "dialogs/field_rules.h"
#include "resources/resource.h"

namespace settings_dialog {
namespace {

using dialogs::StateOf;

void Check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

HWND Frame(HWND dialog) { return GetParent(dialog); }

void Post(HWND dialog, int command) { dialogs::PostCommand(Frame(dialog), command); }

BOOL OnInitDialog(HWND dialog, LPARAM lp)
{
    State* state = dialogs::KeepState<State>(dialog, lp);
    if (!state) {
        EndDialog(dialog, -1);
        return FALSE;
    }
    const game::GameOptions& o = game::Options;
    state->snapshot = o;
    SetDlgItemTextW(dialog, IDC_TIMEOUT, std::to_wstring(static_cast<std::uint32_t>(o.TimeOut)).c_str());
    Check(dialog, o.FirstShoot ? IDC_HUMAN_FIRST : IDC_COMPUTER_FIRST, true);
    Check(dialog, IDC_RUSSIAN_FLAG, o.RussianFlag);
    Check(dialog, IDC_SALVO, o.Salvo);
    Check(dialog, IDC_NO_RESHOT, o.Reshot);
    Check(dialog, IDC_AUTO_ARRANGE, o.AutoArrange);
    // A stored level out of range checks none of the three.
    if (levels::Known(o.ProphyUser))
        Check(dialog, levels::kLevels[o.ProphyUser].dialogButton, true);
    return TRUE;  // the focus goes to "&Угу", the first tab stop
}

void OnOk(HWND dialog)
{
    if (State* s = StateOf<State>(dialog))
        s->flagChanged = s->snapshot.RussianFlag != game::Options.RussianFlag;
    game::SetTimeOut(field_rules::TimeOutFromText(dialogs::ItemText(dialog, IDC_TIMEOUT)));
    EndDialog(dialog, kAccepted);
}

// Every option goes back with its menu marks and toolbar buttons; the
// pause keeps its old value whatever the field holds.
void OnCancel(HWND dialog)
{
    if (const State* s = StateOf<State>(dialog))
        SendMessageW(Frame(dialog), common::kRestoreOptions, 0, reinterpret_cast<LPARAM>(&s->snapshot));
    EndDialog(dialog, kCancelled);
}

// The level button of a level, or 0.
int LevelCommandOfButton(int button)
{
    for (const levels::Level& l : levels::kLevels)
        if (l.dialogButton == button)
            return l.command;
    return 0;
}

BOOL OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: OnCancel(dialog); return TRUE;
    case IDC_HUMAN_FIRST: Post(dialog, IDM_HUMAN_FIRST); return TRUE;
    case IDC_COMPUTER_FIRST: Post(dialog, IDM_COMPUTER_FIRST); return TRUE;
    case IDC_NO_RESHOT: Post(dialog, IDM_RESHOT); return TRUE;
    case IDC_SALVO: Post(dialog, IDM_SALVO); return TRUE;
    case IDC_AUTO_ARRANGE: Post(dialog, IDM_AUTO_ARRANGE); return TRUE;
    case IDC_AMATEUR:
    case IDC_PRO:
    case IDC_SUPERMAN: Post(dialog, LevelCommandOfButton(id)); return TRUE;
    // The flag is the one option without a menu command: the dialog flips it
    // itself and the boards follow on "&Угу".
    case IDC_RUSSIAN_FLAG: game::SetRussianFlag(!game::Options.RussianFlag); return TRUE;
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

}  // namespace settings_dialog

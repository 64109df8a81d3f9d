// Settings dialog: live options through the frame's commands, a snapshot to
// undo them, and the pause taken on "&Угу".
#include "dialogs/settings_dialog.h"

#include <string>

#include "common/window_proc.h"
#include "dialogs/dialog_util.h"
#include "dialogs/field_rules.h"
#include "game/options.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/toolbar.h"

namespace settings_dialog {
namespace {

using dialogs::StateOf;

void Check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

void Post(int command) { dialogs::PostCommand(app::MainWindow, command); }

void MarkMenu(int command, bool on)
{
    if (app::MainWindow)
        CheckMenuItem(GetMenu(app::MainWindow), command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

int LevelCommand(std::int32_t level)
{
    switch (level) {
    case 0: return IDM_LEVEL_AMATEUR;
    case 1: return IDM_LEVEL_PRO;
    case 2: return IDM_LEVEL_SUPERMAN;
    }
    return 0;
}

int LevelButton(std::int32_t level)
{
    switch (level) {
    case 0: return IDC_AMATEUR;
    case 1: return IDC_PRO;
    case 2: return IDC_SUPERMAN;
    }
    return 0;
}

void TakeSnapshot(Snapshot& s)
{
    const game::GameOptions& o = game::Options;
    s.ProphyUser = o.ProphyUser;
    s.Salvo = o.Salvo;
    s.AutoArrange = o.AutoArrange;
    s.Reshot = o.Reshot;
    s.FirstShoot = o.FirstShoot;
    s.RussianFlag = o.RussianFlag;
}

BOOL OnInitDialog(HWND dialog, LPARAM lp)
{
    Snapshot* snapshot = dialogs::KeepState<Snapshot>(dialog, lp);
    if (!snapshot) {
        EndDialog(dialog, -1);
        return FALSE;
    }
    TakeSnapshot(*snapshot);
    const game::GameOptions& o = game::Options;
    SetDlgItemTextW(dialog, IDC_TIMEOUT, std::to_wstring(static_cast<std::uint32_t>(o.TimeOut)).c_str());
    Check(dialog, o.FirstShoot ? IDC_HUMAN_FIRST : IDC_COMPUTER_FIRST, true);
    Check(dialog, IDC_RUSSIAN_FLAG, o.RussianFlag);
    Check(dialog, IDC_SALVO, o.Salvo);
    Check(dialog, IDC_NO_RESHOT, o.Reshot);
    Check(dialog, IDC_AUTO_ARRANGE, o.AutoArrange);
    // A stored level out of range checks none of the three.
    if (const int level = LevelButton(o.ProphyUser))
        Check(dialog, level, true);
    return TRUE;  // the focus goes to "&Угу", the first tab stop
}

// The board windows draw the flag; they repaint only when it changed.
void RepaintBoards()
{
    for (HWND board : {app::HumanBoardWindow, app::ComputerBoardWindow})
        if (board)
            InvalidateRect(board, nullptr, TRUE);
}

void OnOk(HWND dialog)
{
    if (const Snapshot* s = StateOf<Snapshot>(dialog); s && s->RussianFlag != game::Options.RussianFlag)
        RepaintBoards();
    game::Options.TimeOut = field_rules::TimeOutFromText(dialogs::ItemText(dialog, IDC_TIMEOUT));
    EndDialog(dialog, kAccepted);
}

// Menu marks and toolbar buttons go back with the options, in this order;
// the level goes back through its command, which may run after the close.
void Restore(const Snapshot& s)
{
    if (const int command = LevelCommand(s.ProphyUser))
        Post(command);

    MarkMenu(IDM_AUTO_ARRANGE, s.AutoArrange);
    toolbar::SetImageAndState(IDM_AUTO_ARRANGE,
                              s.AutoArrange ? toolbar::kImageAutoArrangeOn : toolbar::kImageAutoArrangeOff,
                              s.AutoArrange);

    MarkMenu(IDM_SALVO, s.Salvo);
    toolbar::SetImageAndState(IDM_SALVO, s.Salvo ? toolbar::kImageSalvoOn : toolbar::kImageSalvoOff, s.Salvo);

    MarkMenu(IDM_RESHOT, s.Reshot);

    MarkMenu(IDM_HUMAN_FIRST, s.FirstShoot);
    MarkMenu(IDM_COMPUTER_FIRST, !s.FirstShoot);
    if (s.FirstShoot) {
        toolbar::SetOn(IDM_COMPUTER_FIRST, false);
        toolbar::SetOn(IDM_HUMAN_FIRST, true);
    } else {
        toolbar::SetOn(IDM_COMPUTER_FIRST, true);
        toolbar::SetOn(IDM_HUMAN_FIRST, false);
    }

    game::GameOptions& o = game::Options;
    o.FirstShoot = s.FirstShoot;
    o.Salvo = s.Salvo;
    o.Reshot = s.Reshot;
    o.AutoArrange = s.AutoArrange;
    o.RussianFlag = s.RussianFlag;
}

// The pause keeps its old value whatever the field holds.
void OnCancel(HWND dialog)
{
    if (const Snapshot* s = StateOf<Snapshot>(dialog))
        Restore(*s);
    EndDialog(dialog, kCancelled);
}

// The flag is the one option without a menu command: the dialog flips it
// itself and the boards follow on "&Угу".
void ToggleFlag() { game::Options.RussianFlag = !game::Options.RussianFlag; }

BOOL OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: OnCancel(dialog); return TRUE;
    case IDC_HUMAN_FIRST: Post(IDM_HUMAN_FIRST); return TRUE;
    case IDC_COMPUTER_FIRST: Post(IDM_COMPUTER_FIRST); return TRUE;
    case IDC_NO_RESHOT: Post(IDM_RESHOT); return TRUE;
    case IDC_SALVO: Post(IDM_SALVO); return TRUE;
    case IDC_AUTO_ARRANGE: Post(IDM_AUTO_ARRANGE); return TRUE;
    case IDC_AMATEUR: Post(IDM_LEVEL_AMATEUR); return TRUE;
    case IDC_PRO: Post(IDM_LEVEL_PRO); return TRUE;
    case IDC_SUPERMAN: Post(IDM_LEVEL_SUPERMAN); return TRUE;
    case IDC_RUSSIAN_FLAG: ToggleFlag(); return TRUE;
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

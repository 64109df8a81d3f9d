// Opening the modal dialogs: each gets its record through the lParam.
#include "dialogs/dialogs.h"

#include <commctrl.h>

#include "common/module.h"
#include "dialogs/about_dialog.h"
#include "dialogs/colour_pickers.h"
#include "dialogs/colours_dialog.h"
#include "dialogs/link_panel.h"
#include "dialogs/panels.h"
#include "dialogs/result_dialog.h"
#include "dialogs/sample_board.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/statistics_dialog.h"
#include "resources/resource.h"

namespace dialogs {
namespace {

INT_PTR Run(int templateId, HWND owner, DLGPROC proc, LPARAM param)
{
    if (!RegisterPanels())
        return -1;
    return DialogBoxParamW(common::Module(), MAKEINTRESOURCEW(templateId), owner, proc, param);
}

}  // namespace

bool RegisterPanels()
{
    static bool registered = false;
    if (registered)
        return true;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_ANIMATE_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    registered = link_panel::Register() && sample_board::Register() &&
                 colour_pickers::Register();
    return registered;
}

void ShowAbout(HWND owner) { Run(IDD_ABOUT, owner, about_dialog::Proc, 0); }

void ShowStatistics(HWND owner) { Run(IDD_STATISTICS, owner, statistics_dialog::Proc, 0); }

void ShowColours(HWND owner)
{
    colours_dialog::State state;
    Run(IDD_COLOURS, owner, colours_dialog::Proc, reinterpret_cast<LPARAM>(&state));
}

bool ShowSettings(HWND owner)
{
    settings_dialog::State state;
    Run(IDD_SETTINGS, owner, settings_dialog::Proc, reinterpret_cast<LPARAM>(&state));
    return state.flagChanged;
}

game::Answer AskResult(HWND owner, game::Outcome outcome)
{
    const bool won = outcome == game::Outcome::HumanWon;
    const INT_PTR answer = Run(won ? IDD_WON : IDD_LOST, owner, result_dialog::Proc, won ? IDA_WORD : IDA_FAN);
    return answer == result_dialog::kPlayAgain ? game::Answer::PlayAgain : game::Answer::Stop;
}

}  // namespace dialogs

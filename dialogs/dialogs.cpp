// Opening the modal dialogs: each gets its record through the lParam.
#include "dialogs/dialogs.h"

#include <commctrl.h>

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
#include "shell/app.h"

namespace dialogs {
namespace {

HINSTANCE Instance() { return app::Instance ? app::Instance : GetModuleHandleW(nullptr); }

INT_PTR Run(int templateId, HWND owner, DLGPROC proc, LPARAM param)
{
    if (!RegisterPanels(Instance()))
        return -1;
    return DialogBoxParamW(Instance(), MAKEINTRESOURCEW(templateId), owner, proc, param);
}

}  // namespace

bool RegisterPanels(HINSTANCE instance)
{
    static bool registered = false;
    if (registered)
        return true;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_ANIMATE_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    registered = link_panel::Register(instance) && sample_board::Register(instance) &&
                 colour_pickers::Register(instance);
    return registered;
}

void ShowAbout(HWND owner) { Run(IDD_ABOUT, owner, about_dialog::Proc, 0); }

void ShowStatistics(HWND owner) { Run(IDD_STATISTICS, owner, statistics_dialog::Proc, 0); }

void ShowColours(HWND owner)
{
    colours_dialog::State state;
    Run(IDD_COLOURS, owner, colours_dialog::Proc, reinterpret_cast<LPARAM>(&state));
}

void ShowSettings(HWND owner)
{
    settings_dialog::Snapshot snapshot;
    Run(IDD_SETTINGS, owner, settings_dialog::Proc, reinterpret_cast<LPARAM>(&snapshot));
}

int AskResult(HWND owner, int dialogId)
{
    const int clip = result_dialog::ClipFor(dialogId);
    if (clip == 0)
        return -1;
    return static_cast<int>(Run(dialogId, owner, result_dialog::Proc, clip));
}

}  // namespace dialogs

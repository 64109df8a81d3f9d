// Statistics dialog: four counters shown once at opening, cleared on request.
#include "dialogs/statistics_dialog.h"

#include <string>

#include "common/window_proc.h"
#include "game/score.h"
#include "resources/resource.h"

namespace statistics_dialog {
namespace {

constexpr wchar_t kClearQuestion[] = L"Очистить окно статистики?";
constexpr wchar_t kClearTitle[] = L"Duvirud ida";

void ShowCount(HWND dialog, int id, std::int32_t value)
{
    SetDlgItemTextW(dialog, id, std::to_wstring(value).c_str());
}

BOOL OnInitDialog(HWND dialog)
{
    ShowCount(dialog, IDC_RUN_WINS, game::RunWins);
    ShowCount(dialog, IDC_RUN_LOSSES, game::RunLosses);
    ShowCount(dialog, IDC_TOTAL_WINS, game::ManWon);
    ShowCount(dialog, IDC_TOTAL_LOSSES, game::CompWon);
    return TRUE;
}

// The texts are not updated: the dialog closes either way.
void OnClear(HWND dialog)
{
    if (MessageBoxW(dialog, kClearQuestion, kClearTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
        game::ClearScore();
    }
    EndDialog(dialog, kCleared);
}

// Only the two buttons close it: Escape (IDCANCEL) and Enter (IDOK) do nothing.
BOOL OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_STATS_OK: EndDialog(dialog, kClosed); return TRUE;
    case IDC_STATS_CLEAR: OnClear(dialog); return TRUE;
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

}  // namespace statistics_dialog

// The frame window: message routing, commands, hints, tooltips and keys.
#include "shell/main_frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "boards/placement_window.h"
#include "dialogs/dialogs.h"
#include "game/describe.h"
#include "game/model.h"
#include "game/options.h"
#include "game/placement.h"
#include "game/turns.h"
#include "resources/contacts.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/children.h"
#include "shell/settings.h"
#include "shell/status_bar.h"
#include "shell/text.h"
#include "shell/toolbar.h"

namespace main_frame {
namespace {

constexpr int kTextBuffer = 128;

// Tooltip of the auto-arrange button, by its state.
constexpr wchar_t kAutoArrangeOnTip[] = L"Корабли твои расставить... - уговорил.";
constexpr wchar_t kAutoArrangeOffTip[] = L"Щас, как будто других дел нет. Сам работай.";

wchar_t g_hint[kTextBuffer];
wchar_t g_tooltip[kTextBuffer];

HMENU Menu() { return GetMenu(app::MainWindow); }

void CheckItem(int id, bool on) { CheckMenuItem(Menu(), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

bool ItemChecked(int id) { return (GetMenuState(Menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

// --- options ---------------------------------------------------------------
// Each toggle takes the opposite of the menu's mark, then sets the mark, the
// option and the toolbar button together.

void ToggleAutoArrange()
{
    const bool on = !ItemChecked(IDM_AUTO_ARRANGE);
    CheckItem(IDM_AUTO_ARRANGE, on);
    game::Options.AutoArrange = on;
    toolbar::SetImageAndState(IDM_AUTO_ARRANGE,
                              on ? toolbar::kImageAutoArrangeOn : toolbar::kImageAutoArrangeOff, on);
}

void ToggleSalvo()
{
    const bool on = !ItemChecked(IDM_SALVO);
    CheckItem(IDM_SALVO, on);
    game::Options.Salvo = on;
    toolbar::SetImageAndState(IDM_SALVO, on ? toolbar::kImageSalvoOn : toolbar::kImageSalvoOff, on);
}

void ToggleReshot()
{
    const bool on = !ItemChecked(IDM_RESHOT);
    CheckItem(IDM_RESHOT, on);
    game::Options.Reshot = on;
}

void SetLevel(int level)
{
    static const int kLevelItems[] = {IDM_LEVEL_AMATEUR, IDM_LEVEL_PRO, IDM_LEVEL_SUPERMAN};
    for (int i = 0; i < 3; ++i)
        CheckItem(kLevelItems[i], i == level);
    for (int i = 0; i < 3; ++i)
        toolbar::SetOn(kLevelItems[i], i == level);
    game::Options.ProphyUser = level;
}

void SetFirstShooter(bool human)
{
    CheckItem(IDM_HUMAN_FIRST, human);
    CheckItem(IDM_COMPUTER_FIRST, !human);
    toolbar::SetOn(IDM_HUMAN_FIRST, human);
    toolbar::SetOn(IDM_COMPUTER_FIRST, !human);
    game::Options.FirstShoot = human;
}

// A toolbar check button shows or hides its window.
void ShowByButton(HWND window, int button)
{
    ShowWindow(window, toolbar::IsChecked(button) ? SW_SHOW : SW_HIDE);
}

// --- the outside world -----------------------------------------------------

void Open(const std::wstring& target)
{
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenContact(int command)
{
    switch (command) {
    case IDM_HELP: Open(L"readme.htm"); break;
    case IDM_WEB_PAGE: Open(text::Widen(CONTACT_WEB_PAGE)); break;
    case IDM_FEEDBACK: Open(text::Widen(CONTACT_MAILTO "?subject=" CONTACT_MAIL_SUBJECT)); break;
    case IDM_MESSENGER: Open(text::Widen(CONTACT_MESSENGER_PAGE)); break;
    }
}

// --- commands ----------------------------------------------------------------

void OnCommand(int id)
{
    switch (id) {
    case IDM_SHOW_ARROWS: ShowByButton(app::ArrowsWindow, id); break;
    case IDM_SHOW_COMPUTER_BOARD: ShowByButton(app::ComputerBoardWindow, id); break;
    case IDM_SHOW_HUMAN_BOARD: ShowByButton(app::HumanBoardWindow, id); break;
    case IDM_SHOW_PICKER: ShowByButton(app::ShipPickerWindow, id); break;
    case IDM_SHOW_COMMENTATOR: ShowByButton(app::CommentatorWindow, id); break;
    // Ends the loop at once: nothing of this run is saved.
    case IDM_EXIT: PostQuitMessage(0); break;
    case IDM_ABOUT: dialogs::ShowAbout(app::MainWindow); break;
    case IDM_NEW_GAME: NewGame(); break;
    case IDM_AUTO_ARRANGE: ToggleAutoArrange(); break;
    case IDM_LEVEL_AMATEUR: SetLevel(0); break;
    case IDM_LEVEL_PRO: SetLevel(1); break;
    case IDM_LEVEL_SUPERMAN: SetLevel(2); break;
    case IDM_STATISTICS: dialogs::ShowStatistics(app::MainWindow); break;
    case IDM_COLOURS: dialogs::ShowColours(app::MainWindow); break;
    case IDM_SETTINGS: dialogs::ShowSettings(app::MainWindow); break;
    case IDM_HUMAN_FIRST: SetFirstShooter(true); break;
    case IDM_COMPUTER_FIRST: SetFirstShooter(false); break;
    case IDM_SALVO: ToggleSalvo(); break;
    case IDM_RESHOT: ToggleReshot(); break;
    case IDM_ARRANGE: children::Arrange(); break;
    case IDM_HELP:
    case IDM_WEB_PAGE:
    case IDM_FEEDBACK:
    case IDM_MESSENGER: OpenContact(id); break;
    }
}

// --- hints and tooltips ----------------------------------------------------

void LoadText(int id, wchar_t* buffer)
{
    buffer[0] = L'\0';
    if (id != 0)
        LoadStringW(app::Instance, id, buffer, kTextBuffer);
}

int HintId(UINT flags, UINT index)
{
    static const int kPopupHints[] = {IDS_HINT_GAME_POPUP, IDS_HINT_OPTIONS_POPUP, IDS_HINT_FIRST_POPUP,
                                      IDS_HINT_HELP_POPUP};
    if (flags & MF_SEPARATOR)
        return 0;
    if (!(flags & MF_POPUP))
        return static_cast<int>(index);
    if (flags & MF_SYSMENU)
        return IDS_HINT_SYSMENU;
    return index < 4 ? kPopupHints[index] : 0;
}

void OnMenuSelect(WPARAM wp)
{
    // A closing menu reports 0xFFFF, which carries the separator bit too.
    UINT flags = HIWORD(wp);
    if (flags == 0xFFFF)
        flags = 0xFFFFFFFF;
    LoadText(HintId(flags, LOWORD(wp)), g_hint);
    status_bar::SetText(0, g_hint);
}

LRESULT OnToolTip(NMTTDISPINFOW* info)
{
    const int id = static_cast<int>(info->hdr.idFrom);
    if (id == IDM_AUTO_ARRANGE)
        lstrcpynW(g_tooltip, toolbar::IsChecked(id) ? kAutoArrangeOnTip : kAutoArrangeOffTip, kTextBuffer);
    else
        LoadText(id, g_tooltip);
    info->lpszText = g_tooltip;
    return 0;
}

// The customise dialog offers exactly the entries of the toolbar's table.
LRESULT OnGetButtonInfo(NMTOOLBARW* info)
{
    if (!toolbar::ButtonEntry(info->iItem, &info->tbButton))
        return FALSE;
    if (info->pszText && info->cchText > 0) {
        info->pszText[0] = L'\0';
        if (info->tbButton.idCommand != 0)
            LoadStringW(app::Instance, info->tbButton.idCommand, info->pszText, info->cchText);
    }
    return TRUE;
}

LRESULT OnNotify(NMHDR* hdr)
{
    switch (hdr->code) {
    case TTN_NEEDTEXTW: return OnToolTip(reinterpret_cast<NMTTDISPINFOW*>(hdr));
    case TBN_GETBUTTONINFOW: return OnGetButtonInfo(reinterpret_cast<NMTOOLBARW*>(hdr));
    // Nothing goes before the first button, and it stays.
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE: return reinterpret_cast<NMTOOLBARW*>(hdr)->iItem != 0;
    case TBN_TOOLBARCHANGE: SendMessageW(app::ToolbarWindow, TB_AUTOSIZE, 0, 0); return TRUE;
    }
    return 0;
}

// --- keys ------------------------------------------------------------------

void OnKeyDown(WPARAM key)
{
    if (!game::PlacingShip)
        return;
    switch (key) {
    case VK_LEFT: case VK_NUMPAD4: boards::StepShip(boards::kMoveLeft); break;
    case VK_RIGHT: case VK_NUMPAD6: boards::StepShip(boards::kMoveRight); break;
    case VK_UP: case VK_NUMPAD8: boards::StepShip(boards::kMoveUp); break;
    case VK_DOWN: case VK_NUMPAD2: boards::StepShip(boards::kMoveDown); break;
    case VK_NUMPAD5: case VK_CLEAR: boards::StepShip(boards::kTurn); break;
    case VK_RETURN: SendMessageW(app::ArrowsWindow, WM_COMMAND, boards::kPadDone, 0); break;
    }
}

// --- life --------------------------------------------------------------------

void OnDestroy()
{
    app::DeleteTextures();
    settings::DestroyPass();
    DestroyWindow(app::ShipPickerWindow);
    DestroyWindow(app::ArrowsWindow);
    PostQuitMessage(0);
}

void TakeFocus(HWND hwnd) { SetFocus(hwnd); }

// Test tools ask for the model's text with this registered message, wParam
// being their window; the text goes back to that window as WM_COPYDATA.
const UINT g_modelTextRequest = RegisterWindowMessageW(L"TrivokDescribeState");

LRESULT SendModelText(HWND to)
{
    const std::string text = game::DescribeModel();
    COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR taken = 0;
    SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(app::MainWindow), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 2000, &taken);
    return taken;
}

}  // namespace

void NewGame()
{
    children::NewGameReset();
    game::ResetRecording();
    if (game::Options.AutoArrange) {
        game::ArrangeFleet(game::kHumanFleet);
        game::PlacedCount = 10;
        game::ArrangeFleet(game::kComputerFleet);
        game::StartBattle();
        game::BattleOn = 1;
    } else {
        game::PickerOpen = 1;
        ShowWindow(app::ShipPickerWindow, SW_SHOW);
        toolbar::PressAndCheck(IDM_SHOW_PICKER);
    }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == g_modelTextRequest && g_modelTextRequest != 0)
        return SendModelText(reinterpret_cast<HWND>(wp));
    switch (msg) {
    case WM_CREATE: return children::Create(hwnd) ? 0 : -1;
    case WM_DESTROY: OnDestroy(); break;
    case WM_SIZE: status_bar::Resize(wp, lp); break;
    case WM_PAINT: children::PaintBackground(hwnd); return 0;
    case WM_CLOSE: settings::ClosePass(hwnd); break;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_KEYDOWN: OnKeyDown(wp); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wp)); return 0;
    case WM_MENUSELECT: OnMenuSelect(wp); break;
    // A right click on the frame hides the whole program; Ctrl+S brings it back.
    case WM_RBUTTONDOWN: ShowWindow(hwnd, SW_HIDE); return 0;
    case WM_HOTKEY: ShowWindow(hwnd, SW_SHOWMAXIMIZED); TakeFocus(hwnd); break;
    case WM_USER: TakeFocus(hwnd); break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace main_frame

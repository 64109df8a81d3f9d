// The frame window: message routing, commands, hints, tooltips and keys.
#include "shell/main_frame.h"

#include <commctrl.h>

#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "common/messages.h"
#include "common/module.h"
#include "common/on_demand.h"
#include "common/text.h"
#include "common/textures.h"
#include "common/window_proc.h"
#include "dialogs/dialogs.h"
#include "game/describe.h"
#include "game/placement.h"
#include "game/play.h"
#include "resources/contacts.h"
#include "resources/resource.h"
#include "shell/children.h"
#include "shell/options_ui.h"
#include "shell/settings.h"
#include "shell/status_bar.h"
#include "shell/toolbar.h"

namespace main_frame {
namespace {

constexpr wchar_t kTitle[] = L"Duvirud ida для Win95";

constexpr int kTextBuffer = 128;
// The popups of the menu bar, left to right, each with its hint.
constexpr int kMenuBarPopups = 4;
constexpr int kPopupHints[kMenuBarPopups] = {IDS_HINT_GAME_POPUP, IDS_HINT_OPTIONS_POPUP, IDS_HINT_FIRST_POPUP,
                                             IDS_HINT_HELP_POPUP};

// Tooltip of the auto-arrange button, by its state.
constexpr wchar_t kAutoArrangeOnTip[] = L"Корабли твои расставить... - уговорил.";
constexpr wchar_t kAutoArrangeOffTip[] = L"Щас, как будто других дел нет. Сам работай.";

constexpr wchar_t kHelpFile[] = L"readme.htm";
constexpr wchar_t kNoHelpText[] = L"Файл помощи readme.htm не найден ни в текущей папке, ни рядом с программой.";
constexpr wchar_t kErrorCaption[] = L"Ошибка";

HWND g_frame;
wchar_t g_hint[kTextBuffer];
wchar_t g_tooltip[kTextBuffer];

// --- the outside world -----------------------------------------------------

void Open(const std::wstring& target) { on_demand::Open(target.c_str()); }

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void OpenHelp()
{
    const std::wstring page = HelpPage();
    if (page.empty())
        MessageBoxW(g_frame, kNoHelpText, kErrorCaption, MB_ICONERROR | MB_OK);
    else
        Open(page);
}

// --- commands ----------------------------------------------------------------

// The settings dialog repaints the boards when the flag changed.
void ShowSettings()
{
    if (dialogs::ShowSettings(g_frame))
        for (game::BoardId board : {game::BoardId::Human, game::BoardId::Computer})
            InvalidateRect(boards::BoardWindow(board), nullptr, TRUE);
}

void OnCommand(int id)
{
    switch (id) {
    case IDM_SHOW_ARROWS:
    case IDM_SHOW_COMPUTER_BOARD:
    case IDM_SHOW_HUMAN_BOARD:
    case IDM_SHOW_PICKER:
    case IDM_SHOW_COMMENTATOR: children::ShowByButton(id); break;
    // Ends the loop at once: nothing of this run is saved.
    case IDM_EXIT: PostQuitMessage(0); break;
    case IDM_ABOUT: dialogs::ShowAbout(g_frame); break;
    case IDM_NEW_GAME: NewGame(); break;
    case IDM_AUTO_ARRANGE:
    case IDM_SALVO:
    case IDM_RESHOT: options_ui::Toggle(id); break;
    case IDM_LEVEL_AMATEUR: options_ui::SetLevel(0); break;
    case IDM_LEVEL_PRO: options_ui::SetLevel(1); break;
    case IDM_LEVEL_SUPERMAN: options_ui::SetLevel(2); break;
    case IDM_STATISTICS: dialogs::ShowStatistics(g_frame); break;
    case IDM_COLOURS: dialogs::ShowColours(g_frame); break;
    case IDM_SETTINGS: ShowSettings(); break;
    case IDM_HUMAN_FIRST: options_ui::SetFirstShooter(true); break;
    case IDM_COMPUTER_FIRST: options_ui::SetFirstShooter(false); break;
    case IDM_ARRANGE: children::Arrange(); break;
    case IDM_HELP: OpenHelp(); break;
    case IDM_WEB_PAGE: Open(text::Widen(CONTACT_WEB_PAGE)); break;
    case IDM_FEEDBACK: Open(text::Widen(CONTACT_MAILTO "?subject=" CONTACT_MAIL_SUBJECT)); break;
    case IDM_MESSENGER: Open(text::Widen(CONTACT_MESSENGER_PAGE)); break;
    }
}

// --- hints and tooltips ----------------------------------------------------

void LoadText(int id, wchar_t* buffer)
{
    buffer[0] = L'\0';
    if (id != 0)
        LoadStringW(common::Module(), id, buffer, kTextBuffer);
}

int HintId(UINT flags, UINT index)
{
    if (flags & MF_SEPARATOR)
        return 0;
    if (!(flags & MF_POPUP))
        return static_cast<int>(index);
    if (flags & MF_SYSMENU)
        return IDS_HINT_SYSMENU;
    return index < kMenuBarPopups ? kPopupHints[index] : 0;
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
            LoadStringW(common::Module(), info->tbButton.idCommand, info->pszText, info->cchText);
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
    case TBN_TOOLBARCHANGE: SendMessageW(toolbar::Window(), TB_AUTOSIZE, 0, 0); return TRUE;
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
    case VK_RETURN: boards::SendPadCommand(boards::kPadDone); break;
    }
}

// --- life --------------------------------------------------------------------

void OnClose() { settings::ClosePass(children::Rectangles()); }

void OnDestroy()
{
    textures::Delete();
    settings::DestroyPass();
    DestroyWindow(boards::PickerWindow());
    DestroyWindow(boards::PadWindow());
    PostQuitMessage(0);
}

// The session ends without destroying the window: what closing saves is
// saved now, the close pass and then the destroy pass, which closes the key
// so that nothing is written twice.
void OnEndSession(bool ending)
{
    if (!ending)
        return;
    OnClose();
    settings::DestroyPass();
}

void TakeFocus(HWND hwnd) { SetFocus(hwnd); }

// Test tools ask for the model's text with this registered message, wParam
// being their window; the text goes back to that window as WM_COPYDATA.
const UINT g_modelTextRequest = RegisterWindowMessageW(L"TrivokDescribeState");

LRESULT SendModelText(HWND frame, HWND to)
{
    const std::string text = game::DescribeModel();
    COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR taken = 0;
    SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(frame), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 2000, &taken);
    return taken;
}

LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == g_modelTextRequest && g_modelTextRequest != 0)
        return SendModelText(hwnd, reinterpret_cast<HWND>(wp));
    switch (msg) {
    case WM_NCCREATE: g_frame = hwnd; break;
    case WM_CREATE: return children::Create(hwnd) ? 0 : -1;
    case WM_DESTROY: OnDestroy(); break;
    case WM_SIZE: status_bar::Resize(wp, lp); break;
    case WM_PAINT: children::PaintBackground(hwnd); return 0;
    case WM_CLOSE: OnClose(); break;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_KEYDOWN: OnKeyDown(wp); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wp)); return 0;
    case WM_MENUSELECT: OnMenuSelect(wp); break;
    // A right click on the frame hides the whole program; Ctrl+S brings it back.
    case WM_RBUTTONDOWN: ShowWindow(hwnd, SW_HIDE); return 0;
    case WM_HOTKEY: ShowWindow(hwnd, SW_SHOWMAXIMIZED); TakeFocus(hwnd); break;
    case common::kTakeFocus: TakeFocus(hwnd); break;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: OnEndSession(wp != FALSE); return 0;
    case common::kShowChild: children::ShowChild(reinterpret_cast<HWND>(lp), wp != FALSE); return 0;
    case common::kStatusText: status_bar::SetText(0, reinterpret_cast<const wchar_t*>(lp)); return 0;
    case common::kRestoreOptions: options_ui::Restore(*reinterpret_cast<const game::GameOptions*>(lp)); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool Register()
{
    common::WindowClass c{kClassName, common::WindowProc<Handle>};
    c.icon = IDI_MAIN;
    c.cursor = LoadCursorW(nullptr, IDC_ARROW);
    c.menu = MAKEINTRESOURCEW(IDM_MAIN_MENU);
    return common::Register(c);
}

HWND Create()
{
    return CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, common::Module(), nullptr);
}

HWND Window() { return g_frame; }

std::wstring HelpPage()
{
    if (IsFile(kHelpFile))
        return kHelpFile;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::wstring beside(path, length);
    beside.erase(beside.find_last_of(L"\\/") + 1);
    beside += kHelpFile;
    return IsFile(beside) ? beside : std::wstring();
}

void NewGame()
{
    game::ResetGame();
    children::ShowNewGame();
    if (game::StartGame() == game::GameStart::ByHand)
        children::OpenPicker();
}

}  // namespace main_frame

// The frame's status bar.
#include "shell/status_bar.h"

#include <commctrl.h>

#include "common/layout.h"
#include "common/text.h"
#include "game/settle.h"
#include "resources/resource.h"
#include "shell/toolbar.h"

namespace status_bar {
namespace {

HWND g_bar;

}  // namespace

HWND Create(HWND parent)
{
    g_bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP, L"Здравствуйте", parent,
                                IDC_STATUSBAR);
    return g_bar;
}

HWND Window() { return g_bar; }

void Resize(WPARAM wp, LPARAM lp)
{
    const int clientWidth = LOWORD(lp);
    SendMessageW(g_bar, WM_SIZE, wp, lp);
    SendMessageW(toolbar::Window(), WM_SIZE, wp, lp);
    const auto parts = layout::StatusParts(clientWidth);
    SendMessageW(g_bar, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    ShowShipCounts();
}

void SetText(int part, const std::wstring& text)
{
    const WPARAM style = part == 0 ? 0 : SBT_POPOUT;
    SendMessageW(g_bar, SB_SETTEXTW, static_cast<WPARAM>(part) | style,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void ShowShipCounts()
{
    SetText(1, text::Widen(game::ShipsLeftText(game::StatusPart::ComputerShips)));
    SetText(2, text::Widen(game::ShipsLeftText(game::StatusPart::HumanShips)));
}

}  // namespace status_bar

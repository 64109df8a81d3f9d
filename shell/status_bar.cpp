// The frame's status bar.
#include "shell/status_bar.h"

#include <commctrl.h>

#include "game/turns.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/layout.h"
#include "shell/text.h"

namespace status_bar {

HWND Create(HWND parent)
{
    return CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP, L"Здравствуйте", parent,
                               IDC_STATUSBAR);
}

void Resize(WPARAM wp, LPARAM lp)
{
    const int clientWidth = LOWORD(lp);
    SendMessageW(app::StatusBarWindow, WM_SIZE, wp, lp);
    SendMessageW(app::ToolbarWindow, WM_SIZE, wp, lp);
    const auto parts = layout::StatusParts(clientWidth);
    SendMessageW(app::StatusBarWindow, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    ShowShipCounts();
}

void SetText(int part, const std::wstring& text)
{
    const WPARAM style = part == 0 ? 0 : SBT_POPOUT;
    SendMessageW(app::StatusBarWindow, SB_SETTEXTW, static_cast<WPARAM>(part) | style,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void ShowShipCounts()
{
    SetText(1, text::Widen(game::ShipsLeftText(game::StatusPart::ComputerShips)));
    SetText(2, text::Widen(game::ShipsLeftText(game::StatusPart::HumanShips)));
}

}  // namespace status_bar
